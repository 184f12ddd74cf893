#pragma once

#include "IMessageBox.h"

// The real message box: modal, with the program's name when no caption is given.
class CQtMessageBox : public IMessageBox
{
public:
    QMessageBox::StandardButton Show(QWidget *parent, const QString &text, const QString &caption,
                                     QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                     QMessageBox::StandardButton defaultButton) override;
};

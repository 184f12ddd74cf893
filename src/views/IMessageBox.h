#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// Every message the user must see goes through this, so tests can read the texts.
class IMessageBox
{
public:
    virtual ~IMessageBox() = default;
    virtual QMessageBox::StandardButton
    Show(QWidget *parent, const QString &text, const QString &caption, QMessageBox::Icon icon,
         QMessageBox::StandardButtons buttons = QMessageBox::Ok,
         QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) = 0;
};

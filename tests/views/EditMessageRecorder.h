#pragma once

#include "IMessageBox.h"

#include <QList>
#include <QString>

// Records every message and answers with a fixed button.
class EditMessageRecorder : public IMessageBox
{
public:
    struct Shown
    {
        QString text;
        QString caption;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton defaultButton;
    };

    QMessageBox::StandardButton answer = QMessageBox::Yes;
    QList<Shown> shown;

    QMessageBox::StandardButton Show(QWidget *, const QString &text, const QString &caption,
                                     QMessageBox::Icon icon, QMessageBox::StandardButtons,
                                     QMessageBox::StandardButton defaultButton) override
    {
        shown.append({text, caption, icon, defaultButton});
        return answer;
    }
};

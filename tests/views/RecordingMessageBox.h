#pragma once

#include "IMessageBox.h"

#include <QList>

// Records every message instead of showing it and answers from a queue (Yes when empty).
class RecordingMessageBox : public IMessageBox
{
public:
    struct Shown
    {
        QString text;
        QString caption;
        QMessageBox::Icon icon;
    };
    QList<Shown> shown;
    QList<QMessageBox::StandardButton> answers;

    QMessageBox::StandardButton Show(QWidget *, const QString &text, const QString &caption,
                                     QMessageBox::Icon icon, QMessageBox::StandardButtons,
                                     QMessageBox::StandardButton) override
    {
        shown.append({text, caption, icon});
        return answers.isEmpty() ? QMessageBox::Yes : answers.takeFirst();
    }
    QStringList Texts() const
    {
        QStringList texts;
        for (const Shown &s : shown)
            texts << s.text;
        return texts;
    }
};

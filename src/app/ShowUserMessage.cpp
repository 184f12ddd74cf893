#include "ShowUserMessage.h"

QMessageBox::StandardButton ShowUserMessage(IMessageBox &messages, QWidget *parent,
                                            const UserMessage &message, QMessageBox::StandardButtons buttons)
{
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (message.icon) {
    case UserMessage::Information:
        icon = QMessageBox::Information;
        break;
    case UserMessage::Warning:
        icon = QMessageBox::Warning;
        break;
    case UserMessage::Error:
        icon = QMessageBox::Critical;
        break;
    case UserMessage::Question:
        icon = QMessageBox::Question;
        break;
    }
    return messages.Show(parent, message.text, message.caption, icon, buttons);
}

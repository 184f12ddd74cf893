#pragma once

#include "IMessageBox.h"
#include "UserMessage.h"

// Shows a message the core computed, with its caption and icon.
QMessageBox::StandardButton ShowUserMessage(IMessageBox &messages, QWidget *parent,
                                            const UserMessage &message,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok);

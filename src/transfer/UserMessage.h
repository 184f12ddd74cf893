#pragma once

#include <QString>

// A message box's content as the core computes it; the window layer shows it.
struct UserMessage
{
    enum Icon
    {
        Information,
        Warning,
        Error,
        Question,
    };

    QString caption;
    QString text;
    Icon icon = Information;

    bool operator==(const UserMessage &) const = default;
};

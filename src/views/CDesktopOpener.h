#pragma once

#include <QString>
#include <functional>

class IMessageBox;
class QUrl;
class QWidget;

// Opens web pages, local files and "mailto:" addresses with the desktop's programs, and
// tells the user when no program could be started (a desktop without a browser or a mail
// program would otherwise just do nothing).
class CDesktopOpener
{
public:
    using Open = std::function<bool(const QUrl &)>;

    // The desktop's own opening; an HTML page goes to the web browser first.
    static bool Default(const QUrl &url);
    // What the warning says: no mail program for "mailto:", else no web browser.
    static QString NoProgramText(const QUrl &url);
    // Opens url; when that fails shows NoProgramText (caption, warning icon). false then.
    static bool OpenOrWarn(const Open &open, const QUrl &url, IMessageBox &messages, QWidget *parent,
                           const QString &caption);
};

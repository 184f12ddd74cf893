#include "CDesktopOpener.h"

#include "IMessageBox.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

bool CDesktopOpener::Default(const QUrl &url)
{
    if (url.isLocalFile()) {
        const QString suffix = QFileInfo(url.toLocalFile()).suffix().toLower();
        if ((suffix == QLatin1String("html") || suffix == QLatin1String("htm")) &&
            QProcess::startDetached(QStringLiteral("x-www-browser"), {url.toLocalFile()}))
            return true;
    }
    return QDesktopServices::openUrl(url);
}

QString CDesktopOpener::NoProgramText(const QUrl &url)
{
    if (url.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) == 0)
        return QString::fromUtf8("メールソフトを起動できませんでした。\n\n"
                                 "メールソフトがインストールされ、既定のプログラムに設定されているか"
                                 "確認してください。");
    return QString::fromUtf8("Webブラウザを起動できませんでした。\n\n"
                             "Webブラウザがインストールされ、既定のプログラムに設定されているか"
                             "確認してください。");
}

bool CDesktopOpener::OpenOrWarn(const Open &open, const QUrl &url, IMessageBox &messages, QWidget *parent,
                                const QString &caption)
{
    if (open(url))
        return true;
    messages.Show(parent, NoProgramText(url), caption, QMessageBox::Warning);
    return false;
}

#include "AppPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace AppPaths {

QString DataFolder()
{
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString folder = QDir(docs).filePath(QStringLiteral("ORVANE/Tessaly/"));
    QDir().mkpath(folder);
    return folder;
}

QString DefaultManagementFile()
{
    return DataFolder() + QStringLiteral("default.ovd");
}

QString SettingsFilePath()
{
    return DataFolder() + QStringLiteral("Tessaly.ini");
}

QString DevModeFilePath(const QString &settingsFile)
{
    // Only the file name is changed: a "." in a folder name (a hidden folder,
    // "john.doe") would otherwise point into a folder that does not exist.
    const QFileInfo info(settingsFile);
    QString name = info.fileName();
    name.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QDir(info.path()).filePath(name + QStringLiteral("Print_DevMode.dat"));
}

QString ResolveManagementFile(const QString &path)
{
    if (path.isEmpty())
        return DefaultManagementFile();
    if (QDir::isRelativePath(path))
        return QDir::cleanPath(QDir(DataFolder()).filePath(path));
    return QDir::cleanPath(path);
}

} // namespace AppPaths

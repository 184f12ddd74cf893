#include "AppPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace AppPaths {

namespace {
QString DataFolderPath()
{
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(docs).filePath(QStringLiteral("ORVANE/Tessaly/"));
}

const QString SettingsFileName = QStringLiteral("Tessaly.ini");
} // namespace

QString DataFolder()
{
    const QString folder = DataFolderPath();
    QDir().mkpath(folder);
    return folder;
}

QString DefaultManagementFile()
{
    return DataFolder() + QStringLiteral("default.ovd");
}

QString SettingsFilePath()
{
    return DataFolder() + SettingsFileName;
}

QString ExistingSettingsFile()
{
    const QString path = DataFolderPath() + SettingsFileName;
    return QFileInfo::exists(path) ? path : QString();
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

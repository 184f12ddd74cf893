#include "CBackup.h"

#include "FolderSync.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QString CBackup::ProposedName(const QString &managementFile, const QDate &utcDate)
{
    const QFileInfo info(managementFile);
    const QString stem = info.path() + QLatin1Char('/') + info.completeBaseName();
    return QString::asprintf("%s%04d%02d%02d.%s", stem.toUtf8().constData(), utcDate.year(), utcDate.month(),
                             utcDate.day(), "ovd");
}

QString CBackup::ImageFolderFor(const QString &file)
{
    const QFileInfo info(file);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("_Image");
}

bool CBackup::IsSameFile(const QString &a, const QString &b)
{
    const QFileInfo fa(a), fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}

bool CBackup::CopyFile(const QString &from, const QString &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    // Written aside and renamed at the end: a failed copy leaves an older backup intact.
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    char buffer[1 << 16];
    for (;;) {
        const qint64 n = source.read(buffer, sizeof buffer);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        if (target.write(buffer, n) != n)
            return false;
    }
    return target.commit() && FolderSync::SyncParentOf(to);
}

bool CBackup::CopyFolder(const QString &from, const QString &to, const Progress &progress)
{
    const QDir source(from);
    if (!source.exists())
        return true;
    QStringList files;
    QDirIterator it(from, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    if (!QDir().mkpath(to))
        return false;
    const int total = static_cast<int>(files.size());
    for (int i = 0; i < total; ++i) {
        if (progress && !progress(i, total))
            return false;
        const QString relative = source.relativeFilePath(files[i]);
        const QString target = to + QLatin1Char('/') + relative;
        if (!QDir().mkpath(QFileInfo(target).path()) || !CopyFile(files[i], target))
            return false;
    }
    return !progress || progress(total, total);
}

bool CBackup::Run(const QString &managementFile, const QString &imageFolder, const QString &target,
                  const Progress &progress)
{
    if (IsSameFile(managementFile, target))
        return false;
    if (!CopyFile(managementFile, target))
        return false;
    return CopyFolder(imageFolder, ImageFolderFor(target), progress);
}

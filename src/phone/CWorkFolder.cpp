#include "CWorkFolder.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString WithSlash(const QString &path)
{
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}
} // namespace

bool CWorkFolder::IsOwnFolder(const QString &path)
{
    struct stat info = {};
    QString bare = path;
    while (bare.size() > 1 && bare.endsWith(QLatin1Char('/')))
        bare.chop(1);
    return ::lstat(QFile::encodeName(bare).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::getuid();
}

QString CWorkFolder::Make(const QString &tempFolder)
{
    const QString path = QDir(tempFolder).filePath(QStringLiteral("TessalyTemp"));
    if (::mkdir(QFile::encodeName(path).constData(), 0700) == 0 || (errno == EEXIST && IsOwnFolder(path)))
        return WithSlash(path);
    QByteArray pattern = QFile::encodeName(path + QStringLiteral("-XXXXXX"));
    if (!::mkdtemp(pattern.data()))
        return QString();
    return WithSlash(QFile::decodeName(pattern));
}

bool CWorkFolder::Remove(const QString &path)
{
    return !path.isEmpty() && IsOwnFolder(path) && QDir(path).removeRecursively();
}

#include "ScratchFolder.h"

#include "FuzzCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace Fuzz {

namespace {

QTemporaryDir &RootDir()
{
    // Millions of small files are written: on a memory file system that costs no disk wear.
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/tessaly-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/tessaly-fuzz-XXXXXX"));
    return dir;
}

} // namespace

QString ScratchFolder::Root()
{
    Check(RootDir().isValid(), "the scratch folder can be made");
    return RootDir().path();
}

ScratchFolder::ScratchFolder(const QString &name) : m_path(QDir(Root()).filePath(name))
{
    QDir(m_path).removeRecursively();
    Check(QDir().mkpath(m_path), "the scratch folder can be made");
}

ScratchFolder::~ScratchFolder()
{
    QDir(m_path).removeRecursively();
}

QString ScratchFolder::File(const QString &name) const
{
    return QDir(m_path).filePath(name);
}

QString ScratchFolder::Write(const QString &name, QByteArrayView bytes) const
{
    const QString path = File(name);
    QFile file(path);
    Check(file.open(QIODevice::WriteOnly) && file.write(bytes.data(), bytes.size()) == bytes.size(),
          "the input file can be written");
    return path;
}

QByteArray ScratchFolder::Read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace Fuzz

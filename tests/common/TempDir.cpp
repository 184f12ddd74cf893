#include "TempDir.h"

#include <QFile>

TempDir::TempDir() : m_dir(QDir::tempPath() + "/tessaly-test-XXXXXX") {}

QByteArray TempDir::ReadAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool TempDir::WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A private scratch folder per test, removed afterwards.
class TempDir
{
public:
    TempDir();
    QString Path() const { return m_dir.path(); }
    QString File(const QString &name) const { return m_dir.filePath(name); }
    static QByteArray ReadAll(const QString &path);
    static bool WriteAll(const QString &path, const QByteArray &bytes);

private:
    QTemporaryDir m_dir;
};

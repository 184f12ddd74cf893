#pragma once

#include <QByteArrayView>
#include <QString>

// The folder a target writes its input files into: one per process, on a
// memory file system when there is one, emptied before and after each input.
namespace Fuzz {

class ScratchFolder
{
public:
    // A fresh, empty folder of this name inside the process's scratch space.
    explicit ScratchFolder(const QString &name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    QString Path() const { return m_path; }
    QString File(const QString &name) const;
    // Writes the bytes as the named file; returns its path.
    QString Write(const QString &name, QByteArrayView bytes) const;
    static QByteArray Read(const QString &path);

    // The process's scratch space (also the home folder the targets run with).
    static QString Root();

private:
    QString m_path;
};

} // namespace Fuzz

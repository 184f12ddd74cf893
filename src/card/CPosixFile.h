#pragma once

#include <QString>
#include <QtGlobal>

#include <sys/types.h>

// What identifies one state of a file on disk: which file it is and what our
// last write left it as. Another program that rewrites or appends changes it.
struct FileIdentity
{
    dev_t device = 0;
    ino_t inode = 0;
    qint64 size = -1;
    qint64 modifiedNs = 0;

    bool IsKnown() const { return size >= 0; }
    bool operator==(const FileIdentity &) const = default;
};

// A file opened for positioned reads and writes with plain system calls, each
// result reported as an errno value (0 for success). Tests derive from it to
// make a chosen call fail.
class CPosixFile
{
public:
    // The error Open gives for a path that is neither a regular file nor a folder.
    static constexpr int NotRegularFile = -1;

    CPosixFile() = default;
    virtual ~CPosixFile();
    CPosixFile(const CPosixFile &) = delete;
    CPosixFile &operator=(const CPosixFile &) = delete;

    // Opens an existing regular file, or creates it when create is set; never
    // truncates and never waits on a FIFO or device.
    virtual int Open(const QString &path, bool create);
    bool IsOpen() const { return m_fd >= 0; }
    void Close();

    // All n bytes at pos, retried after interruptions and short writes.
    virtual int WriteAt(qint64 pos, const char *data, qsizetype n);
    // Exactly n bytes at pos; EIO when the file is shorter.
    virtual int ReadAt(qint64 pos, char *data, qsizetype n);
    virtual int Sync();
    virtual int Truncate(qint64 size);
    virtual int Identity(FileIdentity *identity);

private:
    int m_fd = -1;
};

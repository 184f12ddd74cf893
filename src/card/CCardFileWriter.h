#pragma once

#include <QFile>
#include <QString>
#include <QtGlobal>

class QByteArray;

// The management file opened for reading and writing for one operation or a
// batch of card writes; the header is kept in memory and rewritten on append.
// Closed by the destructor.
class CCardFileWriter
{
public:
    CCardFileWriter() = default;
    // Opens at once; check IsOpen().
    explicit CCardFileWriter(const QString &path);
    ~CCardFileWriter();
    CCardFileWriter(const CCardFileWriter &) = delete;
    CCardFileWriter &operator=(const CCardFileWriter &) = delete;

    // Created if missing, never truncated; an empty file gets an empty header in memory.
    bool Open(const QString &path);
    bool IsOpen() const { return m_file.isOpen(); }
    QString Path() const { return m_path; }
    void Close();

    // Turns the record at recordOffset into a dead one.
    bool MarkDead(qint32 recordOffset);
    // Writes a card chunk over the payload of the record at recordOffset.
    bool OverwritePayload(qint32 recordOffset, const QByteArray &chunk);
    // Appends a live record holding the chunk and rewrites the header;
    // gives the new record's offset.
    bool AppendRecord(const QByteArray &chunk, qint32 *recordOffset);

private:
    // A positioned write of all the bytes, retried after interruptions.
    bool WriteAt(qint64 position, const char *data, qsizetype size);

    QFile m_file;
    QString m_path;
    qint64 m_size = 0; // the file's size, kept here so appends need no stat call
    quint32 m_length = 0;
    quint32 m_count = 0;
};

#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

#include <memory>

class LineCursor;

// One comma-separated file, read or written row by row. On disk the text is
// code page 932 with "\r\n" line ends; reading also takes UTF-8 (byte-order
// mark, or valid multi-byte UTF-8).
class Csv
{
public:
    explicit Csv(const QString &fileName = QString());
    ~Csv();
    Csv(const Csv &) = delete;
    Csv &operator=(const Csv &) = delete;

    // Re-targets the object at another file; nothing is opened yet.
    bool OpenFile(const QString &fileName);
    QString FileName() const { return m_fileName; }

    // Next row; false at end of file (or when the file cannot be read). A quoted
    // field that is still open at end of file ends the row and gives false.
    bool ReadRow(QStringList &fields);
    // The first row fixes the column count; later rows are padded or cut to it.
    // false when the file cannot be written.
    bool WriteRow(const QStringList &fields);
    // Flushes and closes a file being written; false when a write failed.
    bool Close();

    // Size of the file in bytes, and how far reading has got (same unit).
    qint64 FileSize() const;
    qint64 Position() const;
    // Whether every written character had a code page 932 form.
    bool Lossless() const { return m_lossless; }

private:
    bool LoadForReading();
    bool ReadLine(QStringView &line);
    void Reset();

    QString m_fileName;
    QChar m_separator = u',';
    QChar m_quote = u'"';
    int m_columnCount = 0;

    // Reading: the file decoded block by block.
    bool m_loaded = false;
    bool m_readFailed = false;
    QFile m_in;
    std::unique_ptr<LineCursor> m_cursor;
    qint64 m_skipped = 0;
    qint64 m_byteSize = 0;

    // Writing.
    QFile m_out;
    bool m_writeFailed = false;
    bool m_lossless = true;
    QByteArray m_rowBytes;
};

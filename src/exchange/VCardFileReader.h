#pragma once

#include "VCardData.h"

#include <QFile>
#include <QList>
#include <QString>
#include <memory>

class LineCursor;
class VCardParser;
class VCardPhotoWriter;

// Reads a vCard file: a few entries at a time, so that a large file can be
// taken in while its first cards are already being stored, or all at once.
// Lines end at "\n" with an optional "\r"; the encoding is told as for any vCard text.
class VCardFileReader
{
public:
    VCardFileReader();
    ~VCardFileReader();
    VCardFileReader(const VCardFileReader &) = delete;
    VCardFileReader &operator=(const VCardFileReader &) = delete;

    bool Open(const QString &path, const QString &photoFolder);
    // Appends up to limit entries; returns how many. 0 once the file is done
    // (or a photo could not be written: the entries before it stay).
    int Read(QList<VCARD_DATA> &entries, int limit);
    // Appends every entry (of a freshly opened file); returns how many. A large
    // file is read in two halves at once, with the same result as in order.
    int ReadAll(QList<VCARD_DATA> &entries);

private:
    // Where the second half can start: a "BEGIN:VCARD" line right after an
    // "END:VCARD" line near the middle, or -1.
    qint64 SplitPoint();
    void StartCursor(qint64 from, qint64 length);

    QFile m_file;
    QString m_photoFolder;
    bool m_utf8 = false;
    qint64 m_start = 0;
    std::unique_ptr<VCardPhotoWriter> m_photos;
    std::unique_ptr<VCardParser> m_parser;
    std::unique_ptr<LineCursor> m_cursor;
    bool m_done = false;
};

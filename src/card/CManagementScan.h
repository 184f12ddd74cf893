#pragma once

#include "CCardData.h"

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <memory>
#include <vector>

class CBlockReader;

// Reads a whole management file: checks the header, walks the records to the
// end of the file, decodes the live cards and notes whether the file needs
// repair or compaction. Every length is checked against the bytes actually
// present. A header whose length or count disagrees with the records found is
// damage, not a reason to refuse the file: a crash between appending a record
// and counting it leaves exactly that. Live records past the stated length
// were appended after the last complete write and replace the earlier record
// of the same card. The file is read block by block, never held whole.
class CManagementScan
{
public:
    enum State
    {
        Clean = 0,
        Damaged = 1,
        NeedsCompaction = 2,
    };

    struct Found
    {
        std::unique_ptr<CCardData> card;
        qint32 cleanOffset = 0; // the record's position in the clean copy
        qint32 cleanLength = 0; // its payload length there
        qint32 fileOffset = 0;  // the record's position in the scanned file
        qint32 fileLength = 0;  // its payload length there
    };

    enum Failure
    {
        NoFailure,
        NotManagementFile, // the tag or version of the header is wrong
        ReadFailed,        // the file could not be read to its end
    };

    // False when the header is not a management file's (nothing is read then),
    // or when the file could not be read to its end (no cards are kept).
    bool Run(QIODevice &file);
    bool Run(const QByteArray &file);
    Failure LastFailure() const { return m_failure; }
    State ScanState() const { return m_state; }
    // Older versions of cards that a record past the stated length replaced.
    int SupersededCount() const { return m_superseded; }
    std::vector<Found> &Cards() { return m_cards; }
    // Writes the scanned file (source) without dead records, damage or
    // left-over bytes to target, record by record; false on a read or write error.
    bool WriteCleanCopy(QIODevice &source, QIODevice &target) const;

private:
    void Mark(State state);
    bool Scan(CBlockReader &reader, qint64 size);
    void Supersede(qsizetype tailCard);
    void DropSuperseded();

    State m_state = Clean;
    Failure m_failure = NoFailure;
    int m_superseded = 0;
    QHash<QString, qsizetype> m_byId; // filled once the tail is reached
    std::vector<Found> m_cards;
};

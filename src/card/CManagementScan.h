#pragma once

#include "CCardData.h"

#include <QByteArray>
#include <QIODevice>
#include <memory>
#include <vector>

class CBlockReader;

// Reads a whole management file: checks the header, walks the records,
// decodes the live cards and notes whether the file needs repair or
// compaction. Every length is checked against the bytes actually present.
// The file is read block by block, never held whole.
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
        std::unique_ptr<CCardData> card; // RecordOffset/RecordLength as in the clean copy
        qint32 fileOffset = 0;           // the record's position in the scanned file
        qint32 fileLength = 0;           // its payload length there
    };

    // False when the header is wrong (tag, length, version), nothing is read
    // then, or when the file could not be read to its end (no cards are kept).
    bool Run(QIODevice &file);
    bool Run(const QByteArray &file);
    State ScanState() const { return m_state; }
    std::vector<Found> &Cards() { return m_cards; }
    // Writes the scanned file (source) without dead records, damage or
    // left-over bytes to target, record by record; false on a read or write error.
    bool WriteCleanCopy(QIODevice &source, QIODevice &target) const;

private:
    void Mark(State state);
    bool Scan(CBlockReader &reader, qint64 size);

    State m_state = Clean;
    std::vector<Found> m_cards;
};

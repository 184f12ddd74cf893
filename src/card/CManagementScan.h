#pragma once

#include "CCardData.h"

#include <QByteArray>
#include <memory>
#include <vector>

// Reads a whole management file from memory: checks the header, walks the
// records, decodes the live cards and notes whether the file needs repair or
// compaction. Every length is checked against the bytes actually present.
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

    // False when the header is wrong (tag, length, version); nothing is read then.
    bool Run(const QByteArray &file);
    State ScanState() const { return m_state; }
    std::vector<Found> &Cards() { return m_cards; }
    // The file without dead records, damage or left-over bytes.
    QByteArray CleanCopy(const QByteArray &file) const;

private:
    void Mark(State state);

    State m_state = Clean;
    std::vector<Found> m_cards;
};

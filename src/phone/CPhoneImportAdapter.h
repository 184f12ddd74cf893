#pragma once

#include "IPhoneImporter.h"
#include "ImportCounters.h"

class CImportEngine;

// Hands the cards a phone worker fetched to the import engine. The same-name
// question goes to the engine's IOverwriteConfirm with the source name given
// here ("電話帳" for the phone book, the entry name for files).
//
// The phone counters and the engine's counters share one block of seven:
//   [0] files (items)   [1] files imported (succeeded)   [2] files failed
//   [3] added           [4] overwritten
//   [5] skipped (identical or declined to overwrite)     [6] not cards
// The workers count [0]-[2] themselves; this adapter fills [3]-[6].
class CPhoneImportAdapter : public IPhoneImporter
{
public:
    enum Slot : int
    {
        Added = 3,
        Overwritten = 4,
        Skipped = 5,
        NotCards = 6
    };

    explicit CPhoneImportAdapter(CImportEngine &engine) : m_engine(engine) {}

    void ResetRememberedAnswer() override;
    int CountVCards(const QByteArray &phoneBook, PortKind kind, const std::atomic_bool &cancel) override;
    bool ImportPhoneBookCard(int index, PhoneCounters &counters) override;
    bool ImportVCardSource(const QString &path, const QString &photoFolder, const QString &sourceName,
                           const QString &fileDate, PhoneCounters &counters) override;

    // The block as the summary of an import run reads it.
    static ImportCounters ToImportCounters(const PhoneCounters &counters);

private:
    CImportEngine &m_engine;
    bool m_newerPort = false;
};

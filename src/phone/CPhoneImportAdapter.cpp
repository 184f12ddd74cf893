#include "CPhoneImportAdapter.h"

#include "CImportEngine.h"

#include <QDir>

namespace {
void AddCounts(const ImportCounters &counts, PhoneCounters &counters)
{
    counters[CPhoneImportAdapter::Added] += counts.added;
    counters[CPhoneImportAdapter::Overwritten] += counts.overwritten;
    counters[CPhoneImportAdapter::Skipped] += counts.skipped;
    counters[CPhoneImportAdapter::NotCards] += counts.notCards;
}
} // namespace

void CPhoneImportAdapter::ResetRememberedAnswer()
{
    m_engine.ResetRememberedAnswer();
}

int CPhoneImportAdapter::CountVCards(const QByteArray &phoneBook, PortKind kind,
                                     const std::atomic_bool &cancel)
{
    if (cancel)
        return -1;
    m_newerPort = kind == PortKind::OvModel;
    const int count = m_engine.CountPhoneBook(phoneBook);
    return cancel ? -1 : count;
}

bool CPhoneImportAdapter::ImportPhoneBookCard(int index, PhoneCounters &counters)
{
    // The phone book has no folder of its own; its photos are decoded into a
    // scratch folder under the temporary folder that the engine removes again.
    ImportCounters counts;
    const bool ok = m_engine.ImportPhoneBookCard(index, m_newerPort, QDir::tempPath(), counts);
    AddCounts(counts, counters);
    return ok;
}

bool CPhoneImportAdapter::ImportVCardSource(const QString &path, const QString &photoFolder,
                                            const QString &sourceName, const QString &fileDate,
                                            PhoneCounters &counters)
{
    ImportCounters counts;
    const bool ok = m_engine.ImportVCardSource(path, photoFolder, sourceName, fileDate, counts);
    AddCounts(counts, counters);
    return ok;
}

ImportCounters CPhoneImportAdapter::ToImportCounters(const PhoneCounters &counters)
{
    ImportCounters counts;
    counts.files = counters[PhoneCounter::Items];
    counts.filesImported = counters[PhoneCounter::Succeeded];
    counts.added = counters[Added];
    counts.overwritten = counters[Overwritten];
    counts.skipped = counters[Skipped];
    counts.notCards = counters[NotCards];
    return counts;
}

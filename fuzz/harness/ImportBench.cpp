#include "ImportBench.h"

#include "FuzzCheck.h"
#include "ScratchFolder.h"
#include "StoreSnapshot.h"

#include <QDir>

namespace Fuzz {

namespace {

StoreSettings WithCheckList()
{
    StoreSettings settings = StoreSettings::Defaults();
    settings.checkNames = {QStringLiteral("年賀状"), QStringLiteral("展示会"), QStringLiteral("A")};
    settings.checkOrder = {2, 0, 1};
    return settings;
}

} // namespace

ImportBench::ImportBench(const ScratchFolder &folder)
    : m_path(folder.File(QStringLiteral("import.ovd"))), m_photos(folder.File(QStringLiteral("photos"))),
      m_settings(WithCheckList()), m_store(&m_settings), m_engine(m_store, ImportOptions{false, true}, this)
{
    m_store.SetSyncWrites(false);
    Check(m_store.CreateNew(m_path), "a new management file can be made");
    Check(QDir().mkpath(m_photos), "the photo folder can be made");
    m_engine.SetToday(QDate(2024, 5, 6));
}

OverwriteAnswer ImportBench::AskOverwrite(const CCardData &, const CCardData &, const QString &)
{
    static constexpr OverwriteAnswer answers[] = {AnswerOverwrite, AnswerAdd, AnswerSkip};
    return answers[m_asked++ % 3];
}

void ImportBench::CheckStored(const ImportCounters &counters)
{
    Check(counters.failure.isEmpty() && m_engine.Failure().isEmpty(),
          "an import on a working disk reports no failure");
    Check(m_store.LiveCount() == counters.added, "every added card is stored, and nothing else");
    const StoreSnapshot shown = StoreSnapshot::Of(m_store);
    CCardStore reopened;
    reopened.SetSyncWrites(false);
    Check(reopened.Open(m_path), "the imported file opens");
    Check(reopened.LastOpenReport().repairState != 1, "an imported file is not damaged");
    Check(StoreSnapshot::Of(reopened).Sorted() == shown.Sorted(),
          "the imported file holds the cards the store shows");
}

} // namespace Fuzz

#include "CCsvImportRun.h"

#include "CCardData.h"
#include "CCardStore.h"
#include "CImportEngine.h"
#include "CheckListColumns.h"
#include "Csv.h"
#include "ImportMapping.h"

#include <QFile>

CCsvImportRun::CCsvImportRun(CImportEngine &engine, const QString &csvPath,
                             const QList<MappingEntry> &columns, bool skipFirstRow)
    : m_engine(engine), m_path(csvPath), m_columns(columns), m_skipFirstRow(skipFirstRow)
{
}

CsvImportState CCsvImportRun::Run()
{
    m_counters = ImportCounters();
    const CheckListItems checks = CheckListColumns(m_engine.Store().GetCheckList());
    QFile probe(m_path);
    if (!probe.open(QIODevice::ReadOnly)) {
        m_counters.failure = QString::fromUtf8("ファイルが読み込めませんでした。");
        return m_state = CsvImportState::Error;
    }
    probe.close();
    m_state = m_engine.BeginRun() ? Import(checks) : CsvImportState::Error;
    if (!m_engine.EndRun())
        m_state = CsvImportState::Error;
    m_counters.failure = m_engine.Failure();
    return m_state;
}

CsvImportState CCsvImportRun::Import(const CheckListItems &checks)
{
    Csv csv(m_path);
    const qint64 size = csv.FileSize();
    if (m_progress)
        m_progress(0, size);
    QStringList row;
    if (m_skipFirstRow && !m_cancel)
        csv.ReadRow(row);
    while (true) {
        if (m_cancel)
            return CsvImportState::Cancelled;
        if (!csv.ReadRow(row))
            break;
        CCardData card;
        ImportMapping::ApplyRow(row, m_columns, checks, m_engine.Options().autoYomi, card);
        if (m_cancel) // a row half taken when the user stopped is dropped
            return CsvImportState::Cancelled;
        if (m_engine.MergeCard(card, QString(), m_counters) == CImportEngine::MergeFailed)
            return CsvImportState::Error;
        if (m_progress)
            m_progress(csv.Position(), size);
    }
    return CsvImportState::Completed;
}

#pragma once

#include "CsvImportState.h"
#include "ImportCounters.h"
#include "MappingEntry.h"

#include <QList>
#include <QString>
#include <atomic>
#include <functional>

class CImportEngine;
struct CheckListItems;

// The CSV import run: every row after the optional heading row becomes a card
// through the column mapping and is merged like any imported card. Run() is
// meant for a worker thread; progress is reported as the read position in bytes.
class CCsvImportRun
{
public:
    // Called on the running thread: (position, file size).
    using Progress = std::function<void(qint64, qint64)>;

    CCsvImportRun(CImportEngine &engine, const QString &csvPath, const QList<MappingEntry> &columns,
                  bool skipFirstRow);

    void SetProgress(Progress progress) { m_progress = std::move(progress); }
    // Safe from any thread; looked at before each row and before a built card
    // is merged. Has no effect once the run has completed.
    void Cancel() { m_cancel = true; }
    CsvImportState Run();
    CsvImportState State() const { return m_state; }
    ImportCounters Counters() const { return m_counters; }

private:
    CsvImportState Import(const CheckListItems &checks);

    CImportEngine &m_engine;
    QString m_path;
    QList<MappingEntry> m_columns;
    bool m_skipFirstRow;
    Progress m_progress;
    std::atomic_bool m_cancel{false};
    CsvImportState m_state = CsvImportState::Error;
    ImportCounters m_counters;
};

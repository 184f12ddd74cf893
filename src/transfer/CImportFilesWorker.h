#pragma once

#include "ImportCounters.h"

#include <QObject>
#include <QStringList>
#include <atomic>

class CImportEngine;

// The file import run: imports vCard files one after another on a worker
// thread and reports through signals (queued to the progress window):
// started, then one fileDone or fileFailed per file, then finished or
// cancelled. The cancel flag is looked at before each file.
class CImportFilesWorker : public QObject
{
    Q_OBJECT

public:
    CImportFilesWorker(CImportEngine &engine, const QStringList &paths, QObject *parent = nullptr);

    // Safe from any thread; the file being read is finished first.
    void Cancel() { m_cancel = true; }
    bool IsCancelled() const { return m_cancel; }
    // Valid after finished or cancelled.
    ImportCounters Counters() const { return m_counters; }

public Q_SLOTS:
    void Run();

Q_SIGNALS:
    void started(int files);
    // number is 1-based.
    void fileDone(int number, const QString &path);
    void fileFailed(int number, const QString &path);
    void finished();
    void cancelled();

private:
    CImportEngine &m_engine;
    QStringList m_paths;
    std::atomic_bool m_cancel{false};
    ImportCounters m_counters;
};

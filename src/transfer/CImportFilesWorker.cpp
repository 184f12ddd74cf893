#include "CImportFilesWorker.h"

#include "CImportEngine.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

CImportFilesWorker::CImportFilesWorker(CImportEngine &engine, const QStringList &paths, QObject *parent)
    : QObject(parent), m_engine(engine), m_paths(paths)
{
}

void CImportFilesWorker::Run()
{
    Q_EMIT started(int(m_paths.size()));
    m_counters = ImportCounters();
    m_counters.files = int(m_paths.size());
    const bool ready = m_engine.BeginRun();
    // One scratch folder per run for decoded photos, removed with the run.
    QTemporaryDir photos(QDir(QDir::tempPath()).filePath(QStringLiteral("tessaly-import-XXXXXX")));
    bool stopped = false;
    for (int i = 0; i < m_paths.size(); ++i) {
        if (m_cancel) {
            stopped = true;
            break;
        }
        // Once writing failed, no further file is read: the summary says why.
        if (!m_engine.Failure().isEmpty())
            break;
        const QString &path = m_paths[i];
        const QFileInfo info(path);
        const QString fileDate = info.lastModified().toString(QStringLiteral("yyyy/MM/dd"));
        bool ok = false;
        try {
            ok = ready && photos.isValid() &&
                 m_engine.ImportVCardSource(path, photos.path(), info.fileName(), fileDate, m_counters);
        } catch (...) {
            ok = false; // a file that cannot be processed fails alone; the run goes on
        }
        if (ok) {
            ++m_counters.filesImported;
            Q_EMIT fileDone(i + 1, path);
        } else {
            Q_EMIT fileFailed(i + 1, path);
        }
    }
    m_engine.EndRun();
    m_counters.failure = m_engine.Failure();
    if (stopped)
        Q_EMIT cancelled();
    else
        Q_EMIT finished();
}

#pragma once

#include "CPosixFile.h"

#include <QByteArray>
#include <QList>
#include <functional>
#include <memory>

// The management file as the store writes it, with a chosen write-side call
// (write, sync or truncate, counted from 1 across every file the store opens)
// failing with a chosen errno: a disk that fills up or breaks at that point.
// Every call is also logged, so tests can see the order of writes and syncs.
struct FileFaultPlan
{
    int failAt = 0;            // 0: nothing fails
    int error = 28;            // ENOSPC
    bool persistent = false;   // every later call fails too
    bool truncateWorks = true; // a full disk still lets a file shrink
    bool onlyGrowing = false;  // a full disk: only writes that need new space fail
    int calls = 0;
    int injected = 0; // calls that failed
    struct Call
    {
        char kind; // 'w' write, 's' sync, 't' truncate
        qint64 position;
        QByteArray bytes;
    };
    QList<Call> log;
};

class FailingFile : public CPosixFile
{
public:
    explicit FailingFile(FileFaultPlan *plan) : m_plan(plan) {}

    int WriteAt(qint64 pos, const char *data, qsizetype n) override
    {
        FileIdentity now;
        const bool growing = Identity(&now) == 0 && pos + n > now.size;
        if (const int error = Hit(m_plan->onlyGrowing && !growing ? 'o' : 'w'))
            return error;
        m_plan->log.append({'w', pos, QByteArray(data, n)});
        return CPosixFile::WriteAt(pos, data, n);
    }
    int Sync() override
    {
        if (const int error = Hit('s'))
            return error;
        m_plan->log.append({'s', 0, {}});
        return CPosixFile::Sync();
    }
    int Truncate(qint64 size) override
    {
        if (const int error = Hit('t'))
            return error;
        m_plan->log.append({'t', size, {}});
        return CPosixFile::Truncate(size);
    }

    static std::function<std::unique_ptr<CPosixFile>()> Factory(FileFaultPlan *plan)
    {
        return [plan] { return std::make_unique<FailingFile>(plan); };
    }

private:
    int Hit(char kind)
    {
        const int call = ++m_plan->calls;
        const bool failing =
            m_plan->failAt > 0 && (call == m_plan->failAt || (m_plan->persistent && call > m_plan->failAt));
        if (!failing || (kind == 't' && m_plan->truncateWorks) || kind == 'o' ||
            (kind == 's' && m_plan->onlyGrowing))
            return 0;
        ++m_plan->injected;
        return m_plan->error;
    }

    FileFaultPlan *m_plan;
};

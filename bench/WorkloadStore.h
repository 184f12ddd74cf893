#pragma once

// A store filled from the shared workload, as an import that adds every card
// fills it; for the benchmarks that measure work on a full store.
#include "BenchSupport.h"
#include "CCardStore.h"
#include "CImportEngine.h"
#include "IOverwriteConfirm.h"

#include <QString>

inline void ImportWorkload(CCardStore &store, const QString &folder, int cards)
{
    class AddEverything : public IOverwriteConfirm
    {
    public:
        OverwriteAnswer AskOverwrite(const CCardData &, const CCardData &, const QString &) override
        {
            return AnswerAddAll;
        }
    };
    AddEverything answer;
    CImportEngine engine(store, ImportOptions(), &answer);
    ImportCounters counters;
    engine.BeginRun();
    engine.ImportVCardSource(VCardWorkload(cards), folder, QStringLiteral("bench.vcf"),
                             QStringLiteral("2024/06/01"), counters);
    engine.EndRun();
}

#pragma once

#include "CCardStore.h"
#include "CImportEngine.h"
#include "IOverwriteConfirm.h"
#include "StoreSettings.h"

#include <QString>

namespace Fuzz {

class ScratchFolder;

// An import as the program runs one: a store on a fresh management file with
// a check list, an engine over it, and an overwrite question answered in turn
// with overwrite, add and skip.
class ImportBench : private IOverwriteConfirm
{
public:
    explicit ImportBench(const ScratchFolder &folder);

    CCardStore &Store() { return m_store; }
    CImportEngine &Engine() { return m_engine; }
    QString PhotoFolder() const { return m_photos; }

    // After the run: on a working disk no failure is reported, the counters
    // add up to the cards stored, and the file reads back as the store shows it.
    void CheckStored(const ImportCounters &counters);

private:
    OverwriteAnswer AskOverwrite(const CCardData &, const CCardData &, const QString &) override;

    QString m_path;
    QString m_photos;
    StoreSettings m_settings;
    CCardStore m_store;
    CImportEngine m_engine;
    int m_asked = 0;
};

} // namespace Fuzz

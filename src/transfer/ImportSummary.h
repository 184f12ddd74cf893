#pragma once

#include "CsvImportState.h"
#include "ImportCounters.h"
#include "UserMessage.h"

// The summary message at the end of an import run.
class ImportSummary
{
public:
    // vCard files, memory cards and the phone link.
    static UserMessage VCard(const ImportCounters &counters, bool cancelled);
    // A CSV run.
    static UserMessage Csv(const ImportCounters &counters, CsvImportState state);

private:
    static QString CounterLines(const ImportCounters &counters, bool withNotCards);
};

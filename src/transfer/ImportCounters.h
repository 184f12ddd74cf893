#pragma once

#include <QString>

// The counters of one import run, shown in its summary.
struct ImportCounters
{
    int files = 0;         // files in the run
    int filesImported = 0; // files whose reading finished
    int added = 0;         // cards added as new
    int overwritten = 0;   // cards that replaced a stored card
    int skipped = 0;       // identical cards, or skipped by the user's answer
    int notCards = 0;      // phone-book entries that are not business-card data
    QString failure;       // why the run stopped early (a write or read that failed), or empty

    bool operator==(const ImportCounters &) const = default;
};

#pragma once

#include "MappingEntry.h"

#include <QList>

// The ordered export columns (item ids, -1 = empty column) and whether the
// first row holds the column names.
struct ExportMapping
{
    QList<int> columns;
    bool firstRowIsHeader = true;

    // The selection the export dialog starts from, with the heading row.
    static ExportMapping Default();
    // From a saved mapping: the entries whose flag is 1, in order.
    static ExportMapping FromEntries(const QList<MappingEntry> &entries, bool firstRowIsHeader);
    // For saving: every column with flag 1.
    QList<MappingEntry> ToEntries() const;
};

#pragma once

#include "CsvItem.h"
#include "MappingEntry.h"

#include <QList>
#include <QString>
#include <QStringList>

class CCardData;

// The import side of the column mapping: which items a column can take, the
// preselection from the first row, the check on OK and applying a row to a card.
class ImportMapping
{
public:
    // The first two rows of a CSV file, padded to the same length; false when the
    // file cannot be read or has no first row.
    static bool ReadFirstRows(const QString &path, QStringList &first, QStringList &second, bool &hasSecond);

    // Ids offered for a column, in order: every item except the numbered phone and
    // mail columns 12–19 and 22–29.
    static QList<int> OfferedItems(const CheckListItems &checks);
    // Item preselected for a first-row text, or CsvItemEmpty.
    static int PreselectItem(const QString &firstRowText, const CheckListItems &checks);
    // Prepared columns for the first two rows (padded to the same length): the
    // preselected item per column, flag 1 when one was found.
    static QList<MappingEntry> PrepareColumns(const QStringList &firstRow, const CheckListItems &checks);

    // true when the ticked columns can be imported; otherwise *message holds the text to show
    // (caption "インポート").
    static bool ValidateImportMapping(const QList<MappingEntry> &columns, const CheckListItems &checks,
                                      QString *message);

    // Applies one row to a card with the "read as" rule of each ticked column.
    static void ApplyRow(const QStringList &row, const QList<MappingEntry> &columns,
                         const CheckListItems &checks, bool autoYomi, CCardData &card);
};

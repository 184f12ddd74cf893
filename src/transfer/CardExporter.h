#pragma once

#include "ExportMapping.h"
#include "UserMessage.h"

#include <QList>
#include <QString>

class CCardData;
class CCardStore;
struct CheckListItems;

// Writes cards to CSV files with an export mapping.
class CardExporter
{
public:
    // Every stored card with an Id, in store order.
    static QList<const CCardData *> AllCards(const CCardStore &store);

    // One file: the heading row when asked for, then one row per card.
    static bool WriteFile(const QString &path, const QList<const CCardData *> &cards,
                          const ExportMapping &mapping, const CheckListItems &checks);

    // Name[-Company][-updated date].csv (or the given extension) in folder. Characters
    // that a file name cannot hold ("/" and NUL) become "_".
    static QString SeparateFileName(const QString &folder, const CCardData &card, bool nameCompany,
                                    bool nameDate, const QString &extension = QStringLiteral("csv"));
    // One file per card, in order; an existing file is replaced, but a card whose name an
    // earlier card of the same run took gets "(2)", "(3)", … before ".csv". Stops at the
    // first file that cannot be written (the files before it stay).
    static bool WriteSeparately(const QString &folder, const QList<const CCardData *> &cards,
                                const ExportMapping &mapping, const CheckListItems &checks, bool nameCompany,
                                bool nameDate);

    // A name not among used (which it joins): path itself, or path with "(n)" before its extension.
    static QString DistinctFileName(const QString &path, QStringList &used);

    static UserMessage NothingToExportMessage();
    // The end of a successful export: how many cards went to which file or folder.
    static UserMessage DoneMessage(int cards, const QString &target);
    static UserMessage FailedMessage();
    static UserMessage NoColumnsMessage();
};

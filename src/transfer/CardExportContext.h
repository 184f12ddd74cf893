#pragma once

#include "CsvItem.h"

#include <QString>
#include <QStringList>

class CCardStore;

// What exported cards are written with besides the cards: the check-list items
// (CSV columns, vCard categories), the group names and the image folder.
struct CardExportContext
{
    CheckListItems checks;
    QStringList groupNames; // groups 0–15; group 0 stands for no group
    QString imageFolder;

    static CardExportContext Of(const CCardStore &store);
};

#pragma once

#include "CSoftbankObexObject.h"

#include <QList>
#include <QString>

// How the connection window shows and orders the phone's name-card files.
class CConnectEntryOrder
{
public:
    enum Column
    {
        Name = 0,
        Size = 1,
        Created = 2
    };

    // The created value's date as "YYYY/MM/DD" (characters 1-4, 5-6 and 7-8).
    static QString DateText(const QString &created);
    // Orders rows (entry indexes) by a column: names by their code page 932
    // bytes, sizes as numbers, dates as the shown text. Rows that compare
    // equal keep their order.
    static void Sort(QList<int> &rows, const CSoftbankObexObjectArray &entries, Column column,
                     bool descending);
};

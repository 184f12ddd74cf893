#pragma once

#include <QtGlobal>

// One column of a mapping: its item id (-1 = empty column) and whether it is used.
struct MappingEntry
{
    qint32 itemId = -1;
    quint8 flag = 0;

    bool operator==(const MappingEntry &) const = default;
};

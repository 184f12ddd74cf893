#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The settings values that the card store reads and updates: group names and
// icons, check-list definitions and the management file in use. The settings
// file reads and writes them; the store keeps them in step with its own copies.
struct StoreSettings
{
    static constexpr int GroupCount = 16;

    QStringList groupNames;   // 16 entries
    QList<int> groupIcons;    // 16 entries, 0 = no icon, 1–20
    QStringList checkNames;   // name per mark slot (empty = free slot)
    QList<int> checkOrder;    // mark slots in display order
    QString lastLoadedFile;   // full path, or empty for the default file

    // Group defaults: "ｸﾞﾙｰﾌﾟなし", "ｸﾞﾙｰﾌﾟ1" … "ｸﾞﾙｰﾌﾟ15", icon = group number.
    static StoreSettings Defaults()
    {
        StoreSettings s;
        for (int e = 0; e < GroupCount; ++e) {
            s.groupNames << (e == 0 ? QString::fromUtf8("ｸﾞﾙｰﾌﾟなし") : QString::fromUtf8("ｸﾞﾙｰﾌﾟ%1").arg(e));
            s.groupIcons << e;
        }
        return s;
    }
};

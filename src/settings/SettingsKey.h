#pragma once

#include <QColor>
#include <QList>
#include <QMargins>
#include <QSize>
#include <QString>
#include <QStringList>

#include <variant>

// One key of a settings section that holds a member of Record as it is. The
// reader and the writer walk the same table, in the order the file is
// written, so that a key is added in one line.
template <typename Record> struct SettingsKey
{
    const char *name;
    std::variant<bool Record::*, int Record::*, QString Record::*, QList<int> Record::*,
                 QStringList Record::*, QSize Record::*, QMargins Record::*, QColor Record::*>
        member;
};

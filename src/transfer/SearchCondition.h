#pragma once

#include "CardDate.h"

#include <QString>

class CCardData;

// One row of the search dialog: a field choice (0 = row not used, 1–21) and its value.
struct SearchCondition
{
    enum Kind
    {
        Unused,
        Text,
        DateRange,
        Choice,
    };
    static constexpr int FieldChoiceCount = 22;

    int field = 0;
    QString text;  // text kinds
    CardDate from; // date kinds, inclusive
    CardDate to;
    int choice = 0; // choice kinds: the chosen position

    static Kind KindOf(int field);
    // The card field id tested for a field choice, or -1.
    static int FieldIdOf(int field);

    bool IsUsed() const { return KindOf(field) != Unused; }
    bool Test(const CCardData &card) const;
};

// How the used rows combine.
enum class SearchCombination
{
    All, // "すべての条件に一致(AND)"
    Any, // "いずれかの条件に一致(OR)"
};

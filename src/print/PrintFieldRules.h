#pragma once

#include <QString>

// What the print setting pages make of typed text: millimetre fields, the
// label grid's columns and rows, and the page range.
namespace PrintFieldRules {

// The largest length a field takes, 0.1 mm (99999.9 mm); more digits are cut there.
constexpr int MaxLength = 999999;
// Labels per sheet at most.
constexpr int MaxLabels = 100;

struct Length
{
    QString text; // what the field shows now: "%.1f"
    int value;    // 0.1 mm, truncated
    int caret;    // where the caret goes in `text`
};

// A millimetre field after a change: every character but digits and the first
// "." is dropped, an empty text reads 0.0, the value is ten times the text
// truncated, and the text is rewritten as "%.1f". `caret` is where the caret
// was in `typed`; the result keeps it beside the same digits.
Length ReadLength(const QString &typed, int caret);
QString LengthText(int tenths);

// A column or row count as typed: empty, 0 or below gives 1.
int ReadCount(const QString &text);
// The count just typed, lowered so that it times `other` makes at most
// MaxLabels; never below 1.
int LimitGrid(int edited, int other);

// The first page after a change of its field: empty or 0 gives 1, and never
// beyond the last page (an empty last-page field counts as `count`).
int FromPage(const QString &from, const QString &to, int count);
// The last page after a change of its field: empty gives `count`, never
// below the first page and never beyond `count`.
int ToPage(const QString &to, int from, int count);

} // namespace PrintFieldRules

#pragma once

#include <QMargins>
#include <QString>

// One label-sheet product of a maker's catalogue, as the label page's grid
// takes it: equal labels in columns and rows. Lengths in 0.1 mm.
struct LabelSheet
{
    QString brand;       // the maker, e.g. "Hisago"
    QString part;        // the product number
    QString description; // in Japanese where known, else as the catalogue says
    QString paperName;   // e.g. "A4"
    int paperWidth = 0;
    int paperHeight = 0;
    int paperCode = 0; // printer paper size code; 0 when the paper has none
    int columns = 0;
    int rows = 0;
    int labelWidth = 0;
    int labelHeight = 0;
    int gapX = 0;
    int gapY = 0;
    QMargins margins; // left, top, right, bottom: what the grid leaves of the paper

    bool operator==(const LabelSheet &) const = default;
};

#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// One saved label-sheet definition. Lengths in 0.1 mm.
struct CSealPaperInfo
{
    static constexpr int NumberCount = 12; // PaperSize … MarginBottom, in order

    QString DefinitionName; // unique, compared without regard to case
    qint16 PaperSize = 0;   // printer paper size code (9 = A4)
    qint16 Orientation = 0; // 1 portrait, 2 landscape
    int Columns = 0;
    int Rows = 0;
    int LabelWidth = 0;
    int LabelHeight = 0;
    int GapX = 0;
    int GapY = 0;
    int MarginLeft = 0;
    int MarginTop = 0;
    int MarginRight = 0;
    int MarginBottom = 0;

    // The five definitions every installation starts with; the first (empty
    // name) can be applied but never deleted.
    static QList<CSealPaperInfo> BuiltIn();

    // The twelve numbers in their stored order, and back. SetNumbers refuses
    // (returns false, changes nothing) a list of the wrong length or a paper
    // size / orientation outside 16 bits.
    QList<int> Numbers() const;
    bool SetNumbers(const QList<int> &numbers);

    bool operator==(const CSealPaperInfo &other) const = default;
};

#pragma once

#include <QString>

// The font of everything printed, described field by field so that it can be
// stored as numbers in the settings file and turned into a QFont when drawing.
struct CLogFont
{
    static constexpr int FaceNameMax = 32; // UTF-16 units
    static constexpr int NumberCount = 13; // the numeric fields below, in order

    int height = 0; // 0.1 mm; negative = character height
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 0;
    int italic = 0;
    int underline = 0;
    int strikeOut = 0;
    int charSet = 0;
    int outPrecision = 0;
    int clipPrecision = 0;
    int quality = 0;
    int pitchAndFamily = 0;
    QString faceName;

    // The print font used when the settings hold none: 2.7 mm "ＭＳ 明朝", normal weight.
    static CLogFont PrintDefault();

    // The numeric fields in their stored order, and back.
    QList<int> Numbers() const;
    void SetNumbers(const QList<int> &numbers); // expects NumberCount values

    bool operator==(const CLogFont &other) const = default;
};

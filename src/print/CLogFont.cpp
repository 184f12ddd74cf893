#include "CLogFont.h"

#include <QList>

CLogFont CLogFont::PrintDefault()
{
    CLogFont f;
    f.height = -27;
    f.weight = 400;
    f.charSet = 128; // Shift_JIS
    f.outPrecision = 3;
    f.clipPrecision = 2;
    f.quality = 1;
    f.pitchAndFamily = 0x11;
    f.faceName = QStringLiteral("ＭＳ 明朝");
    return f;
}

QList<int> CLogFont::Numbers() const
{
    return {height,    width,   escapement,   orientation,   weight,  italic,        underline,
            strikeOut, charSet, outPrecision, clipPrecision, quality, pitchAndFamily};
}

void CLogFont::SetNumbers(const QList<int> &n)
{
    if (n.size() != NumberCount)
        return;
    height = n[0];
    width = n[1];
    escapement = n[2];
    orientation = n[3];
    weight = n[4];
    italic = n[5];
    underline = n[6];
    strikeOut = n[7];
    charSet = n[8];
    outPrecision = n[9];
    clipPrecision = n[10];
    quality = n[11];
    pitchAndFamily = n[12];
}

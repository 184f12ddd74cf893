#include "CSealPaperInfo.h"

#include <limits>

namespace {

constexpr qint16 PaperA4 = 9;
constexpr qint16 Portrait = 1;

CSealPaperInfo Sheet(const QString &name, int cols, int rows, int w, int h, int gapX, int gapY, int left,
                     int top, int right, int bottom)
{
    CSealPaperInfo s;
    s.DefinitionName = name;
    s.PaperSize = PaperA4;
    s.Orientation = Portrait;
    s.Columns = cols;
    s.Rows = rows;
    s.LabelWidth = w;
    s.LabelHeight = h;
    s.GapX = gapX;
    s.GapY = gapY;
    s.MarginLeft = left;
    s.MarginTop = top;
    s.MarginRight = right;
    s.MarginBottom = bottom;
    return s;
}

} // namespace

QList<CSealPaperInfo> CSealPaperInfo::BuiltIn()
{
    return {
        Sheet(QString(), 2, 2, 900, 500, 0, 0, 0, 0, 0, 0),
        Sheet(QStringLiteral("設定1"), 2, 6, 838, 423, 38, 0, 203, 203, 183, 229),
        Sheet(QStringLiteral("設定2"), 5, 4, 420, 740, 0, 0, 0, 0, 0, 0),
        Sheet(QStringLiteral("設定3"), 3, 8, 700, 339, 0, 0, 0, 127, 0, 0),
        Sheet(QStringLiteral("設定4"), 3, 7, 700, 381, 0, 0, 0, 148, 0, 0),
    };
}

QList<int> CSealPaperInfo::Numbers() const
{
    return {PaperSize, Orientation, Columns,    Rows,      LabelWidth,  LabelHeight,
            GapX,      GapY,        MarginLeft, MarginTop, MarginRight, MarginBottom};
}

bool CSealPaperInfo::SetNumbers(const QList<int> &n)
{
    if (n.size() != NumberCount)
        return false;
    for (int i = 0; i < 2; ++i) {
        if (n[i] < std::numeric_limits<qint16>::min() || n[i] > std::numeric_limits<qint16>::max())
            return false;
    }
    PaperSize = qint16(n[0]);
    Orientation = qint16(n[1]);
    Columns = n[2];
    Rows = n[3];
    LabelWidth = n[4];
    LabelHeight = n[5];
    GapX = n[6];
    GapY = n[7];
    MarginLeft = n[8];
    MarginTop = n[9];
    MarginRight = n[10];
    MarginBottom = n[11];
    return true;
}

#include "PrintSettings.h"

PrintSettings PrintSettings::Defaults()
{
    PrintSettings p;
    p.LogFont = CLogFont::PrintDefault();
    p.FontColor = QColor(0, 0, 0);
    for (int i = 0; i < HeaderTextCount; ++i) {
        p.ListHeader << QString();
        p.ListFooter << QString();
    }
    p.RectMargin = QMargins(100, 100, 100, 100);
    p.ListItemIndex = {0, 6, 8, 9, 10, 20, 30, 31};
    p.ListItemWidth = QList<int>(p.ListItemIndex.size(), DefaultColumnWidth);
    p.SizeAspects = QSize(2, 2);
    p.SizeSeal = QSize(900, 500);
    p.SizeSealsDistance = QSize(0, 0);
    p.RectSealMargin = QMargins(100, 100, 100, 100);
    p.Respect = 0;
    p.SealItemIndex = {30, 31, 6, 8, 0};
    p.SealPaperInfo = CSealPaperInfo::BuiltIn();
    return p;
}

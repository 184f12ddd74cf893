#pragma once

#include "CLogFont.h"
#include "CSealPaperInfo.h"

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QMargins>
#include <QSize>
#include <QString>
#include <QStringList>

// The persistent print settings, kept for the whole run and saved in the
// settings file. Lengths in 0.1 mm.
struct PrintSettings
{
    static constexpr int HeaderTextCount = 3; // left, centre, right
    static constexpr int DefaultColumnWidth = 300;

    QString PrinterName; // empty = the system's default printer
    QByteArray DevMode;  // printer device settings (see DevModeBlock.h); empty = none
    CLogFont LogFont;
    QColor FontColor;
    bool FitPaper = false;
    bool TurnDown = false;
    QStringList ListHeader;   // always HeaderTextCount texts
    QStringList ListFooter;   // always HeaderTextCount texts
    QMargins RectMargin;      // list page margins
    QList<int> ListItemIndex; // item numbers of the list columns, left to right
    QList<int> ListItemWidth; // width per list column
    QSize SizeAspects;        // labels across (width) and down (height)
    QSize SizeSeal;           // size of one label
    QSize SizeSealsDistance;  // horizontal and vertical gap between labels
    QMargins RectSealMargin;  // label sheet margins
    int Respect = 0;          // honorific on labels, 0..5
    QList<int> SealItemIndex; // item numbers of the label lines, top to bottom
    QList<CSealPaperInfo> SealPaperInfo;

    // The values used when the settings file holds none.
    static PrintSettings Defaults();

    bool operator==(const PrintSettings &other) const = default;
};

#pragma once

#include "CLogFont.h"
#include "CPrintableArea.h"
#include "CSealPaperInfo.h"

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QMargins>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>

class CCardData;
class IPrintSystem;
class IPrinterDevice;
class QObject;
struct PrintSettings;

// The print engine of one print dialog: the chosen printer with its device
// settings and opened device, every setting the list and label layouts read,
// and the catalogue of printable items. Lengths in 0.1 mm.
class CPrint
{
public:
    class CPrintItem
    {
    public:
        QString Caption; // the item's name in dialogs and the list's column title
        bool DefaultOn = false;
    };

    static constexpr int ItemCount = 45;
    enum PrintMode
    {
        ModeList = 0,  // "リスト"
        ModeLabel = 1, // "タックシール"
    };
    static constexpr int RespectNone = 5;

    // The catalogue in Items, everything else zero, and the default-on items
    // as the columns and label lines. `system` gives the printers (null: none);
    // `owner` is the window printer dialogs belong to.
    explicit CPrint(IPrintSystem *system = nullptr, QObject *owner = nullptr);
    ~CPrint();
    CPrint(const CPrint &) = delete;
    CPrint &operator=(const CPrint &) = delete;

    bool LoadFrom(const PrintSettings &settings);
    void StoreTo(PrintSettings &settings) const;

    // --- printers -----------------------------------------------------------
    // The printers in the system's order; false when there is none.
    bool EnumPrinterNames(QStringList &names) const;
    // Opens the printer (empty name: the system's default) with the device
    // settings, kept when `keepDevMode` and made for that printer; false when
    // it cannot be opened.
    bool SetPrinter(const QString &name, bool keepDevMode);
    // The printer's paper dialog; true only when confirmed.
    bool EditPrinterProperties(const QString &name, QObject *parent);
    // Prints to another device (a PDF file, a test double) instead of a printer.
    void SetDevice(std::unique_ptr<IPrinterDevice> device);
    IPrinterDevice *Device() const { return m_device.get(); }
    // The printer's status value (PrinterStatus.h); 0 without a printer.
    quint32 PrinterState() const;

    // Paper size code and orientation code of the device settings; 0 when they hold none.
    int PaperSize() const;
    int Orientation() const;
    // What the layouts place pages on: the device's paper, or without a
    // device the paper of the device settings with no unprintable strips.
    CPrintableArea Area() const;

    // --- items --------------------------------------------------------------
    // The printed text of an item for a card; empty for a number outside 0–44.
    static QString GetItemText(int item, const CCardData &card);
    static QString PaperSizeName(int code);
    static QString OrientationName(int code);
    // 様, 殿, 御中, 行, 宛; empty for 5 (none) and anything else.
    static QString RespectName(int respect);

    // --- margins --------------------------------------------------------------
    // 0 acceptable, 1–4 a margin in the unprintable strip, 5–8 a margin too
    // large for the paper; on the margins of the current mode.
    int CheckMargins() const;
    void ClampMargins();

    // Takes a saved label sheet: its grid and margins, and its paper and
    // orientation into the device settings where those declare them.
    void ApplySealPaperInfo(int index);
    // Puts a paper size code and an orientation code into the device settings,
    // each only where the settings declare it.
    void ApplyPaper(int paperSize, int orientation);

    QObject *owner;
    QString PrinterName;
    QString DriverName;
    QString PortName;
    QByteArray DevMode; // a CDevMode block, or empty
    CLogFont LogFont;
    QColor FontColor;
    int Mode;
    int FromPage; // 1-based; 0 = not set
    int ToPage;
    QList<CPrintItem> Items;
    QStringList ListHeader; // left, centre, right
    QStringList ListFooter;
    bool FitPaper;
    bool TurnDown;
    QMargins RectMargin;
    QList<int> ListItemIndex;
    QList<int> ListItemWidth;
    QSize SizeAspects;       // columns (width) × rows (height)
    QSize SizeSeal;          // label width × height
    QSize SizeSealsDistance; // horizontal, vertical gap
    QMargins RectSealMargin;
    int Respect;
    QList<int> SealItemIndex;
    QList<CSealPaperInfo> SealPaperInfo;

private:
    QMargins &ModeMargins();

    IPrintSystem *m_system;
    std::unique_ptr<IPrinterDevice> m_device;
};

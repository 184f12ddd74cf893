#include "CPrint.h"

#include "CCardData.h"
#include "CDevMode.h"
#include "IPrintSystem.h"
#include "IPrinterDevice.h"
#include "PaperCode.h"
#include "PrintSettings.h"

#include <QRectF>
#include <algorithm>
#include <array>

namespace {

constexpr int DefaultColumnWidth = PrintSettings::DefaultColumnWidth;

QList<CPrint::CPrintItem> Catalogue()
{
    static const std::array<const char *, CPrint::ItemCount> captions = {
        "名前",
        "姓",
        "名",
        "ヨミ/名前",
        "ヨミ/姓",
        "ヨミ/名",
        "会社名",
        "ヨミ/会社名",
        "部署名",
        "役職",
        "電話番号",
        "電話番号種別",
        "電話番号2",
        "電話番号種別2",
        "電話番号3",
        "電話番号種別3",
        "電話番号4",
        "電話番号種別4",
        "電話番号5",
        "電話番号種別5",
        "メールアドレス",
        "メールアドレス種別",
        "メールアドレス2",
        "メールアドレス種別2",
        "メールアドレス3",
        "メールアドレス種別3",
        "メールアドレス4",
        "メールアドレス種別4",
        "メールアドレス5",
        "メールアドレス種別5",
        "郵便番号",
        "住所",
        "国",
        "都道府県",
        "市区町村",
        "番地",
        "付加情報",
        "URL",
        "メモ",
        "誕生日",
        "受領日",
        "登録日",
        "更新日",
        "ｸﾞﾙｰﾌﾟ番号",
        "重要度",
    };
    static const std::array<int, 11> defaultOn = {0, 6, 8, 9, 10, 11, 20, 21, 30, 31, 37};
    QList<CPrint::CPrintItem> items;
    for (int i = 0; i < CPrint::ItemCount; ++i) {
        CPrint::CPrintItem item;
        item.Caption = QString::fromUtf8(captions[i]);
        item.DefaultOn = std::find(defaultOn.begin(), defaultOn.end(), i) != defaultOn.end();
        items << item;
    }
    return items;
}

QStringList ThreeTexts(const QStringList &texts)
{
    QStringList t = texts.mid(0, PrintSettings::HeaderTextCount);
    while (t.size() < PrintSettings::HeaderTextCount)
        t << QString();
    return t;
}

} // namespace

CPrint::CPrint(IPrintSystem *system, QObject *owner_)
    : owner(owner_), FontColor(0, 0, 0), Mode(ModeList), FromPage(0), ToPage(0), Items(Catalogue()),
      ListHeader(ThreeTexts({})), ListFooter(ThreeTexts({})), FitPaper(false), TurnDown(false),
      RectMargin(0, 0, 0, 0), SizeAspects(1, 1), SizeSeal(1, 1), SizeSealsDistance(0, 0),
      RectSealMargin(0, 0, 0, 0), Respect(0), m_system(system)
{
    for (int i = 0; i < ItemCount; ++i) {
        if (Items[i].DefaultOn) {
            ListItemIndex << i;
            SealItemIndex << i;
            ListItemWidth << DefaultColumnWidth;
        }
    }
}

CPrint::~CPrint() = default;

bool CPrint::LoadFrom(const PrintSettings &s)
{
    PrinterName = s.PrinterName;
    DevMode = s.DevMode;
    DevMode.detach();
    LogFont = s.LogFont;
    FontColor = s.FontColor;
    FitPaper = s.FitPaper;
    TurnDown = s.TurnDown;
    ListHeader = ThreeTexts(s.ListHeader);
    ListFooter = ThreeTexts(s.ListFooter);
    RectMargin = s.RectMargin;
    ListItemIndex = s.ListItemIndex;
    ListItemWidth = s.ListItemWidth;
    if (ListItemWidth.size() != ListItemIndex.size())
        ListItemWidth = QList<int>(ListItemIndex.size(), DefaultColumnWidth);
    SizeAspects = s.SizeAspects;
    SizeSeal = s.SizeSeal;
    SizeSealsDistance = s.SizeSealsDistance;
    RectSealMargin = s.RectSealMargin;
    Respect = s.Respect;
    SealItemIndex = s.SealItemIndex;
    SealPaperInfo = s.SealPaperInfo;
    return true;
}

void CPrint::StoreTo(PrintSettings &s) const
{
    s.PrinterName = PrinterName;
    s.DevMode = DevMode;
    s.DevMode.detach();
    s.LogFont = LogFont;
    s.FontColor = FontColor;
    s.FitPaper = FitPaper;
    s.TurnDown = TurnDown;
    s.ListHeader = ListHeader;
    s.ListFooter = ListFooter;
    s.RectMargin = RectMargin;
    s.ListItemIndex = ListItemIndex;
    s.ListItemWidth = ListItemWidth;
    s.SizeAspects = SizeAspects;
    s.SizeSeal = SizeSeal;
    s.SizeSealsDistance = SizeSealsDistance;
    s.RectSealMargin = RectSealMargin;
    s.Respect = Respect;
    s.SealItemIndex = SealItemIndex;
    s.SealPaperInfo = SealPaperInfo;
}

bool CPrint::EnumPrinterNames(QStringList &names) const
{
    names = m_system ? m_system->PrinterNames() : QStringList();
    return !names.isEmpty();
}

bool CPrint::SetPrinter(const QString &name, bool keepDevMode)
{
    if (!m_system)
        return false;
    PrinterName = name.isEmpty() ? m_system->DefaultPrinterName() : name;
    if (PrinterName.isEmpty())
        return false;
    QByteArray block = keepDevMode ? DevMode : QByteArray();
    std::unique_ptr<IPrinterDevice> device = m_system->OpenPrinter(PrinterName, block, keepDevMode);
    if (!device)
        return false;
    DevMode = block;
    DriverName = device->DriverName();
    PortName = device->PortName();
    m_device = std::move(device);
    return true;
}

bool CPrint::EditPrinterProperties(const QString &name, QObject *parent)
{
    if (!m_system)
        return false;
    if (name != PrinterName) {
        PrinterName = name;
        DevMode.clear();
    }
    return m_system->EditProperties(PrinterName, DevMode, parent);
}

void CPrint::SetDevice(std::unique_ptr<IPrinterDevice> device)
{
    m_device = std::move(device);
    if (m_device) {
        DriverName = m_device->DriverName();
        PortName = m_device->PortName();
    }
}

quint32 CPrint::PrinterState() const
{
    return m_system && !PrinterName.isEmpty() ? m_system->PrinterStatus(PrinterName) : 0;
}

int CPrint::PaperSize() const
{
    CDevMode d;
    return CDevMode::Decode(DevMode, &d) && d.Has(CDevMode::FieldPaperSize) ? d.paperSize : 0;
}

int CPrint::Orientation() const
{
    CDevMode d;
    return CDevMode::Decode(DevMode, &d) && d.Has(CDevMode::FieldOrientation) ? d.orientation : 0;
}

CPrintableArea CPrint::Area() const
{
    if (m_device)
        return m_device->Area();
    CDevMode d;
    CDevMode::Decode(DevMode, &d);
    const QPageLayout layout(d.PageSize(), d.PageOrientation(), QMarginsF());
    const QSizeF mm = layout.fullRect(QPageLayout::Millimeter).size();
    CPrintableArea a;
    a.paperWidth = a.printableWidth = qRound(mm.width() * 10.0);
    a.paperHeight = a.printableHeight = qRound(mm.height() * 10.0);
    return a;
}

QString CPrint::GetItemText(int item, const CCardData &card)
{
    if (item >= 10 && item <= 19) {
        const int entry = (item - 10) / 2;
        return item % 2 == 0 ? card.Phone(entry) : PhoneKindLabel(card.PhoneKindAt(entry));
    }
    if (item >= 20 && item <= 29) {
        const int entry = (item - 20) / 2;
        return item % 2 == 0 ? card.Mail(entry) : MailKindLabel(card.MailKindAt(entry));
    }
    switch (item) {
    case 0:
        return card.Name();
    case 1:
        return card.LastName();
    case 2:
        return card.FirstName();
    case 3:
        return card.YomiName();
    case 4:
        return card.YomiLastName();
    case 5:
        return card.YomiFirstName();
    case 6:
        return card.Company();
    case 7:
        return card.CompanyYomi();
    case 8:
        return card.Department();
    case 9:
        return card.Title();
    case 30:
        return card.ZipCode();
    case 31:
        return card.Address();
    case 32:
        return card.Country();
    case 33:
        return card.Prefecture();
    case 34:
        return card.City();
    case 35:
        return card.Street();
    case 36:
        return card.AddressExtra();
    case 37:
        return card.Url();
    case 38:
        return card.Memo();
    case 39:
        return card.BirthdayText();
    case 40:
        return card.ReceivedDateText();
    case 41:
        return card.RegisteredDateText();
    case 42:
        return card.UpdatedDateText();
    case 43:
        return QString::number(card.GroupNo());
    case 44:
        return ImportanceLabel(card.Importance());
    default:
        return QString();
    }
}

QString CPrint::PaperSizeName(int code)
{
    return PaperCode::Name(code);
}

QString CPrint::OrientationName(int code)
{
    switch (code) {
    case 1:
        return QStringLiteral("縦");
    case 2:
        return QStringLiteral("横");
    default:
        return QString();
    }
}

QString CPrint::RespectName(int respect)
{
    static const std::array<const char *, RespectNone> names = {"様", "殿", "御中", "行", "宛"};
    return respect >= 0 && respect < RespectNone ? QString::fromUtf8(names[respect]) : QString();
}

QMargins &CPrint::ModeMargins()
{
    return Mode == ModeLabel ? RectSealMargin : RectMargin;
}

int CPrint::CheckMargins() const
{
    return Area().CheckMargins(Mode == ModeLabel ? RectSealMargin : RectMargin);
}

void CPrint::ClampMargins()
{
    QMargins &m = ModeMargins();
    m = Area().ClampMargins(m);
}

void CPrint::ApplySealPaperInfo(int index)
{
    if (index < 0 || index >= SealPaperInfo.size())
        return;
    const CSealPaperInfo &s = SealPaperInfo[index];
    SizeAspects = QSize(s.Columns, s.Rows);
    SizeSeal = QSize(s.LabelWidth, s.LabelHeight);
    SizeSealsDistance = QSize(s.GapX, s.GapY);
    RectSealMargin = QMargins(s.MarginLeft, s.MarginTop, s.MarginRight, s.MarginBottom);
    ApplyPaper(s.PaperSize, s.Orientation);
}

void CPrint::ApplyPaper(int paperSize, int orientation)
{
    CDevMode d;
    if (!CDevMode::Decode(DevMode, &d))
        return;
    if (d.Has(CDevMode::FieldPaperSize))
        d.paperSize = qint16(paperSize);
    if (d.Has(CDevMode::FieldOrientation))
        d.orientation = qint16(orientation);
    DevMode = d.Encode();
}

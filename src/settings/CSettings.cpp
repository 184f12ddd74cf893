#include "CSettings.h"

#include "AppPaths.h"
#include "CINIFile.h"
#include "DevModeBlock.h"
#include "FolderSync.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>

namespace {

const QString State = QStringLiteral("State");
const QString File = QStringLiteral("File");
const QString Group = QStringLiteral("Group");
const QString CheckList = QStringLiteral("CheckList");
const QString SearchHistory = QStringLiteral("SearchHistory");
const QString Option = QStringLiteral("Option");
const QString Print = QStringLiteral("Print");

// A list count beyond this is damage, not data: reading it would only spend
// memory on default entries.
constexpr int MaxListCount = 1024;
// A device-settings block is a few kilobytes.
constexpr qint64 MaxDevModeSize = 1024 * 1024;

QString Key(const QString &base, int n)
{
    return base + QString::number(n);
}

bool ReadFlag(const CINIFile &ini, const QString &sec, const QString &key, bool def)
{
    return ini.GetInt(sec, key, def ? 1 : 0) != 0;
}

// Exactly `count` comma-separated decimal numbers, or false.
bool ReadNumbers(const CINIFile &ini, const QString &sec, const QString &key, int count, QList<int> &out)
{
    if (!ini.HasKey(sec, key))
        return false;
    const QString text = ini.GetString(sec, key);
    const auto parts = QStringView(text).split(QLatin1Char(','));
    if (parts.size() != count)
        return false;
    QList<int> numbers;
    for (QStringView part : parts) {
        bool ok = false;
        numbers << part.trimmed().toInt(&ok, 10);
        if (!ok)
            return false;
    }
    out = numbers;
    return true;
}

QSize ReadPair(const CINIFile &ini, const QString &sec, const QString &key, QSize def)
{
    QList<int> n;
    return ReadNumbers(ini, sec, key, 2, n) ? QSize(n[0], n[1]) : def;
}

QMargins ReadRect(const CINIFile &ini, const QString &sec, const QString &key, QMargins def)
{
    QList<int> n;
    return ReadNumbers(ini, sec, key, 4, n) ? QMargins(n[0], n[1], n[2], n[3]) : def;
}

QColor ReadColour(const CINIFile &ini, const QString &sec, const QString &key, QColor def)
{
    QList<int> n;
    if (!ReadNumbers(ini, sec, key, 3, n))
        return def;
    for (int c : n) {
        if (c < 0 || c > 255)
            return def;
    }
    return QColor(n[0], n[1], n[2]);
}

int ReadCount(const CINIFile &ini, const QString &sec, const QString &key)
{
    const int n = ini.GetInt(sec, key + QStringLiteral("Count"), -1);
    return n > MaxListCount ? -1 : n;
}

QList<int> ReadIntList(const CINIFile &ini, const QString &sec, const QString &key, const QList<int> &def)
{
    const int n = ReadCount(ini, sec, key);
    if (n < 0)
        return def;
    QList<int> list;
    for (int i = 1; i <= n; ++i)
        list << ini.GetInt(sec, Key(key, i), def.value(i - 1, 0));
    return list;
}

QStringList ReadTextList(const CINIFile &ini, const QString &sec, const QString &key, const QStringList &def)
{
    const int n = ReadCount(ini, sec, key);
    if (n < 0)
        return def;
    QStringList list;
    for (int i = 1; i <= n; ++i)
        list << ini.GetString(sec, Key(key, i), def.value(i - 1));
    return list;
}

QString JoinNumbers(const QList<int> &numbers)
{
    QStringList parts;
    for (int n : numbers)
        parts << QString::number(n);
    return parts.join(QLatin1Char(','));
}

void WriteFlag(CINIFile &ini, const QString &sec, const QString &key, bool value)
{
    ini.WriteInt(sec, key, value ? 1 : 0);
}

void WritePair(CINIFile &ini, const QString &sec, const QString &key, QSize v)
{
    ini.WriteString(sec, key, JoinNumbers({v.width(), v.height()}));
}

void WriteRect(CINIFile &ini, const QString &sec, const QString &key, QMargins v)
{
    ini.WriteString(sec, key, JoinNumbers({v.left(), v.top(), v.right(), v.bottom()}));
}

void WriteColour(CINIFile &ini, const QString &sec, const QString &key, const QColor &c)
{
    ini.WriteString(sec, key, JoinNumbers({c.red(), c.green(), c.blue()}));
}

void WriteIntList(CINIFile &ini, const QString &sec, const QString &key, const QList<int> &list)
{
    ini.WriteInt(sec, key + QStringLiteral("Count"), int(list.size()));
    for (int i = 1; i <= list.size(); ++i)
        ini.WriteInt(sec, Key(key, i), list[i - 1]);
}

void WriteTextList(CINIFile &ini, const QString &sec, const QString &key, const QStringList &list)
{
    ini.WriteInt(sec, key + QStringLiteral("Count"), int(list.size()));
    for (int i = 1; i <= list.size(); ++i)
        ini.WriteString(sec, Key(key, i), list[i - 1]);
}

// The list layout reads exactly left, centre and right texts.
QStringList ThreeTexts(QStringList texts)
{
    texts.resize(PrintSettings::HeaderTextCount);
    return texts;
}

// Empty when any item is not a number: a half-read order would scramble the columns.
QList<int> ParseColumnOrder(const QString &text)
{
    QList<int> order;
    if (text.trimmed().isEmpty())
        return order;
    for (QStringView part : QStringView(text).split(QLatin1Char(','))) {
        bool ok = false;
        order << part.trimmed().toInt(&ok, 10);
        if (!ok)
            return {};
    }
    return order;
}

QByteArray ReadDevMode(const QString &settingsFile)
{
    QFile file(AppPaths::DevModeFilePath(settingsFile));
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxDevModeSize)
        return {};
    const QByteArray block = file.readAll();
    return DevModeBlock::IsValid(block) ? block : QByteArray();
}

bool WriteDevMode(const QString &settingsFile, const QByteArray &block)
{
    const QString path = AppPaths::DevModeFilePath(settingsFile);
    if (block.isEmpty()) {
        // No device settings any more: a stale file would come back at the next start.
        return !QFile::exists(path) || QFile::remove(path);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(block) != block.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit() && FolderSync::SyncParentOf(path);
}

} // namespace

CSettings::CSettings()
    : listViewPaneWidth(455), listViewStyle(0), listViewColumnWidth(DefaultColumnWidths()),
      cardEditViewPaneHeight(400), showCardEditViewPane(true), showCardImageViewPane(true),
      showPrintCheck(false), showStatusBar(true), showToolBar(true), toolBarPos(0), imageToolBarPos(0),
      store(StoreSettings::Defaults()), print(PrintSettings::Defaults())
{
    showConnectConf.fill(true);
}

QList<int> CSettings::DefaultColumnWidths()
{
    return {135, 165, 100, 180, 75, 150, 45};
}

void CSettings::SetLastLoadedFile(const QString &path)
{
    store.lastLoadedFile = path.isEmpty() ? QString() : AppPaths::ResolveManagementFile(path);
}

QString CSettings::LastLoadedFile() const
{
    return AppPaths::ResolveManagementFile(store.lastLoadedFile);
}

void CSettings::ReadAll(const QString &path)
{
    *this = CSettings();
    CINIFile ini;
    ini.Load(path);
    QList<int> n;

    // State
    if (ReadNumbers(ini, State, QStringLiteral("MainWndPlacement"), WindowPlacement::NumberCount, n))
        mainWndPlacement.SetNumbers(n);
    listViewPaneWidth = ini.GetInt(State, QStringLiteral("ListViewPaneWidth"), 455);
    if (listViewPaneWidth < 1)
        listViewPaneWidth = 455;
    listViewStyle = ini.GetInt(State, QStringLiteral("ListViewStyle"), 0);
    if (listViewStyle != 0 && listViewStyle != 1)
        listViewStyle = 0;
    listViewColumnWidth =
        ReadIntList(ini, State, QStringLiteral("ListViewColumnWidth"), DefaultColumnWidths());
    cardEditViewPaneHeight = ini.GetInt(State, QStringLiteral("CardEditViewPaneHeight"), 400);
    if (cardEditViewPaneHeight < 1)
        cardEditViewPaneHeight = 400;
    showCardEditViewPane = ReadFlag(ini, State, QStringLiteral("ShowCardEditViewPane"), true);
    showCardImageViewPane = ReadFlag(ini, State, QStringLiteral("ShowCardImageViewPane"), true);
    showPrintCheck = ReadFlag(ini, State, QStringLiteral("ShowPrintCheck"), false);
    showStatusBar = ReadFlag(ini, State, QStringLiteral("ShowStatusBar"), true);
    showToolBar = ReadFlag(ini, State, QStringLiteral("ShowToolBar"), true);
    toolBarPos = ini.GetInt(State, QStringLiteral("ToolBarPos"), 0);
    imageToolBarPos = ini.GetInt(State, QStringLiteral("ImageToolBarPos"), 0);
    for (int i = 0; i < ConnectConfCount; ++i)
        showConnectConf[i] = ReadFlag(ini, State, Key(QStringLiteral("ShowConnectConf"), i), true);
    columnOrder = ParseColumnOrder(ini.GetString(State, QStringLiteral("ColumnOrder")));

    // File
    SetLastLoadedFile(ini.GetString(File, QStringLiteral("LastLoadedFile")));

    // Group
    const StoreSettings defaults = StoreSettings::Defaults();
    for (int e = 0; e < StoreSettings::GroupCount; ++e) {
        store.groupNames[e] =
            ini.GetString(Group, Key(QStringLiteral("GroupName"), e), defaults.groupNames[e]);
        store.groupIcons[e] = ini.GetInt(Group, Key(QStringLiteral("GroupIcon"), e), e);
    }

    // CheckList: the items in display order, each naming its mark slot + 1.
    for (int j = 1; j <= CheckListMax; ++j) {
        const int index = ini.GetInt(CheckList, Key(QStringLiteral("CheckListIndex"), j), 0);
        if (index == 0)
            break;
        // A slot no card can hold, or one already taken, would give two items one mark.
        // The index is checked before it is counted down: it may be any number.
        if (index < 1 || index > CheckListMax || store.checkOrder.contains(index - 1))
            continue;
        const int slot = index - 1;
        if (store.checkNames.size() <= slot)
            store.checkNames.resize(slot + 1);
        store.checkNames[slot] = ini.GetString(CheckList, Key(QStringLiteral("CheckListName"), j));
        store.checkOrder << slot;
    }

    // SearchHistory
    for (int i = 1; i <= SearchHistoryMax; ++i) {
        const QString word = ini.GetString(SearchHistory, Key(QStringLiteral("History"), i));
        if (word.isEmpty())
            break;
        searchHistory << word;
    }

    // Option
    options.opening = ReadFlag(ini, Option, QStringLiteral("Opening"), false);
    options.autoYomi = ReadFlag(ini, Option, QStringLiteral("AutoYomi"), true);
    options.mailCompany = ReadFlag(ini, Option, QStringLiteral("MailCompany"), false);
    options.mailDepartment = ReadFlag(ini, Option, QStringLiteral("MailDepartment"), false);
    options.mailName = ReadFlag(ini, Option, QStringLiteral("MailName"), false);
    options.mailHonorific = ini.GetString(Option, QStringLiteral("MailHonorific"), options.mailHonorific);
    options.separateAddress = ReadFlag(ini, Option, QStringLiteral("SeparateAddress"), false);
    options.separateName = ReadFlag(ini, Option, QStringLiteral("SeparateName"), false);
    options.exportNameCompany = ReadFlag(ini, Option, QStringLiteral("ExportNameCompany"), false);
    options.exportNameDate = ReadFlag(ini, Option, QStringLiteral("ExportNameDate"), false);
    options.skipCheckFixedData = ReadFlag(ini, Option, QStringLiteral("SkipCheckFixedData"), true);
    options.serialPort = ini.GetInt(Option, QStringLiteral("SerialPort"), 0);
    options.thumbnailSizeType = ini.GetInt(Option, QStringLiteral("ThumbnailSizeType"), 1);
    if (options.thumbnailSizeType < 0 || options.thumbnailSizeType > 2)
        options.thumbnailSizeType = 1;
    options.skinColorType = ini.GetInt(Option, QStringLiteral("SkinColorType"), 0);
    if (options.skinColorType < 0 || options.skinColorType > OptionRecord::CustomSkinColor)
        options.skinColorType = OptionRecord::CustomSkinColor;
    options.skinColor = ReadColour(ini, Option, QStringLiteral("SkinColor"), options.skinColor);
    options.mapSearchService = ini.GetString(Option, QStringLiteral("MapSearchService")).trimmed();

    // Print
    PrintSettings &p = print;
    p.PrinterName = ini.GetString(Print, QStringLiteral("PrinterName"));
    if (ReadNumbers(ini, Print, QStringLiteral("LogFont"), CLogFont::NumberCount, n))
        p.LogFont.SetNumbers(n);
    p.LogFont.faceName = ini.GetString(Print, QStringLiteral("LogFontlfFaceName"), p.LogFont.faceName)
                             .left(CLogFont::FaceNameMax);
    p.FontColor = ReadColour(ini, Print, QStringLiteral("FontColor"), p.FontColor);
    p.FitPaper = ReadFlag(ini, Print, QStringLiteral("FitPaper"), false);
    p.TurnDown = ReadFlag(ini, Print, QStringLiteral("TurnDown"), false);
    p.ListHeader = ThreeTexts(ReadTextList(ini, Print, QStringLiteral("ListHeader"), p.ListHeader));
    p.ListFooter = ThreeTexts(ReadTextList(ini, Print, QStringLiteral("ListFooter"), p.ListFooter));
    p.RectMargin = ReadRect(ini, Print, QStringLiteral("RectMargin"), p.RectMargin);
    p.ListItemIndex = ReadIntList(ini, Print, QStringLiteral("ListItemIndex"), p.ListItemIndex);
    p.ListItemWidth = ReadIntList(ini, Print, QStringLiteral("ListItemWidth"), p.ListItemWidth);
    p.SizeAspects = ReadPair(ini, Print, QStringLiteral("SizeAspects"), p.SizeAspects);
    p.SizeSeal = ReadPair(ini, Print, QStringLiteral("SizeSeal"), p.SizeSeal);
    p.SizeSealsDistance = ReadPair(ini, Print, QStringLiteral("SizeSealsDistance"), p.SizeSealsDistance);
    p.RectSealMargin = ReadRect(ini, Print, QStringLiteral("RectSealMargin"), p.RectSealMargin);
    p.Respect = ini.GetInt(Print, QStringLiteral("Respect"), p.Respect);
    p.SealItemIndex = ReadIntList(ini, Print, QStringLiteral("SealItemIndex"), p.SealItemIndex);

    const QList<CSealPaperInfo> builtIn = CSealPaperInfo::BuiltIn();
    const int sheets = ReadCount(ini, Print, QStringLiteral("SealPaperInfo"));
    if (sheets >= 0) {
        p.SealPaperInfo.clear();
        for (int i = 1; i <= sheets; ++i) {
            CSealPaperInfo sheet = builtIn.value(i - 1);
            sheet.DefinitionName =
                ini.GetString(Print, Key(QStringLiteral("SealPaperInfoName"), i), sheet.DefinitionName);
            if (ReadNumbers(ini, Print, Key(QStringLiteral("SealPaperInfo"), i), CSealPaperInfo::NumberCount,
                            n))
                sheet.SetNumbers(n);
            p.SealPaperInfo << sheet;
        }
    }
    p.DevMode = ReadDevMode(path);
}

QByteArray CSettings::ToBytes() const
{
    CINIFile ini;
    Write(ini);
    return ini.ToBytes();
}

bool CSettings::WriteAll(const QString &path) const
{
    CINIFile ini;
    Write(ini);
    const bool settingsOk = ini.Save(path);
    const bool devModeOk = WriteDevMode(path, print.DevMode);
    return settingsOk && devModeOk;
}

void CSettings::Write(CINIFile &ini) const
{
    // State
    ini.WriteString(State, QStringLiteral("MainWndPlacement"), JoinNumbers(mainWndPlacement.Numbers()));
    ini.WriteInt(State, QStringLiteral("ListViewPaneWidth"), listViewPaneWidth);
    ini.WriteInt(State, QStringLiteral("ListViewStyle"), listViewStyle);
    WriteIntList(ini, State, QStringLiteral("ListViewColumnWidth"), listViewColumnWidth);
    ini.WriteInt(State, QStringLiteral("CardEditViewPaneHeight"), cardEditViewPaneHeight);
    WriteFlag(ini, State, QStringLiteral("ShowCardEditViewPane"), showCardEditViewPane);
    WriteFlag(ini, State, QStringLiteral("ShowCardImageViewPane"), showCardImageViewPane);
    WriteFlag(ini, State, QStringLiteral("ShowPrintCheck"), showPrintCheck);
    WriteFlag(ini, State, QStringLiteral("ShowStatusBar"), showStatusBar);
    WriteFlag(ini, State, QStringLiteral("ShowToolBar"), showToolBar);
    ini.WriteInt(State, QStringLiteral("ToolBarPos"), toolBarPos);
    ini.WriteInt(State, QStringLiteral("ImageToolBarPos"), imageToolBarPos);
    for (int i = 0; i < ConnectConfCount; ++i)
        WriteFlag(ini, State, Key(QStringLiteral("ShowConnectConf"), i), showConnectConf[i]);
    ini.WriteString(State, QStringLiteral("ColumnOrder"), JoinNumbers(columnOrder));

    // File
    ini.WriteString(File, QStringLiteral("LastLoadedFile"), store.lastLoadedFile);

    // Group
    const StoreSettings defaults = StoreSettings::Defaults();
    for (int e = 0; e < StoreSettings::GroupCount; ++e) {
        ini.WriteString(Group, Key(QStringLiteral("GroupName"), e),
                        store.groupNames.value(e, defaults.groupNames[e]));
        ini.WriteInt(Group, Key(QStringLiteral("GroupIcon"), e), store.groupIcons.value(e, e));
    }

    // CheckList: the items in order, then empty entries up to the last key.
    const int items = int(std::min<qsizetype>(store.checkOrder.size(), CheckListMax));
    for (int j = 1; j <= CheckListMax; ++j) {
        const int slot = j <= items ? store.checkOrder[j - 1] : -1;
        ini.WriteString(CheckList, Key(QStringLiteral("CheckListName"), j), store.checkNames.value(slot));
        ini.WriteInt(CheckList, Key(QStringLiteral("CheckListIndex"), j), slot + 1);
    }

    // SearchHistory
    for (int i = 1; i <= std::min<qsizetype>(searchHistory.size(), SearchHistoryMax); ++i)
        ini.WriteString(SearchHistory, Key(QStringLiteral("History"), i), searchHistory[i - 1]);

    // Option
    WriteFlag(ini, Option, QStringLiteral("Opening"), options.opening);
    WriteFlag(ini, Option, QStringLiteral("AutoYomi"), options.autoYomi);
    WriteFlag(ini, Option, QStringLiteral("MailCompany"), options.mailCompany);
    WriteFlag(ini, Option, QStringLiteral("MailDepartment"), options.mailDepartment);
    WriteFlag(ini, Option, QStringLiteral("MailName"), options.mailName);
    ini.WriteString(Option, QStringLiteral("MailHonorific"), options.mailHonorific);
    WriteFlag(ini, Option, QStringLiteral("SeparateAddress"), options.separateAddress);
    WriteFlag(ini, Option, QStringLiteral("SeparateName"), options.separateName);
    WriteFlag(ini, Option, QStringLiteral("ExportNameCompany"), options.exportNameCompany);
    WriteFlag(ini, Option, QStringLiteral("ExportNameDate"), options.exportNameDate);
    WriteFlag(ini, Option, QStringLiteral("SkipCheckFixedData"), options.skipCheckFixedData);
    ini.WriteInt(Option, QStringLiteral("SerialPort"), options.serialPort);
    ini.WriteInt(Option, QStringLiteral("ThumbnailSizeType"), options.thumbnailSizeType);
    const int pixels = options.ThumbnailPixels();
    WritePair(ini, Option, QStringLiteral("ThumbnailSize"), QSize(pixels, pixels));
    ini.WriteInt(Option, QStringLiteral("SkinColorType"), options.skinColorType);
    WriteColour(ini, Option, QStringLiteral("SkinColor"), options.skinColor);
    // Written only when set, so that a file with the default map service keeps its usual keys.
    if (!options.mapSearchService.isEmpty())
        ini.WriteString(Option, QStringLiteral("MapSearchService"), options.mapSearchService);

    // Print
    const PrintSettings &p = print;
    ini.WriteString(Print, QStringLiteral("PrinterName"), p.PrinterName);
    ini.WriteString(Print, QStringLiteral("LogFont"), JoinNumbers(p.LogFont.Numbers()));
    ini.WriteString(Print, QStringLiteral("LogFontlfFaceName"), p.LogFont.faceName);
    WriteColour(ini, Print, QStringLiteral("FontColor"), p.FontColor);
    WriteFlag(ini, Print, QStringLiteral("FitPaper"), p.FitPaper);
    WriteFlag(ini, Print, QStringLiteral("TurnDown"), p.TurnDown);
    WriteTextList(ini, Print, QStringLiteral("ListHeader"), p.ListHeader);
    WriteTextList(ini, Print, QStringLiteral("ListFooter"), p.ListFooter);
    WriteRect(ini, Print, QStringLiteral("RectMargin"), p.RectMargin);
    WriteIntList(ini, Print, QStringLiteral("ListItemIndex"), p.ListItemIndex);
    WriteIntList(ini, Print, QStringLiteral("ListItemWidth"), p.ListItemWidth);
    WritePair(ini, Print, QStringLiteral("SizeAspects"), p.SizeAspects);
    WritePair(ini, Print, QStringLiteral("SizeSeal"), p.SizeSeal);
    WritePair(ini, Print, QStringLiteral("SizeSealsDistance"), p.SizeSealsDistance);
    WriteRect(ini, Print, QStringLiteral("RectSealMargin"), p.RectSealMargin);
    ini.WriteInt(Print, QStringLiteral("Respect"), p.Respect);
    WriteIntList(ini, Print, QStringLiteral("SealItemIndex"), p.SealItemIndex);
    ini.WriteInt(Print, QStringLiteral("SealPaperInfoCount"), int(p.SealPaperInfo.size()));
    for (int i = 1; i <= p.SealPaperInfo.size(); ++i) {
        const CSealPaperInfo &sheet = p.SealPaperInfo[i - 1];
        ini.WriteString(Print, Key(QStringLiteral("SealPaperInfoName"), i), sheet.DefinitionName);
        ini.WriteString(Print, Key(QStringLiteral("SealPaperInfo"), i), JoinNumbers(sheet.Numbers()));
    }
}

bool CSettings::ConnectConfHidden() const
{
    return std::none_of(showConnectConf.begin(), showConnectConf.end(), [](bool show) { return show; });
}

void CSettings::SetConnectConfHidden(bool hidden)
{
    showConnectConf.fill(!hidden);
}

#include "CSettings.h"

#include "AppPaths.h"
#include "CINIFile.h"
#include "DevModeBlock.h"
#include "FolderSync.h"
#include "SettingsKey.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <span>
#include <type_traits>

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

// One value read over the value it had: the default, as reading starts from defaults.
template <typename T> void Read(const CINIFile &ini, const QString &sec, const QString &key, T &value)
{
    if constexpr (std::is_same_v<T, bool>)
        value = ReadFlag(ini, sec, key, value);
    else if constexpr (std::is_same_v<T, int>)
        value = ini.GetInt(sec, key, value);
    else if constexpr (std::is_same_v<T, QString>)
        value = ini.GetString(sec, key, value);
    else if constexpr (std::is_same_v<T, QList<int>>)
        value = ReadIntList(ini, sec, key, value);
    else if constexpr (std::is_same_v<T, QStringList>)
        value = ReadTextList(ini, sec, key, value);
    else if constexpr (std::is_same_v<T, QSize>)
        value = ReadPair(ini, sec, key, value);
    else if constexpr (std::is_same_v<T, QMargins>)
        value = ReadRect(ini, sec, key, value);
    else
        value = ReadColour(ini, sec, key, value);
}

template <typename T> void Write(CINIFile &ini, const QString &sec, const QString &key, const T &value)
{
    if constexpr (std::is_same_v<T, bool>)
        WriteFlag(ini, sec, key, value);
    else if constexpr (std::is_same_v<T, int>)
        ini.WriteInt(sec, key, value);
    else if constexpr (std::is_same_v<T, QString>)
        ini.WriteString(sec, key, value);
    else if constexpr (std::is_same_v<T, QList<int>>)
        WriteIntList(ini, sec, key, value);
    else if constexpr (std::is_same_v<T, QStringList>)
        WriteTextList(ini, sec, key, value);
    else if constexpr (std::is_same_v<T, QSize>)
        WritePair(ini, sec, key, value);
    else if constexpr (std::is_same_v<T, QMargins>)
        WriteRect(ini, sec, key, value);
    else
        WriteColour(ini, sec, key, value);
}

template <typename Record>
void ReadKeys(const CINIFile &ini, const QString &sec, std::span<const SettingsKey<Record>> keys,
              Record &values)
{
    for (const SettingsKey<Record> &key : keys)
        std::visit([&](auto member) { Read(ini, sec, QString::fromLatin1(key.name), values.*member); },
                   key.member);
}

template <typename Record>
void WriteKeys(CINIFile &ini, const QString &sec, std::span<const SettingsKey<Record>> keys,
               const Record &values)
{
    for (const SettingsKey<Record> &key : keys)
        std::visit([&](auto member) { Write(ini, sec, QString::fromLatin1(key.name), values.*member); },
                   key.member);
}

// The keys of "State" between the window placement and the connection flags.
const SettingsKey<CSettings> StateKeys[] = {
    {"ListViewPaneWidth", &CSettings::listViewPaneWidth},
    {"ListViewStyle", &CSettings::listViewStyle},
    {"ListViewColumnWidth", &CSettings::listViewColumnWidth},
    {"CardEditViewPaneHeight", &CSettings::cardEditViewPaneHeight},
    {"ShowCardEditViewPane", &CSettings::showCardEditViewPane},
    {"ShowCardImageViewPane", &CSettings::showCardImageViewPane},
    {"ShowPrintCheck", &CSettings::showPrintCheck},
    {"ShowStatusBar", &CSettings::showStatusBar},
    {"ShowToolBar", &CSettings::showToolBar},
    {"ToolBarPos", &CSettings::toolBarPos},
    {"ImageToolBarPos", &CSettings::imageToolBarPos},
};

// The keys of "Option" up to the thumbnail size type.
const SettingsKey<OptionRecord> OptionKeys[] = {
    {"Opening", &OptionRecord::opening},
    {"AutoYomi", &OptionRecord::autoYomi},
    {"MailCompany", &OptionRecord::mailCompany},
    {"MailDepartment", &OptionRecord::mailDepartment},
    {"MailName", &OptionRecord::mailName},
    {"MailHonorific", &OptionRecord::mailHonorific},
    {"SeparateAddress", &OptionRecord::separateAddress},
    {"SeparateName", &OptionRecord::separateName},
    {"ExportNameCompany", &OptionRecord::exportNameCompany},
    {"ExportNameDate", &OptionRecord::exportNameDate},
    {"SkipCheckFixedData", &OptionRecord::skipCheckFixedData},
    {"SerialPort", &OptionRecord::serialPort},
    {"ThumbnailSizeType", &OptionRecord::thumbnailSizeType},
};

// The keys of "Print" between the font and the label sheets.
const SettingsKey<PrintSettings> PrintKeys[] = {
    {"FontColor", &PrintSettings::FontColor},
    {"FitPaper", &PrintSettings::FitPaper},
    {"TurnDown", &PrintSettings::TurnDown},
    {"ListHeader", &PrintSettings::ListHeader},
    {"ListFooter", &PrintSettings::ListFooter},
    {"RectMargin", &PrintSettings::RectMargin},
    {"ListItemIndex", &PrintSettings::ListItemIndex},
    {"ListItemWidth", &PrintSettings::ListItemWidth},
    {"SizeAspects", &PrintSettings::SizeAspects},
    {"SizeSeal", &PrintSettings::SizeSeal},
    {"SizeSealsDistance", &PrintSettings::SizeSealsDistance},
    {"RectSealMargin", &PrintSettings::RectSealMargin},
    {"Respect", &PrintSettings::Respect},
    {"SealItemIndex", &PrintSettings::SealItemIndex},
};

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
    const CSettings defaults;
    ReadKeys<CSettings>(ini, State, StateKeys, *this);
    if (listViewPaneWidth < 1)
        listViewPaneWidth = defaults.listViewPaneWidth;
    if (listViewStyle != 0 && listViewStyle != 1)
        listViewStyle = defaults.listViewStyle;
    if (cardEditViewPaneHeight < 1)
        cardEditViewPaneHeight = defaults.cardEditViewPaneHeight;
    for (int i = 0; i < ConnectConfCount; ++i)
        showConnectConf[i] = ReadFlag(ini, State, Key(QStringLiteral("ShowConnectConf"), i), true);
    columnOrder = ParseColumnOrder(ini.GetString(State, QStringLiteral("ColumnOrder")));

    // File
    SetLastLoadedFile(ini.GetString(File, QStringLiteral("LastLoadedFile")));

    // Group
    for (int e = 0; e < StoreSettings::GroupCount; ++e) {
        store.groupNames[e] =
            ini.GetString(Group, Key(QStringLiteral("GroupName"), e), defaults.store.groupNames[e]);
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
    ReadKeys<OptionRecord>(ini, Option, OptionKeys, options);
    if (options.thumbnailSizeType < 0 || options.thumbnailSizeType > 2)
        options.thumbnailSizeType = defaults.options.thumbnailSizeType;
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
    ReadKeys<PrintSettings>(ini, Print, PrintKeys, p);
    p.ListHeader = ThreeTexts(p.ListHeader);
    p.ListFooter = ThreeTexts(p.ListFooter);

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
    WriteKeys<CSettings>(ini, State, StateKeys, *this);
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
    WriteKeys<OptionRecord>(ini, Option, OptionKeys, options);
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
    WriteKeys<PrintSettings>(ini, Print, PrintKeys, p);
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

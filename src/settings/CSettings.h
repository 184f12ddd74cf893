#pragma once

#include "OptionRecord.h"
#include "PrintSettings.h"
#include "StoreSettings.h"
#include "WindowPlacement.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

class CINIFile;

// Every value of the settings file, read once at start-up and written back
// after the options dialog and at exit. A default-constructed object holds
// the defaults of every key.
class CSettings
{
public:
    static constexpr int ConnectConfCount = 5;
    static constexpr int SearchHistoryMax = 5;
    static constexpr int CheckListMax = 20;

    CSettings();

    // Fills every value from the file; anything missing or unreadable keeps
    // its default. Never fails. Also reads the printer device-settings file.
    void ReadAll(const QString &path);
    // Writes the file anew with every key, in a fixed order, and the device
    // settings file beside it. Returns false when a file could not be written.
    bool WriteAll(const QString &path) const;

    // The settings text WriteAll would write.
    QByteArray ToBytes() const;

    // Stores the management file in use: empty = the default file, relative =
    // relative to the data folder.
    void SetLastLoadedFile(const QString &path);
    // The management file to open: the stored one, or the default file.
    QString LastLoadedFile() const;

    // Section "State"
    WindowPlacement mainWndPlacement;
    int listViewPaneWidth;
    int listViewStyle; // 0 table, 1 thumbnails
    QList<int> listViewColumnWidth;
    int cardEditViewPaneHeight;
    bool showCardEditViewPane;
    bool showCardImageViewPane;
    bool showPrintCheck;
    bool showStatusBar;
    bool showToolBar;
    int toolBarPos; // 0 top, 1 bottom, 2 left, 3 right
    int imageToolBarPos;
    std::array<bool, ConnectConfCount> showConnectConf; // index = operation 0..4
    // The options dialog's single box over the five flags: hidden when none is on;
    // setting it sets every flag.
    bool ConnectConfHidden() const;
    void SetConnectConfHidden(bool hidden);
    QList<int> columnOrder;

    // Sections "File", "Group" and "CheckList": shared with the card store.
    StoreSettings store;

    // Section "SearchHistory": newest first, at most SearchHistoryMax.
    QStringList searchHistory;

    // Section "Option"
    OptionRecord options;

    // Section "Print"
    PrintSettings print;

    static QList<int> DefaultColumnWidths();

private:
    void Write(CINIFile &ini) const;
};

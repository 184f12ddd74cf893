#pragma once

#include <array>
#include <functional>
#include <memory>

#include "IPrintSystem.h"
#include "MainAction.h"

#include <QWidget>

class CCardData;
class CCardEditView;
class CCardImageView;
class CCardStore;
class CConnect;
struct ImportOptions;
class CImageFrame;
class CMailDlg;
class CCardListView;
class CSearchBar;
class CSettings;
class CTabView;
class IMessageBox;
class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QSplitter;
class QToolBar;
class QUrl;

// The frame that fills the main window: the five panes, the menus and tool bar, and the
// commands that concern the management file as a whole.
class CMainFrame : public QWidget
{
    Q_OBJECT
public:
    CMainFrame(QMainWindow *window, CSettings &settings, CCardStore &store, IMessageBox &messages);
    ~CMainFrame() override;

    // Pane heights of the left column at the screen's resolution.
    static int SearchBarHeight(int dpi);
    static int TabStripHeight(int dpi);

    // Stores pane sizes, visibility, the tool bar side and the list's columns into the settings.
    void SaveState();
    // Rebuilds the tab strip and shows the first card of the tab (after another file came).
    void Reload();

    // The parts of the commands after their file dialogs (also used by tests).
    bool OpenFile(const QString &path);
    bool CreateNewAt(const QString &path);
    bool BackupTo(const QString &target);
    void ResetViewState();
    void SetListStyle(int style);
    void ShowEditPane(bool show);
    void ShowImagePane(bool show);
    CCardData *NewCard();
    // Puts the detail and image panes in place; the settings file at settingsPath is
    // written whenever the user confirms a change to the settings.
    void AttachPanes(const QString &settingsPath);
    // Writes the settings file now; a failure is told.
    bool WriteSettings();
    void ShowOptions();
    void EditGroups();
    void EditCheckList();

    QAction *Action(MainAction action) const { return m_actions[size_t(action)]; }
    // Tests replace the desktop's opening of help, map and mail addresses.
    void SetOpener(std::function<bool(const QUrl &)> open) { m_open = std::move(open); }
    // Tests print through printers of their own (the default: the CUPS server's).
    void SetPrintSystem(IPrintSystem *system) { m_printSystem = system; }
    CCardListView *List() const { return m_list; }
    CTabView *Tabs() const { return m_tabs; }
    CSearchBar *SearchBar() const { return m_searchBar; }
    QSplitter *Columns() const { return m_columns; }
    QSplitter *RightColumn() const { return m_right; }
    QWidget *EditPane() const { return m_edit; }
    QWidget *ImagePane() const { return m_image; }
    QToolBar *ToolBar() const { return m_toolBar; }
    QLabel *StatusText() const { return m_statusText; }
    CCardEditView *EditView() const { return m_editView; }
    CCardImageView *ImageView() const { return m_imageView; }
    CImageFrame *ImageFrame() const { return m_imageFrame; }

signals:
    void FileChanged(const QString &path);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BuildPanes();
    void BuildMenus();
    void BuildToolBar();
    void ApplySettings();
    void ApplyPaneSizes();
    void ApplyRightSizes();
    QAction *AddAction(QMenu *menu, MainAction key, const char *text, const QKeySequence &shortcut = {},
                       bool enabled = true);
    void UpdateEditActions();
    void UpdateStatus();
    void KeepEditHeightOnResize();
    // The four mail commands need a selected card with a first e-mail address.
    void UpdateMailActions();
    void OnRowChosen(int row);
    void OnOpen();
    void OnCreateNew();
    void OnBackup();
    void OnHelp();
    void OnMapSearch();
    void OnMemoryCard();
    void OnPhone();
    void OnImport();
    void OnSearch();
    // 印刷: the print dialog for the marked cards of the shown tab.
    void OnPrint();
    void OnQuickFind(const QString &word);
    // The column-mapping dialog for a CSV file, then its import.
    void ImportCsv(const QString &path);
    enum ExportKind
    {
        ExportAll,
        ExportShown,
        ExportSelectedTogether,
        ExportSelectedSeparately
    };
    void OnExport(ExportKind kind);
    static QString ChooseMappingFile(bool save);
    // Runs an import with the options of the settings; the list stays still
    // while the worker owns the store, and is reloaded afterwards.
    void RunImport(const std::function<void(const ImportOptions &)> &import);
    void OnColumnOrder();
    enum class ClipboardOperation
    {
        Cut,
        Copy,
        Paste
    };
    void OnClipboard(ClipboardOperation operation);
    QStringList GroupNames() const;
    void ConnectViews();
    void FollowStore();
    // Selects a card the user just made or stored; one that left the shown tab is shown in すべて.
    void ShowStoredCard(CCardData *card);
    void ShowStoreError(const QString &caption);
    void BindImageCommands();
    void ShowFocusedCard(CCardData *card);
    void OnMailSend();
    void OnMailDialog(int list);
    void OpenMail(const QString &address);

    QMainWindow *m_window;
    CSettings &m_settings;
    CCardStore *m_store;
    IMessageBox &m_messages;
    QString m_shownPath; // the file the window shows
    CSearchBar *m_searchBar = nullptr;
    CTabView *m_tabs = nullptr;
    CCardListView *m_list = nullptr;
    QWidget *m_edit = nullptr;
    QWidget *m_image = nullptr;
    QSplitter *m_columns = nullptr;
    QSplitter *m_right = nullptr;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_statusText = nullptr; // "N 件  (file)"
    std::array<QAction *, size_t(MainAction::Count)> m_actions{};
    QString m_settingsPath;
    CCardEditView *m_editView = nullptr;
    CCardImageView *m_imageView = nullptr;
    CImageFrame *m_imageFrame = nullptr;
    CMailDlg *m_mailDlg = nullptr;
    CConnect *m_connect = nullptr;            // made at the first 携帯電話 command
    std::function<bool(const QUrl &)> m_open; // the desktop's opening of pages and mail
    IPrintSystem *m_printSystem = nullptr;
    std::unique_ptr<IPrintSystem> m_cupsPrinters; // made at the first print
    int m_editHeight = 400;
    int m_leftWidth = 455;
    bool m_sizesPending = true;
};

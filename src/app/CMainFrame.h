#pragma once

#include <QHash>
#include <QWidget>

class CCardData;
class CCardListView;
class CSettings;
class CTabView;
class ICardSource;
class IMessageBox;
class QAction;
class QMainWindow;
class QMenu;
class QSplitter;
class QToolBar;

// The frame that fills the main window: the five panes, the menus and tool bar, and the
// commands that concern the management file as a whole.
class CMainFrame : public QWidget
{
    Q_OBJECT
public:
    CMainFrame(QMainWindow *window, CSettings &settings, ICardSource &source, IMessageBox &messages);
    ~CMainFrame() override;

    // Pane heights of the left column at the screen's resolution.
    static int SearchBarHeight(int dpi);
    static int TabStripHeight(int dpi);

    // Stores pane sizes, visibility, the tool bar side and the list's columns into the settings.
    void SaveState();
    // The management file was opened or created elsewhere: rebuild tabs and list.
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

    QAction *Action(const QString &key) const { return m_actions.value(key); }
    CCardListView *List() const { return m_list; }
    CTabView *Tabs() const { return m_tabs; }
    QSplitter *Columns() const { return m_columns; }
    QSplitter *RightColumn() const { return m_right; }
    QWidget *EditPane() const { return m_edit; }
    QWidget *ImagePane() const { return m_image; }
    QToolBar *ToolBar() const { return m_toolBar; }

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
    QAction *AddAction(QMenu *menu, const QString &key, const char *text, const QKeySequence &shortcut = {},
                       bool enabled = true);
    void UpdateEditActions();
    void UpdateStatus();
    void OnRowChosen(int row);
    void OnOpen();
    void OnCreateNew();
    void OnBackup();
    void OnHelp();
    void OnMapSearch();
    void OnColumnOrder();
    void OnClipboard(const QString &which);
    QStringList GroupNames() const;

    QMainWindow *m_window;
    CSettings &m_settings;
    ICardSource &m_source;
    IMessageBox &m_messages;
    QWidget *m_searchBar = nullptr;
    CTabView *m_tabs = nullptr;
    CCardListView *m_list = nullptr;
    QWidget *m_edit = nullptr;
    QWidget *m_image = nullptr;
    QSplitter *m_columns = nullptr;
    QSplitter *m_right = nullptr;
    QToolBar *m_toolBar = nullptr;
    QHash<QString, QAction *> m_actions;
    int m_editHeight = 400;
    int m_leftWidth = 455;
    bool m_sizesPending = true;
};

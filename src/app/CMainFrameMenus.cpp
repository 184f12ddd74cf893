#include "CAboutDlg.h"
#include "CCardData.h"
#include "CCardListView.h"
#include "CCardStore.h"
#include "CDesktopOpener.h"
#include "CListColumnDlg.h"
#include "CMainFrame.h"
#include "CSettings.h"
#include "CToolIcons.h"
#include "IMessageBox.h"
#include "MapSearchAddress.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>
#include <QUrl>

// Menus, tool bar and the small commands of the main frame.

QAction *CMainFrame::AddAction(QMenu *menu, const QString &key, const char *text,
                               const QKeySequence &shortcut, bool enabled)
{
    auto *action = new QAction(QString::fromUtf8(text), m_window);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    action->setEnabled(enabled);
    menu->addAction(action);
    m_actions.insert(key, action);
    return action;
}

void CMainFrame::BuildMenus()
{
    QMenuBar *bar = m_window->menuBar();
    const bool later = false; // commands of parts that are not in the program yet

    QMenu *file = bar->addMenu(QString::fromUtf8("ファイル(&F)"));
    QMenu *manage = file->addMenu(QString::fromUtf8("名刺管理ファイル(&F)"));
    connect(AddAction(manage, "open", "開く(&O)...", QKeySequence(Qt::CTRL | Qt::Key_O)), &QAction::triggered,
            this, &CMainFrame::OnOpen);
    connect(AddAction(manage, "createNew", "新規作成(&N)...", QKeySequence(Qt::CTRL | Qt::Key_N)),
            &QAction::triggered, this, &CMainFrame::OnCreateNew);
    file->addSeparator();
    connect(AddAction(file, "phone", "携帯電話(&C)..."), &QAction::triggered, this, &CMainFrame::OnPhone);
    connect(AddAction(file, "memoryCard", "メモリーカード(&M)..."), &QAction::triggered, this,
            &CMainFrame::OnMemoryCard);
    file->addSeparator();
    connect(AddAction(file, "import", "インポート(&I)..."), &QAction::triggered, this, &CMainFrame::OnImport);
    QMenu *exportMenu = file->addMenu(QString::fromUtf8("エクスポート(&E)"));
    connect(AddAction(exportMenu, "exportAll", "すべてのデータ(&A)..."), &QAction::triggered, this,
            [this] { OnExport(ExportAll); });
    connect(AddAction(exportMenu, "exportShown", "表示中のデータ(&D)..."), &QAction::triggered, this,
            [this] { OnExport(ExportShown); });
    connect(AddAction(exportMenu, "exportSelectedOne", "選択中のデータ (一括)(&S)..."), &QAction::triggered,
            this, [this] { OnExport(ExportSelectedTogether); });
    connect(AddAction(exportMenu, "exportSelectedEach", "選択中のデータ (個別)(&I)..."), &QAction::triggered,
            this, [this] { OnExport(ExportSelectedSeparately); });
    file->addSeparator();
    connect(AddAction(file, "print", "印刷(&P)...", QKeySequence(Qt::CTRL | Qt::Key_P)), &QAction::triggered,
            this, &CMainFrame::OnPrint);
    file->addSeparator();
    connect(AddAction(file, "exit", "アプリケーションの終了(&X)"), &QAction::triggered, m_window,
            &QWidget::close);

    QMenu *edit = bar->addMenu(QString::fromUtf8("編集(&E)"));
    connect(AddAction(edit, "search", "検索(&F)..."), &QAction::triggered, this, &CMainFrame::OnSearch);
    edit->addSeparator();
    connect(AddAction(edit, "newCard", "新規名刺(&N)"), &QAction::triggered, this, [this] {
        if (QWidget *focus = QApplication::focusWidget()) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(focus, &escape);
        }
        m_edit->setFocus();
        NewCard();
    });
    edit->addSeparator();
    connect(AddAction(edit, "selectAll", "すべて選択(&A)", QKeySequence(Qt::CTRL | Qt::Key_A)),
            &QAction::triggered, m_list, &CCardListView::SelectAll);
    edit->addSeparator();
    connect(AddAction(edit, "cut", "切り取り(&T)", QKeySequence(Qt::CTRL | Qt::Key_X)), &QAction::triggered,
            this, [this] { OnClipboard(QStringLiteral("cut")); });
    connect(AddAction(edit, "copy", "コピー(&C)", QKeySequence(Qt::CTRL | Qt::Key_C)), &QAction::triggered,
            this, [this] { OnClipboard(QStringLiteral("copy")); });
    connect(AddAction(edit, "paste", "貼り付け(&P)", QKeySequence(Qt::CTRL | Qt::Key_V)), &QAction::triggered,
            this, [this] { OnClipboard(QStringLiteral("paste")); });
    edit->addSeparator();
    AddAction(edit, "swapImages", "名刺人物画像入替(&S)", {}, later);
    AddAction(edit, "addImage", "画像追加変更(&I)...", {}, later);
    AddAction(edit, "deleteImage", "画像削除(&D)", {}, later);
    connect(edit, &QMenu::aboutToShow, this, &CMainFrame::UpdateEditActions);

    QMenu *view = bar->addMenu(QString::fromUtf8("表示(&V)"));
    connect(AddAction(view, "first", "先頭へ(&T)"), &QAction::triggered, m_list, &CCardListView::SelectFirst);
    connect(AddAction(view, "last", "末尾へ(&E)"), &QAction::triggered, m_list, &CCardListView::SelectLast);
    view->addSeparator();
    auto *styles = new QActionGroup(this);
    QAction *listMode = AddAction(view, "listMode", "一覧表示(&L)");
    QAction *thumbMode = AddAction(view, "thumbMode", "サムネイル表示(&H)");
    for (QAction *a : {listMode, thumbMode}) {
        a->setCheckable(true);
        styles->addAction(a);
    }
    listMode->setIcon(CToolIcons::Make(CToolIcons::ListMode));
    thumbMode->setIcon(CToolIcons::Make(CToolIcons::ThumbnailMode));
    connect(listMode, &QAction::triggered, this, [this] { SetListStyle(CCardListView::TableStyle); });
    connect(thumbMode, &QAction::triggered, this, [this] { SetListStyle(CCardListView::ThumbnailStyle); });
    view->addSeparator();
    AddAction(view, "cardImage", "名刺画像(&M)", {}, later)->setCheckable(true);
    AddAction(view, "photoImage", "人物画像(&P)", {}, later)->setCheckable(true);
    view->addSeparator();
    AddAction(view, "zoomIn", "画像拡大(&Z)", {}, later);
    AddAction(view, "zoomOut", "画像縮小(&O)", {}, later);
    AddAction(view, "zoomFit", "画像全体表示(&A)", {}, later);
    AddAction(view, "rotate", "画像回転(&R)", {}, later);
    view->addSeparator();
    QAction *editPane = AddAction(view, "editPane", "詳細表示画面(&D)");
    editPane->setCheckable(true);
    connect(editPane, &QAction::toggled, this, &CMainFrame::ShowEditPane);
    QAction *imagePane = AddAction(view, "imagePane", "画像表示画面(&I)");
    imagePane->setCheckable(true);
    connect(imagePane, &QAction::toggled, this, &CMainFrame::ShowImagePane);
    view->addSeparator();
    QAction *toolBar = AddAction(view, "toolBar", "ツール バー(&B)");
    toolBar->setCheckable(true);
    QAction *statusBar = AddAction(view, "statusBar", "ステータス バー(&S)");
    statusBar->setCheckable(true);
    connect(statusBar, &QAction::toggled, m_window->statusBar(), &QWidget::setVisible);
    view->addSeparator();
    connect(AddAction(view, "resetView", "表示状態初期化"), &QAction::triggered, this, [this] {
        if (m_messages.Show(m_window, QString::fromUtf8("表示状態を初期化しますか？"), QString(),
                            QMessageBox::Question, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
            ResetViewState();
    });
    connect(view, &QMenu::aboutToShow, this, [this] {
        Action(QStringLiteral("toolBar"))->setChecked(!m_toolBar->isHidden());
        Action(QStringLiteral("statusBar"))->setChecked(!m_window->statusBar()->isHidden());
    });

    QMenu *tools = bar->addMenu(QString::fromUtf8("ツール(&T)"));
    QMenu *mail = tools->addMenu(QString::fromUtf8("メール(&M)"));
    AddAction(mail, "mailSend", "メール送信(&S)", {}, later);
    AddAction(mail, "mailTo", "メール送信(To)(&T)...", {}, later);
    AddAction(mail, "mailCc", "メール送信(Cc)(&C)...", {}, later);
    AddAction(mail, "mailBcc", "メール送信(Bcc)(&B)...", {}, later);
    connect(AddAction(tools, "mapSearch", "地図検索(&S)"), &QAction::triggered, this,
            &CMainFrame::OnMapSearch);
    connect(AddAction(tools, "columnOrder", "表示項目並び替え(&I)..."), &QAction::triggered, this,
            &CMainFrame::OnColumnOrder);
    tools->addSeparator();
    AddAction(tools, "groups", "グループ名編集(&G)...", {}, later);
    AddAction(tools, "checkList", "チェックリスト編集(&C)...", {}, later);
    tools->addSeparator();
    connect(AddAction(tools, "backup", "バックアップ(&B)"), &QAction::triggered, this, &CMainFrame::OnBackup);
    tools->addSeparator();
    AddAction(tools, "options", "オプション(&O)...", {}, later);

    QMenu *help = bar->addMenu(QString::fromUtf8("ヘルプ(&H)"));
    connect(AddAction(help, "help", "ヘルプ(&H)", QKeySequence(Qt::Key_F1)), &QAction::triggered, this,
            &CMainFrame::OnHelp);
    connect(AddAction(help, "about", "バージョン情報(&A)..."), &QAction::triggered, this,
            [this] { CAboutDlg(m_window).exec(); });

    // The list's pop-up menu: 削除, the four mail commands, エクスポート.
    auto *remove = new QAction(QString::fromUtf8("削除"), this);
    connect(remove, &QAction::triggered, m_list, &CCardListView::DeleteSelected);
    auto *exportSelected = new QAction(QString::fromUtf8("エクスポート"), this);
    connect(exportSelected, &QAction::triggered, this, [this] { OnExport(ExportSelectedTogether); });
    m_list->SetContextMenuActions({remove, Action(QStringLiteral("mailSend")),
                                   Action(QStringLiteral("mailTo")), Action(QStringLiteral("mailCc")),
                                   Action(QStringLiteral("mailBcc")), exportSelected});

    Action(QStringLiteral("open"))->setIcon(CToolIcons::Make(CToolIcons::OpenFile));
    Action(QStringLiteral("newCard"))->setIcon(CToolIcons::Make(CToolIcons::NewCard));
    Action(QStringLiteral("print"))->setIcon(CToolIcons::Make(CToolIcons::Print));
    Action(QStringLiteral("search"))->setIcon(CToolIcons::Make(CToolIcons::Search));
    Action(QStringLiteral("mapSearch"))->setIcon(CToolIcons::Make(CToolIcons::MapSearch));
    Action(QStringLiteral("backup"))->setIcon(CToolIcons::Make(CToolIcons::Backup));
    Action(QStringLiteral("help"))->setIcon(CToolIcons::Make(CToolIcons::Help));
    Action(QStringLiteral("phone"))->setIcon(CToolIcons::Make(CToolIcons::Phone));
}

void CMainFrame::BuildToolBar()
{
    m_toolBar = new QToolBar(QString::fromUtf8("ツール バー"), m_window);
    m_toolBar->setObjectName(QStringLiteral("MainToolBar"));
    m_toolBar->setIconSize(QSize(24, 24));
    static const char *const keys[] = {"open",   "newCard",   nullptr,  "phone",    nullptr,
                                       "search", "print",     nullptr,  "listMode", "thumbMode",
                                       nullptr,  "mapSearch", "backup", nullptr,    "help"};
    for (const char *key : keys) {
        if (key)
            m_toolBar->addAction(Action(QString::fromLatin1(key)));
        else
            m_toolBar->addSeparator();
    }
    static const Qt::ToolBarArea areas[] = {Qt::TopToolBarArea, Qt::BottomToolBarArea, Qt::LeftToolBarArea,
                                            Qt::RightToolBarArea};
    const int pos = m_settings.toolBarPos;
    m_window->addToolBar(pos >= 0 && pos < 4 ? areas[pos] : Qt::TopToolBarArea, m_toolBar);
    m_toolBar->setVisible(m_settings.showToolBar);
    QAction *toggle = Action(QStringLiteral("toolBar"));
    toggle->setChecked(m_settings.showToolBar);
    connect(toggle, &QAction::toggled, m_toolBar, &QWidget::setVisible);
}

void CMainFrame::UpdateEditActions()
{
    QWidget *focus = QApplication::focusWidget();
    bool hasSelection = false;
    bool isEdit = false;
    if (auto *line = qobject_cast<QLineEdit *>(focus)) {
        isEdit = true;
        hasSelection = line->hasSelectedText();
    } else if (auto *text = qobject_cast<QTextEdit *>(focus)) {
        isEdit = true;
        hasSelection = text->textCursor().hasSelection();
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(focus)) {
        isEdit = true;
        hasSelection = plain->textCursor().hasSelection();
    }
    const bool clipboardText = !QApplication::clipboard()->text().isEmpty();
    Action(QStringLiteral("cut"))->setEnabled(isEdit && hasSelection);
    Action(QStringLiteral("copy"))->setEnabled(isEdit && hasSelection);
    Action(QStringLiteral("paste"))->setEnabled(isEdit && clipboardText);
    Action(QStringLiteral("selectAll"))->setEnabled(m_list->ItemCount() > 0);
}

void CMainFrame::OnClipboard(const QString &which)
{
    // Only a focused text box takes part; in the card list these keys do nothing.
    QWidget *focus = QApplication::focusWidget();
    if (auto *line = qobject_cast<QLineEdit *>(focus)) {
        if (which == QLatin1String("cut"))
            line->cut();
        else if (which == QLatin1String("copy"))
            line->copy();
        else
            line->paste();
    } else if (auto *text = qobject_cast<QTextEdit *>(focus)) {
        if (which == QLatin1String("cut"))
            text->cut();
        else if (which == QLatin1String("copy"))
            text->copy();
        else
            text->paste();
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(focus)) {
        if (which == QLatin1String("cut"))
            plain->cut();
        else if (which == QLatin1String("copy"))
            plain->copy();
        else
            plain->paste();
    }
}

void CMainFrame::OnHelp()
{
    const QString page = QCoreApplication::applicationDirPath() + QStringLiteral("/Help/index.html");
    CDesktopOpener::OpenOrWarn(m_open, QUrl::fromLocalFile(page), m_messages, m_window,
                               QString::fromUtf8("ヘルプ"));
}

void CMainFrame::OnMapSearch()
{
    for (const CCardData *card : m_list->SelectedCards()) {
        if (card->Address().isEmpty())
            continue;
        const QUrl page =
            QUrl::fromEncoded(MapSearchAddress::Build(card->Address(), m_settings.options.mapSearchService));
        // One warning is enough: the next card would find no browser either.
        if (!CDesktopOpener::OpenOrWarn(m_open, page, m_messages, m_window, QString::fromUtf8("地図検索")))
            return;
    }
}

void CMainFrame::OnColumnOrder()
{
    CListColumnDlg dialog(m_list->ColumnTitles(), m_list->ColumnOrder(), m_window);
    if (dialog.exec() == QDialog::Accepted)
        m_list->SetColumnOrder(dialog.Order());
}

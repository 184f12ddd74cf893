#include "CAboutDlg.h"
#include "CCardData.h"
#include "CCardListView.h"
#include "CCardStore.h"
#include "CDesktopOpener.h"
#include "CDuplicatesDlg.h"
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
#include <optional>

// Menus, tool bar and the small commands of the main frame.

QAction *CMainFrame::AddAction(QMenu *menu, MainAction key, const char *text, const QKeySequence &shortcut,
                               bool enabled)
{
    auto *action = new QAction(QString::fromUtf8(text), m_window);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    action->setEnabled(enabled);
    menu->addAction(action);
    m_actions[size_t(key)] = action;
    return action;
}

void CMainFrame::BuildMenus()
{
    QMenuBar *bar = m_window->menuBar();
    const bool later = false; // commands of parts that are not in the program yet

    QMenu *file = bar->addMenu(QString::fromUtf8("ファイル(&F)"));
    QMenu *manage = file->addMenu(QString::fromUtf8("名刺管理ファイル(&F)"));
    connect(AddAction(manage, MainAction::Open, "開く(&O)...", QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, &CMainFrame::OnOpen);
    connect(AddAction(manage, MainAction::CreateNew, "新規作成(&N)...", QKeySequence(Qt::CTRL | Qt::Key_N)),
            &QAction::triggered, this, &CMainFrame::OnCreateNew);
    file->addSeparator();
    connect(AddAction(file, MainAction::Phone, "携帯電話(&C)..."), &QAction::triggered, this,
            &CMainFrame::OnPhone);
    connect(AddAction(file, MainAction::MemoryCard, "メモリーカード(&M)..."), &QAction::triggered, this,
            &CMainFrame::OnMemoryCard);
    file->addSeparator();
    connect(AddAction(file, MainAction::Import, "インポート(&I)..."), &QAction::triggered, this,
            &CMainFrame::OnImport);
    QMenu *exportMenu = file->addMenu(QString::fromUtf8("エクスポート(&E)"));
    connect(AddAction(exportMenu, MainAction::ExportAll, "すべてのデータ(&A)..."), &QAction::triggered, this,
            [this] { OnExport(ExportAll); });
    connect(AddAction(exportMenu, MainAction::ExportShown, "表示中のデータ(&D)..."), &QAction::triggered,
            this, [this] { OnExport(ExportShown); });
    connect(AddAction(exportMenu, MainAction::ExportSelectedTogether, "選択中のデータ (一括)(&S)..."),
            &QAction::triggered, this, [this] { OnExport(ExportSelectedTogether); });
    connect(AddAction(exportMenu, MainAction::ExportSelectedSeparately, "選択中のデータ (個別)(&I)..."),
            &QAction::triggered, this, [this] { OnExport(ExportSelectedSeparately); });
    file->addSeparator();
    connect(AddAction(file, MainAction::Print, "印刷(&P)...", QKeySequence(Qt::CTRL | Qt::Key_P)),
            &QAction::triggered, this, &CMainFrame::OnPrint);
    file->addSeparator();
    connect(AddAction(file, MainAction::Exit, "アプリケーションの終了(&X)"), &QAction::triggered, m_window,
            &QWidget::close);

    QMenu *edit = bar->addMenu(QString::fromUtf8("編集(&E)"));
    connect(AddAction(edit, MainAction::Search, "検索(&F)..."), &QAction::triggered, this,
            &CMainFrame::OnSearch);
    edit->addSeparator();
    connect(AddAction(edit, MainAction::NewCard, "新規名刺(&N)"), &QAction::triggered, this, [this] {
        if (QWidget *focus = QApplication::focusWidget()) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(focus, &escape);
        }
        m_edit->setFocus();
        NewCard();
    });
    edit->addSeparator();
    connect(AddAction(edit, MainAction::SelectAll, "すべて選択(&A)", QKeySequence(Qt::CTRL | Qt::Key_A)),
            &QAction::triggered, m_list, &CCardListView::SelectAll);
    edit->addSeparator();
    connect(AddAction(edit, MainAction::Cut, "切り取り(&T)", QKeySequence(Qt::CTRL | Qt::Key_X)),
            &QAction::triggered, this, [this] { OnClipboard(ClipboardOperation::Cut); });
    connect(AddAction(edit, MainAction::Copy, "コピー(&C)", QKeySequence(Qt::CTRL | Qt::Key_C)),
            &QAction::triggered, this, [this] { OnClipboard(ClipboardOperation::Copy); });
    connect(AddAction(edit, MainAction::Paste, "貼り付け(&P)", QKeySequence(Qt::CTRL | Qt::Key_V)),
            &QAction::triggered, this, [this] { OnClipboard(ClipboardOperation::Paste); });
    edit->addSeparator();
    AddAction(edit, MainAction::SwapImages, "名刺人物画像入替(&S)", {}, later);
    AddAction(edit, MainAction::AddImage, "画像追加変更(&I)...", {}, later);
    AddAction(edit, MainAction::DeleteImage, "画像削除(&D)", {}, later);
    connect(edit, &QMenu::aboutToShow, this, &CMainFrame::UpdateEditActions);

    QMenu *view = bar->addMenu(QString::fromUtf8("表示(&V)"));
    connect(AddAction(view, MainAction::First, "先頭へ(&T)"), &QAction::triggered, m_list,
            &CCardListView::SelectFirst);
    connect(AddAction(view, MainAction::Last, "末尾へ(&E)"), &QAction::triggered, m_list,
            &CCardListView::SelectLast);
    view->addSeparator();
    auto *styles = new QActionGroup(this);
    QAction *listMode = AddAction(view, MainAction::ListMode, "一覧表示(&L)");
    QAction *thumbMode = AddAction(view, MainAction::ThumbMode, "サムネイル表示(&H)");
    for (QAction *a : {listMode, thumbMode}) {
        a->setCheckable(true);
        styles->addAction(a);
    }
    listMode->setIcon(CToolIcons::Make(CToolIcons::ListMode));
    thumbMode->setIcon(CToolIcons::Make(CToolIcons::ThumbnailMode));
    connect(listMode, &QAction::triggered, this, [this] { SetListStyle(CCardListView::TableStyle); });
    connect(thumbMode, &QAction::triggered, this, [this] { SetListStyle(CCardListView::ThumbnailStyle); });
    view->addSeparator();
    AddAction(view, MainAction::CardImage, "名刺画像(&M)", {}, later)->setCheckable(true);
    AddAction(view, MainAction::PhotoImage, "人物画像(&P)", {}, later)->setCheckable(true);
    view->addSeparator();
    AddAction(view, MainAction::ZoomIn, "画像拡大(&Z)", {}, later);
    AddAction(view, MainAction::ZoomOut, "画像縮小(&O)", {}, later);
    AddAction(view, MainAction::ZoomFit, "画像全体表示(&A)", {}, later);
    AddAction(view, MainAction::Rotate, "画像回転(&R)", {}, later);
    view->addSeparator();
    QAction *editPane = AddAction(view, MainAction::EditPane, "詳細表示画面(&D)");
    editPane->setCheckable(true);
    connect(editPane, &QAction::toggled, this, &CMainFrame::ShowEditPane);
    QAction *imagePane = AddAction(view, MainAction::ImagePane, "画像表示画面(&I)");
    imagePane->setCheckable(true);
    connect(imagePane, &QAction::toggled, this, &CMainFrame::ShowImagePane);
    view->addSeparator();
    QAction *toolBar = AddAction(view, MainAction::ToolBar, "ツール バー(&B)");
    toolBar->setCheckable(true);
    QAction *statusBar = AddAction(view, MainAction::StatusBar, "ステータス バー(&S)");
    statusBar->setCheckable(true);
    connect(statusBar, &QAction::toggled, m_window->statusBar(), &QWidget::setVisible);
    view->addSeparator();
    connect(AddAction(view, MainAction::ResetView, "表示状態初期化"), &QAction::triggered, this, [this] {
        if (m_messages.Show(m_window, QString::fromUtf8("表示状態を初期化しますか？"), QString(),
                            QMessageBox::Question, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
            ResetViewState();
    });
    connect(view, &QMenu::aboutToShow, this, [this] {
        Action(MainAction::ToolBar)->setChecked(!m_toolBar->isHidden());
        Action(MainAction::StatusBar)->setChecked(!m_window->statusBar()->isHidden());
    });

    QMenu *tools = bar->addMenu(QString::fromUtf8("ツール(&T)"));
    QMenu *mail = tools->addMenu(QString::fromUtf8("メール(&M)"));
    AddAction(mail, MainAction::MailSend, "メール送信(&S)", {}, later);
    AddAction(mail, MainAction::MailTo, "メール送信(To)(&T)...", {}, later);
    AddAction(mail, MainAction::MailCc, "メール送信(Cc)(&C)...", {}, later);
    AddAction(mail, MainAction::MailBcc, "メール送信(Bcc)(&B)...", {}, later);
    connect(AddAction(tools, MainAction::MapSearch, "地図検索(&S)"), &QAction::triggered, this,
            &CMainFrame::OnMapSearch);
    connect(AddAction(tools, MainAction::ColumnOrder, "表示項目並び替え(&I)..."), &QAction::triggered, this,
            &CMainFrame::OnColumnOrder);
    tools->addSeparator();
    AddAction(tools, MainAction::Groups, "グループ名編集(&G)...", {}, later);
    AddAction(tools, MainAction::CheckList, "チェックリスト編集(&C)...", {}, later);
    tools->addSeparator();
    connect(AddAction(tools, MainAction::Duplicates, "重複名刺の検索(&D)..."), &QAction::triggered, this,
            [this] { CDuplicatesDlg(*m_store, m_messages, m_window).exec(); });
    connect(AddAction(tools, MainAction::Backup, "バックアップ(&B)"), &QAction::triggered, this,
            &CMainFrame::OnBackup);
    tools->addSeparator();
    AddAction(tools, MainAction::Options, "オプション(&O)...", {}, later);

    QMenu *help = bar->addMenu(QString::fromUtf8("ヘルプ(&H)"));
    connect(AddAction(help, MainAction::Help, "ヘルプ(&H)", QKeySequence(Qt::Key_F1)), &QAction::triggered,
            this, &CMainFrame::OnHelp);
    connect(AddAction(help, MainAction::About, "バージョン情報(&A)..."), &QAction::triggered, this,
            [this] { CAboutDlg(m_window).exec(); });

    // The list's pop-up menu: 削除, the four mail commands, エクスポート.
    auto *remove = new QAction(QString::fromUtf8("削除"), this);
    connect(remove, &QAction::triggered, m_list, &CCardListView::DeleteSelected);
    auto *exportSelected = new QAction(QString::fromUtf8("エクスポート"), this);
    connect(exportSelected, &QAction::triggered, this, [this] { OnExport(ExportSelectedTogether); });
    m_list->SetContextMenuActions({remove, Action(MainAction::MailSend), Action(MainAction::MailTo),
                                   Action(MainAction::MailCc), Action(MainAction::MailBcc), exportSelected});

    Action(MainAction::Open)->setIcon(CToolIcons::Make(CToolIcons::OpenFile));
    Action(MainAction::NewCard)->setIcon(CToolIcons::Make(CToolIcons::NewCard));
    Action(MainAction::Print)->setIcon(CToolIcons::Make(CToolIcons::Print));
    Action(MainAction::Search)->setIcon(CToolIcons::Make(CToolIcons::Search));
    Action(MainAction::MapSearch)->setIcon(CToolIcons::Make(CToolIcons::MapSearch));
    Action(MainAction::Backup)->setIcon(CToolIcons::Make(CToolIcons::Backup));
    Action(MainAction::Help)->setIcon(CToolIcons::Make(CToolIcons::Help));
    Action(MainAction::Phone)->setIcon(CToolIcons::Make(CToolIcons::Phone));
}

void CMainFrame::BuildToolBar()
{
    m_toolBar = new QToolBar(QString::fromUtf8("ツール バー"), m_window);
    m_toolBar->setObjectName(QStringLiteral("MainToolBar"));
    m_toolBar->setIconSize(QSize(24, 24));
    // Empty: a separator.
    static const std::optional<MainAction> items[] = {
        MainAction::Open,     MainAction::NewCard,   std::nullopt,      MainAction::Phone,
        std::nullopt,         MainAction::Search,    MainAction::Print, std::nullopt,
        MainAction::ListMode, MainAction::ThumbMode, std::nullopt,      MainAction::MapSearch,
        MainAction::Backup,   std::nullopt,          MainAction::Help};
    for (const std::optional<MainAction> &item : items) {
        if (item)
            m_toolBar->addAction(Action(*item));
        else
            m_toolBar->addSeparator();
    }
    static const Qt::ToolBarArea areas[] = {Qt::TopToolBarArea, Qt::BottomToolBarArea, Qt::LeftToolBarArea,
                                            Qt::RightToolBarArea};
    const int pos = m_settings.toolBarPos;
    m_window->addToolBar(pos >= 0 && pos < 4 ? areas[pos] : Qt::TopToolBarArea, m_toolBar);
    m_toolBar->setVisible(m_settings.showToolBar);
    QAction *toggle = Action(MainAction::ToolBar);
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
    Action(MainAction::Cut)->setEnabled(isEdit && hasSelection);
    Action(MainAction::Copy)->setEnabled(isEdit && hasSelection);
    Action(MainAction::Paste)->setEnabled(isEdit && clipboardText);
    Action(MainAction::SelectAll)->setEnabled(m_list->ItemCount() > 0);
}

void CMainFrame::OnClipboard(ClipboardOperation operation)
{
    const auto apply = [operation](auto *edit) {
        switch (operation) {
        case ClipboardOperation::Cut:
            edit->cut();
            break;
        case ClipboardOperation::Copy:
            edit->copy();
            break;
        case ClipboardOperation::Paste:
            edit->paste();
            break;
        }
    };
    // Only a focused text box takes part; in the card list these keys do nothing.
    QWidget *focus = QApplication::focusWidget();
    if (auto *line = qobject_cast<QLineEdit *>(focus))
        apply(line);
    else if (auto *text = qobject_cast<QTextEdit *>(focus))
        apply(text);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(focus))
        apply(plain);
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

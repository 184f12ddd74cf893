#include "CMainFrame.h"

#include "CBackup.h"
#include "CCardData.h"
#include "CCardEditView.h"
#include "CCardListModel.h"
#include "CCardListView.h"
#include "CCardStore.h"
#include "CDesktopOpener.h"
#include "CImageFrame.h"
#include "CPanePlaceholder.h"
#include "CSearchBar.h"
#include "CSettings.h"
#include "CTabView.h"
#include "CThumbnailCache.h"
#include "CWindowPlacement.h"
#include "IMessageBox.h"
#include "StoreError.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QProgressDialog>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int MinLeftWidth = 280;
constexpr int MinRightWidth = 100;
constexpr int MinEditHeight = 190;
constexpr int MinImageHeight = 100;
constexpr int DefaultLeftWidth = 455;
constexpr int DefaultEditHeight = 400;

QString FileFilter()
{
    return QString::fromUtf8("管理ファイル (*.ovd)");
}
} // namespace

CMainFrame::CMainFrame(QMainWindow *window, CSettings &settings, CCardStore &store, IMessageBox &messages)
    : QWidget(window), m_window(window), m_settings(settings), m_store(&store), m_messages(messages),
      m_open(&CDesktopOpener::Default)
{
    BuildPanes();
    BuildMenus();
    BuildToolBar();
    ApplySettings();
    FollowStore();
    Reload();
}

void CMainFrame::FollowStore()
{
    // The list follows the store itself; the frame keeps the tab strip, the
    // counts and the title in step with it.
    connect(m_store, &CCardStore::Reset, this, [this] {
        if (m_store->Path() != m_shownPath)
            Reload();
        else
            UpdateStatus();
    });
    connect(m_store, &CCardStore::GroupsChanged, this, [this] {
        const int position = m_tabs->Bar()->currentIndex();
        m_tabs->Rebuild(m_tabs->Row(), GroupNames());
        m_tabs->SelectPosition(position);
    });
    // An address added to or taken from a selected card changes what mail can do.
    connect(m_store, &CCardStore::CardReplaced, this, &CMainFrame::UpdateMailActions);
    auto *model = m_list->Model();
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model, signal, this, [this] { UpdateStatus(); });
    connect(model, &QAbstractItemModel::modelReset, this, [this] { UpdateStatus(); });
}

void CMainFrame::ShowStoreError(const QString &caption)
{
    m_messages.Show(m_window, StoreErrorText(m_store->LastError()), caption, QMessageBox::Warning);
}

CMainFrame::~CMainFrame() = default;

int CMainFrame::SearchBarHeight(int dpi)
{
    return dpi > 96 ? 76 * dpi / 96 : 76;
}

int CMainFrame::TabStripHeight(int dpi)
{
    return dpi > 96 ? 23 * dpi / 96 : 28;
}

void CMainFrame::BuildPanes()
{
    // A widget of the status bar, not a message: menus clear messages as they open.
    m_statusText = new QLabel;
    m_window->statusBar()->addWidget(m_statusText, 1);
    const int dpi = logicalDpiY();
    m_searchBar = new CSearchBar;
    m_searchBar->setFixedHeight(SearchBarHeight(dpi));
    m_tabs = new CTabView;
    m_list = new CCardListView(m_store, &m_messages);

    auto *left = new QWidget;
    left->setMinimumWidth(MinLeftWidth);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(0);
    leftLayout->addWidget(m_searchBar);
    leftLayout->addWidget(m_tabs);
    leftLayout->addWidget(m_list, 1);

    m_edit = new CPanePlaceholder(QString::fromUtf8("詳細表示画面"));
    m_edit->setMinimumHeight(MinEditHeight);
    m_image = new CPanePlaceholder(QString::fromUtf8("画像表示画面"));
    m_image->setMinimumHeight(MinImageHeight);
    m_right = new QSplitter(Qt::Vertical);
    m_right->addWidget(m_edit);
    m_right->addWidget(m_image);
    m_right->setChildrenCollapsible(false);
    m_right->setMinimumWidth(MinRightWidth);
    KeepEditHeightOnResize();

    m_columns = new QSplitter(Qt::Horizontal);
    m_columns->addWidget(left);
    m_columns->addWidget(m_right);
    m_columns->setChildrenCollapsible(false);
    m_columns->setStretchFactor(0, 0);
    m_columns->setStretchFactor(1, 1);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_columns);

    connect(m_right, &QSplitter::splitterMoved, this, [this] {
        if (m_edit->isVisible() && m_image->isVisible())
            m_editHeight = m_right->sizes().value(0, m_editHeight);
    });
    connect(m_columns, &QSplitter::splitterMoved, this,
            [this] { m_leftWidth = m_columns->sizes().value(0, m_leftWidth); });
    connect(m_tabs, &CTabView::RowChosen, this, &CMainFrame::OnRowChosen);
    connect(m_tabs, &CTabView::TabChanged, this, [this](int row, int tab) {
        m_list->SetTab(row, tab);
        UpdateStatus();
    });
    connect(m_list, &CCardListView::CurrentCardChanged, this, [this] { UpdateStatus(); });
    connect(m_list, &CCardListView::SelectionChanged, this, &CMainFrame::UpdateMailActions);
}

void CMainFrame::KeepEditHeightOnResize()
{
    // A taller or shorter window changes the image pane; the edit pane keeps the height chosen.
    m_right->setStretchFactor(0, 0);
    m_right->setStretchFactor(1, 1);
}

void CMainFrame::ApplySettings()
{
    m_list->SetColumnWidths(m_settings.listViewColumnWidth);
    m_list->SetColumnOrder(m_settings.columnOrder);
    m_list->SetThumbnailSize(
        QSize(m_settings.options.ThumbnailPixels(), m_settings.options.ThumbnailPixels()));
    SetListStyle(m_settings.listViewStyle);
    m_editHeight =
        m_settings.cardEditViewPaneHeight > 0 ? m_settings.cardEditViewPaneHeight : DefaultEditHeight;
    m_leftWidth = m_settings.listViewPaneWidth > 0 ? m_settings.listViewPaneWidth : DefaultLeftWidth;
    ShowEditPane(m_settings.showCardEditViewPane);
    ShowImagePane(m_settings.showCardImageViewPane);
}

void CMainFrame::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Splitter sizes mean something only once the window has its size.
    if (m_sizesPending) {
        m_sizesPending = false;
        ApplyPaneSizes();
        QTimer::singleShot(0, this, &CMainFrame::ApplyPaneSizes); // again once the layout has settled
    }
}

void CMainFrame::ApplyPaneSizes()
{
    const int left = qMax(m_leftWidth, MinLeftWidth);
    m_columns->setSizes({left, qMax(m_columns->width() - left - m_columns->handleWidth(), MinRightWidth)});
    ApplyRightSizes();
}

void CMainFrame::ApplyRightSizes()
{
    if (!m_edit->isHidden() && !m_image->isHidden()) {
        const int edit = qMax(m_editHeight, MinEditHeight);
        m_right->setSizes({edit, qMax(m_right->height() - edit - m_right->handleWidth(), MinImageHeight)});
    }
}

void CMainFrame::SaveState()
{
    // The sizes the user chose by dragging (or the restored ones), not what a relayout left.
    m_settings.listViewPaneWidth = m_leftWidth;
    m_settings.cardEditViewPaneHeight = m_editHeight;
    m_settings.showCardEditViewPane = !m_edit->isHidden();
    m_settings.showCardImageViewPane = !m_image->isHidden();
    m_settings.columnOrder = m_list->ColumnOrder();
    m_settings.listViewColumnWidth = m_list->ColumnWidths();
    m_settings.listViewStyle = m_list->CurrentStyle();
    m_settings.showToolBar = !m_toolBar->isHidden();
    if (m_imageFrame)
        m_settings.imageToolBarPos = m_imageFrame->ToolBarPos();
    switch (m_window->toolBarArea(m_toolBar)) {
    case Qt::BottomToolBarArea:
        m_settings.toolBarPos = 1;
        break;
    case Qt::LeftToolBarArea:
        m_settings.toolBarPos = 2;
        break;
    case Qt::RightToolBarArea:
        m_settings.toolBarPos = 3;
        break;
    default:
        m_settings.toolBarPos = 0;
    }
}

QStringList CMainFrame::GroupNames() const
{
    QStringList names;
    for (int g = 0; g < StoreSettings::GroupCount; ++g)
        names.append(m_store->GetGroupName(g));
    return names;
}

void CMainFrame::Reload()
{
    if (m_shownPath != m_store->Path()) {
        m_shownPath = m_store->Path();
        emit FileChanged(m_shownPath);
    }
    m_list->ThumbnailCache()->Reset();
    m_tabs->Rebuild(m_tabs->Row(), GroupNames());
    // Never shorter than the tab captions need, so Japanese text is not cut off.
    m_tabs->setFixedHeight(qMax(TabStripHeight(logicalDpiY()), m_tabs->Bar()->sizeHint().height() + 1));
    m_list->SetTab(m_tabs->Row(), m_tabs->StoreTab());
    if (m_editView) {
        m_editView->RefreshGroups();
        m_editView->RefreshCheckList();
    }
    UpdateStatus();
}

void CMainFrame::OnRowChosen(int row)
{
    m_tabs->Rebuild(row, GroupNames());
    m_list->SetTab(row, m_tabs->StoreTab());
    UpdateStatus();
}

void CMainFrame::UpdateStatus()
{
    m_statusText->setText(
        QString::fromUtf8("%1 件  (%2)").arg(m_list->ItemCount()).arg(QFileInfo(m_store->Path()).fileName()));
    const bool hasCards = m_list->ItemCount() > 0;
    for (MainAction key : {MainAction::SelectAll, MainAction::First, MainAction::Last})
        if (QAction *a = Action(key))
            a->setEnabled(hasCards);
    UpdateMailActions();
}

void CMainFrame::UpdateMailActions()
{
    if (!m_editView)
        return; // no mail before the panes are attached
    const QList<CCardData *> selected = m_list->SelectedCards();
    const bool any = std::any_of(selected.cbegin(), selected.cend(),
                                 [](const CCardData *card) { return !card->Mail(0).isEmpty(); });
    for (MainAction key : {MainAction::MailSend, MainAction::MailTo, MainAction::MailCc, MainAction::MailBcc})
        if (QAction *a = Action(key))
            a->setEnabled(any);
}

void CMainFrame::SetListStyle(int style)
{
    m_list->SetStyle(style);
    if (QAction *a = Action(MainAction::ListMode))
        a->setChecked(m_list->CurrentStyle() == CCardListView::TableStyle);
    if (QAction *a = Action(MainAction::ThumbMode))
        a->setChecked(m_list->CurrentStyle() == CCardListView::ThumbnailStyle);
}

void CMainFrame::ShowEditPane(bool show)
{
    m_edit->setVisible(show);
    if (show && !m_sizesPending)
        ApplyRightSizes();
    if (QAction *a = Action(MainAction::EditPane))
        a->setChecked(show);
}

void CMainFrame::ShowImagePane(bool show)
{
    m_image->setVisible(show);
    if (show && !m_sizesPending)
        ApplyRightSizes();
    if (QAction *a = Action(MainAction::ImagePane))
        a->setChecked(show);
}

bool CMainFrame::OpenFile(const QString &path)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The store takes the new file only when it opened; otherwise the old one stays on show.
    const bool ok = m_store->Open(path);
    QApplication::restoreOverrideCursor();
    if (!ok) {
        ShowStoreError(QString::fromUtf8("開く"));
        return false;
    }
    Reload();
    return true;
}

bool CMainFrame::CreateNewAt(const QString &path)
{
    if (!m_store->CreateNew(path)) {
        m_messages.Show(m_window,
                        QString::fromUtf8("管理ファイルの作成に失敗しました。\n") +
                            StoreErrorText(m_store->LastError()),
                        QString::fromUtf8("新規作成"), QMessageBox::Warning);
        return false;
    }
    Reload();
    return true;
}

void CMainFrame::OnOpen()
{
    m_list->setFocus();
    const QString path =
        QFileDialog::getOpenFileName(m_window, QString(), QFileInfo(m_store->Path()).path(), FileFilter());
    if (!path.isEmpty())
        OpenFile(path);
}

void CMainFrame::OnCreateNew()
{
    m_list->setFocus();
    for (;;) {
        QString path = QFileDialog::getSaveFileName(m_window, QString(), QFileInfo(m_store->Path()).path(),
                                                    FileFilter());
        if (path.isEmpty())
            return;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".ovd");
        if (QFileInfo::exists(path)) {
            const bool inUse = CBackup::IsSameFile(path, m_store->Path());
            const char *text =
                inUse ? "現在使用中の管理ファイルです。上書きしますか？\n\n上書きすると保存されているデータは"
                        "すべて削除されます。"
                      : "選択された管理ファイルに上書きしますか？\n\n上書きすると保存されているデータはすべて"
                        "削除されます。";
            const auto answer = m_messages.Show(m_window, QString::fromUtf8(text),
                                                QString::fromUtf8("ファイル上書き確認"), QMessageBox::Warning,
                                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            if (answer == QMessageBox::No)
                continue;
            if (answer != QMessageBox::Yes)
                return;
        }
        CreateNewAt(path);
        return;
    }
}

bool CMainFrame::BackupTo(const QString &target)
{
    const QString caption = QString::fromUtf8("バックアップ");
    if (CBackup::IsSameFile(target, m_store->Path())) {
        m_messages.Show(m_window, QString::fromUtf8("現在使用中の管理ファイルは指定できません。"), caption,
                        QMessageBox::Warning);
        return false;
    }
    QProgressDialog progress(QString::fromUtf8("画像をコピーしています..."), QString::fromUtf8("キャンセル"),
                             0, 1, m_window);
    progress.setWindowTitle(caption);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const bool ok = CBackup::Run(m_store->Path(), m_store->ImageFolder(), target, [&](int done, int total) {
        progress.setMaximum(qMax(total, 1));
        progress.setValue(done);
        return !progress.wasCanceled();
    });
    progress.close();
    m_window->raise();
    m_window->activateWindow();
    if (ok)
        m_messages.Show(m_window, QString::fromUtf8("バックアップしました。"), caption,
                        QMessageBox::Information);
    else
        m_messages.Show(m_window, QString::fromUtf8("バックアップを中断しました。"), caption,
                        QMessageBox::Warning);
    return ok;
}

void CMainFrame::OnBackup()
{
    const QString proposal = CBackup::ProposedName(m_store->Path(), QDateTime::currentDateTimeUtc().date());
    const QString target =
        QFileDialog::getSaveFileName(m_window, QString::fromUtf8("バックアップ"), proposal, FileFilter());
    if (!target.isEmpty())
        BackupTo(target);
}

void CMainFrame::ResetViewState()
{
    if (m_window->isMaximized())
        m_window->showNormal();
    m_window->removeToolBar(m_toolBar);
    m_window->addToolBar(Qt::TopToolBarArea, m_toolBar);
    m_toolBar->show();
    m_window->statusBar()->show();
    m_settings.mainWndPlacement = WindowPlacement();
    CWindowPlacement::Apply(*m_window, m_settings.mainWndPlacement);
    SetListStyle(CCardListView::TableStyle);
    m_list->ResetPresentation();
    ShowEditPane(true);
    ShowImagePane(true);
    if (m_imageFrame)
        m_imageFrame->ResetView();
    m_editHeight = DefaultEditHeight;
    m_leftWidth = DefaultLeftWidth;
    if (!m_sizesPending)
        ApplyPaneSizes();
    if (QAction *a = Action(MainAction::ToolBar))
        a->setChecked(true);
    if (QAction *a = Action(MainAction::StatusBar))
        a->setChecked(true);
}

CCardData *CMainFrame::NewCard()
{
    CCardData *card = m_store->AddCard(CCardData());
    if (!card) {
        ShowStoreError(QString::fromUtf8("新規名刺"));
        return nullptr;
    }
    ShowStoredCard(card);
    return card;
}

void CMainFrame::ShowStoredCard(CCardData *card)
{
    if (!card)
        return;
    if (m_list->Model()->ItemOf(card) < 0) {
        // A card that is not (or no longer) in the shown tab is still shown, in すべて.
        m_tabs->SelectPosition(0);
        m_list->SetTab(m_tabs->Row(), m_tabs->StoreTab());
    }
    m_list->SelectCard(card);
}

#include "CCardListView.h"

#include "CCardData.h"
#include "CCardListModel.h"
#include "CCardStore.h"
#include "CPrintCheckDelegate.h"
#include "CThumbnailCache.h"
#include "CThumbnailDelegate.h"
#include "IMessageBox.h"
#include "StoreError.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QList<int> DefaultWidths = {135, 165, 100, 180, 75, 150, 45};
}

CCardListView::DropImport CCardListView::ChooseDropImport(const QStringList &files)
{
    DropImport result;
    for (const QString &f : files)
        if (QFileInfo(f).suffix().compare(QStringLiteral("vcf"), Qt::CaseInsensitive) == 0)
            result.vcards.append(f);
    if (result.vcards.isEmpty() && files.size() == 1 &&
        QFileInfo(files[0]).suffix().compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0)
        result.csv = files[0];
    return result;
}

CCardListView::CCardListView(CCardStore *store, IMessageBox *messages, QWidget *parent)
    : QWidget(parent), m_store(store), m_messages(messages), m_model(new CCardListModel(this)),
      m_cache(new CThumbnailCache(this)), m_stack(new QStackedWidget(this)), m_table(new QTableView),
      m_thumbs(new QListView)
{
    m_model->SetStore(store);
    m_model->SetThumbnails(m_cache);

    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setShowGrid(true);
    m_table->setWordWrap(false);
    m_table->setTextElideMode(Qt::ElideRight);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->horizontalHeader()->setSectionsMovable(true);
    m_table->horizontalHeader()->setSectionsClickable(true);
    m_table->horizontalHeader()->setSortIndicatorShown(true);
    m_table->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    auto *check = new CPrintCheckDelegate(m_table);
    m_table->setItemDelegateForColumn(CCardListModel::ColPrint, check);
    connect(check, &CPrintCheckDelegate::ToggleRequested, this, &CCardListView::TogglePrint);
    SetColumnWidths(DefaultWidths);
    ApplyRowHeight();

    m_thumbs->setModel(m_model);
    m_thumbs->setSelectionModel(m_table->selectionModel());
    m_thumbs->setViewMode(QListView::IconMode);
    m_thumbs->setMovement(QListView::Static);
    m_thumbs->setResizeMode(QListView::Adjust);
    m_thumbs->setUniformItemSizes(true);
    m_thumbs->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_thumbs->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_thumbs->setSpacing(4);
    m_thumbs->setItemDelegate(new CThumbnailDelegate(m_cache->Size(), m_thumbs));
    m_thumbs->setContextMenuPolicy(Qt::CustomContextMenu);

    m_stack->addWidget(m_table);
    m_stack->addWidget(m_thumbs);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);
    setAcceptDrops(true);
    m_table->setAcceptDrops(true);
    m_thumbs->setAcceptDrops(true);
    m_table->viewport()->installEventFilter(this);
    m_thumbs->viewport()->installEventFilter(this);
    m_table->installEventFilter(this);
    m_thumbs->installEventFilter(this);

    connect(m_table->horizontalHeader(), &QHeaderView::sectionClicked, this, &CCardListView::OnHeaderClicked);
    connect(m_table->horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
            &CCardListView::OnHeaderMenu);
    connect(m_table, &QWidget::customContextMenuRequested, this, &CCardListView::OnItemMenu);
    connect(m_thumbs, &QWidget::customContextMenuRequested, this, &CCardListView::OnItemMenu);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { emit CurrentCardChanged(m_model->CardAt(current.row())); });
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CCardListView::SelectionChanged);

    // The model follows the store; the list keeps its place and its pictures in step.
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, &CCardListView::RememberPlace);
    connect(m_model, &QAbstractItemModel::modelReset, this, &CCardListView::RestorePlace);
    if (m_store) {
        connect(m_store, &CCardStore::AboutToReset, m_cache, &CThumbnailCache::Reset);
        connect(m_store, &CCardStore::CardAdded, this, &CCardListView::RefreshThumbnails);
        connect(m_store, &CCardStore::PicturesChanged, this, [this](CCardData *card) {
            m_cache->Forget(card->Id());
            RefreshThumbnails();
        });
        connect(m_store, &CCardStore::CardReplaced, this, [this](CCardData *card) {
            m_cache->Forget(card->Id()); // the picture may have turned
            RefreshThumbnails();
        });
    }
}

void CCardListView::RefreshThumbnails()
{
    if (m_style == ThumbnailStyle)
        m_cache->Prepare(m_store, m_model->Row(), m_model->Tab());
}

void CCardListView::RememberPlace()
{
    if (m_switchingTab)
        return;
    const CCardData *current = CurrentCard();
    m_keptCurrent = current ? current->Id() : QString();
    m_keptRow = m_table->selectionModel()->currentIndex().row();
    m_keptSelection.clear();
    for (const CCardData *card : SelectedCards())
        m_keptSelection << card->Id();
    m_keptScroll = ActiveView() == m_table ? m_table->verticalScrollBar()->value()
                                           : m_thumbs->verticalScrollBar()->value();
}

void CCardListView::RestorePlace()
{
    if (m_switchingTab)
        return;
    // Ids, not pointers: after a reread the cards are new objects.
    QModelIndex current;
    QItemSelection selection;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const QString id = m_model->CardAt(row)->Id();
        if (id == m_keptCurrent)
            current = m_model->index(row, 0);
        if (m_keptSelection.contains(id))
            selection.select(m_model->index(row, 0), m_model->index(row, CCardListModel::ColumnCount - 1));
    }
    if (!current.isValid() && m_model->rowCount() > 0 && m_keptRow >= 0)
        current = m_model->index(qMin(m_keptRow, m_model->rowCount() - 1), 0);
    if (current.isValid()) {
        m_table->selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
        if (selection.isEmpty())
            selection.select(current, m_model->index(current.row(), CCardListModel::ColumnCount - 1));
        m_table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    m_table->verticalScrollBar()->setValue(m_keptScroll);
    m_thumbs->verticalScrollBar()->setValue(m_keptScroll);
    RefreshThumbnails();
    // The reset itself says nothing to the selection's listeners.
    emit CurrentCardChanged(CurrentCard());
}

void CCardListView::TogglePrint(int item)
{
    if (!m_model->TogglePrint(item) && m_store)
        m_messages->Show(this, StoreErrorText(m_store->LastError()), QString::fromUtf8("印刷"),
                         QMessageBox::Warning);
}

CCardListView::~CCardListView() = default;

void CCardListView::ApplyRowHeight()
{
    // One line of the list font plus 4 pixels, never below 16.
    const QFontMetrics fm(m_table->font());
    int height = fm.height();
    height = height < 12 ? 16 : height + 4;
    m_table->verticalHeader()->setDefaultSectionSize(height);
    m_table->verticalHeader()->setMinimumSectionSize(height);
}

void CCardListView::SetTab(int row, int tab)
{
    m_switchingTab = true;
    m_model->SetTab(row, tab);
    m_switchingTab = false;
    if (m_style == ThumbnailStyle)
        m_cache->Prepare(m_store, row, tab);
    if (m_model->rowCount() > 0)
        m_table->selectionModel()->setCurrentIndex(m_model->index(0, 0), QItemSelectionModel::ClearAndSelect |
                                                                             QItemSelectionModel::Rows);
    else
        emit CurrentCardChanged(nullptr);
}

void CCardListView::SetStyle(int style)
{
    m_style = style == ThumbnailStyle ? ThumbnailStyle : TableStyle;
    m_model->SetShowPictures(m_style == ThumbnailStyle);
    RefreshThumbnails();
    m_stack->setCurrentIndex(m_style);
    const QModelIndex current = m_table->selectionModel()->currentIndex();
    if (current.isValid()) {
        m_table->scrollTo(current);
        m_thumbs->scrollTo(current);
    }
}

void CCardListView::SetThumbnailSize(QSize size)
{
    m_cache->SetSize(size);
    static_cast<CThumbnailDelegate *>(m_thumbs->itemDelegate())->SetThumbnailSize(size);
    m_thumbs->doItemsLayout();
    RefreshThumbnails();
}

QList<int> CCardListView::ColumnOrder() const
{
    QList<int> order;
    const QHeaderView *header = m_table->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual)
        order.append(header->logicalIndex(visual));
    return order;
}

void CCardListView::SetColumnOrder(const QList<int> &order)
{
    // Only a complete permutation of the columns is taken; anything else keeps the order.
    QList<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < CCardListModel::ColumnCount; ++i)
        if (sorted.size() != CCardListModel::ColumnCount || sorted[i] != i)
            return;
    QHeaderView *header = m_table->horizontalHeader();
    for (int visual = 0; visual < order.size(); ++visual)
        header->moveSection(header->visualIndex(order[visual]), visual);
}

QList<int> CCardListView::ColumnWidths() const
{
    QList<int> widths;
    for (int c = 0; c < CCardListModel::ColumnCount; ++c)
        widths.append(m_table->columnWidth(c));
    return widths;
}

void CCardListView::SetColumnWidths(const QList<int> &widths)
{
    for (int c = 0; c < CCardListModel::ColumnCount; ++c)
        m_table->setColumnWidth(c, c < widths.size() && widths[c] > 0 ? widths[c] : DefaultWidths[c]);
}

QStringList CCardListView::ColumnTitles() const
{
    QStringList titles;
    for (int c = 0; c < CCardListModel::ColumnCount; ++c)
        titles.append(m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
    return titles;
}

QList<CCardData *> CCardListView::CurrentSequence() const
{
    QList<CCardData *> cards;
    const int n = m_model->rowCount();
    cards.reserve(n);
    for (int i = 0; i < n; ++i)
        cards.append(m_model->CardAt(i));
    return cards;
}

QList<CCardData *> CCardListView::SelectedCards() const
{
    QList<int> rows;
    for (const QModelIndex &i : m_table->selectionModel()->selectedRows())
        rows.append(i.row());
    std::sort(rows.begin(), rows.end());
    QList<CCardData *> cards;
    for (int r : rows)
        if (CCardData *card = m_model->CardAt(r))
            cards.append(card);
    return cards;
}

CCardData *CCardListView::CurrentCard() const
{
    return m_model->CardAt(m_table->selectionModel()->currentIndex().row());
}

int CCardListView::ItemCount() const
{
    return m_model->rowCount();
}

void CCardListView::SelectCard(const CCardData *card)
{
    const int item = m_model->ItemOf(card);
    if (item < 0)
        return;
    const QModelIndex index = m_model->index(item, 0);
    m_table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                          QItemSelectionModel::Rows);
    m_table->scrollTo(index);
    m_thumbs->scrollTo(index);
}

void CCardListView::SelectAll()
{
    m_table->selectAll();
}

void CCardListView::SelectFirst()
{
    if (ItemCount() > 0)
        SelectCard(m_model->CardAt(0));
}

void CCardListView::SelectLast()
{
    if (ItemCount() > 0)
        SelectCard(m_model->CardAt(ItemCount() - 1));
}

int CCardListView::SetPrintAll(bool print)
{
    const int changed = m_model->SetPrintAll(print);
    if (changed < 0 && m_store)
        m_messages->Show(this, StoreErrorText(m_store->LastError()), QString::fromUtf8("印刷"),
                         QMessageBox::Warning);
    return changed;
}

void CCardListView::DeleteSelected()
{
    const QList<CCardData *> cards = SelectedCards();
    if (cards.isEmpty())
        return;
    if (m_messages->Show(this, QString::fromUtf8("データを削除してよろしいですか？"),
                         QString::fromUtf8("データ削除"), QMessageBox::Warning,
                         QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    const int firstRow = m_model->ItemOf(cards.first());
    // The store removes the cards with their pictures, or none of them.
    if (!m_store->DeleteCards(cards)) {
        m_messages->Show(this,
                         QString::fromUtf8("削除中にエラーが発生しました。\n") +
                             StoreErrorText(m_store->LastError()),
                         QString::fromUtf8("データ削除"), QMessageBox::Warning);
        return;
    }
    // The row that took the place of the first deleted one becomes the selected card.
    if (m_model->rowCount() > 0)
        SelectCard(m_model->CardAt(qBound(0, firstRow, m_model->rowCount() - 1)));
}

void CCardListView::ResetPresentation()
{
    SetStyle(TableStyle);
    SetColumnOrder({0, 1, 2, 3, 4, 5, 6});
    SetColumnWidths(DefaultWidths);
}

void CCardListView::SetContextMenuActions(const QList<QAction *> &actions)
{
    m_contextActions = actions;
}

QWidget *CCardListView::ActiveView() const
{
    return m_style == ThumbnailStyle ? static_cast<QWidget *>(m_thumbs) : m_table;
}

void CCardListView::OnHeaderClicked(int column)
{
    m_model->SortBy(column);
    m_table->horizontalHeader()->setSortIndicator(
        m_model->SortColumn(), m_model->Descending() ? Qt::DescendingOrder : Qt::AscendingOrder);
    const QModelIndex current = m_table->selectionModel()->currentIndex();
    if (current.isValid())
        m_table->scrollTo(current);
}

void CCardListView::OnHeaderMenu(const QPoint &pos)
{
    if (m_table->horizontalHeader()->logicalIndexAt(pos) != CCardListModel::ColPrint)
        return;
    QMenu menu(QString::fromUtf8("印刷チェック"), this);
    QAction *all = menu.addAction(QString::fromUtf8("すべてチェック"));
    QAction *none = menu.addAction(QString::fromUtf8("すべて解除"));
    QAction *chosen = menu.exec(m_table->horizontalHeader()->mapToGlobal(pos));
    if (chosen == all)
        SetPrintAll(true);
    else if (chosen == none)
        SetPrintAll(false);
}

void CCardListView::OnItemMenu(const QPoint &pos)
{
    auto *view = static_cast<QAbstractItemView *>(ActiveView());
    const QModelIndex index = view->indexAt(pos);
    if (!index.isValid() || !m_table->selectionModel()->isRowSelected(index.row()) ||
        m_contextActions.isEmpty())
        return;
    QMenu menu(this);
    menu.addActions(m_contextActions);
    menu.exec(view->viewport()->mapToGlobal(pos));
}

bool CCardListView::OnKey(QKeyEvent *event)
{
    if (event->modifiers() & ~Qt::KeypadModifier)
        return false;
    switch (event->key()) {
    case Qt::Key_Home:
    case Qt::Key_End: {
        // The first or last card, not the first or last column of the row.
        QScrollBar *sideways = m_table->horizontalScrollBar();
        const int keep = sideways->value();
        if (event->key() == Qt::Key_Home)
            SelectFirst();
        else
            SelectLast();
        sideways->setValue(keep);
        return true;
    }
    case Qt::Key_Delete:
        DeleteSelected();
        return true;
    default:
        return false;
    }
}

bool CCardListView::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_table || watched == m_thumbs) && event->type() == QEvent::KeyPress)
        return OnKey(static_cast<QKeyEvent *>(event)) || QWidget::eventFilter(watched, event);
    // The item views take drops for themselves; hand file drops to this widget.
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (drag->mimeData()->hasUrls()) {
            drag->acceptProposedAction();
            return true;
        }
    } else if (event->type() == QEvent::Drop) {
        dropEvent(static_cast<QDropEvent *>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CCardListView::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CCardListView::dropEvent(QDropEvent *event)
{
    QStringList files;
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    const DropImport import = ChooseDropImport(files);
    if (!import.vcards.isEmpty() || !import.csv.isEmpty()) {
        event->acceptProposedAction();
        emit ImportRequested(import.vcards, import.csv);
    }
}

#include "CDuplicatesDlg.h"

#include "CCardData.h"
#include "CCardStore.h"
#include "CDuplicateFinder.h"
#include "CDuplicateSearchWorker.h"
#include "CMergeCardsDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QTreeWidget *Table(const QStringList &headings, QWidget *parent)
{
    auto *table = new QTreeWidget(parent);
    table->setHeaderLabels(headings);
    table->setRootIsDecorated(false);
    table->setUniformRowHeights(true);
    table->setAlternatingRowColors(true);
    table->header()->setStretchLastSection(true);
    return table;
}

} // namespace

CDuplicatesDlg::CDuplicatesDlg(CCardStore &store, IMessageBox &messages, QWidget *parent)
    : QDialog(parent), m_store(store), m_messages(messages),
      m_runMerge([](CMergeCardsDlg &dialog) { return dialog.exec(); })
{
    setWindowTitle(QString::fromUtf8("重複名刺の検索"));
    auto *intro = new QLabel(QString::fromUtf8("同じ人のものと思われる名刺のグループです。"
                                               "名前（空白・全角半角の違いを除く）、同じ会社でのヨミ、"
                                               "電話番号またはE-mailが一致する名刺をまとめています。\n"
                                               "多くの人が共通に持つ番号やアドレス（代表番号など）は"
                                               "使いません。"),
                             this);
    intro->setWordWrap(true);
    m_status = new QLabel(this);
    m_groupList =
        Table({QString::fromUtf8("名前"), QString::fromUtf8("件数"), QString::fromUtf8("理由")}, this);
    m_groupList->header()->resizeSection(0, 180);
    m_groupList->header()->resizeSection(1, 50);
    m_cardList = Table({QString::fromUtf8("名前"), QString::fromUtf8("会社名"), QString::fromUtf8("部署名"),
                        QString::fromUtf8("役職"), QString::fromUtf8("電話番号"),
                        QString::fromUtf8("メールアドレス"), QString::fromUtf8("受領日/登録日")},
                       this);
    m_cardList->setSelectionMode(QAbstractItemView::NoSelection);
    const int widths[] = {140, 160, 120, 100, 120, 210};
    for (int column = 0; column < 6; ++column)
        m_cardList->header()->resizeSection(column, widths[column]);

    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(m_groupList);
    split->addWidget(m_cardList);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    split->setChildrenCollapsible(false);

    auto *buttons = new QDialogButtonBox(this);
    m_mergeButton = buttons->addButton(QString::fromUtf8("結合..."), QDialogButtonBox::ActionRole);
    auto *again = buttons->addButton(QString::fromUtf8("再検索"), QDialogButtonBox::ActionRole);
    buttons->addButton(QString::fromUtf8("閉じる"), QDialogButtonBox::RejectRole);
    connect(m_mergeButton, &QPushButton::clicked, this, &CDuplicatesDlg::MergeSelected);
    connect(again, &QPushButton::clicked, this, &CDuplicatesDlg::Changed);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDuplicatesDlg::reject);
    connect(m_groupList, &QTreeWidget::currentItemChanged, this, &CDuplicatesDlg::ShowCards);
    connect(m_groupList, &QTreeWidget::itemActivated, this, &CDuplicatesDlg::MergeSelected);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_status);
    layout->addWidget(split, 1);
    layout->addWidget(buttons);

    // Slots named by a search mean nothing once the store changed: the list
    // lets go of them at once and a new search follows.
    for (auto signal : {&CCardStore::CardAdded, &CCardStore::CardDeleted, &CCardStore::PicturesChanged})
        connect(&m_store, signal, this, &CDuplicatesDlg::Changed);
    connect(&m_store, &CCardStore::CardReplaced, this, &CDuplicatesDlg::Changed);
    connect(&m_store, &CCardStore::AboutToReset, this, &CDuplicatesDlg::Changed);
    connect(&m_store, &CCardStore::Reset, this, &CDuplicatesDlg::Changed);
    connect(&m_store, &CCardStore::GroupsChanged, this, &CDuplicatesDlg::ShowCards);

    resize(960, 640);
    Changed();
}

CDuplicatesDlg::~CDuplicatesDlg()
{
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
    }
}

QList<CCardData *> CDuplicatesDlg::CardsOf(int group) const
{
    QList<CCardData *> cards;
    if (group >= 0 && group < m_groups.size()) {
        for (int slot : m_groups[group].cardSlots)
            cards << m_store.CardAt(slot);
    }
    return cards;
}

void CDuplicatesDlg::Changed()
{
    ++m_generation;
    if (!m_groups.isEmpty())
        m_keepRow = std::max(0, m_groupList->indexOfTopLevelItem(m_groupList->currentItem()));
    m_groups.clear();
    // One search after a burst of changes (a merge replaces one card and deletes others).
    if (!m_searchPending) {
        m_searchPending = true;
        QMetaObject::invokeMethod(this, &CDuplicatesDlg::Search, Qt::QueuedConnection);
    }
    ShowGroups();
}

void CDuplicatesDlg::Search()
{
    m_searchPending = false;
    if (m_worker)
        return; // its result is stale: the search runs again when it arrives
    m_worker = new CDuplicateSearchWorker(CDuplicateFinder::Snapshot(m_store), m_generation);
    connect(m_worker, &CDuplicateSearchWorker::Found, this, &CDuplicatesDlg::OnFound, Qt::QueuedConnection);
    m_worker->start();
    ShowGroups();
}

void CDuplicatesDlg::OnFound(int generation, const QList<DuplicateGroup> &groups)
{
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    if (generation != m_generation) {
        Search();
        return;
    }
    m_groups = groups;
    ShowGroups();
    emit SearchFinished();
}

void CDuplicatesDlg::ShowGroups()
{
    m_groupList->clear();
    m_cardList->clear();
    if (m_worker || m_searchPending) {
        m_status->setText(QString::fromUtf8("検索中..."));
    } else if (m_groups.isEmpty()) {
        m_status->setText(QString::fromUtf8("重複している可能性のある名刺は見つかりませんでした。"));
    } else {
        qsizetype cards = 0;
        for (const DuplicateGroup &group : std::as_const(m_groups))
            cards += group.cardSlots.size();
        m_status->setText(QString::fromUtf8("%1 グループ（名刺 %2 件）").arg(m_groups.size()).arg(cards));
    }
    for (const DuplicateGroup &group : std::as_const(m_groups)) {
        auto *item = new QTreeWidgetItem(m_groupList);
        item->setText(0, m_store.CardAt(group.cardSlots.front())->Name());
        item->setText(1, QString::number(group.cardSlots.size()));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setText(2, group.ReasonsText());
        item->setToolTip(2, group.ReasonsText());
    }
    if (!m_groups.isEmpty())
        m_groupList->setCurrentItem(
            m_groupList->topLevelItem(std::min<int>(m_keepRow, int(m_groups.size()) - 1)));
    m_mergeButton->setEnabled(!m_groups.isEmpty());
}

void CDuplicatesDlg::ShowCards()
{
    m_cardList->clear();
    const int group = m_groupList->indexOfTopLevelItem(m_groupList->currentItem());
    for (const CCardData *card : CardsOf(group)) {
        auto *item = new QTreeWidgetItem(m_cardList);
        item->setText(0, card->Name());
        item->setText(1, card->Company());
        item->setText(2, card->Department());
        item->setText(3, card->Title());
        item->setText(4, card->Phone(0));
        item->setText(5, card->Mail(0));
        item->setText(6,
                      card->ReceivedDate().IsSet() ? card->ReceivedDateText() : card->RegisteredDateText());
    }
}

void CDuplicatesDlg::MergeSelected()
{
    const int group = m_groupList->indexOfTopLevelItem(m_groupList->currentItem());
    const QList<CCardData *> cards = CardsOf(group);
    if (cards.size() < 2)
        return;
    CMergeCardsDlg dialog(m_store, cards, m_messages, this);
    m_runMerge(dialog);
}

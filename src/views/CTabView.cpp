#include "CTabView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QTabBar>

CTabView::CTabView(QWidget *parent) : QWidget(parent), m_rowChoice(new QComboBox), m_bar(new QTabBar)
{
    m_rowChoice->addItems(
        {QString::fromUtf8("ヨミ"), QString::fromUtf8("会社名"), QString::fromUtf8("グループ")});
    m_rowChoice->setToolTip(QString::fromUtf8("一覧の分け方"));
    m_rowChoice->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_bar->setExpanding(false);
    m_bar->setUsesScrollButtons(true);
    m_bar->setDrawBase(false);
    m_bar->setElideMode(Qt::ElideNone);
    // The strip's height is set by the frame; the tabs take all of it.
    m_bar->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_rowChoice);
    layout->addWidget(m_bar, 1);
    connect(m_rowChoice, &QComboBox::activated, this, [this](int row) { emit RowChosen(row); });
    connect(m_bar, &QTabBar::currentChanged, this, [this](int) {
        if (!m_rebuilding)
            emit TabChanged(m_row, StoreTab());
    });
}

int CTabView::StoreTabOf(int position, int tabCount)
{
    if (tabCount <= 0)
        return 0;
    return position <= 0 ? tabCount - 1 : position - 1;
}

QStringList CTabView::Captions(int row, const QStringList &groupNames)
{
    QStringList captions{QString::fromUtf8("すべて")};
    if (row == 2) {
        captions += groupNames;
    } else {
        for (const char *c : {"あ", "か", "さ", "た", "な", "は", "ま", "や", "ら", "わ", "ABC", "他"})
            captions.append(QString::fromUtf8(c));
    }
    captions.append(QString::fromUtf8("検索結果"));
    return captions;
}

void CTabView::Rebuild(int row, const QStringList &groupNames)
{
    m_rebuilding = true;
    m_row = row;
    m_rowChoice->setCurrentIndex(row);
    while (m_bar->count() > 0)
        m_bar->removeTab(m_bar->count() - 1);
    for (const QString &caption : Captions(row, groupNames))
        m_bar->addTab(caption);
    m_bar->setCurrentIndex(0);
    m_rebuilding = false;
}

int CTabView::TabCount() const
{
    return m_bar->count();
}

int CTabView::StoreTab() const
{
    return StoreTabOf(m_bar->currentIndex(), m_bar->count());
}

void CTabView::SelectPosition(int position)
{
    m_bar->setCurrentIndex(position);
}

#include "CPrintItemEditDlg.h"

#include "OkCancelButtons.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

int ItemOf(const QListWidgetItem *row)
{
    return row->data(Qt::UserRole).toInt();
}

} // namespace

CPrintItemEditDlg::CPrintItemEditDlg(const QStringList &captions, const QList<int> &chosen, QWidget *parent)
    : QDialog(parent), m_captions(captions), m_left(new QListWidget), m_right(new QListWidget)
{
    setWindowTitle(QString::fromUtf8("項目編集"));
    static const char *const texts[ButtonCount] = {"すべて追加 >>", "追加 ->", "<- 削除",
                                                   "<< すべて削除", "上へ",    "下へ"};
    auto *middle = new QVBoxLayout;
    middle->addStretch();
    for (int b = 0; b < ButtonCount; ++b) {
        m_buttons[b] = new QPushButton(QString::fromUtf8(texts[b]));
        m_buttons[b]->setAutoDefault(false);
        middle->addWidget(m_buttons[b]);
        if (b == RemoveAll)
            middle->addSpacing(16);
    }
    middle->addStretch();
    connect(m_buttons[AddAll], &QPushButton::clicked, this, &CPrintItemEditDlg::OnAddAll);
    connect(m_buttons[Add], &QPushButton::clicked, this, &CPrintItemEditDlg::OnAdd);
    connect(m_buttons[Remove], &QPushButton::clicked, this, &CPrintItemEditDlg::OnRemove);
    connect(m_buttons[RemoveAll], &QPushButton::clicked, this, &CPrintItemEditDlg::OnRemoveAll);
    connect(m_buttons[Up], &QPushButton::clicked, this, [this] { Move(-1); });
    connect(m_buttons[Down], &QPushButton::clicked, this, [this] { Move(1); });
    connect(m_left, &QListWidget::itemDoubleClicked, this, &CPrintItemEditDlg::OnAdd);
    connect(m_right, &QListWidget::itemDoubleClicked, this, &CPrintItemEditDlg::OnRemove);
    connect(m_left, &QListWidget::currentRowChanged, this, &CPrintItemEditDlg::UpdateButtons);
    connect(m_right, &QListWidget::currentRowChanged, this, &CPrintItemEditDlg::UpdateButtons);

    for (int item : chosen) {
        auto *row = new QListWidgetItem(m_captions.value(item), m_right);
        row->setData(Qt::UserRole, item);
    }
    FillLeft(chosen);

    const int listWidth = fontMetrics().horizontalAdvance(QString::fromUtf8("メールアドレス種別５")) + 40;
    for (QListWidget *list : {m_left, m_right}) {
        list->setMinimumSize(listWidth, 300);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
    }
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QString::fromUtf8("印刷しない項目")), 0, 0);
    grid->addWidget(new QLabel(QString::fromUtf8("印刷する項目")), 0, 2);
    grid->addWidget(m_left, 1, 0);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(m_right, 1, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(OkCancelButtons(this));
    UpdateButtons();
}

QList<int> CPrintItemEditDlg::Chosen() const
{
    QList<int> items;
    for (int i = 0; i < m_right->count(); ++i)
        items << ItemOf(m_right->item(i));
    return items;
}

void CPrintItemEditDlg::FillLeft(const QList<int> &excluded)
{
    const int keep = m_left->currentRow();
    m_left->clear();
    for (int item = 0; item < m_captions.size(); ++item) {
        if (excluded.contains(item))
            continue;
        auto *row = new QListWidgetItem(m_captions[item], m_left);
        row->setData(Qt::UserRole, item);
    }
    if (m_left->count() > 0 && keep >= 0)
        m_left->setCurrentRow(qMin(keep, m_left->count() - 1));
}

int CPrintItemEditDlg::InsertRow() const
{
    const int row = m_right->currentRow();
    return row >= 0 ? row : 0;
}

void CPrintItemEditDlg::AddItems(const QList<int> &items)
{
    // The selected right item stays selected, so items added one after
    // another keep the order they were added in.
    QListWidgetItem *selected = m_right->currentItem();
    int at = InsertRow();
    for (int item : items) {
        auto *row = new QListWidgetItem(m_captions.value(item));
        row->setData(Qt::UserRole, item);
        m_right->insertItem(at++, row);
    }
    if (selected)
        m_right->setCurrentItem(selected);
    FillLeft(Chosen());
    UpdateButtons();
}

void CPrintItemEditDlg::OnAddAll()
{
    QList<int> items;
    for (int i = 0; i < m_left->count(); ++i)
        items << ItemOf(m_left->item(i));
    AddItems(items);
}

void CPrintItemEditDlg::OnAdd()
{
    if (QListWidgetItem *row = m_left->currentItem())
        AddItems({ItemOf(row)});
}

void CPrintItemEditDlg::OnRemove()
{
    const int row = m_right->currentRow();
    if (row < 0)
        return;
    delete m_right->takeItem(row);
    if (m_right->count() > 0)
        m_right->setCurrentRow(qMin(row, m_right->count() - 1));
    FillLeft(Chosen());
    UpdateButtons();
}

void CPrintItemEditDlg::OnRemoveAll()
{
    m_right->clear();
    FillLeft({});
    UpdateButtons();
}

void CPrintItemEditDlg::Move(int by)
{
    const int row = m_right->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= m_right->count())
        return;
    QListWidgetItem *item = m_right->takeItem(row);
    m_right->insertItem(to, item);
    m_right->setCurrentRow(to);
    UpdateButtons();
}

void CPrintItemEditDlg::UpdateButtons()
{
    const int row = m_right->currentRow();
    m_buttons[AddAll]->setEnabled(m_left->count() > 0);
    m_buttons[Add]->setEnabled(m_left->currentRow() >= 0);
    m_buttons[Remove]->setEnabled(row >= 0);
    m_buttons[RemoveAll]->setEnabled(m_right->count() > 0);
    m_buttons[Up]->setEnabled(row > 0);
    m_buttons[Down]->setEnabled(row >= 0 && row < m_right->count() - 1);
}

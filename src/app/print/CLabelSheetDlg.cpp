#include "CLabelSheetDlg.h"

#include "OkCancelButtons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString Millimetres(int tenths)
{
    return tenths % 10 == 0 ? QString::number(tenths / 10) : QString::number(tenths / 10.0, 'f', 1);
}

QStringList RowTexts(const LabelSheet &s)
{
    return {s.brand,
            s.part,
            s.description,
            QStringLiteral("%1 × %2 mm").arg(Millimetres(s.labelWidth), Millimetres(s.labelHeight)),
            QStringLiteral("%1 × %2").arg(s.columns).arg(s.rows),
            s.paperName};
}

} // namespace

CLabelSheetDlg::CLabelSheetDlg(const QList<LabelSheet> &sheets, QWidget *parent)
    : QDialog(parent), m_sheets(sheets), m_search(new QLineEdit), m_table(new QTableWidget)
{
    setWindowTitle(QString::fromUtf8("用紙を選ぶ"));
    m_search->setPlaceholderText(
        QString::fromUtf8("メーカー・品番・説明で絞り込み (例: Hisago ELM, Avery, 名刺)"));
    m_search->setClearButtonEnabled(true);
    auto *searchLabel = new QLabel(QString::fromUtf8("検索:"));
    searchLabel->setBuddy(m_search);

    const QStringList headings = {QString::fromUtf8("メーカー"), QString::fromUtf8("品番"),
                                  QString::fromUtf8("説明"),     QString::fromUtf8("ラベルの大きさ"),
                                  QString::fromUtf8("列 × 行"),  QString::fromUtf8("用紙")};
    m_table->setColumnCount(int(headings.size()));
    m_table->setHorizontalHeaderLabels(headings);
    m_table->setRowCount(int(m_sheets.size()));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->setWordWrap(false);
    for (int row = 0; row < m_sheets.size(); ++row) {
        const QStringList texts = RowTexts(m_sheets[row]);
        for (int column = 0; column < texts.size(); ++column)
            m_table->setItem(row, column, new QTableWidgetItem(texts[column]));
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    connect(m_search, &QLineEdit::textChanged, this, &CLabelSheetDlg::Filter);
    m_search->installEventFilter(this);
    // Enter straight after typing takes the first sheet found.
    connect(m_search, &QLineEdit::returnPressed, this, [this] {
        if (m_table->selectedItems().isEmpty() && FirstShownRow() >= 0)
            m_table->selectRow(FirstShownRow());
    });
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &CLabelSheetDlg::accept);

    auto *buttons = OkCancelButtons(this);
    QAbstractButton *ok = buttons->buttons().value(0);
    auto updateOk = [this, ok] { ok->setEnabled(!m_table->selectedItems().isEmpty()); };
    connect(m_table, &QTableWidget::itemSelectionChanged, this, updateOk);
    updateOk();

    auto *note =
        new QLabel(QString::fromUtf8("選んだ用紙の列・行・大きさ・間隔・余白がタックシールの設定に入ります。"
                                     "名前を付けて［保存］すると次から選べます。"));
    note->setWordWrap(true);
    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(m_search, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(m_table, 1);
    layout->addWidget(note);
    layout->addWidget(buttons);
    resize(820, 520);
    m_search->setFocus();
}

int CLabelSheetDlg::ShownCount() const
{
    int shown = 0;
    for (int row = 0; row < m_table->rowCount(); ++row)
        shown += m_table->isRowHidden(row) ? 0 : 1;
    return shown;
}

void CLabelSheetDlg::Filter(const QString &text)
{
    const QStringList words = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int row = 0; row < m_sheets.size(); ++row) {
        const QString all = RowTexts(m_sheets[row]).join(QLatin1Char(' '));
        const bool match = std::all_of(words.cbegin(), words.cend(), [&all](const QString &w) {
            return all.contains(w, Qt::CaseInsensitive);
        });
        m_table->setRowHidden(row, !match);
    }
}

std::optional<LabelSheet> CLabelSheetDlg::Chosen() const
{
    return m_chosen;
}

int CLabelSheetDlg::FirstShownRow() const
{
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (!m_table->isRowHidden(row))
            return row;
    }
    return -1;
}

bool CLabelSheetDlg::eventFilter(QObject *watched, QEvent *event)
{
    // From the search box, ↓ goes into the list at its first sheet.
    if (watched == m_search && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Down && FirstShownRow() >= 0) {
        m_table->setFocus();
        m_table->selectRow(FirstShownRow());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CLabelSheetDlg::accept()
{
    const QList<QTableWidgetItem *> selected = m_table->selectedItems();
    const int row = selected.isEmpty() ? -1 : selected.first()->row();
    if (row < 0 || m_table->isRowHidden(row))
        return;
    m_chosen = m_sheets.value(row);
    QDialog::accept();
}

#include "CImportMappingDlg.h"

#include "IMessageBox.h"
#include "ImportMapping.h"
#include "MappingFileChoice.h"
#include "OkCancelButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const char *const Caption = "インポート";
constexpr int MaxTextColumnWidth = 220;
constexpr int MaxToolTipLength = 500;
} // namespace

CImportMappingDlg::CImportMappingDlg(const QStringList &first, const QStringList &second, bool hasSecond,
                                     const CheckListItems &checks, IMessageBox &messages,
                                     PathChooser choosePath, QWidget *parent)
    : QDialog(parent), m_checks(checks), m_offered(ImportMapping::OfferedItems(checks)), m_messages(messages),
      m_choosePath(std::move(choosePath)), m_table(new QTableWidget(int(first.size()), 4, this)),
      m_header(new QCheckBox(QString::fromUtf8("1行目は\n項目名とする"), this))
{
    setWindowTitle(QString::fromUtf8(Caption));
    m_table->setHorizontalHeaderLabels(
        {QString(), QString::fromUtf8("1行目"), QString::fromUtf8("2行目"), QString::fromUtf8("種別")});
    m_table->verticalHeader()->hide();
    for (int row = 0; row < first.size(); ++row) {
        auto *tick = new QTableWidgetItem;
        tick->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        m_table->setItem(row, 0, tick);
        for (int column = 1; column <= 2; ++column) {
            auto *text = new QTableWidgetItem(column == 1 ? first[row] : second.value(row));
            text->setFlags(Qt::ItemIsEnabled);
            text->setToolTip(text->text().left(MaxToolTipLength));
            m_table->setItem(row, column, text);
        }
        auto *choice = new QComboBox(m_table);
        for (int id : m_offered)
            choice->addItem(CsvItem::Name(id, m_checks), id);
        m_table->setCellWidget(row, 3, choice);
    }
    // A column of a file that is not really CSV can hold one enormous cell: the text columns
    // are cut to a usable width (the whole text is in the tool tip), so 種別 stays in view.
    m_table->setWordWrap(false);
    m_table->setTextElideMode(Qt::ElideRight);
    m_table->resizeColumnsToContents();
    for (int column = 1; column <= 2; ++column)
        m_table->setColumnWidth(column, qMin(m_table->columnWidth(column), MaxTextColumnWidth));
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    Apply(ImportMapping::PrepareColumns(first, checks), hasSecond);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    auto *row = new QHBoxLayout;
    row->addWidget(m_header);
    row->addStretch();
    for (const bool save : {true, false}) {
        auto *button = new QPushButton(QString::fromUtf8(save ? "設定保存" : "設定読込"), this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, save] { save ? SaveSettings() : LoadSettings(); });
        row->addWidget(button);
    }
    layout->addLayout(row);
    layout->addWidget(OkCancelButtons(this));
    resize(640, 420);
}

QComboBox *CImportMappingDlg::ItemChoice(int column) const
{
    return qobject_cast<QComboBox *>(m_table->cellWidget(column, 3));
}

void CImportMappingDlg::Apply(const QList<MappingEntry> &entries, bool firstRowIsHeader)
{
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const MappingEntry entry = entries.value(row);
        const bool ticked = row < entries.size() && entry.flag == 1 && entry.itemId >= 0;
        m_table->item(row, 0)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
        const int at = ItemChoice(row)->findData(entry.itemId);
        if (at >= 0)
            ItemChoice(row)->setCurrentIndex(at);
    }
    m_header->setChecked(firstRowIsHeader);
}

QList<MappingEntry> CImportMappingDlg::Columns() const
{
    QList<MappingEntry> columns;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        MappingEntry entry;
        entry.itemId = ItemChoice(row)->currentData().toInt();
        entry.flag = m_table->item(row, 0)->checkState() == Qt::Checked ? 1 : 0;
        columns.append(entry);
    }
    return columns;
}

bool CImportMappingDlg::FirstRowIsHeader() const
{
    return m_header->isChecked();
}

void CImportMappingDlg::SaveSettings()
{
    SaveChosenMapping(this, m_messages, QString::fromUtf8(Caption), m_choosePath, Columns(),
                      FirstRowIsHeader());
}

void CImportMappingDlg::LoadSettings()
{
    QList<MappingEntry> entries;
    bool header = true;
    if (LoadChosenMapping(this, m_messages, QString::fromUtf8(Caption), m_choosePath, entries, header))
        Apply(entries, header);
}

void CImportMappingDlg::accept()
{
    QString message;
    if (!ImportMapping::ValidateImportMapping(Columns(), m_checks, &message)) {
        m_messages.Show(this, message, QString::fromUtf8(Caption), QMessageBox::Warning);
        return; // the dialog stays open
    }
    QDialog::accept();
}

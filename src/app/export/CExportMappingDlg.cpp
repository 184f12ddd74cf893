#include "CExportMappingDlg.h"

#include "CardExporter.h"
#include "IMessageBox.h"
#include "MappingFileChoice.h"
#include "OkCancelButtons.h"
#include "ShowUserMessage.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int EmptyColumn = -1;
// How an empty column is listed; its heading in the file stays empty.
const char *const EmptyColumnText = "（空列）";
} // namespace

CExportMappingDlg::CExportMappingDlg(const ExportMapping &start, const CheckListItems &checks,
                                     IMessageBox &messages, PathChooser choosePath, QWidget *parent)
    : QDialog(parent), m_checks(checks), m_messages(messages), m_choosePath(std::move(choosePath)),
      m_unused(new QListWidget(this)), m_used(new QListWidget(this)),
      m_header(new QCheckBox(QString::fromUtf8("1行目は\n項目名とする"), this))
{
    setWindowTitle(QString::fromUtf8("エクスポート項目設定"));
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QString::fromUtf8("エクスポートしない項目"), this), 0, 0);
    grid->addWidget(new QLabel(QString::fromUtf8("エクスポートする項目"), this), 0, 2);
    grid->addWidget(m_unused, 1, 0);
    grid->addWidget(m_used, 1, 2);

    const auto button = [this](const char *text, auto slot) {
        auto *b = new QPushButton(QString::fromUtf8(text), this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto *middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(button("追加 >>", [this] { AddChosen(); }));
    middle->addWidget(button("空列 >>", [this] { AddEmptyColumn(); }));
    middle->addWidget(button("<< 削除", [this] { RemoveChosen(); }));
    middle->addStretch();
    grid->addLayout(middle, 1, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(button("▲", [this] { Move(-1); }));
    right->addWidget(button("▼", [this] { Move(1); }));
    right->addStretch();
    right->addWidget(button("設定保存", [this] { SaveSettings(); }));
    right->addWidget(button("設定読込", [this] { LoadSettings(); }));
    right->addWidget(m_header);
    grid->addLayout(right, 1, 3);
    auto *buttons = OkCancelButtons(this);
    grid->addWidget(buttons, 2, 0, 1, 4);
    Show(start);
    resize(560, 420);
}

void CExportMappingDlg::AddItem(QListWidget *list, int row, int id)
{
    auto *item = new QListWidgetItem(id == EmptyColumn ? QString::fromUtf8(EmptyColumnText)
                                                       : CsvItem::Name(id, m_checks));
    item->setData(Qt::UserRole, id);
    list->insertItem(row < 0 ? list->count() : row, item);
}

void CExportMappingDlg::Show(const ExportMapping &mapping)
{
    m_unused->clear();
    m_used->clear();
    for (int id : mapping.columns)
        AddItem(m_used, -1, id);
    // The items not exported, in item-id order.
    for (int id = 0; id < CsvItem::Count(m_checks); ++id)
        if (!mapping.columns.contains(id))
            AddItem(m_unused, -1, id);
    m_header->setChecked(mapping.firstRowIsHeader);
}

ExportMapping CExportMappingDlg::Mapping() const
{
    ExportMapping mapping;
    for (int row = 0; row < m_used->count(); ++row)
        mapping.columns.append(m_used->item(row)->data(Qt::UserRole).toInt());
    mapping.firstRowIsHeader = m_header->isChecked();
    return mapping;
}

void CExportMappingDlg::AddChosen()
{
    const int from = m_unused->currentRow();
    if (from < 0)
        return;
    const int id = m_unused->item(from)->data(Qt::UserRole).toInt();
    delete m_unused->takeItem(from);
    // At the chosen column, or at the end.
    const int at = m_used->currentRow();
    AddItem(m_used, at, id);
    m_used->setCurrentRow(at < 0 ? m_used->count() - 1 : at);
}

void CExportMappingDlg::AddEmptyColumn()
{
    const int at = m_used->currentRow();
    AddItem(m_used, at, EmptyColumn);
    m_used->setCurrentRow(at < 0 ? m_used->count() - 1 : at);
}

void CExportMappingDlg::RemoveChosen()
{
    const int row = m_used->currentRow();
    if (row < 0)
        return;
    const int id = m_used->item(row)->data(Qt::UserRole).toInt();
    delete m_used->takeItem(row);
    if (id == EmptyColumn)
        return;
    // Back among the unused items, in item-id order.
    int at = 0;
    while (at < m_unused->count() && m_unused->item(at)->data(Qt::UserRole).toInt() < id)
        ++at;
    AddItem(m_unused, at, id);
}

void CExportMappingDlg::Move(int step)
{
    const int row = m_used->currentRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= m_used->count())
        return;
    m_used->insertItem(to, m_used->takeItem(row));
    m_used->setCurrentRow(to);
}

void CExportMappingDlg::SaveSettings()
{
    const ExportMapping mapping = Mapping();
    SaveChosenMapping(this, m_messages, QString::fromUtf8("エクスポート"), m_choosePath, mapping.ToEntries(),
                      mapping.firstRowIsHeader);
}

void CExportMappingDlg::LoadSettings()
{
    QList<MappingEntry> entries;
    bool header = true;
    if (LoadChosenMapping(this, m_messages, QString::fromUtf8("エクスポート"), m_choosePath, entries, header))
        Show(ExportMapping::FromEntries(entries, header));
}

void CExportMappingDlg::accept()
{
    if (m_used->count() == 0) {
        ShowUserMessage(m_messages, this, CardExporter::NoColumnsMessage());
        return; // the dialog stays open
    }
    QDialog::accept();
}

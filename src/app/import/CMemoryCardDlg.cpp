#include "CMemoryCardDlg.h"

#include "CMemoryCard.h"
#include "OkCancelButtons.h"
#include "ShowUserMessage.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

CMemoryCardDlg::CMemoryCardDlg(const QStringList &folders, IMessageBox &messages, QWidget *parent)
    : QDialog(parent), m_messages(messages), m_list(new QListWidget(this))
{
    setWindowTitle(QString::fromUtf8("メモリーカード"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8("フォルダを選択してください。"), this));
    m_list->addItems(folders);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(m_list);
    auto *buttons = OkCancelButtons(this);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CMemoryCardDlg::accept);
    layout->addWidget(buttons);
    resize(480, 240);
}

void CMemoryCardDlg::accept()
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty()) {
        ShowUserMessage(m_messages, this, CMemoryCard::SelectFolderMessage());
        return; // the dialog stays open
    }
    m_chosen = m_list->row(selected.first());
    QDialog::accept();
}

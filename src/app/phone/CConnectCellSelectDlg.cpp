#include "CConnectCellSelectDlg.h"

#include "IMessageBox.h"
#include "OkCancelButtons.h"
#include "PhoneTexts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

CConnectCellSelectDlg::CConnectCellSelectDlg(const QStringList &portNames, IMessageBox &messages,
                                             QWidget *parent)
    : QDialog(parent), m_messages(messages), m_list(new QListWidget(this))
{
    setWindowTitle(PhoneTexts::Caption());
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8("接続するポートを選択してください"), this));
    m_list->addItems(portNames);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(m_list);
    layout->addWidget(OkCancelButtons(this));
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CConnectCellSelectDlg::accept);
    resize(420, 220);
}

void CConnectCellSelectDlg::accept()
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty()) {
        m_messages.Show(this, QString::fromUtf8("接続するポートを選択してください\n"), PhoneTexts::Caption(),
                        QMessageBox::Warning);
        return;
    }
    m_chosen = m_list->row(selected.first());
    QDialog::accept();
}

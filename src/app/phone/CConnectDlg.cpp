#include "CConnectDlg.h"

#include "CConnectDoc.h"
#include "CConnectTreeView.h"
#include "CDlgSplitter.h"
#include "PhoneTexts.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

CConnectDlg::CConnectDlg(CConnectDoc &doc, QWidget *parent)
    : QDialog(parent), m_splitter(new CDlgSplitter(this))
{
    setWindowTitle(PhoneTexts::Caption());
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    CConnectListView *list = m_splitter->List();
    m_splitter->Tree()->SetFolderName(doc.Session().DocumentsFolderName());
    m_splitter->FitTree();
    list->SetEntries(&doc.Entries(), &doc.Present());

    auto *buttons = new QHBoxLayout;
    auto add = [&](const char *text) {
        auto *button = new QPushButton(QString::fromUtf8(text), this);
        button->setAutoDefault(false);
        m_buttons.append(button);
        buttons->addWidget(button);
        return button;
    };
    const struct
    {
        const char *text;
        CConnectListView::Command command;
    } commands[] = {{"ｲﾝﾎﾟｰﾄ", CConnectListView::Import},
                    {"ｺﾋﾟｰ", CConnectListView::Copy},
                    {"移動", CConnectListView::Move},
                    {"削除", CConnectListView::Delete}};
    for (const auto &c : commands) {
        const CConnectListView::Command command = c.command;
        connect(add(c.text), &QPushButton::clicked, list, [list, command] { list->RunCommand(command); });
    }
    buttons->addSpacing(16);
    connect(add("全選択"), &QPushButton::clicked, list, &QTreeWidget::selectAll);
    buttons->addStretch();
    connect(add("終了"), &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_splitter, 1);
    connect(list, &CConnectListView::CommandRequested, this, &CConnectDlg::CommandRequested);
    resize(620, 380);
}

CConnectListView *CConnectDlg::List() const
{
    return m_splitter->List();
}

QPushButton *CConnectDlg::Button(const QString &text) const
{
    for (QPushButton *button : m_buttons)
        if (button->text() == text)
            return button;
    return nullptr;
}

void CConnectDlg::OnItemChanged(PhoneItemChange change, int entry)
{
    if (change == PhoneItemChange::Moved || change == PhoneItemChange::Deleted)
        List()->RemoveEntry(entry);
}

#include "CConnectConfDlg.h"

#include "OkCancelButtons.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

CConnectConfDlg::CConnectConfDlg(const QString &operationName, QWidget *parent)
    : QDialog(parent), m_dontShow(new QCheckBox(QString::fromUtf8("以後表示しない"), this))
{
    const QString title = QString::fromUtf8("接続確認");
    setWindowTitle(operationName.isEmpty() ? title : title + QStringLiteral(" - ") + operationName);
    auto *icon = new QLabel(this);
    icon->setPixmap(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    auto *text = new QLabel(
        QString::fromUtf8("携帯電話からデータを読み込みます。\n\n"
                          "-携帯電話とPCをUSBケーブルで接続し、携帯電話を待ち受け状態にしてください。\n"
                          "-携帯電話からデータ読み込み中は着信できません。\n"
                          "-接続開始時に携帯電話の操作、あるいは暗証番号の入力が必要になる場合があります。"),
        this);
    auto *top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(8);
    top->addWidget(text, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addWidget(m_dontShow);
    QDialogButtonBox *buttons = OkCancelButtons(this);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // Enter goes on with the connection; the box is only ticked on purpose.
    for (QAbstractButton *button : buttons->buttons()) {
        auto *push = qobject_cast<QPushButton *>(button);
        if (push && buttons->buttonRole(button) == QDialogButtonBox::AcceptRole) {
            push->setDefault(true);
            push->setFocus();
        }
    }
    connect(m_dontShow, &QCheckBox::toggled, this, &CConnectConfDlg::DontShowToggled);
}

bool CConnectConfDlg::DontShowAgain() const
{
    return m_dontShow->isChecked();
}

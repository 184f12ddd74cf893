#include "CConnectPassDlg.h"

#include "IMessageBox.h"
#include "OkCancelButtons.h"
#include "PhoneTexts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

CConnectPassDlg::CConnectPassDlg(IMessageBox &messages, QWidget *parent)
    : QDialog(parent), m_messages(messages), m_edit(new QLineEdit(this))
{
    setWindowTitle(PhoneTexts::Caption());
    m_edit->setMaxLength(4);
    m_edit->setEchoMode(QLineEdit::Password);
    m_edit->setInputMethodHints(Qt::ImhDigitsOnly);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8("認証パスワードを入力してください"), this));
    layout->addWidget(m_edit);
    layout->addWidget(OkCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_edit->setFocus();
}

QString CConnectPassDlg::Password() const
{
    return m_edit->text();
}

bool CConnectPassDlg::IsValid(const QString &password)
{
    // Only the ASCII digits: full-width or other scripts' digits are no password the phone knows.
    return password.size() == 4 && std::all_of(password.begin(), password.end(), [](QChar c) {
               return c >= QLatin1Char('0') && c <= QLatin1Char('9');
           });
}

void CConnectPassDlg::accept()
{
    if (!IsValid(Password())) {
        m_messages.Show(this, QString::fromUtf8("4桁の数字を入力してください。"),
                        QString::fromUtf8("認証パスワード"), QMessageBox::Warning);
        return;
    }
    QDialog::accept();
}

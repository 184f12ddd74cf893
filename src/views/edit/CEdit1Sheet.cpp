#include "CEdit1Sheet.h"

#include "CEditKindList.h"
#include "CardKinds.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
QStringList PhoneKindNames()
{
    QStringList names;
    for (int k = 0; k < PhoneKindCount; ++k)
        names << PhoneKindLabel(quint32(k));
    return names;
}

QStringList MailKindNames()
{
    QStringList names;
    for (int k = 0; k < MailKindCount; ++k)
        names << MailKindLabel(quint32(k));
    return names;
}
} // namespace

CEdit1Sheet::CEdit1Sheet(IMessageBox *messages, QWidget *parent)
    : QWidget(parent), m_grid(new QGridLayout(this))
{
    // Label, box, label, box, and the ヨミ button at the end of the reading row.
    QGridLayout *grid = m_grid;
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    auto addRow = [&](int row, int column, const QString &label, QLabel **labelOut, int span = 1) {
        auto *edit = new QLineEdit(this);
        edit->setMinimumWidth(MinBoxWidth);
        auto *text = new QLabel(label, this);
        text->setBuddy(edit);
        grid->addWidget(text, row, column * 2);
        grid->addWidget(edit, row, column * 2 + 1, 1, span);
        if (labelOut)
            *labelOut = text;
        return edit;
    };
    // The whole name and its reading share the first row; the parts take two rows.
    name = addRow(0, 0, QStringLiteral("名前"), &nameLabel);
    yomiName = addRow(0, 1, QStringLiteral("ヨミ/名前"), &yomiNameLabel);
    lastName = addRow(1, 0, QStringLiteral("名前/姓"), &lastNameLabel);
    firstName = addRow(1, 1, QStringLiteral("名前/名"), &firstNameLabel, 2);
    yomiLastName = addRow(2, 0, QStringLiteral("ヨミ/姓"), &yomiLastNameLabel);
    yomiFirstName = addRow(2, 1, QStringLiteral("ヨミ/名"), &yomiFirstNameLabel);
    yomiButton = new QPushButton(QStringLiteral("ヨミ"), this);
    yomiButton->setAutoDefault(false);
    company = addRow(3, 0, QStringLiteral("会社名"), nullptr);
    companyYomi = addRow(3, 1, QStringLiteral("ヨミ/会社名"), nullptr, 2);
    department = addRow(4, 0, QStringLiteral("部署名"), nullptr);
    title = addRow(4, 1, QStringLiteral("役職"), nullptr, 2);
    for (QLineEdit *e : {name, yomiName})
        e->setMaxLength(64);
    for (QLineEdit *e :
         {lastName, firstName, yomiLastName, yomiFirstName, company, companyYomi, department, title})
        e->setMaxLength(32);

    phones = new CEditKindList(QStringLiteral("電話番号"), PhoneKindNames(),
                               QStringLiteral("電話番号を削除しますか？"), false, messages, this);
    mails = new CEditKindList(QStringLiteral("E-mail"), MailKindNames(),
                              QStringLiteral("E-mailアドレスを削除しますか？"), true, messages, this);
    grid->addWidget(phones, 5, 0, 1, 5);
    grid->addWidget(mails, 6, 0, 1, 5);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(5, 1);
    grid->setRowStretch(6, 1);
    SetSeparateName(false);
}

void CEdit1Sheet::SetSeparateName(bool separate)
{
    for (QWidget *w : {static_cast<QWidget *>(nameLabel), static_cast<QWidget *>(name),
                       static_cast<QWidget *>(yomiNameLabel), static_cast<QWidget *>(yomiName)})
        w->setVisible(!separate);
    for (QWidget *w : {static_cast<QWidget *>(lastNameLabel), static_cast<QWidget *>(lastName),
                       static_cast<QWidget *>(firstNameLabel), static_cast<QWidget *>(firstName),
                       static_cast<QWidget *>(yomiLastNameLabel), static_cast<QWidget *>(yomiLastName),
                       static_cast<QWidget *>(yomiFirstNameLabel), static_cast<QWidget *>(yomiFirstName)})
        w->setVisible(separate);
    // The button stays at the end of whichever row holds the readings.
    m_grid->addWidget(yomiButton, separate ? 2 : 0, 4);
}

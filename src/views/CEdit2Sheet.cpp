#include "CEdit2Sheet.h"

#include "CEditDateBox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <tuple>
#include <utility>

CEdit2Sheet::CEdit2Sheet(QWidget *parent) : QWidget(parent)
{
    auto *grid = new QGridLayout(this);
    int row = 0;
    auto addLabel = [&](const QString &text, QWidget *buddy) {
        auto *label = new QLabel(text, this);
        label->setBuddy(buddy);
        grid->addWidget(label, row, 0);
        return label;
    };
    auto addEdit = [&](const QString &text, int maxLength) {
        auto *edit = new QLineEdit(this);
        edit->setMaxLength(maxLength);
        QLabel *label = addLabel(text, edit);
        grid->addWidget(edit, row++, 1);
        return std::make_pair(edit, label);
    };

    group = new QComboBox(this);
    groupEdit = new QPushButton(QStringLiteral("グループ名編集"), this);
    groupEdit->setAutoDefault(false);
    addLabel(QStringLiteral("グループ"), group);
    auto *groupRow = new QHBoxLayout;
    groupRow->addWidget(group, 1);
    groupRow->addWidget(groupEdit);
    grid->addLayout(groupRow, row++, 1);

    zipCode = addEdit(QStringLiteral("郵便番号"), 20).first;
    std::tie(address, addressLabel) = addEdit(QStringLiteral("住所"), 288);
    const std::pair<QLineEdit **, const char *> parts[] = {{&country, "国"},
                                                           {&prefecture, "都道府県"},
                                                           {&city, "市町村"},
                                                           {&street, "番地"},
                                                           {&addressExtra, "付加情報"}};
    for (const auto &[edit, text] : parts) {
        auto made = addEdit(QString::fromUtf8(text), edit == &country ? 32 : 64);
        *edit = made.first;
        addressPartLabels << made.second;
    }

    url = new QLineEdit(this);
    url->setMaxLength(1024);
    connectButton = new QPushButton(QStringLiteral("接続"), this);
    connectButton->setAutoDefault(false);
    addLabel(QStringLiteral("ホームページ"), url);
    auto *urlRow = new QHBoxLayout;
    urlRow->addWidget(url, 1);
    urlRow->addWidget(connectButton);
    grid->addLayout(urlRow, row++, 1);

    memo = new QPlainTextEdit(this);
    memo->setTabChangesFocus(true);
    addLabel(QStringLiteral("メモ"), memo);
    grid->addWidget(memo, row++, 1);

    birthday = new CEditDateBox(this);
    addLabel(QStringLiteral("誕生日"), birthday);
    grid->addWidget(birthday, row++, 1);
    receivedDate = new CEditDateBox(this);
    addLabel(QStringLiteral("受領日"), receivedDate);
    grid->addWidget(receivedDate, row++, 1);
    registeredDate = new QLabel(this);
    addLabel(QStringLiteral("登録日"), registeredDate);
    grid->addWidget(registeredDate, row++, 1);
    updatedDate = new QLabel(this);
    addLabel(QStringLiteral("更新日"), updatedDate);
    grid->addWidget(updatedDate, row++, 1);
    grid->setColumnStretch(1, 1);
}

void CEdit2Sheet::SetSeparateAddress(bool separate)
{
    address->setVisible(!separate);
    addressLabel->setVisible(!separate);
    for (QLineEdit *part : {country, prefecture, city, street, addressExtra})
        part->setVisible(separate);
    for (QLabel *label : addressPartLabels)
        label->setVisible(separate);
}

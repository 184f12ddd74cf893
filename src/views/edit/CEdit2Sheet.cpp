#include "CEdit2Sheet.h"

#include "CEditDateBox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <tuple>
#include <utility>

CEdit2Sheet::CEdit2Sheet(QWidget *parent) : QWidget(parent)
{
    // Label, field, label, field: short fields share a row so the memo keeps its lines.
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    auto addLabel = [&](const QString &text, QWidget *buddy, int row, int column) {
        auto *label = new QLabel(text, this);
        label->setBuddy(buddy);
        grid->addWidget(label, row, column);
        return label;
    };
    auto addEdit = [&](const QString &text, int maxLength, int row, int column, int span) {
        auto *edit = new QLineEdit(this);
        edit->setMaxLength(maxLength);
        edit->setMinimumWidth(MinBoxWidth);
        QLabel *label = addLabel(text, edit, row, column);
        grid->addWidget(edit, row, column + 1, 1, span);
        return std::make_pair(edit, label);
    };
    auto addRowLayout = [&](QWidget *field, QPushButton *button, int row) {
        auto *line = new QHBoxLayout;
        line->addWidget(field, 1);
        line->addWidget(button);
        grid->addLayout(line, row, 1, 1, 3);
    };

    group = new QComboBox(this);
    groupEdit = new QPushButton(QStringLiteral("グループ名編集"), this);
    groupEdit->setAutoDefault(false);
    addLabel(QStringLiteral("グループ"), group, 0, 0);
    addRowLayout(group, groupEdit, 0);

    zipCode = addEdit(QStringLiteral("郵便番号"), 20, 1, 0, 1).first;
    std::tie(address, addressLabel) = addEdit(QStringLiteral("住所"), 288, 2, 0, 3);
    const struct
    {
        QLineEdit **edit;
        const char *text;
        int row, column, span;
    } parts[] = {{&country, "国", 3, 0, 1},
                 {&prefecture, "都道府県", 3, 2, 1},
                 {&city, "市町村", 4, 0, 1},
                 {&street, "番地", 4, 2, 1},
                 {&addressExtra, "付加情報", 5, 0, 3}};
    for (const auto &part : parts) {
        auto made = addEdit(QString::fromUtf8(part.text), part.edit == &country ? 32 : 64, part.row,
                            part.column, part.span);
        *part.edit = made.first;
        addressPartLabels << made.second;
    }

    url = new QLineEdit(this);
    url->setMaxLength(1024);
    connectButton = new QPushButton(QStringLiteral("接続"), this);
    connectButton->setAutoDefault(false);
    addLabel(QStringLiteral("ホームページ"), url, 6, 0);
    addRowLayout(url, connectButton, 6);

    memo = new QPlainTextEdit(this);
    memo->setTabChangesFocus(true);
    // Never fewer than a few lines: the page scrolls instead.
    memo->setMinimumHeight(memo->fontMetrics().lineSpacing() * MinMemoLines + 2 * memo->frameWidth() +
                           int(2 * memo->document()->documentMargin()));
    addLabel(QStringLiteral("メモ"), memo, 7, 0)->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(memo, 7, 1, 1, 3);

    birthday = new CEditDateBox(this);
    addLabel(QStringLiteral("誕生日"), birthday, 8, 0);
    grid->addWidget(birthday, 8, 1);
    receivedDate = new CEditDateBox(this);
    addLabel(QStringLiteral("受領日"), receivedDate, 8, 2);
    grid->addWidget(receivedDate, 8, 3);
    registeredDate = new QLabel(this);
    addLabel(QStringLiteral("登録日"), registeredDate, 9, 0);
    grid->addWidget(registeredDate, 9, 1);
    updatedDate = new QLabel(this);
    addLabel(QStringLiteral("更新日"), updatedDate, 9, 2);
    grid->addWidget(updatedDate, 9, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(7, 1);
    SetSeparateAddress(false);
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

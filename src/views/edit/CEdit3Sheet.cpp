#include "CEdit3Sheet.h"

#include "CEditAttachList.h"
#include "CardKinds.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CEdit3Sheet::CEdit3Sheet(QWidget *parent) : QWidget(parent)
{
    auto *grid = new QGridLayout(this);
    checkList = new QListWidget(this);
    checkEdit = new QPushButton(QStringLiteral("編集"), this);
    auto *checkLabel = new QLabel(QStringLiteral("チェックリスト"), this);
    checkLabel->setBuddy(checkList);
    grid->addWidget(checkLabel, 0, 0);
    grid->addWidget(checkEdit, 0, 1, Qt::AlignRight);
    grid->addWidget(checkList, 1, 0, 1, 2);

    importance = new QComboBox(this);
    for (int i = 0; i < ImportanceCount; ++i)
        importance->addItem(ImportanceLabel(i));
    auto *importanceLabel = new QLabel(QStringLiteral("重要度"), this);
    importanceLabel->setBuddy(importance);
    grid->addWidget(importanceLabel, 2, 0);
    grid->addWidget(importance, 2, 1);

    attachments = new CEditAttachList(this);
    attach = new QPushButton(QStringLiteral("添付"), this);
    attachDelete = new QPushButton(QStringLiteral("削除"), this);
    auto *attachLabel = new QLabel(QStringLiteral("添付ファイル"), this);
    attachLabel->setBuddy(attachments);
    auto *attachButtons = new QHBoxLayout;
    attachButtons->addStretch();
    attachButtons->addWidget(attach);
    attachButtons->addWidget(attachDelete);
    grid->addWidget(attachLabel, 3, 0);
    grid->addLayout(attachButtons, 3, 1);
    grid->addWidget(attachments, 4, 0, 1, 2);
    for (QPushButton *b : {checkEdit, attach, attachDelete})
        b->setAutoDefault(false);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setVerticalSpacing(4);
    // A few rows of each list always show; the page scrolls below that.
    for (QListWidget *list : {checkList, static_cast<QListWidget *>(attachments)})
        list->setMinimumHeight(list->fontMetrics().height() * 3 + 16);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    grid->setRowStretch(4, 1);
}

#include "CFileOverwriteConfDlg.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

QString CFileOverwriteConfDlg::Text(const QString &path)
{
    return QString::fromUtf8("%1 は既に存在します。\n上書きしますか？").arg(QFileInfo(path).fileName());
}

CFileOverwriteConfDlg::CFileOverwriteConfDlg(const QString &path, bool batch, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QString::fromUtf8("上書確認"));
    auto *icon = new QLabel;
    icon->setPixmap(QApplication::style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    auto *text = new QLabel(Text(path));
    auto *top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(text, 1);
    auto *row = new QHBoxLayout;
    row->addStretch();
    auto add = [&](const char *caption, Answer answer) {
        auto *button = new QPushButton(QString::fromUtf8(caption));
        connect(button, &QPushButton::clicked, this, [this, answer] {
            m_answer = answer;
            answer == Cancel ? reject() : accept();
        });
        row->addWidget(button);
        m_buttons.append(button);
    };
    add("はい", Yes);
    if (batch)
        add("すべて上書き", YesToAll);
    add("いいえ", No);
    if (batch)
        add("キャンセル", Cancel);
    m_buttons.first()->setDefault(true);
    row->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize); // sized to the text
    if (parent)
        move(parent->geometry().center() - QPoint(sizeHint().width() / 2, sizeHint().height() / 2));
}

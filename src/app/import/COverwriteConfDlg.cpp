#include "COverwriteConfDlg.h"

#include "OverwriteConfText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

COverwriteConfDlg::COverwriteConfDlg(const CCardData &stored, const CCardData &incoming,
                                     const QString &sourceName, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(OverwriteConfText::Caption(sourceName));
    auto *layout = new QVBoxLayout(this);

    auto *questionRow = new QHBoxLayout;
    auto *icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    questionRow->addWidget(icon, 0, Qt::AlignTop);
    auto *question = new QLabel(OverwriteConfText::Question(), this);
    question->setWordWrap(true);
    questionRow->addWidget(question, 1);
    layout->addLayout(questionRow);

    auto *panes = new QGridLayout;
    panes->addWidget(new QLabel(OverwriteConfText::CurrentHeading(), this), 0, 0);
    panes->addWidget(new QLabel(OverwriteConfText::NewHeading(), this), 0, 1);
    m_panes[0] = MakePane(stored, incoming);
    m_panes[1] = MakePane(incoming, stored);
    panes->addWidget(m_panes[0], 1, 0);
    panes->addWidget(m_panes[1], 1, 1);
    layout->addLayout(panes);

    const struct
    {
        const char *text;
        OverwriteAnswer answer;
    } choices[] = {{"上書き", AnswerOverwrite}, {"全て上書き", AnswerOverwriteAll},
                   {"新規登録", AnswerAdd},     {"全て新規登録", AnswerAddAll},
                   {"スキップ", AnswerSkip},    {"全てスキップ", AnswerSkipAll}};
    auto *buttons = new QGridLayout;
    int column = 0;
    for (const auto &choice : choices) {
        auto *button = new QPushButton(QString::fromUtf8(choice.text), this);
        button->setAutoDefault(false);
        const OverwriteAnswer answer = choice.answer;
        connect(button, &QPushButton::clicked, this, [this, answer] {
            m_answer = answer;
            accept();
        });
        // The single answers above, their "for all" forms below.
        buttons->addWidget(button, column % 2, column / 2);
        ++column;
    }
    layout->addLayout(buttons);
    resize(560, 320);
}

QTextEdit *COverwriteConfDlg::MakePane(const CCardData &card, const CCardData &other)
{
    auto *pane = new QTextEdit;
    pane->setReadOnly(true);
    pane->setLineWrapMode(QTextEdit::NoWrap);
    QTextCursor cursor(pane->document());
    QTextCharFormat plain;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bool first = true;
    for (const OverwriteConfText::Line &line : OverwriteConfText::Pane(card, other)) {
        if (!first)
            cursor.insertBlock();
        first = false;
        cursor.insertText(line.lead, plain);
        cursor.insertText(line.kind, line.kindBold ? bold : plain);
        cursor.insertText(line.number, line.numberBold ? bold : plain);
    }
    return pane;
}

#include "CPrintPreviewOperator.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

CPrintPreviewOperator::CPrintPreviewOperator(QWidget *parent) : QWidget(parent)
{
    static const char *const texts[CommandCount] = {
        "印刷", "プリンタの設定", "閉じる", "ヘルプ", "<<", "<", ">", ">>", "拡大", "縮小"};
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    for (int c = 0; c < CommandCount; ++c) {
        m_buttons[c] = new QPushButton(QString::fromUtf8(texts[c]));
        m_buttons[c]->setAutoDefault(false);
        connect(m_buttons[c], &QPushButton::clicked, this, [this, c] { emit Triggered(Command(c)); });
    }
    // Page turning buttons need little room.
    for (Command c : {FirstPage, PreviousPage, NextPage, LastPage})
        m_buttons[c]->setMinimumWidth(m_buttons[c]->fontMetrics().horizontalAdvance(QStringLiteral("<<")) +
                                      24);
    for (Command c : {FirstPage, PreviousPage, NextPage, LastPage})
        m_buttons[c]->setMaximumWidth(m_buttons[c]->minimumWidth());

    m_page = new QLabel;
    m_last = new QLabel;
    for (QLabel *label : {m_page, m_last}) {
        label->setFrameShape(QFrame::StyledPanel);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    }

    for (Command c : {Print, PrinterSetup, Close, Help})
        layout->addWidget(m_buttons[c]);
    layout->addSpacing(16);
    layout->addWidget(m_buttons[FirstPage]);
    layout->addWidget(m_buttons[PreviousPage]);
    layout->addWidget(m_page);
    layout->addWidget(new QLabel(QStringLiteral(" / ")));
    layout->addWidget(m_last);
    layout->addWidget(m_buttons[NextPage]);
    layout->addWidget(m_buttons[LastPage]);
    layout->addSpacing(16);
    layout->addWidget(m_buttons[ZoomIn]);
    layout->addWidget(m_buttons[ZoomOut]);
    layout->addStretch();
}

void CPrintPreviewOperator::Update(int page, int first, int last, int zoom, int maxZoom)
{
    constexpr int shown = 1; // pages shown at once
    m_page->setText(QString::number(page));
    m_last->setText(QString::number(last));
    m_buttons[FirstPage]->setEnabled(page != first);
    m_buttons[PreviousPage]->setEnabled(page > first);
    m_buttons[NextPage]->setEnabled(page + shown - 1 < last);
    m_buttons[LastPage]->setEnabled(page != last);
    m_buttons[ZoomIn]->setEnabled(zoom != maxZoom);
    m_buttons[ZoomOut]->setEnabled(zoom != 0);
}

QString CPrintPreviewOperator::PageText() const
{
    return m_page->text();
}

QString CPrintPreviewOperator::LastPageText() const
{
    return m_last->text();
}

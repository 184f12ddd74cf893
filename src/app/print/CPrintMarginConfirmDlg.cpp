#include "CPrintMarginConfirmDlg.h"

#include "PrintTexts.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

CPrintMarginConfirmDlg::CPrintMarginConfirmDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(PrintTexts::Caption());
    auto *icon = new QLabel;
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(size, size));
    icon->setAlignment(Qt::AlignTop);
    auto *text = new QLabel(Text());
    text->setWordWrap(true);
    // Wide enough that the sentence breaks once or twice, not at every word.
    text->setMinimumWidth(text->fontMetrics().averageCharWidth() * 48);

    auto *buttons = new QDialogButtonBox;
    m_fix = buttons->addButton(QString::fromUtf8("修正"), QDialogButtonBox::AcceptRole);
    m_ignore = buttons->addButton(QString::fromUtf8("無視"), QDialogButtonBox::RejectRole);
    m_fix->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(8);
    top->addWidget(text, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CPrintMarginConfirmDlg::Text()
{
    return QString::fromUtf8(
        "余白が印刷できない領域に設定されています。余白の設定を適切な値に設定するには［修正］"
        "ボタンをクリックしてください。");
}

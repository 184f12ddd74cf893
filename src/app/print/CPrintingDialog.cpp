#include "CPrintingDialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CPrintingDialog::CPrintingDialog(const QString &document, const QString &printer, const QString &port,
                                 QWidget *parent)
    : QDialog(parent), m_page(new QLabel), m_cancel(new QPushButton(QString::fromUtf8("キャンセル")))
{
    setWindowTitle(QString::fromUtf8("印刷中"));
    auto *heading = new QLabel(QString::fromUtf8("印刷中"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    auto value = [](const QString &text) {
        auto *label = new QLabel(text);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return label;
    };
    form->addRow(QString::fromUtf8("ドキュメント :"), value(document));
    form->addRow(QString::fromUtf8("ページ :"), m_page);
    form->addRow(QString::fromUtf8("プリンタ :"), value(printer));
    form->addRow(QString::fromUtf8("ポート :"), value(port));
    m_cancel->setDefault(true);
    connect(m_cancel, &QPushButton::clicked, this, &CPrintingDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
    setMinimumWidth(360);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void CPrintingDialog::ShowPage(int page)
{
    m_page->setText(QString::number(unsigned(page)));
    emit PageShown(page);
}

QString CPrintingDialog::PageText() const
{
    return m_page->text();
}

void CPrintingDialog::reject()
{
    if (m_cancelled)
        return;
    m_cancelled = true;
    m_cancel->setEnabled(false);
    emit CancelRequested();
}

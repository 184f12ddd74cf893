#include "CPrintSetListPage.h"

#include "CLengthEdit.h"
#include "CPrint.h"
#include "CPrintItemEditDlg.h"
#include "CPrintItemWidthSetView.h"
#include "CPrintPreviewWnd.h"
#include "PrintSettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QStringList Captions(const CPrint &print)
{
    QStringList captions;
    for (const CPrint::CPrintItem &item : print.Items)
        captions << item.Caption;
    return captions;
}

// "上 [10.0] mm"
QWidget *MillimetreRow(const char *label, CLengthEdit *field)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *caption = new QLabel(QString::fromUtf8(label));
    caption->setBuddy(field);
    layout->addWidget(caption);
    layout->addWidget(field);
    layout->addWidget(new QLabel(QStringLiteral("mm")));
    layout->addStretch();
    return row;
}

} // namespace

CPrintSetListPage::CPrintSetListPage(CPrint &print, const QList<CCardData *> &cards, QWidget *parent)
    : QWidget(parent), m_print(print), m_cards(cards)
{
    // ヘッダ and フッタ: three texts each, left, centre and right.
    auto *texts = new QGroupBox(QString::fromUtf8("ヘッダ / フッタ"));
    auto *textGrid = new QGridLayout(texts);
    static const char *const sides[3] = {"左", "中央", "右"};
    for (int i = 0; i < 3; ++i) {
        auto *heading = new QLabel(QString::fromUtf8(sides[i]));
        heading->setAlignment(Qt::AlignCenter);
        textGrid->addWidget(heading, 0, i + 1);
        m_header[i] = new QLineEdit;
        m_footer[i] = new QLineEdit;
        textGrid->addWidget(m_header[i], 1, i + 1);
        textGrid->addWidget(m_footer[i], 2, i + 1);
        connect(m_header[i], &QLineEdit::textEdited, this,
                [this, i](const QString &text) { m_print.ListHeader[i] = text; });
        connect(m_footer[i], &QLineEdit::textEdited, this,
                [this, i](const QString &text) { m_print.ListFooter[i] = text; });
    }
    textGrid->addWidget(new QLabel(QString::fromUtf8("ヘッダ")), 1, 0);
    textGrid->addWidget(new QLabel(QString::fromUtf8("フッタ")), 2, 0);

    // 項目幅の調整: the strip and 自動調整.
    auto *widths = new QGroupBox(QString::fromUtf8("項目幅の調整"));
    auto *widthLayout = new QVBoxLayout(widths);
    m_strip = new CPrintItemWidthSetView(m_print, m_cards);
    m_strip->setMinimumHeight(140);
    m_autoFit = new QPushButton(QString::fromUtf8("自動調整"));
    m_autoFit->setAutoDefault(false);
    auto *widthButtons = new QHBoxLayout;
    auto *hint = new QLabel(QString::fromUtf8("列の右端の線をドラッグすると幅を変えられます。"));
    hint->setForegroundRole(QPalette::PlaceholderText);
    widthButtons->addWidget(hint, 1);
    widthButtons->addWidget(m_autoFit);
    widthLayout->addWidget(m_strip, 1);
    widthLayout->addLayout(widthButtons);
    connect(m_autoFit, &QPushButton::clicked, this, &CPrintSetListPage::AutoFit);
    connect(m_strip, &CPrintItemWidthSetView::WidthsChanged, this, &CPrintSetListPage::LayoutChanged);

    // 余白.
    auto *margins = new QGroupBox(QString::fromUtf8("余白"));
    auto *marginGrid = new QGridLayout(margins);
    static const char *const names[4] = {"左", "上", "右", "下"};
    for (int side = 0; side < 4; ++side) {
        m_margins[side] = new CLengthEdit;
        connect(m_margins[side], &CLengthEdit::ValueEdited, this, [this, side](int value) {
            QMargins &m = m_print.RectMargin;
            switch (side) {
            case Left:
                m.setLeft(value);
                break;
            case Top:
                m.setTop(value);
                break;
            case Right:
                m.setRight(value);
                break;
            default:
                m.setBottom(value);
            }
            emit LayoutChanged();
        });
    }
    // Laid out as on the paper: 上 over 左 and 右, 下 below.
    marginGrid->addWidget(MillimetreRow(names[Top], m_margins[Top]), 0, 0, 1, 2, Qt::AlignHCenter);
    marginGrid->addWidget(MillimetreRow(names[Left], m_margins[Left]), 1, 0);
    marginGrid->addWidget(MillimetreRow(names[Right], m_margins[Right]), 1, 1);
    marginGrid->addWidget(MillimetreRow(names[Bottom], m_margins[Bottom]), 2, 0, 1, 2, Qt::AlignHCenter);

    m_fitPaper = new QCheckBox(QString::fromUtf8("用紙幅に合わせて縮小印刷する"));
    m_turnDown = new QCheckBox(QString::fromUtf8("折り返して全体を印刷する"));
    connect(m_fitPaper, &QCheckBox::toggled, this, [this](bool on) {
        m_print.FitPaper = on;
        emit LayoutChanged();
    });
    connect(m_turnDown, &QCheckBox::toggled, this, [this](bool on) {
        m_print.TurnDown = on;
        emit TurnDownChanged();
        RefreshStrip();
    });
    m_editItems = new QPushButton(QString::fromUtf8("項目編集"));
    m_editItems->setAutoDefault(false);
    connect(m_editItems, &QPushButton::clicked, this, &CPrintSetListPage::EditItems);

    auto *options = new QVBoxLayout;
    options->addWidget(m_fitPaper);
    options->addWidget(m_turnDown);
    options->addStretch();
    options->addWidget(m_editItems, 0, Qt::AlignRight);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(margins);
    bottom->addLayout(options, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(texts);
    layout->addWidget(widths, 1);
    layout->addLayout(bottom);
    Load();
}

void CPrintSetListPage::Load()
{
    for (int i = 0; i < 3; ++i) {
        m_header[i]->setText(m_print.ListHeader.value(i));
        m_footer[i]->setText(m_print.ListFooter.value(i));
    }
    const QMargins &m = m_print.RectMargin;
    m_margins[Left]->SetValue(m.left());
    m_margins[Top]->SetValue(m.top());
    m_margins[Right]->SetValue(m.right());
    m_margins[Bottom]->SetValue(m.bottom());
    {
        const QSignalBlocker a(m_fitPaper), b(m_turnDown);
        m_fitPaper->setChecked(m_print.FitPaper);
        m_turnDown->setChecked(m_print.TurnDown);
    }
    RefreshStrip();
    UpdateEnabling();
}

void CPrintSetListPage::RefreshStrip()
{
    m_strip->Refresh();
}

void CPrintSetListPage::UpdateEnabling()
{
    m_autoFit->setEnabled(!m_print.ListItemIndex.isEmpty());
}

void CPrintSetListPage::EditItems()
{
    CPrintItemEditDlg dialog(Captions(m_print), m_print.ListItemIndex, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_print.ListItemIndex = dialog.Chosen();
    m_print.ListItemWidth = QList<int>(m_print.ListItemIndex.size(), PrintSettings::DefaultColumnWidth);
    RefreshStrip();
    UpdateEnabling();
    emit ItemsChanged();
}

void CPrintSetListPage::AutoFit()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CPrintPreviewWnd view(m_print);
    m_print.ListItemWidth = view.AutoFitWidths(m_cards);
    QApplication::restoreOverrideCursor();
    RefreshStrip();
    emit LayoutChanged();
}

#include "CPrintFontDlg.h"

#include "CPrintFont.h"
#include "OkCancelButtons.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

// The sixteen colours of the classic font dialog.
const struct
{
    const char *name;
    QRgb rgb;
} Colours[] = {
    {"黒", 0x000000},   {"栗色", 0x800000}, {"緑", 0x008000},   {"オリーブ", 0x808000},
    {"紺", 0x000080},   {"紫", 0x800080},   {"青緑", 0x008080}, {"灰色", 0x808080},
    {"銀色", 0xC0C0C0}, {"赤", 0xFF0000},   {"黄緑", 0x00FF00}, {"黄", 0xFFFF00},
    {"青", 0x0000FF},   {"赤紫", 0xFF00FF}, {"水色", 0x00FFFF}, {"白", 0xFFFFFF},
};

QIcon Swatch(const QColor &c)
{
    QPixmap p(24, 14);
    p.fill(c);
    QPainter painter(&p);
    painter.setPen(Qt::darkGray);
    painter.drawRect(p.rect().adjusted(0, 0, -1, -1));
    return QIcon(p);
}

} // namespace

CPrintFontDlg::CPrintFontDlg(const CLogFont &font, const QColor &color, QWidget *parent)
    : QDialog(parent), m_base(font), m_chooser(new QFontDialog), m_color(new QComboBox)
{
    setWindowTitle(QString::fromUtf8("フォントの設定"));
    // The chooser sits inside this dialog, without buttons of its own.
    m_chooser->setWindowFlags(Qt::Widget);
    m_chooser->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_chooser->setCurrentFont(CPrintFont::ScreenFont(font));
    m_shownSize = m_chooser->currentFont().pointSizeF();

    int current = -1;
    for (const auto &c : Colours) {
        const QColor value = QColor::fromRgb(c.rgb);
        if (value == color)
            current = m_color->count();
        m_color->addItem(Swatch(value), QString::fromUtf8(c.name), value);
    }
    if (current < 0) {
        // A colour of the settings file that is none of the sixteen stays choosable.
        current = m_color->count();
        m_color->addItem(Swatch(color), QString::fromUtf8("設定済みの色"), color);
    }
    m_color->setCurrentIndex(current);
    auto *colorLabel = new QLabel(QString::fromUtf8("色:"));
    colorLabel->setBuddy(m_color);
    auto *colorRow = new QHBoxLayout;
    colorRow->addWidget(colorLabel);
    colorRow->addWidget(m_color);
    colorRow->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_chooser, 1);
    layout->addLayout(colorRow);
    layout->addWidget(OkCancelButtons(this));
}

CLogFont CPrintFontDlg::Font() const
{
    CLogFont chosen = CPrintFont::FromScreenFont(m_chooser->currentFont(), m_base);
    // The chooser shows whole points; a size left alone keeps its 0.1 mm.
    if (m_chooser->currentFont().pointSizeF() == m_shownSize)
        chosen.height = m_base.height;
    return chosen;
}

QColor CPrintFontDlg::Color() const
{
    return m_color->currentData().value<QColor>();
}

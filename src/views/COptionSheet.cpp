#include "COptionSheet.h"

#include "COptionPage1.h"
#include "CSkin.h"
#include "OkCancelButtons.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

COptionSheet::COptionSheet(OptionRecord &values, std::function<bool()> writeSettings, IMessageBox *messages,
                           QWidget *parent)
    : QDialog(parent), m_values(values), m_write(std::move(writeSettings)),
      m_page(new COptionPage1(values, messages, this))
{
    setWindowTitle(QStringLiteral("オプション"));
    auto *tabs = new QTabWidget(this);
    tabs->addTab(m_page, QStringLiteral("設定"));
    connect(m_page, &COptionPage1::ThemeColorChosen, this, [this](const QColor &color) {
        CSkin::Apply(color);
        m_themeShown = true;
    });
    auto *buttons = OkCancelButtons(this, [this] { Apply(); });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}

void COptionSheet::Apply()
{
    const int oldPixels = OptionRecord::ThumbnailPixels(m_values.thumbnailSizeType);
    m_values = m_page->Values();
    m_themeShown = false;
    if (m_write)
        m_write();
    emit Applied(m_values);
    const int pixels = OptionRecord::ThumbnailPixels(m_values.thumbnailSizeType);
    if (pixels != oldPixels)
        emit ThumbnailSizeChanged(pixels);
}

void COptionSheet::done(int result)
{
    // A theme tried out and then cancelled goes back to the one in use.
    if (result != QDialog::Accepted && m_themeShown)
        CSkin::Apply(m_values.SkinColorFor(m_values.skinColorType));
    QDialog::done(result);
}

#include "CSkin.h"
#include "CSkinStyle.h"

#include <QCheckBox>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>
#include <gtest/gtest.h>

namespace {

QImage Canvas(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Pixels within a small distance of a colour.
int CountNear(const QImage &image, const QColor &colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += qAbs(c.red() - colour.red()) + qAbs(c.green() - colour.green()) +
                         qAbs(c.blue() - colour.blue()) <
                     60;
        }
    return count;
}

// Width of the drawn (non-white) part of each row that has any.
QList<int> RowWidths(const QImage &image)
{
    QList<int> widths;
    for (int y = 0; y < image.height(); ++y) {
        int width = 0;
        for (int x = 0; x < image.width(); ++x)
            width += image.pixelColor(x, y).lightness() < 200;
        if (width > 0)
            widths << width;
    }
    return widths;
}

} // namespace

// The header draws the arrow of an ascending sort (which Qt passes as SortDown) pointing up.
TEST(SkinStyle, AscendingSortArrowPointsUp)
{
    CSkinStyle style;
    for (const auto [indicator, up] :
         {std::pair{QStyleOptionHeader::SortDown, true}, std::pair{QStyleOptionHeader::SortUp, false}}) {
        QImage image = Canvas(QSize(24, 24));
        QStyleOptionHeader option;
        option.rect = image.rect();
        option.palette = CSkin::MakePalette(QColor(0x30, 0x60, 0xC0));
        option.sortIndicator = indicator;
        QPainter painter(&image);
        style.drawPrimitive(QStyle::PE_IndicatorHeaderArrow, &option, &painter);
        painter.end();
        const QList<int> widths = RowWidths(image);
        ASSERT_GE(widths.size(), 3);
        if (up)
            EXPECT_LT(widths.first(), widths.last());
        else
            EXPECT_GT(widths.first(), widths.last());
    }
}

// A focused push button or check box shows a ring in the highlight colour, however it got
// the focus (no keyboard-focus-change flag here).
TEST(SkinStyle, FocusedButtonsShowARing)
{
    CSkinStyle style;
    const QPalette palette = CSkin::MakePalette(QColor(0x30, 0x60, 0xC0));
    const QColor ring = palette.color(QPalette::Active, QPalette::Highlight);

    QPushButton button(QStringLiteral("ヨミ"));
    button.setPalette(palette);
    button.resize(90, 30);
    const auto drawButton = [&](bool focused) {
        QImage image = Canvas(button.size());
        QStyleOptionButton option;
        option.initFrom(&button);
        option.text = button.text();
        option.state.setFlag(QStyle::State_HasFocus, focused);
        QPainter painter(&image);
        style.drawControl(QStyle::CE_PushButton, &option, &painter, &button);
        return image;
    };
    EXPECT_GT(CountNear(drawButton(true), ring), CountNear(drawButton(false), ring) + 100);

    QCheckBox box(QStringLiteral("印刷"));
    QImage image = Canvas(QSize(40, 20));
    QStyleOptionFocusRect option;
    option.rect = image.rect().adjusted(2, 2, -2, -2);
    option.palette = palette;
    option.state = QStyle::State_HasFocus;
    QPainter painter(&image);
    style.drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, &box);
    painter.end();
    EXPECT_GT(CountNear(image, ring), 60);
}

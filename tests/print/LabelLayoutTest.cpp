#include "CPrint.h"
#include "CPrintPreviewWnd.h"
#include "PrintTestSupport.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

QList<int> SheetSizes(const CPrintPreviewWnd &view)
{
    QList<int> sizes;
    for (const auto &sheet : view.Pages())
        sizes << int(sheet.size());
    return sizes;
}

} // namespace

TEST(LabelLayout, SheetCountRoundsUpAndNoMarkedCardGivesNone)
{
    CPrint print;
    LoadDefaults(print);
    print.SizeAspects = QSize(5, 4);
    CardList cards;
    for (int i = 0; i < 41; ++i)
        cards.Add(QString::number(i), i != 3);
    CPrintPreviewWnd view(print);
    EXPECT_EQ(view.PaginateLabels(cards.Sequence()), 2);
    EXPECT_EQ(SheetSizes(view), QList<int>({20, 20}));
    EXPECT_EQ(view.Pages()[1].last()->Name(), QStringLiteral("40"));
    CardList none;
    none.Add(QStringLiteral("未選択"), false);
    EXPECT_EQ(view.PaginateLabels(none.Sequence()), 0);
}

TEST(LabelLayout, BadSheetSettingsPaginateAndDraw)
{
    CardList cards;
    for (int i = 0; i < 50; ++i)
        cards.Add(QStringLiteral("山田 太郎")).SetAddress(QString(200, QChar(0x4E00)));
    const struct
    {
        QSize aspects, seal, gaps;
        QMargins margins;
        int sheets;
    } cases[] = {
        {{0, 0}, {900, 500}, {0, 0}, {100, 100, 100, 100}, 50},      // no columns, no rows: one label a sheet
        {{2, 1000000}, {900, 500}, {0, 0}, {100, 100, 100, 100}, 1}, // a million rows
        {{-3, -7}, {-900, -500}, {-40, -40}, {-100, -100, -100, -100}, 50}, // negative everything
        {{2, 2}, {50000, 90000}, {0, 0}, {0, 0, 0, 0}, 13},                 // a label larger than the paper
        {{100, 100}, {2000000000, 2000000000}, {2000000000, 2000000000}, {0, 0, 0, 0}, 1},
    };
    QImage image(210, 297, QImage::Format_RGB32);
    for (const auto &c : cases) {
        CPrint print;
        LoadDefaults(print);
        print.SizeAspects = c.aspects;
        print.SizeSeal = c.seal;
        print.SizeSealsDistance = c.gaps;
        print.RectSealMargin = c.margins;
        CPrintPreviewWnd view(print);
        const int sheets = view.PaginateLabels(cards.Sequence());
        EXPECT_EQ(sheets, c.sheets);
        QPainter p(&image);
        for (int n = 0; n <= sheets + 1; ++n)
            view.DrawLabelPage(p, image.rect(), n);
    }
}

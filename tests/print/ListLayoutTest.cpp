#include "CPrint.h"
#include "CPrintFont.h"
#include "CPrintPreviewWnd.h"
#include "CPrintText.h"
#include "PrintTestSupport.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// A4 with no unprintable strips, 10 mm margins: content from 100 to 2870.
class ListLayout : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LoadDefaults(print);
        lh = CPrintFont(print.LogFont).LineHeight();
    }
    // Rows of one line that fit on a page under a one-line title row.
    int RowsPerPage() const
    {
        const int firstRowTop = 100 + 3 * lh + lh;
        const int lowestBottom = 2870 - 2 * lh;
        return (lowestBottom - firstRowTop) / lh;
    }
    QList<int> PageSizes() const
    {
        QList<int> sizes;
        for (const auto &page : view.Pages())
            sizes << int(page.size());
        return sizes;
    }
    void AddCards(int n, const QString &prefix = QStringLiteral("名刺"))
    {
        for (int i = 0; i < n; ++i)
            cards.Add(prefix + QString::number(i));
    }

    CPrint print;
    CPrintPreviewWnd view{print};
    CardList cards;
    int lh = 0;
};

} // namespace

TEST_F(ListLayout, NoMarkedCardGivesOneEmptyPage)
{
    cards.Add(QStringLiteral("未選択"), false);
    EXPECT_EQ(view.Paginate(cards.Sequence(), false), 1);
    EXPECT_TRUE(view.Pages().first().isEmpty());
}

TEST_F(ListLayout, PagesHoldWhatFitsAboveTheFooterAndSkipUnmarkedCards)
{
    const int perPage = RowsPerPage();
    AddCards(perPage * 2 + 5);
    cards.Add(QStringLiteral("未選択"), false);
    EXPECT_EQ(view.Paginate(cards.Sequence(), false), 3);
    EXPECT_EQ(PageSizes(), QList<int>({perPage, perPage, 5}));
    for (const auto &page : view.Pages()) {
        for (const CCardData *c : page)
            EXPECT_TRUE(c->Print());
    }
    EXPECT_EQ(view.Pages()[1].first()->Name(), QStringLiteral("名刺%1").arg(perPage));
}

TEST_F(ListLayout, TheCardThatDoesNotFitStartsTheNextPage)
{
    // One card more than a page holds, as the last card: it gets a page.
    AddCards(RowsPerPage() + 1);
    EXPECT_EQ(view.Paginate(cards.Sequence(), false), 2);
    EXPECT_EQ(PageSizes(), QList<int>({RowsPerPage(), 1}));

    // Exactly a page full, followed by unmarked cards: no empty page after it.
    CardList full;
    for (int i = 0; i < RowsPerPage(); ++i)
        full.Add(QString::number(i));
    full.Add(QStringLiteral("未選択"), false);
    EXPECT_EQ(view.Paginate(full.Sequence(), false), 1);
}

TEST_F(ListLayout, ATallLastRowOpensNoPageAfterIt)
{
    print.TurnDown = true;
    print.ListItemIndex = {0, 38};
    print.ListItemWidth = {600, 27}; // one character per memo line
    cards.Add(QStringLiteral("前"));
    cards.Add(QStringLiteral("長い")).SetMemo(QString(200, QChar(0x6F22)));
    cards.Add(QStringLiteral("未選択"), false);
    EXPECT_EQ(view.Paginate(cards.Sequence(), false), 2);
    EXPECT_EQ(PageSizes(), QList<int>({1, 1}));
}

TEST_F(ListLayout, WrappedRowsGrowAndTheTitleRowTakesItsTallestCaption)
{
    print.TurnDown = true;
    print.ListItemIndex = {0, 31};
    print.ListItemWidth = {27, 600}; // 名前 wraps into two lines; 22 characters of 住所 a line
    const QString address = QString(40, QChar(0x4E00)); // two lines
    for (int i = 0; i < 200; ++i)
        cards.Add(QString::number(i)).SetAddress(address);
    view.Paginate(cards.Sequence(), false);
    const int rowHeight = 2 * lh;
    const int firstRowTop = 100 + 3 * lh + 2 * lh;
    EXPECT_EQ(view.Pages().first().size(), (2870 - 2 * lh - firstRowTop) / rowHeight);
}

TEST_F(ListLayout, FirstPageOnlyStopsAfterTheFirstPage)
{
    AddCards(RowsPerPage() * 3);
    EXPECT_EQ(view.Paginate(cards.Sequence(), true), 1);
    EXPECT_EQ(view.Pages().first().size(), RowsPerPage());
}

TEST_F(ListLayout, FitToPaperHappensOncePerRequestAndOnlyForWideColumns)
{
    // Eight columns of 30 mm from 10 mm: the last ends 50 mm past the 200 mm content edge.
    print.FitPaper = true;
    AddCards(200);
    const int pages = view.Paginate(cards.Sequence(), false);
    ASSERT_TRUE(view.Scaled());
    EXPECT_DOUBLE_EQ(view.Scale(), 2000.0 / 2500.0);
    EXPECT_EQ(view.Paginate(cards.Sequence(), false), pages);
    EXPECT_DOUBLE_EQ(view.Scale(), 0.8);

    // A page-count request starts unscaled; narrow columns are not shrunk.
    view.ClearScaled();
    print.ListItemIndex = {0, 6};
    print.ListItemWidth = {300, 300};
    EXPECT_EQ(view.Paginate(cards.Sequence(), false), (200 + RowsPerPage() - 1) / RowsPerPage());
    EXPECT_FALSE(view.Scaled());
}

TEST_F(ListLayout, WrappedCellsMeasureTheirTextForTheFit)
{
    // With wrapping on, the widest right edge is that of the texts, not of the columns.
    print.FitPaper = true;
    print.TurnDown = true;
    print.ListItemIndex = {0, 6, 8, 9, 10, 20, 30, 31};
    for (int i = 0; i < 5; ++i)
        cards.Add(QString::number(i)).SetAddress(QStringLiteral("東京"));
    view.Paginate(cards.Sequence(), false);
    ASSERT_TRUE(view.Scaled());
    // The last column starts at 100 + 7 × 300; its widest text is its caption 住所.
    EXPECT_NEAR(view.MaxRight(), 2200 + 2 * 27, 1.0);
    EXPECT_DOUBLE_EQ(view.Scale(), 2000.0 / view.MaxRight());
}

TEST_F(ListLayout, AJobWithoutARangePrintsEveryPageLaidOutAfresh)
{
    AddCards(RowsPerPage() * 4);
    print.FitPaper = true;
    view.Paginate(cards.Sequence(), false); // shrunk: eight wide columns
    ASSERT_TRUE(view.Scaled());
    print.ListItemIndex = {0, 6};
    print.ListItemWidth = {300, 300};
    const PageRange r = view.PreparePageRange(cards.Sequence());
    EXPECT_FALSE(view.Scaled());
    EXPECT_EQ(r.first, 1);
    EXPECT_EQ(r.last, 4);
}

TEST_F(ListLayout, BadSettingsPaginateAndDraw)
{
    AddCards(300);
    QImage image(210, 297, QImage::Format_RGB32);
    auto paginateAndDraw = [&] {
        const int pages = view.Paginate(cards.Sequence(), false);
        EXPECT_GE(pages, 1);
        EXPECT_LE(pages, 300);
        QPainter p(&image);
        view.DrawListPage(p, image.rect(), 1);
        view.DrawListPage(p, image.rect(), pages + 5); // a page past the end is drawn empty
    };
    print.ListItemIndex.clear(); // no column at all
    print.ListItemWidth.clear();
    paginateAndDraw();

    LoadDefaults(print);
    print.RectMargin = QMargins(-5000, 3000, 3000, 3000); // content of negative height
    print.FitPaper = true;
    paginateAndDraw();
    EXPECT_EQ(view.Pages().size(), 300); // every row overflows: one card a page

    LoadDefaults(print);
    print.TurnDown = true;
    print.ListItemWidth = QList<int>(print.ListItemIndex.size(), -500);
    print.ListItemIndex[0] = 99; // outside the catalogue
    paginateAndDraw();

    LoadDefaults(print);
    print.LogFont.height = -100000;
    print.FitPaper = true;
    paginateAndDraw();
}

TEST_F(ListLayout, AutoFitTakesTheWidestLineOfMarkedCardsAndTitlesPlusTwoBlanks)
{
    print.ListItemIndex = {0, 6, 37}; // 名前, 会社名, URL
    print.ListItemWidth = {300, 300, 300};
    cards.Add(QStringLiteral("山田 太郎")).SetCompany(QStringLiteral("短"), false);
    // Longer texts of an unmarked card count for nothing.
    cards.Add(QStringLiteral("とても長い名前の人がここにいる"), false)
        .SetCompany(QStringLiteral("とても長い会社名の株式会社です"), false);
    CCardData &multi = cards.Add(QStringLiteral("佐藤"));
    multi.SetCompany(QStringLiteral("株式会社サンプル商事"), false);
    multi.SetUrl(QStringLiteral("https://example.jp/a\nhttps://example.jp/b")); // measured as one line

    const CPrintText text{CPrintFont(print.LogFont)};
    const qreal blanks = text.LineWidth(QStringLiteral("  "));
    const QList<int> widths = view.AutoFitWidths(cards.Sequence());
    ASSERT_EQ(widths.size(), 3);
    EXPECT_EQ(widths[0], int(std::ceil(text.LineWidth(QStringLiteral("山田 太郎")) + blanks)));
    EXPECT_EQ(widths[1], int(std::ceil(text.LineWidth(QStringLiteral("株式会社サンプル商事")) + blanks)));
    EXPECT_EQ(
        widths[2],
        int(std::ceil(text.LineWidth(QStringLiteral("https://example.jp/a https://example.jp/b")) + blanks)));
    // A title wider than every cell sets the width.
    print.ListItemIndex = {43};
    EXPECT_EQ(view.AutoFitWidths(cards.Sequence()),
              QList<int>({int(std::ceil(text.LineWidth(QStringLiteral("ｸﾞﾙｰﾌﾟ番号")) + blanks))}));
}

TEST_F(ListLayout, TheTableDrawsFromItsOwnTopWithoutMargins)
{
    AddCards(3);
    view.Paginate(cards.Sequence(), true);
    QImage image(400, 400, QImage::Format_RGB32);
    QPainter p(&image);
    // Titles, rule, then one line per card: the table ends three rows and a
    // line below the title row.
    EXPECT_EQ(view.DrawTable(p, 1, 50.0, 100.0), 50.0 + lh + lh + 3 * lh);
    // A page that is not there draws only titles and the rule.
    EXPECT_EQ(view.DrawTable(p, 9, 0.0, 100.0), 2.0 * lh);
}

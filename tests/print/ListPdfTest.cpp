// List pages written to real PDF files, read back with pdftotext and pdftoppm.
#include "CPrint.h"
#include "CPrintFont.h"
#include "CPrintPreviewWnd.h"
#include "PrintTestSupport.h"
#include "TempDir.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

constexpr double Tolerance = 2.0; // 0.2 mm

// Rows of an image (1 pixel = 0.1 mm) that are dark across [x0, x1).
QList<int> RuleRows(const QImage &image, int x0, int x1)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        int dark = 0;
        for (int x = x0; x < x1; ++x)
            dark += qGray(image.pixel(x, y)) < 128;
        if (dark > (x1 - x0) * 95 / 100)
            rows << y;
    }
    return rows;
}

class ListPdf : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LoadDefaults(print);
        print.ListHeader =
            QStringList{QStringLiteral("左ヘッダ"), QStringLiteral("中央ヘッダ"), QStringLiteral("右ヘッダ")};
        print.ListFooter =
            QStringList{QStringLiteral("左フッタ"), QStringLiteral("中央フッタ"), QStringLiteral("右フッタ")};
        print.ListItemIndex = {0, 6, 10};
        print.ListItemWidth = {400, 600, 400};
        lh = CPrintFont(print.LogFont).LineHeight();
        perPage = (2870 - 2 * lh - (100 + 4 * lh)) / lh;
    }
    void AddCards(int n)
    {
        for (int i = 0; i < n; ++i)
            cards.Add(QStringLiteral("名刺%1").arg(i)).SetCompany(QStringLiteral("会社%1").arg(i), false);
    }
    QList<PdfWord> Print()
    {
        path = dir.File(QStringLiteral("list.pdf"));
        EXPECT_TRUE(PrintToPdf(print, cards.Sequence(), path));
        pages = PdfPageCount(path);
        return ReadPdfWords(path);
    }
    QImage Render(int page)
    {
        const QString base = dir.File(QStringLiteral("page"));
        QProcess::execute(QStringLiteral("pdftoppm"),
                          {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-gray"),
                           QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                           QString::number(page), QStringLiteral("-singlefile"), path, base});
        return QImage(base + QStringLiteral(".pgm"));
    }
    // The one word on the page that is `text`.
    static PdfWord Word(const QList<PdfWord> &words, int page, const QString &text)
    {
        QList<PdfWord> found;
        for (const PdfWord &w : Find(words, page, text)) {
            if (w.text == text)
                found << w;
        }
        EXPECT_EQ(found.size(), 1) << qPrintable(text) << " on page " << page;
        return found.value(0);
    }

    TempDir dir;
    QString path;
    CPrint print;
    CardList cards;
    int lh = 0;
    int perPage = 0;
    int pages = 0;
};

void ExpectAt(const PdfWord &w, double x, double y)
{
    EXPECT_NEAR(w.box.left(), x, Tolerance) << qPrintable(w.text);
    EXPECT_NEAR(w.box.top(), y, Tolerance) << qPrintable(w.text);
}

} // namespace

TEST_F(ListPdf, HeaderTitlesRuleAndFooterOnEveryPage)
{
    AddCards(perPage + 14);
    const QList<PdfWord> words = Print();
    ASSERT_EQ(pages, 2);
    for (int page = 1; page <= 2; ++page) {
        ExpectAt(Word(words, page, QStringLiteral("左ヘッダ")), 100, 100);
        EXPECT_NEAR(Word(words, page, QStringLiteral("中央ヘッダ")).box.center().x(), 1050, Tolerance);
        EXPECT_NEAR(Word(words, page, QStringLiteral("右ヘッダ")).box.right(), 2000, Tolerance);
        ExpectAt(Word(words, page, QStringLiteral("名前")), 100, 100 + 2 * lh);
        ExpectAt(Word(words, page, QStringLiteral("会社名")), 500, 100 + 2 * lh);
        ExpectAt(Word(words, page, QStringLiteral("電話番号")), 1100, 100 + 2 * lh);
        ExpectAt(Word(words, page, QStringLiteral("左フッタ")), 100, 2870 - lh);
        EXPECT_NEAR(Word(words, page, QStringLiteral("中央フッタ")).box.center().x(), 1050, Tolerance);
        EXPECT_NEAR(Word(words, page, QStringLiteral("右フッタ")).box.right(), 2000, Tolerance);
        // The rule, half a line below the titles, from margin to margin.
        const QList<int> rules = RuleRows(Render(page), 100, 2000);
        ASSERT_FALSE(rules.isEmpty());
        EXPECT_NEAR(rules.first(), 100 + 3 * lh + lh / 2.0, 1.0);
        EXPECT_LE(rules.last() - rules.first(), 1);
        EXPECT_TRUE(RuleRows(Render(page), 60, 98).isEmpty());
    }
    // Rows: the first under the rule, one line each, the phone kind of a card without phones empty.
    ExpectAt(Word(words, 1, QStringLiteral("名刺0")), 100, 100 + 4 * lh);
    ExpectAt(Word(words, 1, QStringLiteral("会社0")), 500, 100 + 4 * lh);
    ExpectAt(Word(words, 1, QStringLiteral("名刺1")), 100, 100 + 5 * lh);
    ExpectAt(Word(words, 2, QStringLiteral("名刺%1").arg(perPage)), 100, 100 + 4 * lh);
    EXPECT_TRUE(Find(words, 1, QStringLiteral("名刺%1").arg(perPage)).isEmpty());
}

TEST_F(ListPdf, WrappedRowTallerThanAPageIsAloneOnItsPage)
{
    print.TurnDown = true;
    print.ListItemIndex = {0, 38};
    print.ListItemWidth = {600, 27}; // one character per memo line
    cards.Add(QStringLiteral("前の名刺"));
    cards.Add(QStringLiteral("長い名刺")).SetMemo(QString(120, QChar(0x6F22)) + QStringLiteral("終"));
    cards.Add(QStringLiteral("次の名刺"));
    const QList<PdfWord> words = Print();
    ASSERT_EQ(pages, 3);
    const double titleHeight = 2 * lh; // メモ wraps into two lines
    for (int page = 1; page <= 3; ++page) {
        ExpectAt(Word(words, page, QStringLiteral("名前")), 100, 100 + 2 * lh);
        ExpectAt(Word(words, page, QStringLiteral("左フッタ")), 100, 2870 - lh);
    }
    ExpectAt(Word(words, 2, QStringLiteral("長い名刺")), 100, 100 + 3 * lh + titleHeight);
    // The memo runs into the footer lines and is cut at the content's bottom.
    double lowest = 0;
    for (const PdfWord &w : Find(words, 2, QString(QChar(0x6F22))))
        lowest = std::max(lowest, w.box.bottom());
    EXPECT_GT(lowest, 2870 - lh);
    EXPECT_TRUE(Find(words, 2, QStringLiteral("終")).isEmpty());
    ExpectAt(Word(words, 3, QStringLiteral("次の名刺")), 100, 100 + 3 * lh + titleHeight);
}

TEST_F(ListPdf, TooLongCellsEndInAnEllipsisWhenNotWrapping)
{
    print.ListItemWidth = {400, 300, 400}; // 会社名 from 500 to 800
    const QString latinCompany = QStringLiteral("Overseas Sales Department Tokyo");
    cards.Add(QStringLiteral("名刺")).SetCompany(latinCompany, false);
    cards.Add(QStringLiteral("名刺2"))
        .SetCompany(QStringLiteral("株式会社サンプル商事営業推進部第二課"), false);
    const QList<PdfWord> words = Print();
    QStringList latin;
    for (const PdfWord &w : words) {
        if (w.box.top() > 100 + 4 * lh - Tolerance && w.box.top() < 100 + 4 * lh + Tolerance &&
            w.box.left() >= 500 - Tolerance && w.box.left() < 800) {
            latin << w.text;
            EXPECT_LE(w.box.right(), 800 + Tolerance);
        }
    }
    const QString cell = latin.join(QLatin1Char(' '));
    ASSERT_TRUE(cell.endsWith(QStringLiteral("..."))) << qPrintable(cell);
    const QString kept = cell.chopped(3);
    EXPECT_TRUE(latinCompany.startsWith(kept + QLatin1Char(' '))) << qPrintable(cell);
    EXPECT_GE(kept.size(), 8);

    const PdfWord jp = Find(words, 1, QStringLiteral("株式会社")).value(0);
    EXPECT_TRUE(jp.text.endsWith(QStringLiteral("..."))) << qPrintable(jp.text);
    EXPECT_LE(jp.box.right(), 800 + Tolerance);
    EXPECT_GT(jp.box.right(), 800 - 2 * 27);
}

TEST_F(ListPdf, FitToPaperShrinksEverything)
{
    LoadDefaults(print); // eight columns of 30 mm: 50 mm too wide
    AddCards(200);
    const QList<PdfWord> plain = Print();
    const PdfWord plainTitle = Word(plain, 1, QStringLiteral("名前"));
    ASSERT_EQ(pages, 3);

    print.FitPaper = true;
    const QList<PdfWord> words = Print();
    const double s = 0.8;
    const int shrunkPerPage = int((2970 / s - 100 - 2 * lh - (100 + 4 * lh)) / lh);
    ASSERT_EQ(pages, (200 + shrunkPerPage - 1) / shrunkPerPage);
    const PdfWord title = Word(words, 1, QStringLiteral("名前"));
    ExpectAt(title, 100 * s, (100 + 2 * lh) * s);
    EXPECT_NEAR(title.box.height(), plainTitle.box.height() * s, 1.0);
    ExpectAt(Word(words, 1, QStringLiteral("住所")), (100 + 7 * 300) * s, (100 + 2 * lh) * s);
    ExpectAt(Word(words, 2, QStringLiteral("名刺%1").arg(shrunkPerPage)), 100 * s, (100 + 4 * lh) * s);
}

TEST_F(ListPdf, FromPageThreeToPageTwoPrintsPageThreeOnly)
{
    AddCards(perPage * 4);
    print.FromPage = 3;
    print.ToPage = 2;
    const QList<PdfWord> words = Print();
    ASSERT_EQ(pages, 1);
    ExpectAt(Word(words, 1, QStringLiteral("名刺%1").arg(2 * perPage)), 100, 100 + 4 * lh);
    EXPECT_TRUE(Find(words, 1, QStringLiteral("名刺%1").arg(3 * perPage)).isEmpty());
}

TEST_F(ListPdf, PreviewImageShowsThePageThePrinterGets)
{
    AddCards(3);
    Print();
    const QList<int> printed = RuleRows(Render(1), 100, 2000);

    QImage preview(2100, 2970, QImage::Format_RGB32); // 1 pixel = 0.1 mm
    preview.fill(Qt::white);
    CPrintPreviewWnd view(print);
    view.Paginate(cards.Sequence(), false);
    QPainter p(&preview);
    view.DrawListPage(p, preview.rect(), 1);
    p.end();
    ASSERT_FALSE(printed.isEmpty());
    EXPECT_EQ(RuleRows(preview, 100, 2000).first(), printed.first());
}

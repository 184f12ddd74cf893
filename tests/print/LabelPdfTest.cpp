// Label sheets written to real PDF files and read back with pdftotext.
#include "CPdfFileTarget.h"
#include "CPrint.h"
#include "CPrintFont.h"
#include "CPrintJob.h"
#include "CPrintPreviewWnd.h"
#include "IPrintTarget.h"
#include "IPrinterDevice.h"
#include "PrintTestSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

constexpr double Tolerance = 2.0; // 0.2 mm

class LabelPdf : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LoadDefaults(print);
        print.Mode = CPrint::ModeLabel;
        lh = CPrintFont(print.LogFont).LineHeight();
    }
    CCardData &AddCard(int n, bool marked = true)
    {
        CCardData &c = cards.Add(QStringLiteral("山田 太郎%1").arg(n), marked);
        c.SetCompany(QStringLiteral("株式会社サンプル%1").arg(n), false);
        c.SetZipCode(QStringLiteral("100-%1").arg(n, 4, 10, QLatin1Char('0')));
        c.SetAddress(QStringLiteral("東京都千代田区千代田一丁目%1番").arg(n));
        return c;
    }
    QList<PdfWord> Print()
    {
        const QString path = dir.File(QStringLiteral("labels.pdf"));
        EXPECT_TRUE(PrintToPdf(print, cards.Sequence(), path));
        pages = PdfPageCount(path);
        return ReadPdfWords(path);
    }
    // The one word on the page that starts with `text`.
    static PdfWord Word(const QList<PdfWord> &words, int page, const QString &text)
    {
        const QList<PdfWord> found = Find(words, page, text);
        EXPECT_EQ(found.size(), 1) << qPrintable(text) << " on page " << page;
        return found.value(0);
    }

    TempDir dir;
    CPrint print;
    CardList cards;
    int lh = 0;
    int pages = 0;
};

void ExpectAt(const PdfWord &w, double x, double y)
{
    EXPECT_NEAR(w.box.left(), x, Tolerance) << qPrintable(w.text);
    EXPECT_NEAR(w.box.top(), y, Tolerance) << qPrintable(w.text);
}

} // namespace

TEST_F(LabelPdf, SevenCardsOnTwoSheetsInRowOrder)
{
    // The default 2 × 2 sheet of 90 × 50 mm labels from 10 mm margins.
    for (int n = 1; n <= 7; ++n)
        AddCard(n);
    const QList<PdfWord> words = Print();
    ASSERT_EQ(pages, 2);
    const QPointF origin[4] = {{100, 100}, {1000, 100}, {100, 600}, {1000, 600}};
    for (int n = 1; n <= 7; ++n) {
        const int page = n <= 4 ? 1 : 2;
        const QPointF at = origin[(n - 1) % 4];
        // The lines: 郵便番号, 住所, 会社名, 部署名 (empty: no line), 名前.
        ExpectAt(Word(words, page, QStringLiteral("100-%1").arg(n, 4, 10, QLatin1Char('0'))), at.x(), at.y());
        ExpectAt(Word(words, page, QStringLiteral("丁目%1番").arg(n)), at.x(), at.y() + lh);
        ExpectAt(Word(words, page, QStringLiteral("サンプル%1").arg(n)), at.x(), at.y() + 2 * lh);
        ExpectAt(Word(words, page, QStringLiteral("太郎%1").arg(n)), at.x() + 2 * 27 + 13.5, at.y() + 3 * lh);
    }
    EXPECT_TRUE(Find(words, 2, QStringLiteral("100-0008")).isEmpty());
}

TEST_F(LabelPdf, UnmarkedCardsTakeNoLabelAndLeaveNoGap)
{
    AddCard(1);
    AddCard(2, false);
    AddCard(3);
    AddCard(4, false);
    AddCard(5, false);
    AddCard(6);
    const QList<PdfWord> words = Print();
    ASSERT_EQ(pages, 1);
    ExpectAt(Word(words, 1, QStringLiteral("100-0001")), 100, 100);
    ExpectAt(Word(words, 1, QStringLiteral("100-0003")), 1000, 100);
    ExpectAt(Word(words, 1, QStringLiteral("100-0006")), 100, 600);
    EXPECT_TRUE(Find(words, 1, QStringLiteral("100-0002")).isEmpty());
    EXPECT_TRUE(Find(words, 1, QStringLiteral("太郎4")).isEmpty());
}

TEST_F(LabelPdf, HonorificFollowsNamesAfterOneBlank)
{
    print.SealItemIndex = {0, 6};
    AddCard(1);
    cards.Add(QString()).SetCompany(QStringLiteral("無名商会"), false); // no name: no honorific
    QList<PdfWord> words = Print();
    const PdfWord name = Word(words, 1, QStringLiteral("太郎1"));
    const PdfWord sama = Word(words, 1, QStringLiteral("様"));
    EXPECT_NEAR(sama.box.left() - name.box.right(), 27 / 2.0, 1.0); // one half-width blank
    EXPECT_NEAR(sama.box.top(), name.box.top(), Tolerance);
    // The nameless card's company moves up to its first line.
    ExpectAt(Word(words, 1, QStringLiteral("無名商会")), 1000, 100);

    print.Respect = 2;
    words = Print();
    EXPECT_EQ(Find(words, 1, QStringLiteral("様")).size(), 0);
    EXPECT_EQ(Find(words, 1, QStringLiteral("御中")).size(), 1);

    print.Respect = CPrint::RespectNone;
    words = Print();
    const QString text = PageText(words, 1);
    for (const char *h : {"様", "殿", "御中", "行", "宛"})
        EXPECT_FALSE(text.contains(QString::fromUtf8(h))) << h;
    EXPECT_TRUE(text.contains(QStringLiteral("太郎1 ")) || text.endsWith(QStringLiteral("太郎1")));
}

TEST_F(LabelPdf, LongAddressWrapsAndWhatPassesTheBottomIsDropped)
{
    print.SizeSeal = QSize(900, 3 * lh + lh / 2); // room for three lines and a half
    print.SealItemIndex = {31, 0, 6};
    CCardData &c = AddCard(1);
    const QString address = QStringLiteral(
        "東京都千代田区千代田一丁目一番一号、丸の内トラストタワー本館二十階北側エレベーターホール前");
    c.SetAddress(address);
    const QList<PdfWord> words = Print();
    // The address takes two lines, the name the third; the company would pass the bottom.
    const QList<PdfWord> first = Find(words, 1, QStringLiteral("東京都"));
    ASSERT_EQ(first.size(), 1);
    ExpectAt(first[0], 100, 100);
    ExpectAt(Word(words, 1, QStringLiteral("エレベーター")), 100, 100 + lh);
    ExpectAt(Word(words, 1, QStringLiteral("太郎1")), 100 + 2 * 27 + 13.5, 100 + 2 * lh);
    EXPECT_TRUE(Find(words, 1, QStringLiteral("サンプル")).isEmpty());

    // An item that does not fit drops the items below it too, even short ones.
    print.SealItemIndex = {30, 31, 0};
    print.SizeSeal = QSize(900, 2 * lh + lh / 2);
    const QList<PdfWord> dropped = Print();
    ExpectAt(Word(dropped, 1, QStringLiteral("100-0001")), 100, 100);
    EXPECT_TRUE(Find(dropped, 1, QStringLiteral("東京都")).isEmpty());
    EXPECT_TRUE(Find(dropped, 1, QStringLiteral("太郎1")).isEmpty());
}

namespace {

// A printer whose printable area starts 5 mm right and 7 mm down of the
// paper's corner, printing into a PDF file.
class OffsetDevice : public IPrinterDevice
{
public:
    explicit OffsetDevice(const QString &path) : m_path(path) {}
    CPrintableArea Area() const override
    {
        CPrintableArea a;
        a.paperWidth = 2100;
        a.paperHeight = 2970;
        a.offsetX = 50;
        a.offsetY = 70;
        a.printableWidth = 2000;
        a.printableHeight = 2830;
        return a;
    }
    QString DriverName() const override { return QStringLiteral("offset"); }
    QString PortName() const override { return m_path; }
    std::unique_ptr<IPrintTarget> NewJob() override
    {
        return std::make_unique<CPdfFileTarget>(
            m_path, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, {}));
    }

private:
    QString m_path;
};

} // namespace

TEST_F(LabelPdf, LabelsSitOnThePaperWhateverThePrintableArea)
{
    AddCard(1);
    AddCard(2);
    const QString path = dir.File(QStringLiteral("offset.pdf"));
    print.SetDevice(std::make_unique<OffsetDevice>(path));
    CPrintPreviewWnd view(print);
    CPrintJob job(view);
    auto target = print.Device()->NewJob();
    ASSERT_EQ(job.Run(cards.Sequence(), *target, QStringLiteral("offset")), CPrintJob::Printed);
    const QList<PdfWord> words = ReadPdfWords(path);
    ExpectAt(Word(words, 1, QStringLiteral("100-0001")), 100, 100);
    ExpectAt(Word(words, 1, QStringLiteral("100-0002")), 1000, 100);
}

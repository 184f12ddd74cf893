#include "CPrintFont.h"
#include "CPrintText.h"

#include <QFontInfo>
#include <QTextLayout>
#include <gtest/gtest.h>

namespace {

CPrintText DefaultText()
{
    return CPrintText(CPrintFont(CLogFont::PrintDefault()));
}

// The lines the wrapped text is broken into.
QStringList Lines(const QString &text, qreal width)
{
    QTextLayout layout(text, CPrintFont(CLogFont::PrintDefault()).Font());
    QTextOption o;
    o.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    o.setUseDesignMetrics(true);
    layout.setTextOption(o);
    layout.beginLayout();
    QStringList lines;
    for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
        l.setLineWidth(width);
        lines << text.mid(l.textStart(), l.textLength());
    }
    layout.endLayout();
    return lines;
}

} // namespace

TEST(PrintFont, MissingFaceDrawsWithAMinchoFaceAndKeepsItsName)
{
    CLogFont lf = CLogFont::PrintDefault();
    const CPrintFont font(lf);
    EXPECT_EQ(QFontInfo(font.Font()).family(), QStringLiteral("IPAMincho"));
    EXPECT_EQ(lf.faceName, QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(CPrintFont::FamilyFor(QStringLiteral("IPAGothic")), QStringLiteral("IPAGothic"));
    EXPECT_EQ(CPrintFont::FamilyFor(QStringLiteral("ipagothic")), QStringLiteral("ipagothic"));
}

TEST(PrintFont, HeightsInTenthsOfAMillimetre)
{
    CLogFont lf = CLogFont::PrintDefault(); // -27: 2.7 mm characters
    const CPrintFont font(lf);
    EXPECT_EQ(font.Font().pixelSize(), 27);
    EXPECT_GE(font.LineHeight(), 27);
    EXPECT_LE(font.LineHeight(), 40);

    lf.height = 40; // a cell height: the characters are smaller
    EXPECT_LT(CPrintFont(lf).Font().pixelSize(), 40);
    lf.height = 0;
    EXPECT_EQ(CPrintFont(lf).Font().pixelSize(), 27);
    lf.height = -2000000000; // damage, not a size
    EXPECT_EQ(CPrintFont(lf).Font().pixelSize(), 3000);
}

TEST(PrintText, UnspacedJapaneseWrapsBetweenCharactersButNeverBeforeCommas)
{
    const CPrintText text = DefaultText();
    const QString address =
        QStringLiteral("東京都千代田区千代田一丁目一番一号、株式会社サンプル商事営業推進部。第二課長");
    const qreal width = 300;
    const QStringList lines = Lines(address, width);
    ASSERT_GT(lines.size(), 2);
    EXPECT_EQ(lines.join(QString()), address);
    for (const QString &line : lines) {
        EXPECT_FALSE(line.startsWith(QStringLiteral("、")) || line.startsWith(QStringLiteral("。")))
            << qPrintable(line);
    }
    const CPrintText::Box box = text.Measure(address, width);
    EXPECT_EQ(box.lines, lines.size());
    EXPECT_LE(box.width, width);
    EXPECT_EQ(box.Height(text.LineHeight()), lines.size() * text.LineHeight());
}

TEST(PrintText, AWordIsBrokenOnlyWhenItAloneIsTooWide)
{
    const CPrintText text = DefaultText();
    const qreal width = text.LineWidth(QStringLiteral("Sales Dept")) + 1;
    EXPECT_EQ(Lines(QStringLiteral("Sales Dept Tokyo"), width),
              QStringList({QStringLiteral("Sales Dept "), QStringLiteral("Tokyo")}));
    const QStringList broken =
        Lines(QStringLiteral("Go Internationalisation"), text.LineWidth(QStringLiteral("Inter")));
    EXPECT_EQ(broken.first(), QStringLiteral("Go "));
    EXPECT_GT(broken.size(), 2);
    // A box narrower than one glyph: the box grows to the glyph.
    const CPrintText::Box tiny = text.Measure(QStringLiteral("東京"), 5);
    EXPECT_EQ(tiny.lines, 2);
    EXPECT_GT(tiny.width, 5);
}

TEST(PrintText, LineEndsBreakWrappedTextAndAreBlanksOnOneLine)
{
    const CPrintText text = DefaultText();
    EXPECT_EQ(text.Measure(QStringLiteral("一行目\r\n二行目\n三"), 2000).lines, 3);
    EXPECT_EQ(text.Elided(QStringLiteral("a\r\nb\nc"), 2000), QStringLiteral("a b c"));
    EXPECT_EQ(text.Measure(QString(), 100).lines, 0);
}

TEST(PrintText, EllipsisCutsAtAWord)
{
    const CPrintText text = DefaultText();
    const QString dept = QStringLiteral("Overseas Sales Department");
    EXPECT_EQ(text.Elided(dept, 5000), dept);
    const qreal width = text.LineWidth(QStringLiteral("Overseas Sales Dep"));
    const QString cut = text.Elided(dept, width);
    EXPECT_EQ(cut, QStringLiteral("Overseas Sales…"));
    EXPECT_LE(text.LineWidth(cut), width);

    // Japanese breaks between characters, so it is cut between them.
    const QString company = QStringLiteral("株式会社サンプル商事");
    const QString jp = text.Elided(company, 27 * 5);
    EXPECT_EQ(jp, QStringLiteral("株式会社…"));

    // Not even the first word fits: it is cut between characters.
    EXPECT_EQ(text.Elided(QStringLiteral("Internationalisation"), text.LineWidth(QStringLiteral("Intern…"))),
              QStringLiteral("Intern…"));
    EXPECT_EQ(text.Elided(QStringLiteral("Internationalisation"), 1), QStringLiteral("…"));
}

TEST(PrintFont, TheFontDialogWorksInPointsAndKeepsTheOtherFields)
{
    CLogFont lf = CLogFont::PrintDefault();
    const QFont screen = CPrintFont::ScreenFont(lf);
    EXPECT_NEAR(screen.pointSizeF(), 27 * 72.0 / 254.0, 0.01);
    EXPECT_EQ(CPrintFont::FromScreenFont(screen, lf).height, -27);

    QFont chosen(QStringLiteral("IPAGothic"));
    chosen.setPointSizeF(10.5);
    chosen.setWeight(QFont::Bold);
    chosen.setItalic(true);
    chosen.setStrikeOut(true);
    const CLogFont back = CPrintFont::FromScreenFont(chosen, lf);
    EXPECT_EQ(back.faceName, QStringLiteral("IPAGothic"));
    EXPECT_EQ(back.height, -37); // 10.5 pt = 3.7 mm
    EXPECT_EQ(back.weight, 700);
    EXPECT_EQ(back.italic, 1);
    EXPECT_EQ(back.strikeOut, 1);
    EXPECT_EQ(back.underline, 0);
    EXPECT_EQ(back.charSet, lf.charSet);
    EXPECT_EQ(back.pitchAndFamily, lf.pitchAndFamily);
    // Face names longer than the stored field are cut to it.
    chosen.setFamily(QString(40, QLatin1Char('F')));
    EXPECT_EQ(CPrintFont::FromScreenFont(chosen, lf).faceName.size(), CLogFont::FaceNameMax);
}

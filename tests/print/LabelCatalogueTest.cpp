#include "CLabelCatalogue.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

const QByteArray Papers = R"(<?xml version="1.0"?>
<Glabels-paper-sizes>
  <Paper-size id="A4" _name="A4" pwg_size="iso_a4" width="210mm" height="297mm"/>
  <Paper-size id="US-Letter" _name="US Letter" pwg_size="na_letter" width="8.5in" height="11in"/>
  <Paper-size id="Broken" _name="Broken" width="wide" height="297mm"/>
</Glabels-paper-sizes>
)";

const QByteArray Templates = R"(<?xml version="1.0"?>
<Glabels-templates>
  <Template brand="Hisago" part="ELM006" size="A4" _description="Rectangular labels">
    <Meta category="label"/>
    <Label-rectangle id="0" width="86.4mm" height="50.8mm" round="0mm">
      <Markup-margin size="2mm"/>
      <Layout nx="2" ny="5" x0="18.6mm" y0="21.2mm" dx="86.4mm" dy="50.8mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Hisago" part="ELM006-2" equiv="ELM006"/>
  <Template brand="Avery" part="5160" size="US-Letter" description="Address Labels">
    <Label-rectangle id="0" width="189pt" height="72pt" round="5pt">
      <Layout nx="3" ny="10" x0="0.1875in" y0="0.5in" dx="2.75in" dy="1in"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="Round" size="A4" description="Round labels">
    <Label-round id="0" radius="20mm"><Layout nx="4" ny="5" x0="10mm" y0="10mm" dx="45mm" dy="45mm"/></Label-round>
  </Template>
  <Template brand="Avery" part="RoundCopy" equiv="Round"/>
  <Template brand="Avery" part="Bond" size="A4" description="Two grids">
    <Label-rectangle id="0" width="50mm" height="20mm">
      <Layout nx="2" ny="5" x0="10mm" y0="10mm" dx="60mm" dy="25mm"/>
      <Layout nx="1" ny="5" x0="140mm" y0="20mm" dx="60mm" dy="25mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="Tiny" size="A4" description="Too many">
    <Label-rectangle id="0" width="10mm" height="10mm"><Layout nx="20" ny="26" x0="0" y0="0" dx="10mm" dy="10mm"/></Label-rectangle>
  </Template>
  <Template brand="Avery" part="Overlap" size="A4" description="Overlapping">
    <Label-rectangle id="0" width="50mm" height="20mm"><Layout nx="2" ny="2" x0="0" y0="0" dx="40mm" dy="20mm"/></Label-rectangle>
  </Template>
  <Template brand="Avery" part="Beyond" size="A4" description="Off the paper">
    <Label-rectangle id="0" width="150mm" height="20mm"><Layout nx="2" ny="2" x0="0" y0="0" dx="150mm" dy="20mm"/></Label-rectangle>
  </Template>
  <Template brand="Avery" part="NoPaper" size="B9000" description="Unknown paper">
    <Label-rectangle id="0" width="50mm" height="20mm"><Layout nx="2" ny="2" x0="0" y0="0" dx="50mm" dy="20mm"/></Label-rectangle>
  </Template>
  <Template brand="Misc" part="Card" size="Other" width="4in" height="6in" _description="Business cards">
    <Label-rectangle id="0" width="2in" height="1.5cm"><Layout nx="2" ny="1" x0="0" y0="1pc" dx="2in" dy="1.5cm"/></Label-rectangle>
  </Template>
</Glabels-templates>
)";

CLabelCatalogue Read()
{
    CLabelCatalogue c;
    EXPECT_TRUE(c.ReadPaperSizes(Papers));
    EXPECT_TRUE(c.ReadTemplates(Templates));
    return c;
}

} // namespace

TEST(LabelCatalogue, DistancesInEveryUnitAndNothingElse)
{
    EXPECT_DOUBLE_EQ(*CLabelCatalogue::Distance(QStringLiteral("5mm")), 5.0);
    EXPECT_DOUBLE_EQ(*CLabelCatalogue::Distance(QStringLiteral("1.5cm")), 15.0);
    EXPECT_DOUBLE_EQ(*CLabelCatalogue::Distance(QStringLiteral("0.125in")), 3.175);
    EXPECT_DOUBLE_EQ(*CLabelCatalogue::Distance(QStringLiteral("72pt")), 25.4);
    EXPECT_DOUBLE_EQ(*CLabelCatalogue::Distance(QStringLiteral("72")), 25.4); // points without a unit
    EXPECT_DOUBLE_EQ(*CLabelCatalogue::Distance(QStringLiteral("1pc")), 25.4 / 6.0);
    EXPECT_DOUBLE_EQ(*CLabelCatalogue::Distance(QStringLiteral(".5mm")), 0.5);
    for (const char *bad : {"", "mm", "5 furlongs", "1e999mm", "5mm5", "--5mm", "0x10"})
        EXPECT_FALSE(CLabelCatalogue::Distance(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(LabelCatalogue, OneGridOfRectanglesOnAKnownPaperBecomesASheet)
{
    const CLabelCatalogue c = Read();
    ASSERT_EQ(c.Sheets().size(), 4);
    const LabelSheet &hisago = c.Sheets()[0];
    EXPECT_EQ(hisago.brand, QStringLiteral("Hisago"));
    EXPECT_EQ(hisago.part, QStringLiteral("ELM006"));
    EXPECT_EQ(hisago.description, QStringLiteral("長方形ラベル"));
    EXPECT_EQ(hisago.paperName, QStringLiteral("A4"));
    EXPECT_EQ(hisago.paperCode, 9);
    EXPECT_EQ(hisago.columns, 2);
    EXPECT_EQ(hisago.rows, 5);
    EXPECT_EQ(hisago.labelWidth, 864);
    EXPECT_EQ(hisago.labelHeight, 508);
    EXPECT_EQ(hisago.gapX, 0);
    EXPECT_EQ(hisago.gapY, 0);
    // The right and bottom margins are what the grid leaves of the paper.
    EXPECT_EQ(hisago.margins, QMargins(186, 212, 2100 - 186 - 2 * 864, 2970 - 212 - 5 * 508));

    // A product named the same as another is its copy under its own number.
    LabelSheet copy = c.Sheets()[1];
    EXPECT_EQ(copy.part, QStringLiteral("ELM006-2"));
    copy.part = hisago.part;
    EXPECT_EQ(copy, hisago);

    const LabelSheet &avery = c.Sheets()[2];
    EXPECT_EQ(avery.paperCode, 1); // Letter
    EXPECT_EQ(avery.paperWidth, 2159);
    EXPECT_EQ(avery.labelWidth, 667); // 189 pt
    EXPECT_EQ(avery.gapX, 32);        // 2.75 in − 189 pt
    EXPECT_EQ(avery.gapY, 0);
    EXPECT_EQ(avery.margins.left(), 48);
    EXPECT_EQ(avery.margins.top(), 127);
    EXPECT_EQ(avery.description, QStringLiteral("宛名ラベル"));

    const LabelSheet &card = c.Sheets()[3];
    EXPECT_EQ(card.paperWidth, 1016);
    EXPECT_EQ(card.paperHeight, 1524);
    EXPECT_EQ(card.paperCode, 0); // 4 × 6 in has no printer paper code
    EXPECT_EQ(card.margins, QMargins(0, 42, 0, 1524 - 42 - 150));
    EXPECT_EQ(card.description, QStringLiteral("名刺"));
}

TEST(LabelCatalogue, ACutOffOrForeignDocumentKeepsTheSheetsBeforeTheBreak)
{
    CLabelCatalogue c;
    ASSERT_TRUE(c.ReadPaperSizes(Papers));
    const qsizetype cut = Templates.indexOf("<Template brand=\"Avery\" part=\"5160\"") + 40;
    EXPECT_FALSE(c.ReadTemplates(Templates.left(cut)));
    ASSERT_EQ(c.Sheets().size(), 2); // ELM006 and its copy; 5160 was cut off
    EXPECT_FALSE(c.ReadTemplates(Papers));
    EXPECT_FALSE(c.ReadTemplates(QByteArray()));
    EXPECT_FALSE(c.ReadPaperSizes(Templates));
    EXPECT_EQ(c.Sheets().size(), 2);

    // Noise, and a document of twenty thousand templates of garbage numbers.
    QRandomGenerator random(7);
    for (int round = 0; round < 50; ++round) {
        QByteArray noise(int(random.bounded(4000)), Qt::Uninitialized);
        for (char &b : noise)
            b = char(random.bounded(256));
        c.ReadTemplates(noise);
        c.ReadTemplates("<Glabels-templates>" + noise);
    }
    QByteArray big = "<Glabels-templates>";
    for (int i = 0; i < 20000; ++i)
        big += "<Template brand=\"B\" part=\"" + QByteArray::number(i) +
               "\" size=\"A4\"><Label-rectangle width=\"1e308mm\" height=\"-1mm\"><Layout nx=\"99999999999\" "
               "ny=\"-3\" x0=\"x\" y0=\"0\" dx=\"0\" dy=\"0\"/></Label-rectangle></Template>";
    big += "</Glabels-templates>";
    EXPECT_TRUE(c.ReadTemplates(big));
    EXPECT_EQ(c.Sheets().size(), 2);
}

TEST(LabelCatalogue, TheInstalledCatalogueHoldsTheMakersSheets)
{
    CLabelCatalogue c;
    ASSERT_TRUE(c.Load(CLabelCatalogue::DefaultFolder())) << "scripts/install-deps installs glabels-data";
    const QList<LabelSheet> &sheets = c.Sheets();
    EXPECT_GT(sheets.size(), 800);
    int hisago = 0;
    const LabelSheet *elm006 = nullptr;
    for (const LabelSheet &s : sheets) {
        EXPECT_GE(s.columns * s.rows, 1);
        EXPECT_LE(s.columns * s.rows, 100);
        EXPECT_GE(s.margins.right(), 0);
        EXPECT_GE(s.margins.bottom(), 0);
        if (s.brand == QLatin1String("Hisago")) {
            ++hisago;
            if (s.part == QLatin1String("ELM006"))
                elm006 = &s;
        }
    }
    EXPECT_GT(hisago, 150);
    ASSERT_NE(elm006, nullptr);
    EXPECT_EQ(elm006->labelWidth, 864);
    EXPECT_EQ(elm006->paperCode, 9);
    // Sorted by maker: one maker's sheets follow each other (however the
    // catalogue spells the name's case).
    QStringList makers;
    for (const LabelSheet &s : sheets) {
        const QString maker = s.brand.toLower();
        if (makers.isEmpty() || makers.last() != maker) {
            EXPECT_FALSE(makers.contains(maker)) << qPrintable(s.brand);
            makers << maker;
        }
    }
}

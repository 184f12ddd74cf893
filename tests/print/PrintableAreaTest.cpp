#include "CPrintableArea.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

// A4 with 5 mm unprintable strips on every side.
CPrintableArea A4()
{
    CPrintableArea a;
    a.paperWidth = 2100;
    a.paperHeight = 2970;
    a.offsetX = 50;
    a.offsetY = 50;
    a.printableWidth = 2000;
    a.printableHeight = 2870;
    return a;
}

} // namespace

TEST(PrintableArea, MarginsInsideThePrintableAreaPass)
{
    EXPECT_EQ(A4().CheckMargins(QMargins(100, 100, 100, 100)), 0);
    EXPECT_EQ(A4().CheckMargins(QMargins(50, 50, 50, 50)), 0); // exactly on the strips
}

TEST(PrintableArea, EachMarginInTheUnprintableStrip)
{
    EXPECT_EQ(A4().CheckMargins(QMargins(49, 100, 100, 100)), 1);
    EXPECT_EQ(A4().CheckMargins(QMargins(100, 100, 49, 100)), 2);
    EXPECT_EQ(A4().CheckMargins(QMargins(100, 49, 100, 100)), 3);
    EXPECT_EQ(A4().CheckMargins(QMargins(100, 100, 100, 49)), 4);
}

TEST(PrintableArea, LaterTestsOverrideEarlierOnes)
{
    // Order of the tests: bottom, right, left, top.
    EXPECT_EQ(A4().CheckMargins(QMargins(0, 100, 0, 0)), 1);
    EXPECT_EQ(A4().CheckMargins(QMargins(0, 0, 0, 0)), 3);
    EXPECT_EQ(A4().CheckMargins(QMargins(100, 100, 0, 0)), 2);
}

TEST(PrintableArea, ExtremeMarginsFromTheSettingsFile)
{
    // Found by fuzzing: the differences overflowed.
    const int big = std::numeric_limits<int>::max(), small = std::numeric_limits<int>::min();
    EXPECT_EQ(A4().CheckMargins(QMargins(small, small, big, big)), 3);
    EXPECT_EQ(A4().CheckMargins(QMargins(big, big, big, big)), 7);
    EXPECT_EQ(A4().CheckMargins(QMargins(100, 100, small, 100)), 2);
}

TEST(PrintableArea, MarginsLargerThanThePaper)
{
    // Left and right together wider than the paper: the left test comes later.
    EXPECT_EQ(A4().CheckMargins(QMargins(1500, 100, 700, 100)), 5);
    // Top and bottom together taller than the paper: the top test comes later.
    EXPECT_EQ(A4().CheckMargins(QMargins(100, 1500, 100, 1500)), 7);
    // A right margin alone may be large as long as the pair fits.
    EXPECT_EQ(A4().CheckMargins(QMargins(100, 100, 2000, 100)), 0);
    EXPECT_EQ(A4().CheckMargins(QMargins(101, 100, 2000, 100)), 5);
}

TEST(PrintableArea, ClampRaisesToTheStrips)
{
    CPrintableArea a = A4();
    a.offsetX = 40; // right strip 60
    a.offsetY = 30; // bottom strip 70
    EXPECT_EQ(a.ClampMargins(QMargins(0, 0, 0, 0)), QMargins(40, 30, 60, 70));
    EXPECT_EQ(a.ClampMargins(QMargins(100, 100, 100, 100)), QMargins(100, 100, 100, 100));
    EXPECT_EQ(a.CheckMargins(a.ClampMargins(QMargins(0, 0, 0, 0))), 0);
}

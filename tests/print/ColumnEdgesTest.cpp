#include "CColumnEdges.h"

#include <gtest/gtest.h>

namespace {
constexpr double Dpi96 = 96.0 / 254.0; // pixels per 0.1 mm on a 96 dpi screen
}

TEST(ColumnEdges, ADragChangesOnlyTheDraggedColumn)
{
    CColumnEdges edges({300, 300, 250, 417}, Dpi96);
    ASSERT_EQ(edges.Edges().size(), 4);
    const double second = edges.Edges()[1];
    edges.Drag(1, second + 40.0);
    const QList<int> widths = edges.Widths();
    EXPECT_EQ(widths[0], 300);
    EXPECT_EQ(widths[1], qRound((second + 40.0 - edges.Edges()[0]) / Dpi96));
    EXPECT_EQ(widths[2], 250); // later columns keep their stored widths exactly
    EXPECT_EQ(widths[3], 417);
    EXPECT_DOUBLE_EQ(edges.Edges()[3] - edges.Edges()[2], 417 * Dpi96);
}

TEST(ColumnEdges, NoColumnGetsNarrowerThanTenPixels)
{
    CColumnEdges edges({300, 300}, Dpi96);
    edges.Drag(1, 0.0); // far past the first edge
    EXPECT_DOUBLE_EQ(edges.Edges()[1], edges.Edges()[0] + CColumnEdges::MinWidth);
    edges.Drag(0, -50.0); // the first column keeps 10 pixels from 0
    EXPECT_DOUBLE_EQ(edges.Edges()[0], CColumnEdges::MinWidth);
    EXPECT_DOUBLE_EQ(edges.Edges()[1], 2 * CColumnEdges::MinWidth);
    EXPECT_EQ(edges.Widths(), QList<int>({qRound(10 / Dpi96), qRound(10 / Dpi96)}));
}

TEST(ColumnEdges, AnEdgeIsTakenWithinFivePixelsAndSqueezedEdgesGiveTheLaterOne)
{
    CColumnEdges edges({300, 300}, 1.0 / 10.0); // 30 and 60 pixels
    EXPECT_EQ(edges.EdgeAt(35.0), 0);
    EXPECT_EQ(edges.EdgeAt(25.0), 0);
    EXPECT_EQ(edges.EdgeAt(36.0), -1);
    EXPECT_EQ(edges.EdgeAt(57.0), 1);
    EXPECT_EQ(edges.EdgeAt(45.0), -1);
    CColumnEdges squeezed({300, 1}, 1.0 / 10.0); // edges 0.1 pixel apart
    EXPECT_EQ(squeezed.EdgeAt(30.05), 1);
}

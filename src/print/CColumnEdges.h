#pragma once

#include <QList>

// The right edges of the list columns on screen, as the width strip drags
// them: moving an edge moves every edge right of it by the same amount, so
// later columns keep their widths, and no column gets narrower than
// MinWidth pixels. Widths are stored in 0.1 mm.
class CColumnEdges
{
public:
    static constexpr double Grip = 5.0;      // pixels either side of an edge that take hold of it
    static constexpr double MinWidth = 10.0; // pixels

    // `pixelsPerUnit`: screen pixels per 0.1 mm.
    CColumnEdges(const QList<int> &widths, double pixelsPerUnit);

    // The edge within Grip pixels of x (the nearest), or -1.
    int EdgeAt(double x) const;
    // Moves `edge` to x, as far as MinWidth allows, with the later edges.
    void Drag(int edge, double x);

    const QList<double> &Edges() const { return m_edges; }
    // The widths in 0.1 mm; a column whose width the drags did not change
    // keeps its stored value exactly.
    QList<int> Widths() const;

private:
    QList<int> m_widths;
    QList<double> m_edges;
    double m_ppu;
};

#include "CColumnEdges.h"

#include <QtMath>
#include <algorithm>
#include <cmath>

CColumnEdges::CColumnEdges(const QList<int> &widths, double pixelsPerUnit)
    : m_widths(widths), m_ppu(pixelsPerUnit > 0 ? pixelsPerUnit : 1.0)
{
    double x = 0.0;
    for (int w : m_widths) {
        x += std::max(w, 0) * m_ppu;
        m_edges << x;
    }
}

int CColumnEdges::EdgeAt(double x) const
{
    int best = -1;
    double bestDistance = Grip;
    // From the right: of edges squeezed together the later one is taken, so
    // a column pressed to its narrowest can be widened again.
    for (int i = int(m_edges.size()) - 1; i >= 0; --i) {
        const double d = std::abs(m_edges[i] - x);
        if (d < bestDistance || (best < 0 && d <= Grip)) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

void CColumnEdges::Drag(int edge, double x)
{
    if (edge < 0 || edge >= m_edges.size())
        return;
    const double left = edge == 0 ? 0.0 : m_edges[edge - 1];
    const double delta = std::max(x, left + MinWidth) - m_edges[edge];
    for (qsizetype i = edge; i < m_edges.size(); ++i)
        m_edges[i] += delta;
}

QList<int> CColumnEdges::Widths() const
{
    QList<int> widths;
    double left = 0.0;
    for (qsizetype i = 0; i < m_edges.size(); ++i) {
        const double pixels = m_edges[i] - left;
        const double stored = std::max(m_widths[i], 0) * m_ppu;
        widths << (std::abs(pixels - stored) < 1e-6 ? m_widths[i] : qRound(pixels / m_ppu));
        left = m_edges[i];
    }
    return widths;
}

#include "CPrintItemWidthSetView.h"

#include "CPrint.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

namespace {

constexpr double TenthsPerInch = 254.0;
constexpr int Padding = 4; // pixels around the table

} // namespace

CPrintItemWidthSetView::CPrintItemWidthSetView(CPrint &print, const QList<CCardData *> &cards,
                                               QWidget *parent)
    : QAbstractScrollArea(parent), m_print(print), m_cards(cards), m_view(print)
{
    viewport()->setMouseTracking(true);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

double CPrintItemWidthSetView::PixelsPerUnit() const
{
    return logicalDpiX() / TenthsPerInch;
}

QList<double> CPrintItemWidthSetView::Edges() const
{
    return m_edges ? m_edges->Edges() : QList<double>();
}

QSize CPrintItemWidthSetView::sizeHint() const
{
    return QSize(480, 170);
}

void CPrintItemWidthSetView::Refresh()
{
    m_dragging = -1;
    m_view.ClearScaled();
    m_view.Paginate(m_cards, true);
    m_edges.emplace(m_print.ListItemWidth, PixelsPerUnit());
    // The height the table takes, measured by laying it out on nothing.
    QImage probe(1, 1, QImage::Format_RGB32);
    QPainter p(&probe);
    p.scale(PixelsPerUnit(), PixelsPerUnit());
    const double bottom = m_view.DrawTable(p, 1, 0.0, 0.0);
    p.end();
    m_tableHeight = int(std::ceil(bottom * PixelsPerUnit()));
    UpdateScrollRanges();
    viewport()->update();
}

void CPrintItemWidthSetView::UpdateScrollRanges()
{
    const double right = m_edges && !m_edges->Edges().isEmpty() ? m_edges->Edges().last() : 0.0;
    const QSize page = viewport()->size();
    horizontalScrollBar()->setRange(0, qMax(0, int(std::ceil(right)) + 2 * Padding - page.width()));
    horizontalScrollBar()->setPageStep(page.width());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(0, qMax(0, m_tableHeight + 2 * Padding - page.height()));
    verticalScrollBar()->setPageStep(page.height());
    verticalScrollBar()->setSingleStep(20);
}

double CPrintItemWidthSetView::ContentX(const QPoint &viewportPos) const
{
    return viewportPos.x() + horizontalScrollBar()->value() - Padding;
}

void CPrintItemWidthSetView::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    p.translate(Padding - horizontalScrollBar()->value(), Padding - verticalScrollBar()->value());
    const QList<double> edges = Edges();
    const double right = edges.isEmpty() ? 0.0 : edges.last();
    const double height = std::max<double>(m_tableHeight, viewport()->height());

    // The table as printed: the painter works in 0.1 mm.
    p.save();
    p.scale(PixelsPerUnit(), PixelsPerUnit());
    p.setPen(QPen(m_print.FontColor));
    m_view.DrawTable(p, 1, 0.0, right / PixelsPerUnit());
    p.restore();

    p.setPen(QPen(palette().color(QPalette::Mid), 1));
    for (double x : edges)
        p.drawLine(QPointF(x, -Padding), QPointF(x, height));
}

void CPrintItemWidthSetView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_edges) {
        const double x = ContentX(event->position().toPoint());
        m_dragging = m_edges->EdgeAt(x);
        // The edge keeps its distance from the pointer instead of jumping to it.
        m_grabOffset = m_dragging >= 0 ? m_edges->Edges()[m_dragging] - x : 0.0;
        m_pressWidths = m_print.ListItemWidth;
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void CPrintItemWidthSetView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_edges)
        return;
    const QPoint pos = event->position().toPoint();
    if (m_dragging < 0) {
        viewport()->setCursor(m_edges->EdgeAt(ContentX(pos)) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
        return;
    }
    m_edges->Drag(m_dragging, ContentX(pos) + m_grabOffset);
    m_print.ListItemWidth = m_edges->Widths(); // the texts follow the edge
    UpdateScrollRanges();
    // Dragged beyond what shows: the strip follows the edge.
    const double shown = m_edges->Edges()[m_dragging] + Padding - horizontalScrollBar()->value();
    QScrollBar *bar = horizontalScrollBar();
    if (shown > viewport()->width())
        bar->setValue(bar->value() + int(std::ceil(shown - viewport()->width())));
    else if (shown < 0)
        bar->setValue(bar->value() + int(std::floor(shown)));
    viewport()->update();
}

void CPrintItemWidthSetView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_dragging >= 0 && m_edges) {
        m_dragging = -1;
        if (m_print.ListItemWidth != m_pressWidths) {
            Refresh();
            emit WidthsChanged();
        }
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void CPrintItemWidthSetView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRanges();
}

void CPrintItemWidthSetView::scrollContentsBy(int, int)
{
    viewport()->update();
}

#pragma once

#include "CColumnEdges.h"
#include "CPrintPreviewWnd.h"

#include <QAbstractScrollArea>
#include <QList>
#include <optional>

class CCardData;
class CPrint;

// The strip of the list page in which column widths are dragged: the column
// titles, the rule and the first page's rows at their printed size on
// screen (no margins), with a line at every column's right edge. An edge
// taken within 5 pixels moves with the later columns, and the widths in the
// CPrint follow it; WidthsChanged when the mouse is let go.
class CPrintItemWidthSetView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    CPrintItemWidthSetView(CPrint &print, const QList<CCardData *> &cards, QWidget *parent = nullptr);

    // Lays the first page out again from the settings and redraws (also the
    // first time: the strip is empty until then).
    void Refresh();

    // Column edges in content pixels, for tests and drawing.
    QList<double> Edges() const;
    double PixelsPerUnit() const;

    QSize sizeHint() const override;

signals:
    void WidthsChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    double ContentX(const QPoint &viewportPos) const;
    void UpdateScrollRanges();

    CPrint &m_print;
    QList<CCardData *> m_cards;
    CPrintPreviewWnd m_view;
    std::optional<CColumnEdges> m_edges;
    int m_tableHeight = 0; // pixels
    int m_dragging = -1;   // the edge held, or -1
    double m_grabOffset = 0.0;
    QList<int> m_pressWidths;
};

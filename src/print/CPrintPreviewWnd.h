#pragma once

#include "CPrintText.h"
#include "CPrintableArea.h"

#include <QList>
#include <QMargins>
#include <QRectF>
#include <optional>

class CCardData;
class CPrint;
class QPainter;

// The pages a job or preview prints, first to last.
struct PageRange
{
    int first = 1;
    int last = 1;
};

// The printing view: splits the marked cards of a sequence into list pages
// or label sheets and draws any page, with the settings of a CPrint, on any
// painter (printer, PDF file, preview). Lengths in 0.1 mm; layout
// coordinates start at the printable area's top-left corner, y downwards.
class CPrintPreviewWnd
{
public:
    using Page = QList<const CCardData *>;

    explicit CPrintPreviewWnd(CPrint &print);

    // List pages; returns the page count. Shrinks the layout once to the
    // paper width when the settings ask for it and the columns are wider.
    int Paginate(const QList<CCardData *> &cards, bool firstPageOnly);
    // Label sheets; returns the sheet count.
    int PaginateLabels(const QList<CCardData *> &cards);
    // By the CPrint's mode.
    int PaginateMode(const QList<CCardData *> &cards);

    // Draws page `page` (1-based) of the last pagination. `paper` is the
    // paper's rectangle in the painter's coordinates.
    void DrawListPage(QPainter &painter, const QRectF &paper, int page);
    void DrawLabelPage(QPainter &painter, const QRectF &paper, int page);
    void DrawPage(QPainter &painter, const QRectF &paper, int page);
    // The column titles, the rule and the rows of list page `page`, the first
    // column's left edge at x = 0 and the titles' top at `top`, in 0.1 mm;
    // returns the bottom of the last row. The rule reaches to `ruleRight`.
    double DrawTable(QPainter &painter, int page, double top, double ruleRight);

    // Each list column as wide as its widest text on one line (its title and
    // the texts of every marked card) plus two blanks, in 0.1 mm.
    QList<int> AutoFitWidths(const QList<CCardData *> &cards);

    // Repaginates the current mode unscaled and gives the pages a job prints:
    // from FromPage (or 1) to ToPage (or the last page), never backwards.
    PageRange PreparePageRange(const QList<CCardData *> &cards);

    const QList<Page> &Pages() const { return m_pages; }
    bool Scaled() const { return m_scaled; }
    double Scale() const { return m_scaled ? m_scale : 1.0; }
    void ClearScaled() { m_scaled = false; }
    // The right edge of the widest title or data cell of the last list
    // pagination, from the printable area's left edge.
    double MaxRight() const { return m_maxRight; }

private:
    struct Content
    {
        double left, top, right, bottom;
    };
    Content ListContent() const;
    const CPrintText &Text();
    // Height of a list row of these texts, widening m_maxRight to its cells.
    int RowHeight(const QStringList &texts, double left);
    QStringList Titles() const;
    QStringList Cells(const CCardData &card) const;
    void DrawRow(QPainter &painter, const QStringList &texts, double left, double top);
    void DrawThree(QPainter &painter, const QStringList &texts, const Content &c, double top);

    CPrint &m_print;
    QList<Page> m_pages;
    bool m_scaled = false;
    double m_scale = 1.0;
    double m_maxRight = 0.0;
    std::optional<CPrintText> m_text;
    CLogFont m_textFont;
};

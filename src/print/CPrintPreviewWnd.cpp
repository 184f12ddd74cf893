#include "CPrintPreviewWnd.h"

#include "CCardData.h"
#include "CPrint.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// Label grids beyond these are damage from the settings file, not sheets.
constexpr int MaxGridSide = 100;

// One unit = 0.1 mm ÷ scale on paper, (0, 0) at the printable area's top-left.
void MapToPrintableArea(QPainter &p, const QRectF &paper, const CPrintableArea &a, double scale)
{
    p.translate(paper.topLeft());
    if (a.paperWidth > 0 && a.paperHeight > 0)
        p.scale(paper.width() / a.paperWidth, paper.height() / a.paperHeight);
    p.translate(a.offsetX, a.offsetY);
    p.scale(scale, scale);
}

bool NamesAPerson(int item)
{
    return item >= 0 && item <= 2;
}

} // namespace

CPrintPreviewWnd::CPrintPreviewWnd(CPrint &print) : m_print(print)
{
}

const CPrintText &CPrintPreviewWnd::Text()
{
    if (!m_text || !(m_textFont == m_print.LogFont)) {
        m_text.emplace(CPrintFont(m_print.LogFont));
        m_textFont = m_print.LogFont;
    }
    return *m_text;
}

CPrintPreviewWnd::Content CPrintPreviewWnd::ListContent() const
{
    // The paper's size and offsets stay physical: in shrunk units they are larger.
    const CPrintableArea a = m_print.Area();
    const double s = Scale();
    const QMargins &m = m_print.RectMargin;
    Content c;
    c.left = m.left() - a.offsetX / s;
    c.right = a.paperWidth / s - a.offsetX / s - m.right();
    c.top = m.top() - a.offsetY / s;
    c.bottom = a.paperHeight / s - a.offsetY / s - m.bottom();
    return c;
}

QStringList CPrintPreviewWnd::Titles() const
{
    QStringList t;
    for (int item : m_print.ListItemIndex)
        t << (item >= 0 && item < m_print.Items.size() ? m_print.Items[item].Caption : QString());
    return t;
}

QStringList CPrintPreviewWnd::Cells(const CCardData &card) const
{
    QStringList t;
    for (int item : m_print.ListItemIndex)
        t << CPrint::GetItemText(item, card);
    return t;
}

int CPrintPreviewWnd::RowHeight(const QStringList &texts, double left)
{
    const CPrintText &text = Text();
    const int lh = text.LineHeight();
    const QList<int> &widths = m_print.ListItemWidth;
    int height = lh;
    double x = left;
    for (int i = 0; i < texts.size(); ++i) {
        const int w = i < widths.size() ? widths[i] : 0;
        if (m_print.TurnDown) {
            const CPrintText::Box box = text.Measure(texts[i], w);
            height = std::max(height, box.Height(lh));
            m_maxRight = std::max(m_maxRight, x + box.width);
        } else {
            m_maxRight = std::max(m_maxRight, x + w);
        }
        x += w;
    }
    return height;
}

int CPrintPreviewWnd::Paginate(const QList<CCardData *> &cards, bool firstPageOnly)
{
    m_pages = {Page()};
    const Content c = ListContent();
    const int lh = Text().LineHeight();
    m_maxRight = c.left;

    const int titleHeight = RowHeight(Titles(), c.left);
    const double firstRowTop = c.top + 3.0 * lh + titleHeight; // header, blank, titles, rule
    const double lowestBottom = c.bottom - 2.0 * lh;           // blank and footer stay free

    qsizetype lastMarked = -1;
    for (qsizetype i = cards.size() - 1; i >= 0 && lastMarked < 0; --i) {
        if (cards[i]->Print())
            lastMarked = i;
    }
    double rowTop = firstRowTop;
    for (qsizetype i = 0; i < cards.size();) {
        const CCardData *card = cards[i];
        if (!card->Print()) {
            ++i;
            continue;
        }
        const int rowHeight = RowHeight(Cells(*card), c.left);
        if (rowTop + rowHeight <= lowestBottom) {
            m_pages.last() << card;
            rowTop += rowHeight;
            ++i;
            continue;
        }
        // A row taller than a whole page still gets a page of its own.
        if (m_pages.last().isEmpty()) {
            m_pages.last() << card;
            ++i;
        }
        if (firstPageOnly)
            break;
        if (i <= lastMarked)
            m_pages << Page();
        rowTop = firstRowTop;
    }

    if (m_print.FitPaper && !m_scaled && c.right > 0 && m_maxRight > c.right) {
        m_scale = c.right / m_maxRight;
        m_scaled = true;
        return Paginate(cards, false);
    }
    return int(m_pages.size());
}

int CPrintPreviewWnd::PaginateLabels(const QList<CCardData *> &cards)
{
    const int columns = std::clamp(m_print.SizeAspects.width(), 1, MaxGridSide);
    const int rows = std::clamp(m_print.SizeAspects.height(), 1, MaxGridSide);
    const qsizetype perSheet = qsizetype(columns) * rows;
    m_pages.clear();
    for (const CCardData *card : cards) {
        if (!card->Print())
            continue;
        if (m_pages.isEmpty() || m_pages.last().size() == perSheet)
            m_pages << Page();
        m_pages.last() << card;
    }
    return int(m_pages.size());
}

int CPrintPreviewWnd::PaginateMode(const QList<CCardData *> &cards)
{
    return m_print.Mode == CPrint::ModeLabel ? PaginateLabels(cards) : Paginate(cards, false);
}

PageRange CPrintPreviewWnd::PreparePageRange(const QList<CCardData *> &cards)
{
    ClearScaled();
    const int count = PaginateMode(cards);
    PageRange r;
    r.first = m_print.FromPage != 0 ? m_print.FromPage : 1;
    r.last = m_print.ToPage != 0 ? m_print.ToPage : count;
    r.last = std::max(r.last, r.first);
    return r;
}

void CPrintPreviewWnd::DrawThree(QPainter &painter, const QStringList &texts, const Content &c, double top)
{
    const CPrintText &text = Text();
    text.DrawLine(painter, texts.value(0), QPointF(c.left, top));
    const QString centre = texts.value(1);
    text.DrawLine(painter, centre, QPointF((c.left + c.right) / 2.0 - text.LineWidth(centre) / 2.0, top));
    const QString right = texts.value(2);
    text.DrawLine(painter, right, QPointF(c.right - text.LineWidth(right), top));
}

void CPrintPreviewWnd::DrawRow(QPainter &painter, const QStringList &texts, double left, double top)
{
    const CPrintText &text = Text();
    const QList<int> &widths = m_print.ListItemWidth;
    double x = left;
    for (int i = 0; i < texts.size(); ++i) {
        const int w = i < widths.size() ? widths[i] : 0;
        if (m_print.TurnDown)
            text.DrawWrapped(painter, texts[i], QPointF(x, top), w);
        else
            text.DrawLine(painter, text.Elided(texts[i], w), QPointF(x, top));
        x += w;
    }
}

void CPrintPreviewWnd::DrawListPage(QPainter &painter, const QRectF &paper, int page)
{
    painter.save();
    MapToPrintableArea(painter, paper, m_print.Area(), Scale());
    const Content c = ListContent();
    painter.setClipRect(QRectF(c.left, c.top, c.right - c.left, c.bottom - c.top), Qt::IntersectClip);
    const CPrintText &text = Text();
    const int lh = text.LineHeight();
    const QPen textPen(m_print.FontColor);
    painter.setPen(textPen);

    DrawThree(painter, m_print.ListHeader, c, c.top);
    const double saveMaxRight = m_maxRight;
    painter.translate(c.left, 0.0);
    DrawTable(painter, page, c.top + 2.0 * lh, c.right - c.left);
    painter.translate(-c.left, 0.0);
    m_maxRight = saveMaxRight;
    DrawThree(painter, m_print.ListFooter, c, c.bottom - lh);
    painter.restore();
}

double CPrintPreviewWnd::DrawTable(QPainter &painter, int page, double top, double ruleRight)
{
    const CPrintText &text = Text();
    const int lh = text.LineHeight();
    const QPen textPen = painter.pen();
    const QStringList titles = Titles();
    const int titleHeight = RowHeight(titles, 0.0);
    DrawRow(painter, titles, 0.0, top);

    painter.setPen(QPen(Qt::black, 1.0));
    const double ruleY = top + titleHeight + lh / 2.0;
    painter.drawLine(QPointF(0.0, ruleY), QPointF(ruleRight, ruleY));
    painter.setPen(textPen);

    double rowTop = top + titleHeight + lh;
    if (page >= 1 && page <= m_pages.size()) {
        for (const CCardData *card : m_pages[page - 1]) {
            const QStringList cells = Cells(*card);
            DrawRow(painter, cells, 0.0, rowTop);
            rowTop += RowHeight(cells, 0.0);
        }
    }
    return rowTop;
}

QList<int> CPrintPreviewWnd::AutoFitWidths(const QList<CCardData *> &cards)
{
    const CPrintText &text = Text();
    const qreal blanks = text.LineWidth(QStringLiteral("  "));
    QList<qreal> widest;
    for (const QString &title : Titles())
        widest << text.LineWidth(title);
    for (const CCardData *card : cards) {
        if (!card->Print())
            continue;
        const QStringList cells = Cells(*card);
        for (qsizetype i = 0; i < cells.size(); ++i)
            widest[i] = std::max(widest[i], text.LineWidth(cells[i]));
    }
    QList<int> widths;
    for (qreal w : widest)
        widths << int(std::ceil(w + blanks));
    return widths;
}

void CPrintPreviewWnd::DrawLabelPage(QPainter &painter, const QRectF &paper, int page)
{
    if (page < 1 || page > m_pages.size())
        return;
    painter.save();
    const CPrintableArea a = m_print.Area();
    MapToPrintableArea(painter, paper, a, 1.0);
    painter.setPen(QPen(m_print.FontColor));
    const CPrintText &text = Text();
    const int lh = text.LineHeight();

    const int columns = std::clamp(m_print.SizeAspects.width(), 1, MaxGridSide);
    const double width = m_print.SizeSeal.width();
    const double height = m_print.SizeSeal.height();
    const double gridLeft = double(m_print.RectSealMargin.left()) - a.offsetX;
    const double gridTop = double(m_print.RectSealMargin.top()) - a.offsetY;
    const Page &sheet = m_pages[page - 1];
    for (qsizetype n = 0; n < sheet.size(); ++n) {
        const double left = gridLeft + double(n % columns) * (width + m_print.SizeSealsDistance.width());
        const double top = gridTop + double(n / columns) * (height + m_print.SizeSealsDistance.height());
        const double bottom = top + height;
        double y = top;
        for (int item : m_print.SealItemIndex) {
            QString line = CPrint::GetItemText(item, *sheet[n]);
            // An empty item takes no line, so the lines below it move up.
            if (line.isEmpty())
                continue;
            if (NamesAPerson(item) && m_print.Respect >= 0 && m_print.Respect < CPrint::RespectNone)
                line += QLatin1Char(' ') + CPrint::RespectName(m_print.Respect);
            const int h = text.Measure(line, width).Height(lh);
            if (y + h > bottom)
                break;
            text.DrawWrapped(painter, line, QPointF(left, y), width);
            y += h;
        }
    }
    painter.restore();
}

void CPrintPreviewWnd::DrawPage(QPainter &painter, const QRectF &paper, int page)
{
    if (m_print.Mode == CPrint::ModeLabel)
        DrawLabelPage(painter, paper, page);
    else
        DrawListPage(painter, paper, page);
}

#include "CPrintText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <cmath>

namespace {

const QChar Ellipsis(0x2026);

// Line ends of stored texts ("\r\n" from Windows-made files, "\n") become
// forced line breaks when wrapping and blanks on a single line.
QString WithBreaks(const QString &text, QChar replacement)
{
    if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString t = text;
    t.replace(QLatin1String("\r\n"), QString(replacement));
    t.replace(QLatin1Char('\r'), replacement);
    t.replace(QLatin1Char('\n'), replacement);
    return t;
}

QTextOption WrapOption(QTextOption::WrapMode mode)
{
    QTextOption o;
    o.setWrapMode(mode);
    o.setUseDesignMetrics(true);
    return o;
}

// x of the end of text[0, end) with its trailing blanks left off.
qreal EndX(const QTextLine &line, const QString &text, int end)
{
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return line.cursorToX(end);
}

} // namespace

CPrintText::CPrintText(const CPrintFont &font)
    : m_font(font.Font()), m_lineHeight(font.LineHeight()),
      m_ellipsisWidth(QFontMetricsF(font.Font()).horizontalAdvance(Ellipsis))
{
}

qreal CPrintText::Wrap(QTextLayout &layout, qreal width) const
{
    layout.setTextOption(WrapOption(QTextOption::WrapAtWordBoundaryOrAnywhere));
    qreal widest = 0.0;
    int n = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine(), ++n) {
        line.setLineWidth(qMax<qreal>(width, 0.0));
        line.setPosition(QPointF(0.0, qreal(n) * m_lineHeight));
        widest = qMax(widest, line.naturalTextWidth());
    }
    layout.endLayout();
    return widest;
}

CPrintText::Box CPrintText::Measure(const QString &text, qreal width) const
{
    if (text.isEmpty())
        return {};
    const QPair<QString, qint64> key(text, qint64(std::llround(width * 1024.0)));
    if (const auto known = m_measured.constFind(key); known != m_measured.cend())
        return *known;
    QTextLayout layout(WithBreaks(text, QChar::LineSeparator), m_font);
    Box box;
    box.width = Wrap(layout, width);
    box.lines = layout.lineCount();
    m_measured.insert(key, box);
    return box;
}

void CPrintText::DrawWrapped(QPainter &painter, const QString &text, const QPointF &topLeft,
                             qreal width) const
{
    if (text.isEmpty())
        return;
    QTextLayout layout(WithBreaks(text, QChar::LineSeparator), m_font);
    Wrap(layout, width);
    layout.draw(&painter, topLeft);
}

QString CPrintText::Elided(const QString &text, qreal width) const
{
    const QString t = WithBreaks(text, QLatin1Char(' '));
    QTextLayout layout(t, m_font);
    layout.setTextOption(WrapOption(QTextOption::NoWrap));
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid() || line.naturalTextWidth() <= width)
        return t;

    // The longest run of whole words that fits with the ellipsis; the first
    // word is cut between characters only when not even it fits.
    const qreal room = width - m_ellipsisWidth;
    int cut = 0;
    for (QTextBoundaryFinder::BoundaryType type :
         {QTextBoundaryFinder::Line, QTextBoundaryFinder::Grapheme}) {
        QTextBoundaryFinder finder(type, t);
        for (qsizetype at = finder.toNextBoundary(); at > 0 && at < t.size(); at = finder.toNextBoundary()) {
            if (type == QTextBoundaryFinder::Line &&
                !(finder.boundaryReasons() & QTextBoundaryFinder::BreakOpportunity))
                continue;
            if (EndX(line, t, int(at)) > room)
                break;
            cut = int(at);
        }
        if (cut > 0)
            break;
    }
    QString kept = t.left(cut);
    while (!kept.isEmpty() && kept.back().isSpace())
        kept.chop(1);
    return kept + Ellipsis;
}

void CPrintText::DrawLine(QPainter &painter, const QString &text, const QPointF &topLeft) const
{
    if (text.isEmpty())
        return;
    QTextLayout layout(WithBreaks(text, QLatin1Char(' ')), m_font);
    layout.setTextOption(WrapOption(QTextOption::NoWrap));
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setPosition(QPointF(0.0, 0.0));
    layout.endLayout();
    layout.draw(&painter, topLeft);
}

qreal CPrintText::LineWidth(const QString &text) const
{
    QTextLayout layout(WithBreaks(text, QLatin1Char(' ')), m_font);
    layout.setTextOption(WrapOption(QTextOption::NoWrap));
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    return line.isValid() ? line.naturalTextWidth() : 0.0;
}

#include "VCardLineCursor.h"

VCardLineCursor::VCardLineCursor(QStringView text, Breaks breaks) : m_text(text), m_breaks(breaks)
{
}

VCardLineCursor::VCardLineCursor(const QStringList &lines, qsizetype first, qsizetype end)
    : m_pos(qBound<qsizetype>(0, first, lines.size())), m_lines(&lines),
      m_end(qBound<qsizetype>(0, end, lines.size()))
{
}

bool VCardLineCursor::AtEnd() const
{
    return m_lines ? m_pos >= m_end : m_pos >= m_text.size();
}

bool VCardLineCursor::Next(QStringView &line)
{
    return Read(m_pos, line);
}

bool VCardLineCursor::Peek(QStringView &line) const
{
    qsizetype pos = m_pos;
    return Read(pos, line);
}

bool VCardLineCursor::Read(qsizetype &pos, QStringView &line) const
{
    if (m_lines) {
        if (pos >= m_end)
            return false;
        line = m_lines->at(pos++);
        return true;
    }
    if (pos >= m_text.size())
        return false;
    if (m_breaks == Breaks::Lf) {
        qsizetype end = m_text.indexOf(u'\n', pos);
        const qsizetype next = end < 0 ? m_text.size() : end + 1;
        if (end < 0)
            end = m_text.size();
        line = m_text.mid(pos, end - pos);
        if (line.endsWith(u'\r'))
            line.chop(1);
        pos = next;
        return true;
    }
    qsizetype end = m_text.indexOf(u'\r', pos);
    while (end >= 0 && (end + 1 >= m_text.size() || m_text[end + 1] != u'\n'))
        end = m_text.indexOf(u'\r', end + 1);
    const qsizetype next = end < 0 ? m_text.size() : end + 2;
    if (end < 0)
        end = m_text.size();
    line = m_text.mid(pos, end - pos);
    pos = next;
    return true;
}

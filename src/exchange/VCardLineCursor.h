#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Walks the lines of vCard text without copying them: either over one decoded
// text (split at "\r\n", or at "\n" with an optional "\r" before it) or over a
// range of an already split list.
class VCardLineCursor
{
public:
    enum class Breaks
    {
        CrLf,
        Lf
    };

    VCardLineCursor(QStringView text, Breaks breaks);
    VCardLineCursor(const QStringList &lines, qsizetype first, qsizetype end);

    bool AtEnd() const;
    // The next line; false at the end.
    bool Next(QStringView &line);
    // The next line without consuming it.
    bool Peek(QStringView &line) const;

private:
    bool Read(qsizetype &pos, QStringView &line) const;

    QStringView m_text;
    Breaks m_breaks = Breaks::CrLf;
    qsizetype m_pos = 0;
    const QStringList *m_lines = nullptr;
    qsizetype m_end = 0;
};

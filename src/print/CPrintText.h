#pragma once

#include "CPrintFont.h"

#include <QHash>
#include <QPair>
#include <QPointF>
#include <QString>

class QPainter;
class QTextLayout;

// Measures and draws printed texts in the print font, in two ways: wrapped
// inside a width, breaking a word only when it alone is wider than the width
// (unspaced Japanese wraps between characters, and 、。 never start a line);
// or on one line, cut at a word and ended with an ellipsis when too wide.
// Wrapped lines follow each other at the font's line height.
class CPrintText
{
public:
    explicit CPrintText(const CPrintFont &font);

    int LineHeight() const { return m_lineHeight; }

    struct Box
    {
        int lines = 0;     // 0 for an empty text
        qreal width = 0.0; // the widest line; wider than asked only for a glyph that alone is
        int Height(int lineHeight) const { return lines * lineHeight; }
    };
    Box Measure(const QString &text, qreal width) const;
    void DrawWrapped(QPainter &painter, const QString &text, const QPointF &topLeft, qreal width) const;

    // The text as it fits on one line of `width`.
    QString Elided(const QString &text, qreal width) const;
    // One line as it is (no wrapping), its top-left at `topLeft`.
    void DrawLine(QPainter &painter, const QString &text, const QPointF &topLeft) const;
    qreal LineWidth(const QString &text) const;

private:
    // Lays the text out in lines of `width`; returns the widest line.
    qreal Wrap(QTextLayout &layout, qreal width) const;

    QFont m_font;
    int m_lineHeight;
    qreal m_ellipsisWidth;
    // Texts measured before, by text and width: a list's pages are laid out
    // again after every change of a setting, and most cells repeat.
    mutable QHash<QPair<QString, qint64>, Box> m_measured;
};

#pragma once

#include <QList>
#include <QString>

class CCardData;

// The texts of the overwrite confirmation: caption, question and the two card
// panes with the parts that are to be drawn bold.
class OverwriteConfText
{
public:
    // One pane line: plain text, or a telephone line "[n] " kind "： " number.
    struct Line
    {
        QString lead;   // the whole plain line, or "[n] " for a telephone line
        QString kind;   // kind name (empty for plain lines)
        QString number; // "： " + number (empty for plain lines)
        bool kindBold = false;
        bool numberBold = false;

        QString Text() const { return lead + kind + number; }
    };

    static QString Caption(const QString &sourceName);
    static QString Question();
    static QString CurrentHeading();
    static QString NewHeading();
    // Kind name as the panes show it, tabs included.
    static QString KindName(quint32 kind);
    // Name, reading and telephone lines of card, compared with other.
    static QList<Line> Pane(const CCardData &card, const CCardData &other);
};

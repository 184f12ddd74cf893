#pragma once

#include <QList>
#include <QString>

class CCardData;

// The texts of the overwrite confirmation: caption, question and the two card
// panes with the parts that are to be drawn bold.
class OverwriteConfText
{
public:
    // One pane line: plain text, a telephone line "[n] " kind "： " number, or a
    // labelled line such as "会社名： " + the company.
    struct Line
    {
        QString lead;   // the whole plain line, "[n] " for a telephone line, or the label
        QString kind;   // kind name (empty for other lines)
        QString number; // "： " + number, or a labelled line's value (empty for plain lines)
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
    // Name, reading and telephone lines of card, compared with other; then, so that
    // namesakes can be told apart, company, department and first e-mail address
    // (each when either card has one), the value bold where the other card's differs.
    static QList<Line> Pane(const CCardData &card, const CCardData &other);
};

#pragma once

#include "LabelSheet.h"

#include <QHash>
#include <QList>
#include <QString>
#include <optional>

// The label sheets of gLabels' template catalogue (Debian's glabels-data):
// every product whose labels are one size of rectangle in one grid on a
// known paper, with at most 100 labels. Round, elliptical and CD labels,
// sheets of several grids and rolls are left out.
class CLabelCatalogue
{
public:
    // Where glabels-data puts the catalogue.
    static QString DefaultFolder();

    // Reads "paper-sizes.xml" and every "*-templates.xml" of the folder;
    // false when there is no catalogue there.
    bool Load(const QString &folder);

    // The paper sizes of a "Glabels-paper-sizes" document; false when it is
    // not one or breaks off (the sizes read before stay known).
    bool ReadPaperSizes(const QByteArray &xml);
    // The sheets of a "Glabels-templates" document, added to Sheets() in
    // order; the sheets complete before a damaged spot are kept. False when
    // the document is not one or breaks off.
    bool ReadTemplates(const QByteArray &xml);

    // Sorted by maker, then product number, after Load; in reading order otherwise.
    const QList<LabelSheet> &Sheets() const { return m_sheets; }

    // A gLabels distance ("5mm", "0.125in", "72", "1.5cm", "2pc") in
    // millimetres; none for anything else. Without a unit it is in points.
    static std::optional<double> Distance(const QString &text);
    // The Japanese of the commonest product descriptions; others unchanged.
    static QString DescriptionText(const QString &description);

private:
    struct Paper
    {
        QString name;
        double width = 0.0; // mm
        double height = 0.0;
    };
    QHash<QString, Paper> m_papers;      // by lower-case id
    QHash<QString, LabelSheet> m_byPart; // "brand\npart" → sheet, for "equiv"
    QList<LabelSheet> m_sheets;
};

#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QtGlobal>

// The printer's device settings as the print engine keeps them: paper,
// orientation and the printer model they were made for. Stored as a
// DevModeBlock whose fixed part is
//
//   offset 0  4 bytes  fields present (Field* bits, little-endian)
//   offset 4  2 bytes  orientation (1 portrait, 2 landscape)
//   offset 6  2 bytes  paper size code (PaperCode; User = given by length and width)
//   offset 8  2 bytes  paper length, 0.1 mm (for User)
//   offset 10 2 bytes  paper width, 0.1 mm (for User)
//
// and whose driver-extra part is the printer's make and model in UTF-8. A
// block of another fixed size, or made for another model, is not this
// printer's and gives way to the printer's defaults.
struct CDevMode
{
    static constexpr int FixedSize = 12;
    enum Field : quint32
    {
        FieldOrientation = 0x1,
        FieldPaperSize = 0x2,
        FieldPaperLength = 0x4,
        FieldPaperWidth = 0x8,
    };

    quint32 fields = 0;
    qint16 orientation = 0;
    qint16 paperSize = 0;
    qint16 paperLength = 0;
    qint16 paperWidth = 0;
    QByteArray model; // UTF-8, kept byte for byte

    QByteArray Encode() const;
    // False (and *out unchanged) for anything but a well-formed block.
    static bool Decode(const QByteArray &block, CDevMode *out);

    bool Has(Field f) const { return (fields & f) != 0; }

    // The paper and orientation the block asks for; A4 and portrait for what
    // it leaves open or names wrongly.
    QPageSize PageSize() const;
    QPageLayout::Orientation PageOrientation() const;
    // A block for that paper: its code when it has one, else its size.
    static CDevMode ForPage(const QPageSize &size, QPageLayout::Orientation orientation,
                            const QString &model);

    bool operator==(const CDevMode &) const = default;
};

#include "CDevMode.h"

#include "DevModeBlock.h"
#include "PaperCode.h"

#include <QSizeF>
#include <QtEndian>

QByteArray CDevMode::Encode() const
{
    QByteArray fixed(FixedSize, '\0');
    char *p = fixed.data();
    qToLittleEndian<quint32>(fields, p);
    qToLittleEndian<qint16>(orientation, p + 4);
    qToLittleEndian<qint16>(paperSize, p + 6);
    qToLittleEndian<qint16>(paperLength, p + 8);
    qToLittleEndian<qint16>(paperWidth, p + 10);
    return DevModeBlock::Make(fixed, model);
}

bool CDevMode::Decode(const QByteArray &block, CDevMode *out)
{
    if (!DevModeBlock::IsValid(block))
        return false;
    const QByteArray fixed = DevModeBlock::FixedPart(block);
    if (fixed.size() != FixedSize)
        return false;
    const char *p = fixed.constData();
    CDevMode d;
    d.fields = qFromLittleEndian<quint32>(p);
    d.orientation = qFromLittleEndian<qint16>(p + 4);
    d.paperSize = qFromLittleEndian<qint16>(p + 6);
    d.paperLength = qFromLittleEndian<qint16>(p + 8);
    d.paperWidth = qFromLittleEndian<qint16>(p + 10);
    d.model = DevModeBlock::DriverExtra(block);
    *out = d;
    return true;
}

QPageSize CDevMode::PageSize() const
{
    if (Has(FieldPaperSize) && paperSize == PaperCode::User) {
        if (Has(FieldPaperWidth) && Has(FieldPaperLength) && paperWidth > 0 && paperLength > 0)
            return QPageSize(QSizeF(paperWidth / 10.0, paperLength / 10.0), QPageSize::Millimeter);
    } else if (Has(FieldPaperSize)) {
        const QPageSize::PageSizeId id = PaperCode::ToPageSizeId(paperSize);
        if (id != QPageSize::Custom)
            return QPageSize(id);
    }
    return QPageSize(QPageSize::A4);
}

QPageLayout::Orientation CDevMode::PageOrientation() const
{
    return Has(FieldOrientation) && orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait;
}

CDevMode CDevMode::ForPage(const QPageSize &size, QPageLayout::Orientation o, const QString &model)
{
    CDevMode d;
    d.model = model.toUtf8();
    d.fields = FieldOrientation | FieldPaperSize;
    d.orientation = o == QPageLayout::Landscape ? 2 : 1;
    d.paperSize = qint16(PaperCode::FromPageSizeId(size.id()));
    if (d.paperSize == 0) {
        const QSizeF mm = size.size(QPageSize::Millimeter);
        d.paperSize = PaperCode::User;
        d.paperWidth = qint16(qBound(1.0, mm.width() * 10.0 + 0.5, 32767.0));
        d.paperLength = qint16(qBound(1.0, mm.height() * 10.0 + 0.5, 32767.0));
        d.fields |= FieldPaperLength | FieldPaperWidth;
    }
    return d;
}

#include "VCardExporter.h"

#include "CardExporter.h"
#include "VCardCardWriter.h"

#include <QSaveFile>

namespace {
// Written out a block at a time, so that a large export never sits whole in memory.
constexpr qsizetype FlushSize = 1 << 20;
} // namespace

VCardExporter::VCardExporter(VCardForm form, bool photos, const CardExportContext &context)
    : m_form(form), m_photos(photos), m_context(context)
{
}

bool VCardExporter::WriteFile(const QString &path, const QList<const CCardData *> &cards) const
{
    const VCardCardWriter writer(m_form, m_photos, m_context);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray buffer;
    buffer.reserve(FlushSize + FlushSize / 4);
    for (const CCardData *card : cards) {
        if (!writer.Write(*card, buffer))
            return false;
        if (buffer.size() >= FlushSize) {
            if (file.write(buffer) != buffer.size())
                return false;
            buffer.resize(0);
        }
    }
    if (file.write(buffer) != buffer.size())
        return false;
    return file.commit();
}

bool VCardExporter::WriteSeparately(const QString &folder, const QList<const CCardData *> &cards,
                                    bool nameCompany, bool nameDate) const
{
    QStringList used;
    for (const CCardData *card : cards) {
        const QString path = CardExporter::DistinctFileName(
            CardExporter::SeparateFileName(folder, *card, nameCompany, nameDate, QStringLiteral("vcf")),
            used);
        if (!WriteFile(path, {card}))
            return false;
    }
    return true;
}

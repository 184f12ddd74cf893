#include "FolderListing.h"

#include <QXmlStreamReader>

namespace {

// "fold" counts as "folder": the comparison runs over the element's own length.
bool IsEntryElement(QStringView local)
{
    return !local.isEmpty() &&
           (QStringView(u"folder").startsWith(local) || QStringView(u"file").startsWith(local));
}

int LeadingNumber(QStringView text)
{
    qsizetype n = 0;
    if (n < text.size() && (text[n] == u'-' || text[n] == u'+'))
        ++n;
    while (n < text.size() && text[n].isDigit() && text[n].unicode() < 128)
        ++n;
    bool ok = false;
    qlonglong value = text.left(n).toLongLong(&ok);
    if (!ok)
        return 0;
    return int(qBound(qlonglong(INT32_MIN), value, qlonglong(INT32_MAX)));
}

} // namespace

bool ParseFolderListing(const QByteArray &bytes, CSoftbankObexObjectArray &entries)
{
    entries.clear();
    QXmlStreamReader reader(bytes);
    bool sawElement = false;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        sawElement = true;
        if (!IsEntryElement(reader.name()))
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        auto find = [&](QStringView local) -> const QXmlStreamAttribute * {
            for (const QXmlStreamAttribute &a : attributes)
                if (a.name() == local)
                    return &a;
            return nullptr;
        };
        const QXmlStreamAttribute *name = find(u"name");
        const QXmlStreamAttribute *created = find(u"created");
        if (!name || !created)
            continue;
        const QXmlStreamAttribute *size = find(u"size");
        entries.append(
            {name->value().toString(), created->value().toString(), size ? LeadingNumber(size->value()) : 0});
    }
    return !reader.hasError() && sawElement;
}

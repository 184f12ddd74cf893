#include "FuzzTargets.h"

#include "FolderListing.h"
#include "FuzzCheck.h"

#include <QXmlStreamWriter>

namespace Fuzz {

namespace {

// Text that an XML document can carry in an attribute.
bool XmlText(const QString &text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != '\t' && u != '\n' && u != '\r') || u == 0xFFFE || u == 0xFFFF ||
            c.isSurrogate())
            return false;
    }
    return true;
}

QByteArray Listing(const CSoftbankObexObjectArray &entries)
{
    QByteArray bytes;
    QXmlStreamWriter writer(&bytes);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("folder-listing"));
    for (const CSoftbankObexObject &entry : entries) {
        writer.writeStartElement(QStringLiteral("file"));
        writer.writeAttribute(QStringLiteral("name"), entry.name);
        writer.writeAttribute(QStringLiteral("created"), entry.created);
        writer.writeAttribute(QStringLiteral("size"), QString::number(entry.size));
        writer.writeEndElement();
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    return bytes;
}

} // namespace

void FolderListing(QByteArrayView input)
{
    CSoftbankObexObjectArray entries;
    ParseFolderListing(input.toByteArray(), entries);
    // The entries, written as a listing of their own, read back the same.
    for (const CSoftbankObexObject &entry : entries)
        if (!XmlText(entry.name) || !XmlText(entry.created))
            return;
    CSoftbankObexObjectArray reread;
    Check(ParseFolderListing(Listing(entries), reread), "a written listing parses");
    Check(reread.size() == entries.size(), "a written listing has its entries");
    for (qsizetype i = 0; i < entries.size() && i < reread.size(); ++i)
        Check(reread[i].name == entries[i].name && reread[i].created == entries[i].created &&
                  reread[i].size == entries[i].size,
              "a written listing reads back entry by entry");
}

} // namespace Fuzz

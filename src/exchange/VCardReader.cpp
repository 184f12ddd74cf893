#include "VCardReader.h"

#include "LineCursor.h"
#include "Utf8Detect.h"
#include "VCardFileReader.h"
#include "VCardParser.h"
#include "VCardPhotoWriter.h"
#include "VCardValue.h"

namespace {

// Decoding (block by block, in the cursor) comes before any look at separators or
// escapes: in Shift_JIS a second byte can be 0x5C ("\") or other ASCII.
bool IsUtf8(QByteArrayView &bytes)
{
    const bool utf8 = Utf8Detect::IsUtf8VCard(bytes);
    if (utf8 && Utf8Detect::HasBom(bytes))
        bytes = bytes.sliced(3);
    return utf8;
}

bool ParseBytes(QByteArrayView bytes, LineCursor::Breaks breaks, const QString &photoFolder,
                QList<VCARD_DATA> &entries)
{
    const bool utf8 = IsUtf8(bytes);
    VCardPhotoWriter photos(photoFolder);
    VCardParser parser(utf8, photos);
    LineCursor cursor(bytes, utf8, breaks);
    return parser.Parse(cursor, entries) > 0;
}

} // namespace

bool ReadVCardFile(const QString &path, const QString &photoFolder, QList<VCARD_DATA> &entries)
{
    VCardFileReader reader;
    if (!reader.Open(path, photoFolder))
        return false;
    return reader.ReadAll(entries) > 0;
}

bool ReadVCardText(const QByteArray &bytes, const QString &photoFolder, QList<VCARD_DATA> &entries)
{
    return ParseBytes(bytes, LineCursor::Breaks::CrLf, photoFolder, entries);
}

QStringList SplitVCardText(const QByteArray &bytes)
{
    QByteArrayView view(bytes);
    const bool utf8 = IsUtf8(view);
    LineCursor cursor(view, utf8, LineCursor::Breaks::CrLf);
    QStringList lines;
    QStringView line;
    while (cursor.Next(line))
        lines.append(line.toString());
    return lines;
}

int CountVCards(const QByteArray &bytes, QList<int> &beginLines)
{
    return CountVCards(SplitVCardText(bytes), beginLines);
}

int CountVCards(const QStringList &lines, QList<int> &beginLines)
{
    beginLines.clear();
    int complete = 0;
    bool open = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.startsWith(QLatin1StringView("BEGIN"))) {
            open = true;
            beginLines.append(int(i));
        } else if (line.startsWith(QLatin1StringView("END"))) {
            if (!open)
                return -1;
            open = false;
            ++complete;
        }
    }
    return open ? -1 : complete;
}

bool ReadVCardAt(int index, const QList<int> &beginLines, const QStringList &lines,
                 const QString &photoFolder, QList<VCARD_DATA> &entries)
{
    if (index < 0 || index >= beginLines.size())
        return false;
    const qsizetype first = beginLines.at(index);
    const qsizetype end = index + 1 < beginLines.size() ? beginLines.at(index + 1) : lines.size();
    if (first < 0 || first >= lines.size() || end <= first)
        return false;
    VCardPhotoWriter photos(photoFolder);
    VCardParser parser(false, photos);
    LineCursor cursor(lines, first, end);
    return parser.Parse(cursor, entries) > 0;
}

QString UnescapeValue(const QString &text)
{
    return VCardValue::Unescape(text);
}

bool NormaliseNoteDate(QString &text)
{
    return VCardValue::NormaliseNoteDate(text);
}

#include "VCardReader.h"

#include "Cp932.h"
#include "Utf8Detect.h"
#include "VCardLineCursor.h"
#include "VCardParser.h"
#include "VCardPhotoWriter.h"
#include "VCardValue.h"

#include <QFile>

namespace {

// Decoding comes before any look at separators or escapes: in Shift_JIS a
// second byte can be 0x5C ("\") or other ASCII.
QString DecodeText(const QByteArray &bytes, bool &utf8)
{
    utf8 = Utf8Detect::IsUtf8VCard(bytes);
    if (!utf8)
        return Cp932::Decode(bytes);
    const qsizetype skip = Utf8Detect::HasBom(bytes) ? 3 : 0;
    return QString::fromUtf8(QByteArrayView(bytes).sliced(skip));
}

bool ParseText(const QString &text, bool utf8, VCardLineCursor::Breaks breaks, const QString &photoFolder,
               QList<VCARD_DATA> &entries)
{
    VCardPhotoWriter photos(photoFolder);
    VCardParser parser(utf8, photos);
    VCardLineCursor cursor(text, breaks);
    return parser.Parse(cursor, entries) > 0;
}

} // namespace

bool ReadVCardFile(const QString &path, const QString &photoFolder, QList<VCARD_DATA> &entries)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = file.readAll();
    file.close();
    bool utf8 = false;
    const QString text = DecodeText(bytes, utf8);
    bytes = QByteArray(); // the decoded text is all that is needed from here on
    return ParseText(text, utf8, VCardLineCursor::Breaks::Lf, photoFolder, entries);
}

bool ReadVCardText(const QByteArray &bytes, const QString &photoFolder, QList<VCARD_DATA> &entries)
{
    bool utf8 = false;
    const QString text = DecodeText(bytes, utf8);
    return ParseText(text, utf8, VCardLineCursor::Breaks::CrLf, photoFolder, entries);
}

QStringList SplitVCardText(const QByteArray &bytes)
{
    bool utf8 = false;
    const QString text = DecodeText(bytes, utf8);
    VCardLineCursor cursor(text, VCardLineCursor::Breaks::CrLf);
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
    VCardLineCursor cursor(lines, first, end);
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

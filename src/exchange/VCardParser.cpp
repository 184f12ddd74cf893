#include "VCardParser.h"

#include "Cp932.h"
#include "LineCursor.h"
#include "TextScan.h"
#include "Utf8Detect.h"
#include "VCardPhotoWriter.h"
#include "VCardValue.h"

namespace {

const QLatin1StringView QuotedPrintable("ENCODING=QUOTED-PRINTABLE");
constexpr qsizetype MaxInternedLength = 40;
constexpr size_t MaxInternedCount = 4096;
// Short values (names, readings, towns, companies, titles) repeat across a large
// address book; sharing them saves an allocation and its memory per value.
constexpr qsizetype MaxSharedValueLength = 16;
constexpr size_t SharedValueSlots = 1 << 12;

QStringView AfterColon(QStringView line)
{
    const qsizetype colon = TextScan::Find(line, u':');
    return colon < 0 ? QStringView() : line.mid(colon + 1);
}

bool HasQuotedPrintable(const QStringList &params)
{
    for (const QString &p : params)
        if (p.size() == QuotedPrintable.size() && p == QuotedPrintable)
            return true;
    return false;
}

bool DeclaresUtf8(const QStringList &params)
{
    for (const QString &p : params)
        if (p.compare(QLatin1StringView("CHARSET=UTF-8"), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString WithoutHyphens(QString text)
{
    text.remove(u'-');
    return text;
}

QString PhotoExtension(const QString &typeElement)
{
    const QString type = typeElement.mid(typeElement.indexOf(u'=') + 1);
    if (type == QLatin1StringView("JPEG"))
        return QStringLiteral(".jpg");
    if (type == QLatin1StringView("GIF"))
        return QStringLiteral(".gif");
    if (type == QLatin1StringView("PNG"))
        return QStringLiteral(".png");
    return QString();
}

} // namespace

VCardParser::VCardParser(bool utf8, VCardPhotoWriter &photos) : m_utf8(utf8), m_photos(photos)
{
}

int VCardParser::Parse(LineCursor &cursor, QList<VCARD_DATA> &entries, int limit)
{
    int completed = 0;
    QStringView line;
    while (!m_stopped && completed < limit) {
        if (!cursor.Next(line)) {
            m_entry.reset(); // an entry not closed by "END" is dropped
            break;
        }
        HandleLine(line, cursor, entries, completed);
    }
    return completed;
}

void VCardParser::HandleLine(QStringView line, LineCursor &cursor, QList<VCARD_DATA> &entries, int &completed)
{
    using T = TextScan;
    if (m_entry && m_entry->hasFormattedName && T::StartsWith(line, "ITEM")) {
        const qsizetype dot = T::Find(line, u'.');
        if (dot >= 0)
            line = line.sliced(dot + 1);
    }
    if (T::StartsWith(line, "BEGIN")) {
        m_entry.emplace();
        m_quotedPrintable.clear();
        return;
    }
    if (!m_entry || line.isEmpty())
        return;
    VCARD_DATA &e = *m_entry;
    const bool fn = e.hasFormattedName;
    // The prefixes are tested in a fixed order; the first letter only skips
    // tests that cannot match.
    switch (line[0].unicode()) {
    case 'V':
        if (T::StartsWith(line, "VERSION"))
            e.version = Intern(AfterColon(line));
        return;
    case 'F':
        if (T::StartsWith(line, "FN")) {
            e.hasFormattedName = 1;
            ReadStandard(e.formattedName, line, cursor);
        }
        return;
    case 'N':
        if (!T::StartsWith(line, "NOTE"))
            ReadStandard(e.name, line, cursor);
        else
            ReadNote(line, cursor);
        return;
    case 'S':
        if (T::StartsWith(line, "SOUND")) {
            if (fn)
                ReadStandard(e.sound, line, cursor);
            else
                ReadSound(line, cursor);
        }
        return;
    case 'A':
        if (T::StartsWith(line, "ADR"))
            ReadStandard(e.address, line, cursor);
        return;
    case 'T':
        if (T::StartsWith(line, "TEL"))
            ReadTel(line, cursor);
        else if (T::StartsWith(line, "TITLE") && e.title.isEmpty())
            e.title = fn ? ReadWhole(line, cursor) : AfterColon(line).toString();
        return;
    case 'E':
        if (T::StartsWith(line, "EMAIL")) {
            ReadEmail(line, cursor);
        } else if (T::StartsWith(line, "END")) {
            entries.append(std::move(e));
            m_entry.reset();
            ++completed;
        }
        return;
    case 'O':
        if (T::StartsWith(line, "ORG") && e.org.params.isEmpty())
            ReadOrg(line, cursor);
        return;
    case 'P':
        if (T::StartsWith(line, "PHOTO"))
            ReadPhoto(line, cursor);
        return;
    case 'U':
        if (T::StartsWith(line, "URL"))
            ReadUrl(line);
        return;
    case 'B':
        if (T::StartsWith(line, "BDAY"))
            e.birthday = WithoutHyphens(fn ? ReadWhole(line, cursor) : AfterColon(line).toString());
        return;
    case 'X':
        if (T::StartsWith(line, "X-GNO"))
            e.groupNo = AfterColon(line).toString();
        return;
    case 'R':
        if (T::StartsWith(line, "REV"))
            e.revision = fn ? ReadWhole(line, cursor) : AfterColon(line).toString();
        return;
    default:
        return;
    }
}

QString VCardParser::Intern(QStringView piece)
{
    if (piece.size() > MaxInternedLength)
        return piece.toString();
    const auto found = m_interned.find(piece);
    if (found != m_interned.end())
        return found->second;
    QString text = piece.toString();
    if (m_interned.size() < MaxInternedCount)
        m_interned.emplace(QStringView(text), text); // the key views the stored copy's shared data
    return text;
}

// A direct-mapped cache of recent values: no chains and no growth, so a miss
// costs little more than the copy it makes anyway.
QString VCardParser::ShareValue(QStringView piece)
{
    if (piece.isEmpty() || piece.size() > MaxSharedValueLength)
        return piece.toString();
    if (m_recentValues.empty())
        m_recentValues.resize(SharedValueSlots);
    size_t h = ViewHash()(piece);
    h ^= h >> 13;
    QString &slot = m_recentValues[h & (SharedValueSlots - 1)];
    if (QStringView(slot) != piece)
        slot = piece.toString();
    return slot;
}

QStringList VCardParser::ParamsOf(QStringView head, bool typeLists)
{
    ParamMap &cache = typeLists ? m_typeParamLists : m_paramLists;
    const auto found = cache.find(head);
    if (found != cache.end())
        return found->second.second;
    QString key = head.toString();
    QString text = key;
    if (typeLists) {
        // The newer form writes "TEL;TYPE=CELL,VOICE": drop "TYPE=" and read "," as ";".
        text.remove(QLatin1StringView("TYPE="));
        text.replace(u',', u';');
    }
    const QStringView split(text);
    QStringList params;
    params.reserve(split.count(u';') + 1);
    qsizetype start = 0;
    while (true) {
        const qsizetype semicolon = split.indexOf(u';', start);
        if (semicolon < 0) {
            params.append(Intern(split.sliced(start)));
            break;
        }
        params.append(Intern(split.sliced(start, semicolon - start)));
        start = semicolon + 1;
    }
    if (head.size() <= MaxInternedLength * 4 && cache.size() < MaxInternedCount) {
        const QStringView keyView(key); // views the stored copy's shared data
        cache.emplace(keyView, std::make_pair(std::move(key), params));
    }
    return params;
}

QStringView VCardParser::SplitParams(QStringView line, QStringList &params, QStringList *lineParams,
                                     bool typeLists)
{
    const qsizetype colon = TextScan::Find(line, u':');
    const QStringView head = colon < 0 ? line : line.left(colon);
    const QStringList own = ParamsOf(head, typeLists);
    if (params.isEmpty())
        params = own;
    else
        params.append(own);
    if (lineParams)
        *lineParams = own;
    return colon < 0 ? QStringView() : line.mid(colon + 1);
}

QStringView VCardParser::DecodeValue(QStringView raw, const QStringList &params, LineCursor &cursor,
                                     QString &storage)
{
    return DecodeValue(raw, params, HasQuotedPrintable(params), cursor, storage);
}

QStringView VCardParser::DecodeValue(QStringView raw, const QStringList &params, bool quotedPrintable,
                                     LineCursor &cursor, QString &storage)
{
    if (raw.isEmpty() || !quotedPrintable)
        return raw;
    QString joined = raw.toString(); // copied before the cursor moves on
    bool more = joined.endsWith(u'=');
    if (more)
        joined.chop(1);
    QStringView next;
    while (more && cursor.Next(next)) {
        more = next.endsWith(u'=');
        joined += more ? next.chopped(1) : next;
    }
    QByteArray bytes;
    if (!VCardValue::DecodeQuotedPrintable(joined, m_utf8, bytes)) {
        storage.clear();
        return storage;
    }
    const bool utf8 =
        Utf8Detect::IsMultiByteUtf8(bytes) &&
        (m_utf8 || DeclaresUtf8(params) || m_entry->version.startsWith(QLatin1StringView("3.0")) ||
         m_entry->version.startsWith(QLatin1StringView("4.0")));
    storage = utf8 ? QString::fromUtf8(bytes) : Cp932::Decode(bytes);
    return storage;
}

void VCardParser::AppendValues(PROPERTY &property, QStringView text)
{
    if (text.isEmpty())
        return;
    QString protectedText;
    if (TextScan::Find(text, u'\\') >= 0) {
        protectedText = VCardValue::ProtectEscapes(text);
        text = protectedText;
    }
    if (property.values.isEmpty())
        property.values.reserve(TextScan::Count(text, u';') + 1);
    qsizetype start = 0;
    while (true) {
        const qsizetype semicolon = TextScan::Find(text, u';', start);
        if (semicolon < 0) {
            property.values.append(ShareValue(text.sliced(start)));
            return;
        }
        property.values.append(ShareValue(text.sliced(start, semicolon - start)));
        start = semicolon + 1;
    }
}

void VCardParser::ReadStandard(PROPERTY &property, QStringView line, LineCursor &cursor)
{
    QStringList lineParams;
    const QStringView raw = SplitParams(line, property.params, &lineParams);
    if (HasQuotedPrintable(lineParams) && !m_quotedPrintable.contains(&property))
        m_quotedPrintable.append(&property);
    QString storage;
    AppendValues(property,
                 DecodeValue(raw, lineParams, m_quotedPrintable.contains(&property), cursor, storage));
}

QString VCardParser::ReadWhole(QStringView line, LineCursor &cursor)
{
    QStringList params;
    const QStringView raw = SplitParams(line, params);
    QString storage;
    return DecodeValue(raw, params, cursor, storage).toString();
}

void VCardParser::ReadSound(QStringView line, LineCursor &)
{
    PROPERTY &sound = m_entry->sound;
    AppendValues(sound, SplitParams(line, sound.params));
}

void VCardParser::ReadOrg(QStringView line, LineCursor &cursor)
{
    PROPERTY &org = m_entry->org;
    if (m_entry->hasFormattedName)
        ReadStandard(org, line, cursor);
    else
        AppendValues(org, AfterColon(line));
}

void VCardParser::ReadTel(QStringView line, LineCursor &cursor)
{
    m_entry->tels.append(ReadNormalised(line, cursor, &VCardValue::NormalisePhone));
}

void VCardParser::ReadEmail(QStringView line, LineCursor &cursor)
{
    m_entry->emails.append(ReadNormalised(line, cursor, &VCardValue::NormaliseMail));
}

PROPERTY VCardParser::ReadNormalised(QStringView line, LineCursor &cursor, QString (*normalise)(QStringView))
{
    PROPERTY property;
    const QStringView raw = SplitParams(line, property.params, nullptr, m_entry->hasFormattedName);
    QString storage;
    property.values.append(normalise(DecodeValue(raw, property.params, cursor, storage)));
    return property;
}

void VCardParser::ReadPhoto(QStringView line, LineCursor &cursor)
{
    PROPERTY photo;
    const QStringView raw = SplitParams(line, photo.params);
    const bool base64 = photo.params.contains(QLatin1StringView("ENCODING=BASE64")) ||
                        photo.params.contains(QLatin1StringView("ENCODING=b"));
    const auto type = std::find_if(photo.params.cbegin(), photo.params.cend(),
                                   [](const QString &p) { return p.contains(QLatin1StringView("TYPE=")); });
    if (!base64 || type == photo.params.cend())
        return;

    VCardValue::Base64Decoder decoder;
    decoder.Feed(raw.trimmed());
    QStringView next;
    while (cursor.Peek(next) && next.startsWith(u' ')) {
        cursor.Next(next);
        decoder.Feed(next.trimmed());
    }
    if (!m_photos.HasFolder())
        return; // the caller wants no photos
    const QString name = m_photos.Write(decoder.Finish(), PhotoExtension(*type));
    if (name.isEmpty()) {
        // A photo that cannot be written ends the reading; finished entries stay.
        m_stopped = true;
        m_entry.reset();
        return;
    }
    photo.values.append(name);
    m_entry->photos.append(std::move(photo));
}

void VCardParser::ReadNote(QStringView line, LineCursor &cursor)
{
    PROPERTY &note = m_entry->note;
    QStringList params;
    const QStringView raw = SplitParams(line, params);
    if (raw.isEmpty())
        return;
    note.params.append(params);
    if (!HasQuotedPrintable(params)) {
        note.values.append(raw.toString());
        return;
    }
    QString storage;
    const QStringView text = DecodeValue(raw, params, cursor, storage);
    if (!text.isEmpty())
        note.values.append(text.toString().split(QLatin1StringView("\r\n")));
}

void VCardParser::ReadUrl(QStringView line)
{
    PROPERTY url;
    const QStringView raw = SplitParams(line, url.params);
    url.values.append(VCardValue::CutUrl(raw));
    m_entry->urls.append(std::move(url));
}

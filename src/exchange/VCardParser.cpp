#include "VCardParser.h"

#include "Cp932.h"
#include "Utf8Detect.h"
#include "VCardLineCursor.h"
#include "VCardPhotoWriter.h"
#include "VCardValue.h"

namespace {

const QLatin1StringView QuotedPrintable("ENCODING=QUOTED-PRINTABLE");
constexpr qsizetype MaxInternedLength = 40;
constexpr size_t MaxInternedCount = 4096;

QStringView AfterColon(QStringView line)
{
    const qsizetype colon = line.indexOf(u':');
    return colon < 0 ? QStringView() : line.mid(colon + 1);
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

int VCardParser::Parse(VCardLineCursor &cursor, QList<VCARD_DATA> &entries)
{
    int completed = 0;
    QStringView line;
    while (!m_stopped && cursor.Next(line))
        HandleLine(line, cursor, entries, completed);
    m_entry.reset(); // an entry not closed by "END" is dropped
    return completed;
}

void VCardParser::HandleLine(QStringView line, VCardLineCursor &cursor, QList<VCARD_DATA> &entries,
                             int &completed)
{
    if (m_entry && m_entry->hasFormattedName && line.startsWith(QLatin1StringView("ITEM"))) {
        const qsizetype dot = line.indexOf(u'.');
        if (dot >= 0)
            line = line.mid(dot + 1);
    }
    if (line.startsWith(QLatin1StringView("BEGIN"))) {
        m_entry.emplace();
        return;
    }
    if (!m_entry)
        return;
    VCARD_DATA &e = *m_entry;
    const bool fn = e.hasFormattedName;
    if (line.startsWith(QLatin1StringView("VERSION"))) {
        e.version = AfterColon(line).toString();
    } else if (line.startsWith(QLatin1StringView("FN"))) {
        e.hasFormattedName = 1;
        ReadStandard(e.formattedName, line, cursor);
    } else if (line.startsWith(u'N') && !line.startsWith(QLatin1StringView("NOTE"))) {
        ReadStandard(e.name, line, cursor);
    } else if (line.startsWith(QLatin1StringView("SOUND"))) {
        if (fn)
            ReadStandard(e.sound, line, cursor);
        else
            ReadSound(line, cursor);
    } else if (line.startsWith(QLatin1StringView("ADR"))) {
        ReadStandard(e.address, line, cursor);
    } else if (line.startsWith(QLatin1StringView("TEL"))) {
        ReadTel(line, cursor);
    } else if (line.startsWith(QLatin1StringView("EMAIL"))) {
        ReadEmail(line, cursor);
    } else if (line.startsWith(QLatin1StringView("ORG")) && e.org.params.isEmpty()) {
        ReadOrg(line, cursor);
    } else if (line.startsWith(QLatin1StringView("TITLE")) && e.title.isEmpty()) {
        e.title = fn ? ReadWhole(line, cursor) : AfterColon(line).toString();
    } else if (line.startsWith(QLatin1StringView("PHOTO"))) {
        ReadPhoto(line, cursor);
    } else if (line.startsWith(QLatin1StringView("NOTE"))) {
        ReadNote(line, cursor);
    } else if (line.startsWith(QLatin1StringView("URL"))) {
        ReadUrl(line);
    } else if (line.startsWith(QLatin1StringView("BDAY"))) {
        e.birthday = WithoutHyphens(fn ? ReadWhole(line, cursor) : AfterColon(line).toString());
    } else if (line.startsWith(QLatin1StringView("X-GNO"))) {
        e.groupNo = AfterColon(line).toString();
    } else if (line.startsWith(QLatin1StringView("REV"))) {
        e.revision = fn ? ReadWhole(line, cursor) : AfterColon(line).toString();
    } else if (line.startsWith(QLatin1StringView("END"))) {
        entries.append(std::move(e));
        m_entry.reset();
        ++completed;
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

QStringView VCardParser::SplitParams(QStringView line, QStringList &params)
{
    const qsizetype colon = line.indexOf(u':');
    const QStringView head = colon < 0 ? line : line.left(colon);
    qsizetype start = 0;
    while (true) {
        const qsizetype semicolon = head.indexOf(u';', start);
        if (semicolon < 0) {
            params.append(Intern(head.mid(start)));
            break;
        }
        params.append(Intern(head.mid(start, semicolon - start)));
        start = semicolon + 1;
    }
    return colon < 0 ? QStringView() : line.mid(colon + 1);
}

QStringView VCardParser::SplitParams(QStringView line, QStringList &params, bool typeLists)
{
    if (!typeLists)
        return SplitParams(line, params);
    // The newer form writes "TEL;TYPE=CELL,VOICE": drop "TYPE=" and read "," as ";".
    const qsizetype colon = line.indexOf(u':');
    QString head = (colon < 0 ? line : line.left(colon)).toString();
    head.remove(QLatin1StringView("TYPE="));
    head.replace(u',', u';');
    SplitParams(head, params);
    return colon < 0 ? QStringView() : line.mid(colon + 1);
}

QString VCardParser::DecodeValue(QStringView raw, const QStringList &params, VCardLineCursor &cursor)
{
    if (raw.isEmpty() || !params.contains(QuotedPrintable))
        return raw.toString();
    QString joined = raw.toString();
    bool more = joined.endsWith(u'=');
    if (more)
        joined.chop(1);
    QStringView next;
    while (more && cursor.Next(next)) {
        more = next.endsWith(u'=');
        joined += more ? next.chopped(1) : next;
    }
    QByteArray bytes;
    if (!VCardValue::DecodeQuotedPrintable(joined, m_utf8, bytes))
        return QString();
    const bool utf8 =
        Utf8Detect::IsMultiByteUtf8(bytes) &&
        (m_utf8 || DeclaresUtf8(params) || m_entry->version.startsWith(QLatin1StringView("3.0")) ||
         m_entry->version.startsWith(QLatin1StringView("4.0")));
    return utf8 ? QString::fromUtf8(bytes) : Cp932::Decode(bytes);
}

void VCardParser::AppendValues(PROPERTY &property, const QString &text)
{
    if (text.isEmpty())
        return;
    const QString protectedText = VCardValue::ProtectEscapes(text);
    property.values.append(protectedText.split(u';'));
}

void VCardParser::ReadStandard(PROPERTY &property, QStringView line, VCardLineCursor &cursor)
{
    const QStringView raw = SplitParams(line, property.params);
    AppendValues(property, DecodeValue(raw, property.params, cursor));
}

QString VCardParser::ReadWhole(QStringView line, VCardLineCursor &cursor)
{
    QStringList params;
    const QStringView raw = SplitParams(line, params);
    return DecodeValue(raw, params, cursor);
}

void VCardParser::ReadSound(QStringView line, VCardLineCursor &)
{
    PROPERTY &sound = m_entry->sound;
    AppendValues(sound, SplitParams(line, sound.params).toString());
}

void VCardParser::ReadOrg(QStringView line, VCardLineCursor &cursor)
{
    PROPERTY &org = m_entry->org;
    if (m_entry->hasFormattedName)
        ReadStandard(org, line, cursor);
    else
        AppendValues(org, AfterColon(line).toString());
}

void VCardParser::ReadTel(QStringView line, VCardLineCursor &cursor)
{
    PROPERTY tel;
    const QStringView raw = SplitParams(line, tel.params, m_entry->hasFormattedName);
    tel.values.append(VCardValue::NormalisePhone(DecodeValue(raw, tel.params, cursor)));
    m_entry->tels.append(std::move(tel));
}

void VCardParser::ReadEmail(QStringView line, VCardLineCursor &cursor)
{
    PROPERTY mail;
    const QStringView raw = SplitParams(line, mail.params, m_entry->hasFormattedName);
    mail.values.append(VCardValue::NormaliseMail(DecodeValue(raw, mail.params, cursor)));
    m_entry->emails.append(std::move(mail));
}

void VCardParser::ReadPhoto(QStringView line, VCardLineCursor &cursor)
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

void VCardParser::ReadNote(QStringView line, VCardLineCursor &cursor)
{
    PROPERTY &note = m_entry->note;
    QStringList params;
    const QStringView raw = SplitParams(line, params);
    if (raw.isEmpty())
        return;
    note.params.append(params);
    if (!params.contains(QuotedPrintable)) {
        note.values.append(raw.toString());
        return;
    }
    const QString text = DecodeValue(raw, params, cursor);
    if (!text.isEmpty())
        note.values.append(text.split(QLatin1StringView("\r\n")));
}

void VCardParser::ReadUrl(QStringView line)
{
    PROPERTY url;
    const QStringView raw = SplitParams(line, url.params);
    url.values.append(VCardValue::CutUrl(raw));
    m_entry->urls.append(std::move(url));
}

#include "CChunk.h"

#include "CCardData.h"
#include "CTextPool.h"
#include "CardTextFields.h"

#include <QSysInfo>
#include <QVarLengthArray>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr quint32 TagCDDT = CChunk::Tag("CDDT");
constexpr quint32 TagCIID = CChunk::Tag("CIID");
constexpr quint32 TagCITL = CChunk::Tag("CITL");
constexpr quint32 TagCIML = CChunk::Tag("CIML");
constexpr quint32 TagCIBD = CChunk::Tag("CIBD");
constexpr quint32 TagCIGD = CChunk::Tag("CIGD");
constexpr quint32 TagCIRD = CChunk::Tag("CIRD");
constexpr quint32 TagCIMD = CChunk::Tag("CIMD");
constexpr quint32 TagCIGN = CChunk::Tag("CIGN");
constexpr quint32 TagCIPR = CChunk::Tag("CIPR");
constexpr quint32 TagCICK = CChunk::Tag("CICK");
constexpr quint32 TagCIIP = CChunk::Tag("CIIP");
constexpr quint32 TagCIEC = CChunk::Tag("CIEC");
constexpr quint32 TagCIFL = CChunk::Tag("CIFL");
constexpr quint32 TagCIIO = CChunk::Tag("CIIO");

// The text field a tag names, or nullptr: a binary search over the tags, which
// every decoded text field asks.
const CardTextField *TextFieldOfTag(quint32 tag)
{
    using Entry = std::pair<quint32, const CardTextField *>;
    static const auto byTag = [] {
        std::vector<Entry> entries;
        for (const CardTextField &field : CardTextFields())
            entries.emplace_back(field.tag, &field);
        std::sort(entries.begin(), entries.end());
        return entries;
    }();
    const auto it = std::lower_bound(byTag.begin(), byTag.end(), tag,
                                     [](const Entry &entry, quint32 t) { return entry.first < t; });
    return it != byTag.end() && it->first == tag ? it->second : nullptr;
}

// Writes a card chunk's fields, or only counts their bytes when given no
// buffer: the chunk is sized once and filled without any further allocation.
class ChunkSink
{
public:
    explicit ChunkSink(char *out = nullptr) : m_out(out) {}

    qsizetype Size() const { return m_size; }

    void Head(quint32 tag, quint32 length)
    {
        U32(tag);
        U32(length);
    }
    void Text(quint32 tag, const QString &text)
    {
        if (text.isEmpty())
            return;
        Head(tag, quint32(text.size()) * 2 + 2);
        Utf16(text);
    }
    void KindText(quint32 tag, quint32 kind, const QString &text)
    {
        Head(tag, 4 + quint32(text.size()) * 2 + 2);
        U32(kind);
        Utf16(text);
    }
    void Date(quint32 tag, const CardDate &date)
    {
        Head(tag, 16);
        for (quint16 v : {date.year, date.month, date.dayOfWeek, date.day, date.hour, date.minute,
                          date.second, date.milliseconds})
            U16(v);
    }
    void Int(quint32 tag, qint32 value)
    {
        Head(tag, 4);
        U32(quint32(value));
    }
    void Bool(quint32 tag, bool value)
    {
        Head(tag, 1);
        Byte(value ? 1 : 0);
    }
    void Byte(quint8 value)
    {
        if (m_out)
            m_out[m_size] = char(value);
        ++m_size;
    }

private:
    void U16(quint16 value)
    {
        Byte(quint8(value & 0xFF));
        Byte(quint8(value >> 8));
    }
    void U32(quint32 value)
    {
        U16(quint16(value & 0xFFFF));
        U16(quint16(value >> 16));
    }
    // Little-endian UTF-16 with a closing zero unit.
    void Utf16(const QString &text)
    {
        if (m_out && QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
            memcpy(m_out + m_size, text.constData(), size_t(text.size()) * 2);
            m_size += text.size() * 2;
        } else {
            for (QChar c : text)
                U16(c.unicode());
        }
        U16(0);
    }

    char *m_out;
    qsizetype m_size = 0;
};

// The number of UTF-16 units before the first zero unit or the end of the data; an odd last byte is ignored.
qsizetype TextUnits(const char *p, qsizetype n)
{
    const qsizetype units = n / 2;
    qsizetype i = 0;
    // Four units at a time while none of them is zero (the usual word trick, per 16-bit lane).
    for (; i + 4 <= units; i += 4) {
        quint64 x;
        std::memcpy(&x, p + 2 * i, 8);
        if (((x - 0x0001000100010001ull) & ~x & 0x8000800080008000ull) != 0)
            break;
    }
    while (i < units && (p[2 * i] != 0 || p[2 * i + 1] != 0))
        ++i;
    return i;
}

QString ReadText(const char *p, qsizetype n)
{
    const qsizetype units = TextUnits(p, n);
    if (units == 0)
        return QString();
    QString text(units, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        std::memcpy(out, p, size_t(units) * 2);
    } else {
        for (qsizetype i = 0; i < units; ++i)
            out[i] = char16_t(quint8(p[2 * i]) | quint8(p[2 * i + 1]) << 8);
    }
    return text;
}

// Text that many cards repeat, shared through the pool when there is one.
QString ReadSharedText(const char *p, qsizetype n, CTextPool *pool)
{
    if (!pool || QSysInfo::ByteOrder != QSysInfo::LittleEndian || (quintptr(p) & 1) != 0)
        return ReadText(p, n);
    return pool->Share(QStringView(reinterpret_cast<const char16_t *>(p), TextUnits(p, n)));
}

CardDate ReadDate(const char *p, qsizetype n)
{
    quint16 v[8] = {};
    for (int i = 0; i < 8 && 2 * i + 1 < n; ++i)
        v[i] = quint16(quint8(p[2 * i]) | quint8(p[2 * i + 1]) << 8);
    CardDate date;
    date.year = v[0];
    date.month = v[1];
    date.dayOfWeek = v[2];
    date.day = v[3];
    date.hour = v[4];
    date.minute = v[5];
    date.second = v[6];
    date.milliseconds = v[7];
    return date;
}

qint32 ReadInt(const char *p, qsizetype n)
{
    return n >= 4 ? qint32(CChunk::ReadU32(p)) : 0;
}

bool ReadBool(const char *p, qsizetype n)
{
    return n >= 1 && p[0] != 0;
}

} // namespace

quint32 CChunk::ReadU32(const char *p)
{
    return quint32(quint8(p[0])) | quint32(quint8(p[1])) << 8 | quint32(quint8(p[2])) << 16 |
           quint32(quint8(p[3])) << 24;
}

void CChunk::AppendU32(QByteArray &out, quint32 value)
{
    const char bytes[4] = {char(value & 0xFF), char((value >> 8) & 0xFF), char((value >> 16) & 0xFF),
                           char(value >> 24)};
    out.append(bytes, 4);
}

QByteArray CChunk::EncodeCard(const CCardData &card)
{
    const auto fields = [&card](ChunkSink &sink) {
        sink.Head(TagCDDT, 0); // the length is filled in at the end
        if (card.m_id.isEmpty())
            return;
        sink.Text(TagCIID, card.m_id);
        const std::span<const CardTextField> texts = CardTextFields();
        const auto beforeLists = std::find_if(texts.begin(), texts.end(),
                                              [](const CardTextField &f) { return f.field > FieldPhones; });
        for (auto f = texts.begin(); f != beforeLists; ++f)
            sink.Text(f->tag, card.*f->value);
        for (qsizetype i = 0; i < card.m_phones.size(); ++i) {
            if (!card.m_phones[i].isEmpty())
                sink.KindText(TagCITL, card.m_phoneKinds.value(i), card.m_phones[i]);
        }
        for (qsizetype i = 0; i < card.m_mails.size(); ++i) {
            if (!card.m_mails[i].isEmpty())
                sink.KindText(TagCIML, card.m_mailKinds.value(i), card.m_mails[i]);
        }
        for (auto f = beforeLists; f != texts.end(); ++f)
            sink.Text(f->tag, card.*f->value);
        sink.Date(TagCIBD, card.m_birthday);
        sink.Date(TagCIGD, card.m_receivedDate);
        sink.Date(TagCIRD, card.m_registeredDate);
        sink.Date(TagCIMD, card.m_updatedDate);
        sink.Int(TagCIGN, card.m_groupNo);
        sink.Bool(TagCIPR, card.m_print);
        sink.Head(TagCICK, quint32(card.m_checkMarks.size()));
        for (bool mark : card.m_checkMarks)
            sink.Byte(mark ? 1 : 0);
        sink.Int(TagCIIP, card.m_importance);
        sink.Bool(TagCIEC, card.m_fixed);
        for (const QString &file : card.m_attachedFiles)
            sink.Text(TagCIFL, file);
        sink.Int(TagCIIO, card.m_imageRotation);
    };
    ChunkSink counter;
    fields(counter);
    QByteArray out(counter.Size(), Qt::Uninitialized);
    ChunkSink writer(out.data());
    fields(writer);

    const quint32 length = quint32(out.size() - 8);
    for (int i = 0; i < 4; ++i)
        out[4 + i] = char((length >> (8 * i)) & 0xFF);
    return out;
}

bool CChunk::DecodeCard(const char *data, qsizetype size, CCardData *card, qsizetype *chunkSize,
                        CTextPool *pool)
{
    if (size < 8 || ReadU32(data) != TagCDDT)
        return false;
    const quint64 length = ReadU32(data + 4);
    if (length > quint64(size - 8))
        return false;

    // Check every field's length first, so that a card that does not decode is left untouched.
    // Phones and mails are counted on the way, so their lists are allocated once.
    const char *p = data + 8;
    const char *end = p + length;
    qsizetype phones = 0;
    qsizetype mails = 0;
    while (p < end) {
        if (end - p < 8)
            return false;
        const quint64 n = ReadU32(p + 4);
        if (n > quint64(end - p - 8))
            return false;
        const quint32 tag = ReadU32(p);
        phones += tag == TagCITL;
        mails += tag == TagCIML;
        p += 8 + n;
    }

    card->Clear();
    CCardData &decoded = *card;
    // Kinds are gathered first: equal kind lists are shared through the pool.
    QVarLengthArray<quint32, 8> phoneKinds;
    QVarLengthArray<quint32, 8> mailKinds;
    if (phones > 0)
        decoded.m_phones.reserve(phones);
    if (mails > 0)
        decoded.m_mails.reserve(mails);
    p = data + 8;
    while (p < end) {
        const quint32 tag = ReadU32(p);
        const char *d = p + 8;
        const qsizetype dn = qsizetype(ReadU32(p + 4));
        switch (tag) {
        case TagCIID:
            decoded.m_id = ReadText(d, dn);
            break;
        case TagCITL:
            phoneKinds.append(dn >= 4 ? ReadU32(d) : 0);
            decoded.m_phones.append(dn >= 4 ? ReadText(d + 4, dn - 4) : QString());
            break;
        case TagCIML:
            mailKinds.append(dn >= 4 ? ReadU32(d) : 0);
            decoded.m_mails.append(dn >= 4 ? ReadText(d + 4, dn - 4) : QString());
            break;
        case TagCIBD:
            decoded.m_birthday = ReadDate(d, dn);
            break;
        case TagCIGD:
            decoded.m_receivedDate = ReadDate(d, dn);
            break;
        case TagCIRD:
            decoded.m_registeredDate = ReadDate(d, dn);
            break;
        case TagCIMD:
            decoded.m_updatedDate = ReadDate(d, dn);
            break;
        case TagCIGN:
            decoded.m_groupNo = ReadInt(d, dn);
            break;
        case TagCIPR:
            decoded.m_print = ReadBool(d, dn);
            break;
        case TagCICK:
            // One mark per byte; the card keeps at least its usual number of marks.
            // Marks already as stored are left alone: the cleared marks are
            // shared by every card until one changes.
            for (qsizetype i = 0; i < dn; ++i) {
                const bool mark = d[i] != 0;
                if (i >= decoded.m_checkMarks.size())
                    decoded.m_checkMarks.append(mark);
                else if (decoded.m_checkMarks.at(i) != mark)
                    decoded.m_checkMarks[i] = mark;
            }
            break;
        case TagCIIP:
            decoded.m_importance = ReadInt(d, dn);
            break;
        case TagCIEC:
            decoded.m_fixed = ReadBool(d, dn);
            break;
        case TagCIFL:
            decoded.m_attachedFiles.append(ReadText(d, dn));
            break;
        case TagCIIO:
            decoded.m_imageRotation = ReadInt(d, dn);
            break;
        default:
            if (const CardTextField *field = TextFieldOfTag(tag))
                decoded.*field->value = field->shared ? ReadSharedText(d, dn, pool) : ReadText(d, dn);
            break; // unknown fields are skipped
        }
        p = d + dn;
    }

    if (pool) {
        decoded.m_phoneKinds = pool->ShareKinds(phoneKinds.constData(), phoneKinds.size());
        decoded.m_mailKinds = pool->ShareKinds(mailKinds.constData(), mailKinds.size());
    } else {
        decoded.m_phoneKinds = QList<quint32>(phoneKinds.cbegin(), phoneKinds.cend());
        decoded.m_mailKinds = QList<quint32>(mailKinds.cbegin(), mailKinds.cend());
    }
    if (chunkSize)
        *chunkSize = qsizetype(8 + length);
    return true;
}

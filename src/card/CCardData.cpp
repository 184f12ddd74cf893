#include "CCardData.h"

#include "CardTextFields.h"
#include "KanaWidth.h"
#include "ReadingService.h"

#include <QDataStream>
#include <QDate>
#include <QStringBuilder>
#include <QUuid>
#include <QVarLengthArray>

#include <algorithm>
#include <utility>

namespace {

constexpr int kNameLimit = 64;
constexpr int kPartLimit = 32;
constexpr int kAddressPartLimit = 64;
constexpr int kAddressLimit = 288;
constexpr int kReadingInputLimit = 90;
constexpr int kPhoneLimit = 32;
constexpr int kMailLimit = 128;
constexpr int kZipLimit = 20;
constexpr int kUrlLimit = 1024;
constexpr int kMemoLimit = 256;
constexpr int kRotationSlots = 8;

const QChar kSpace(0x20);
const QString kKabushikiGaisha = QStringLiteral(u"ｶﾌﾞｼｷｶﾞｲｼｬ");

// Stores text cut to limit; true when nothing was cut or dropped. The management
// file ends a text at its first zero character, so zero characters (from a file
// read in) are dropped: kept, they would cut the text off at the next start.
bool StoreLimited(QString &field, const QString &text, int limit)
{
    if (text.contains(QChar(0))) {
        QString kept = text;
        kept.remove(QChar(0));
        StoreLimited(field, kept, limit);
        return false;
    }
    field = text.left(limit);
    return text.size() <= limit;
}

// "A B" when both parts fit together with the space, "AB" cut to the limit
// when they do not, otherwise whichever part is present.
QString Compose(const QString &first, const QString &second, int limit)
{
    if (first.isEmpty())
        return second;
    if (second.isEmpty())
        return first;
    if (first.size() + second.size() < limit)
        return first + kSpace + second;
    return (first + second).left(limit);
}

bool IsPhoneChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || u == '#' || u == '*' || u == 'P' || u == 'p' || u == '-' || u == '(' ||
           u == ')' || u == '+';
}

bool IsMailChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x20 && u <= 0x7E) || u == 0x203E;
}

// Half-width text with only the allowed characters, cut to the limit. A value is
// never stored longer than its limit, whether or not characters were dropped.
bool CleanText(const QString &text, bool (*allowed)(QChar), int limit, QString &out)
{
    const QString half = KanaWidth::ToHalfWidthKatakana(text);
    out.clear();
    out.reserve(half.size());
    for (const QChar c : half) {
        if (allowed(c))
            out.append(c);
    }
    const bool dropped = out.size() != half.size();
    const bool cut = out.size() > limit;
    out.truncate(limit);
    return !dropped && !cut;
}

// Sets or removes one entry of a number/kind list pair (phones and mails).
void SetListEntry(QStringList &values, QList<quint32> &kinds, const QString &value, int index, quint32 kind)
{
    if (!value.isEmpty()) {
        if (index < values.size()) {
            values[index] = value;
            kinds[index] = kind;
        } else {
            values.append(value);
            kinds.append(kind);
        }
    } else if (index < values.size()) {
        values.removeAt(index);
        kinds.removeAt(index);
    }
}

bool SwapListEntries(QStringList &values, QList<quint32> &kinds, int a, int b)
{
    if (a < 0 || b < 0 || a >= values.size() || b >= values.size())
        return false;
    values.swapItemsAt(a, b);
    kinds.swapItemsAt(a, b);
    return true;
}

// Leading decimal number of a date part; false when the part is not exactly one
// number that fits the date field.
bool ParseDatePart(const QString &part, quint16 &value)
{
    const QString trimmed = part.trimmed();
    qsizetype digits = 0;
    quint32 number = 0;
    while (digits < trimmed.size() && trimmed[digits] >= QChar('0') && trimmed[digits] <= QChar('9') &&
           number <= 0xFFFF) {
        number = number * 10 + quint32(trimmed[digits].unicode() - '0');
        ++digits;
    }
    const bool fits = number <= 0xFFFF;
    value = fits ? quint16(number) : 0;
    return fits && digits > 0 && digits == trimmed.size();
}

// "Y/M/D" or "Y-M-D" → a set date. False when the text is not a valid calendar date;
// the date is stored and marked set either way.
bool SetDateText(CardDate &date, const QString &text)
{
    const QStringList parts = QString(text).replace(QChar('-'), QChar('/')).split(QChar('/'));
    quint16 numbers[3] = {0, 0, 0};
    bool ok = parts.size() == 3;
    for (int i = 0; i < 3 && i < parts.size(); ++i)
        ok = ParseDatePart(parts[i], numbers[i]) && ok;
    date = CardDate();
    date.year = numbers[0];
    date.month = numbers[1];
    date.day = numbers[2];
    date.second = 1;
    const QDate calendar(date.year, date.month, date.day);
    if (calendar.isValid())
        date.dayOfWeek = quint16(calendar.dayOfWeek() % 7);
    return ok && calendar.isValid();
}

int CompareDay(const CardDate &a, const CardDate &b)
{
    if (a.year != b.year)
        return a.year < b.year ? -1 : 1;
    if (a.month != b.month)
        return a.month < b.month ? -1 : 1;
    if (a.day != b.day)
        return a.day < b.day ? -1 : 1;
    return 0;
}

} // namespace

CCardData::CCardData()
{
    // One shared block for the cleared marks: most cards never set one.
    static const QList<bool> noMarks(CheckMarkCount, false);
    m_checkMarks = noMarks;
}

void CCardData::Clear()
{
    *this = CCardData();
}

// --- getters -----------------------------------------------------------------

QString CCardData::Phone(int index) const
{
    return index >= 0 && index < m_phones.size() ? m_phones[index] : QString();
}

PhoneKind CCardData::PhoneKindAt(int index) const
{
    return index >= 0 && index < m_phoneKinds.size() ? PhoneKind(m_phoneKinds[index]) : PhoneMobile;
}

QString CCardData::Mail(int index) const
{
    return index >= 0 && index < m_mails.size() ? m_mails[index] : QString();
}

MailKind CCardData::MailKindAt(int index) const
{
    return index >= 0 && index < m_mailKinds.size() ? MailKind(m_mailKinds[index]) : MailMobile;
}

bool CCardData::CheckMark(int slot) const
{
    return slot >= 0 && slot < m_checkMarks.size() && m_checkMarks[slot];
}

int CCardData::ImageRotationOf(int slot) const
{
    if (slot < 0 || slot >= kRotationSlots)
        return 0;
    const int value = int((quint32(m_imageRotation) >> (4 * slot)) & 0xF);
    return value > 3 ? 0 : value;
}

// --- name and reading ----------------------------------------------------------

void CCardData::RecomposeName()
{
    m_name = Compose(m_lastName, m_firstName, kNameLimit);
}

void CCardData::RecomposeYomiName()
{
    m_yomiName = Compose(m_yomiLastName, m_yomiFirstName, kNameLimit);
}

bool CCardData::SetName(const QString &text)
{
    m_name = text;
    if (m_name.isEmpty()) {
        m_lastName.clear();
        m_firstName.clear();
        return true;
    }
    bool ok = StoreLimited(m_name, text, kNameLimit);
    const qsizetype space = m_name.indexOf(kSpace);
    if (space >= 0) {
        const QString name = std::exchange(m_name, QString());
        ok = SetLastName(name.left(space)) && ok;
        ok = SetFirstName(name.mid(space + 1)) && ok;
    } else if (m_name.size() <= kPartLimit) {
        m_firstName.clear();
        ok = SetLastName(m_name) && ok;
    } else {
        m_lastName = m_name.left(kPartLimit);
        m_firstName = m_name.mid(kPartLimit, kPartLimit);
        SetYomiName(m_name);
    }
    return ok;
}

bool CCardData::SetLastName(const QString &text)
{
    const bool ok = StoreLimited(m_lastName, text, kPartLimit);
    RecomposeName();
    if (m_yomiLastName.isEmpty())
        SetYomiLastName(m_lastName);
    return ok;
}

bool CCardData::SetFirstName(const QString &text)
{
    const bool ok = StoreLimited(m_firstName, text, kPartLimit);
    RecomposeName();
    if (m_yomiFirstName.isEmpty())
        SetYomiFirstName(m_firstName);
    return ok;
}

bool CCardData::SetYomiName(const QString &text)
{
    bool ok = text.size() <= kReadingInputLimit;
    m_yomiName = ReadingOf(text.left(kReadingInputLimit));
    if (m_yomiName.isEmpty()) {
        m_yomiLastName.clear();
        m_yomiFirstName.clear();
        return ok;
    }
    if (m_yomiName.size() > kNameLimit) {
        m_yomiName.truncate(kNameLimit);
        ok = false;
    }
    const qsizetype space = m_yomiName.indexOf(kSpace);
    if (space >= 0) {
        const QString reading = m_yomiName;
        ok = SetYomiLastName(reading.left(space)) && ok;
        ok = SetYomiFirstName(reading.mid(space + 1)) && ok;
    } else if (m_yomiName.size() <= kPartLimit) {
        m_yomiFirstName.clear();
        ok = SetYomiLastName(m_yomiName) && ok;
    } else {
        m_yomiLastName = m_yomiName.left(kPartLimit);
        m_yomiFirstName = m_yomiName.mid(kPartLimit, kPartLimit);
    }
    return ok;
}

bool CCardData::SetYomiLastName(const QString &text)
{
    const bool ok = text.size() <= kReadingInputLimit &&
                    StoreLimited(m_yomiLastName, ReadingOf(text.left(kReadingInputLimit)), kPartLimit);
    RecomposeYomiName();
    return ok;
}

bool CCardData::SetYomiFirstName(const QString &text)
{
    const bool ok = text.size() <= kReadingInputLimit &&
                    StoreLimited(m_yomiFirstName, ReadingOf(text.left(kReadingInputLimit)), kPartLimit);
    RecomposeYomiName();
    return ok;
}

// --- company and plain texts -------------------------------------------------------

bool CCardData::SetCompany(const QString &text, bool autoYomi)
{
    const bool ok = StoreLimited(m_company, text, kPartLimit);
    if (autoYomi && m_companyYomi.isEmpty())
        SetCompanyYomi(m_company);
    return ok;
}

bool CCardData::SetCompanyYomi(const QString &text)
{
    // A reading is never shorter than its text, so the first 90 characters decide the
    // stored 32; the cut keeps an oversized imported field away from the reading service.
    const bool ok = text.size() <= kReadingInputLimit;
    return StoreLimited(m_companyYomi, ReadingOf(text.left(kReadingInputLimit)), kPartLimit) && ok;
}

bool CCardData::SetDepartment(const QString &text)
{
    return StoreLimited(m_department, text, kPartLimit);
}

bool CCardData::SetTitle(const QString &text)
{
    return StoreLimited(m_title, text, kPartLimit);
}

bool CCardData::SetUrl(const QString &text)
{
    return StoreLimited(m_url, text, kUrlLimit);
}

bool CCardData::SetMemo(const QString &text)
{
    return StoreLimited(m_memo, text, kMemoLimit);
}

// --- phones and mails -----------------------------------------------------------------

bool CCardData::SetPhone(int index, const PhoneEntry &entry)
{
    if (index < 0)
        return false;
    QString number;
    const bool ok = CleanText(entry.number, IsPhoneChar, kPhoneLimit, number);
    SetListEntry(m_phones, m_phoneKinds, number, index, entry.kind);
    return ok;
}

bool CCardData::SetMail(int index, const MailEntry &entry)
{
    if (index < 0)
        return false;
    QString address;
    const bool ok = CleanText(entry.address, IsMailChar, kMailLimit, address);
    SetListEntry(m_mails, m_mailKinds, address, index, entry.kind);
    return ok;
}

bool CCardData::SwapPhones(int a, int b)
{
    return SwapListEntries(m_phones, m_phoneKinds, a, b);
}

bool CCardData::SwapMails(int a, int b)
{
    return SwapListEntries(m_mails, m_mailKinds, a, b);
}

bool CCardData::SetZipCode(const QString &text)
{
    return CleanText(text, IsMailChar, kZipLimit, m_zipCode);
}

// --- address ---------------------------------------------------------------------------

bool CCardData::RecomposeAddress()
{
    // Built in one allocation: every address-part setter calls this.
    const QString address =
        m_country % kSpace % m_prefecture % kSpace % m_city % kSpace % m_street % kSpace % m_addressExtra;
    // Five full parts and their spaces can exceed the address field by a few characters.
    return StoreLimited(m_address, address, kAddressLimit);
}

bool CCardData::SetAddress(const QString &text)
{
    QString work = text.trimmed();
    work.replace(QChar('\n'), kSpace);
    work.remove(QChar('\r'));
    QString parts[5];
    for (int i = 0; i < 5; ++i) {
        const int limit = i == 0 ? kPartLimit : kAddressPartLimit;
        const qsizetype space = work.indexOf(kSpace);
        const qsizetype taken = space >= 0 ? space : qMin<qsizetype>(limit, work.size());
        parts[i] = work.left(taken);
        work.remove(0, space >= 0 ? taken + 1 : taken);
    }
    SetCountry(parts[0]);
    SetPrefecture(parts[1]);
    SetCity(parts[2]);
    SetStreet(parts[3]);
    SetAddressExtra(parts[4]);
    return StoreLimited(m_address, text, kAddressLimit);
}

bool CCardData::SetCountry(const QString &text)
{
    const bool ok = StoreLimited(m_country, text, kPartLimit);
    return RecomposeAddress() && ok;
}

bool CCardData::SetPrefecture(const QString &text)
{
    const bool ok = StoreLimited(m_prefecture, text, kAddressPartLimit);
    return RecomposeAddress() && ok;
}

bool CCardData::SetCity(const QString &text)
{
    const bool ok = StoreLimited(m_city, text, kAddressPartLimit);
    return RecomposeAddress() && ok;
}

bool CCardData::SetStreet(const QString &text)
{
    const bool ok = StoreLimited(m_street, text, kAddressPartLimit);
    return RecomposeAddress() && ok;
}

bool CCardData::SetAddressExtra(const QString &text)
{
    const bool ok = StoreLimited(m_addressExtra, text, kAddressPartLimit);
    return RecomposeAddress() && ok;
}

// --- dates and marks -------------------------------------------------------------------------

bool CCardData::SetBirthday(const QString &text)
{
    return SetDateText(m_birthday, text);
}

bool CCardData::SetRegisteredDate(const QString &text)
{
    return SetDateText(m_registeredDate, text);
}

bool CCardData::SetUpdatedDate(const QString &text)
{
    return SetDateText(m_updatedDate, text);
}

void CCardData::SetCheckMark(int slot, bool mark)
{
    if (slot >= 0 && slot < m_checkMarks.size())
        m_checkMarks[slot] = mark;
}

void CCardData::SetImageRotationOf(int slot, int quarterTurns)
{
    if (slot < 0 || slot >= kRotationSlots)
        return;
    const quint32 shift = quint32(4 * slot);
    const quint32 value = quint32(((quarterTurns % 4) + 4) % 4);
    quint32 rotation = quint32(m_imageRotation);
    rotation = (rotation & ~(quint32(0xF) << shift)) | (value << shift);
    m_imageRotation = qint32(rotation);
}

// --- other operations --------------------------------------------------------------------------

void CCardData::Stamp()
{
    // One clock reading, so that a new card's registration and update agree.
    const CardDate now = CardDate::NowUtc(true);
    if (m_registeredDate.year == 0) {
        m_registeredDate = now;
        m_id.clear();
    }
    for (CardDate *date : {&m_birthday, &m_receivedDate}) {
        if (date->year == 0) {
            *date = m_registeredDate;
            date->second = 0;
        }
    }
    if (m_id.isEmpty())
        m_id = QUuid::createUuid().toString(QUuid::WithoutBraces).toLower();
    m_updatedDate = now;
    m_updatedDate.milliseconds = 0;
}

bool CCardData::IsIdentical(const CCardData &other) const
{
    if (m_name != other.m_name || m_phones.size() != other.m_phones.size())
        return false;
    // Views into this card's numbers; each matched one is swapped out of the
    // live range so it matches once. No heap use for usual phone counts.
    QVarLengthArray<QStringView, 8> mine;
    for (const QString &number : m_phones) {
        if (!number.isEmpty())
            mine.append(number);
    }
    qsizetype left = mine.size();
    for (const QString &number : other.m_phones) {
        if (number.isEmpty())
            continue;
        const auto end = mine.begin() + left;
        const auto at = std::find(mine.begin(), end, QStringView(number));
        if (at == end)
            return false;
        std::swap(*at, *(end - 1));
        --left;
    }
    return left == 0;
}

QString CCardData::CompanySortKey() const
{
    if (m_companyYomi.startsWith(kKabushikiGaisha))
        return m_companyYomi.mid(kKabushikiGaisha.size());
    return m_companyYomi;
}

bool CCardData::ContainsText(const QString &text, int fieldId) const
{
    if (m_id.isEmpty())
        return false;
    const auto contains = [&text](const QString &value) {
        return text.isEmpty() ? value.isEmpty() : value.contains(text, Qt::CaseSensitive);
    };
    const auto anyEntry = [&text, &contains](const QStringList &values) {
        // A list without a non-empty entry counts as an empty field.
        if (text.isEmpty())
            return std::all_of(values.begin(), values.end(), [](const QString &v) { return v.isEmpty(); });
        return std::any_of(values.begin(), values.end(), contains);
    };
    if (fieldId == FieldPhones)
        return anyEntry(m_phones);
    if (fieldId == FieldMails)
        return anyEntry(m_mails);
    const CardTextField *field = FindCardTextField(fieldId);
    return field && field->searchable && contains(this->*field->value);
}

bool CCardData::DateInRange(const CardDate &from, const CardDate &to, int fieldId) const
{
    if (m_id.isEmpty())
        return false;
    const CardDate *date = nullptr;
    switch (fieldId) {
    case FieldBirthday:
        date = &m_birthday;
        break;
    case FieldReceivedDate:
        date = &m_receivedDate;
        break;
    case FieldRegisteredDate:
        date = &m_registeredDate;
        break;
    case FieldUpdatedDate:
        date = &m_updatedDate;
        break;
    default:
        return false;
    }
    if ((fieldId == FieldBirthday || fieldId == FieldReceivedDate) && date->second == 0)
        return false;
    return CompareDay(from, *date) <= 0 && CompareDay(*date, to) <= 0;
}

bool CCardData::Matches(int value, int fieldId) const
{
    if (m_id.isEmpty())
        return false;
    switch (fieldId) {
    case FieldGroupNo:
        return m_groupNo == value;
    case FieldPrint:
        return (value == 0 && m_print) || (value == 1 && !m_print);
    case FieldCheckMarks:
        return CheckMark(value);
    case FieldImportance:
        return m_importance == value;
    case FieldFixed:
        return (value == 0 && m_fixed) || (value == 1 && !m_fixed);
    default:
        return false;
    }
}

void CCardData::WriteNameArchive(QDataStream &out) const
{
    out << m_name << m_yomiName;
}

void CCardData::ReadNameArchive(QDataStream &in)
{
    QString name;
    QString yomi;
    in >> name >> yomi;
    if (in.status() != QDataStream::Ok)
        return;
    m_name = name.left(kNameLimit);
    m_yomiName = yomi.left(kNameLimit);
}

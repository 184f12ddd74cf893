#include "VCardCardMapper.h"

#include "CCardData.h"
#include "CCheckArray.h"
#include "StoreSettings.h"
#include "VCardReader.h"

namespace {
bool Has(const QStringList &params, const char *name)
{
    return params.contains(QLatin1String(name));
}

// The digits of a date text as one number; -1 when there are none or too many.
qint64 DigitNumber(const QString &text, QString *digits = nullptr)
{
    QString only;
    for (QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            only += c;
    }
    if (digits)
        *digits = only;
    if (only.isEmpty() || only.size() > 18)
        return -1;
    return only.toLongLong();
}

CardDate DateOf(int year, int month, int day, bool marked)
{
    CardDate date;
    date.year = quint16(year);
    date.month = quint16(month);
    date.day = quint16(day);
    const QDate calendar(year, month, day);
    if (calendar.isValid())
        date.dayOfWeek = quint16(calendar.dayOfWeek() % 7);
    date.second = marked ? 1 : 0;
    return date;
}
} // namespace

PhoneKind VCardCardMapper::PhoneKindOf(const QStringList &params, bool withFormattedName)
{
    if (withFormattedName) {
        PhoneKind kind = PhoneGeneral;
        if (Has(params, "CELL"))
            kind = PhoneMobile;
        else if (Has(params, "HOME"))
            kind = PhoneHome;
        else if (Has(params, "WORK"))
            kind = PhoneOffice;
        if (Has(params, "FAX"))
            kind = PhoneFax;
        return kind;
    }
    if (Has(params, "CELL"))
        return Has(params, "WORK") ? PhoneCompanyMobile : PhoneMobile;
    if (Has(params, "VOICE")) {
        if (Has(params, "HOME"))
            return PhoneHome;
        return Has(params, "WORK") ? PhoneOffice : PhoneGeneral;
    }
    if (Has(params, "VIDEO"))
        return PhoneVideoCall;
    if (Has(params, "FAX"))
        return PhoneFax;
    return PhoneGeneral;
}

MailKind VCardCardMapper::MailKindOf(const QStringList &params)
{
    static const char *const names[] = {"CELL", "HOME", "WORK", "INTERNET"};
    for (quint32 kind = 0; kind < std::size(names); ++kind) {
        if (Has(params, names[kind]))
            return MailKind(kind);
    }
    return MailInternet;
}

QString VCardCardMapper::ValueAt(const PROPERTY &property, int index)
{
    if (index < 0 || index >= property.values.size())
        return {};
    return UnescapeValue(property.values[index]);
}

QString VCardCardMapper::DigitDateText(const QString &text)
{
    // The day is taken right after the month, so that a time part after the
    // date (as in "20061231T120000Z") does not spoil it.
    return text.left(4) + QLatin1Char('/') + text.mid(4, 2) + QLatin1Char('/') + text.mid(6, 2);
}

void VCardCardMapper::MapNames(const VCARD_DATA &entry, CCardData &card)
{
    const PROPERTY &source = entry.name.values.isEmpty() ? entry.formattedName : entry.name;
    const QString last = ValueAt(source, 0);
    const QString first = ValueAt(source, 1);
    if (!last.isEmpty())
        card.SetLastName(last);
    if (!first.isEmpty())
        card.SetFirstName(first);
    // Only a reading the entry holds replaces the one the name setters derived; most
    // cards have no SOUND at all. A value that is there but empty still clears it.
    if (entry.sound.values.size() > 0)
        card.SetYomiLastName(ValueAt(entry.sound, 0));
    if (entry.sound.values.size() > 1)
        card.SetYomiFirstName(ValueAt(entry.sound, 1));
}

void VCardCardMapper::MapPhones(const VCARD_DATA &entry, bool withFormattedName, CCardData &card)
{
    for (const PROPERTY &tel : entry.tels) {
        const QString number = ValueAt(tel, 0);
        if (!number.isEmpty())
            card.SetPhone(card.PhoneCount(), {number, PhoneKindOf(tel.params, withFormattedName)});
    }
}

void VCardCardMapper::MapCommon(const VCARD_DATA &entry, bool autoYomi, CCardData &card)
{
    for (const PROPERTY &mail : entry.emails) {
        const QString address = ValueAt(mail, 0);
        if (!address.isEmpty())
            card.SetMail(card.MailCount(), {address, MailKindOf(mail.params)});
    }
    card.SetCompany(ValueAt(entry.org, 0), autoYomi);
    card.SetDepartment(ValueAt(entry.org, 1));
    const QString companyYomi = ValueAt(entry.orgYomi, 0);
    if (!companyYomi.isEmpty())
        card.SetCompanyYomi(companyYomi);
    card.SetTitle(UnescapeValue(entry.title));
    if (!entry.urls.isEmpty())
        card.SetUrl(ValueAt(entry.urls.first(), 0));
    QString memo;
    for (const QString &line : entry.note.values)
        memo += UnescapeValue(line) + QStringLiteral("\r\n");
    card.SetMemo(memo);
    if (!entry.birthday.isEmpty())
        card.SetBirthday(DigitDateText(entry.birthday));
    if (!entry.revision.isEmpty())
        card.SetUpdatedDate(DigitDateText(entry.revision));
}

bool VCardCardMapper::MapFullAddress(const PROPERTY &address, CCardData &card)
{
    if (address.values.size() < 7)
        return false;
    const struct
    {
        int component;
        bool (CCardData::*setter)(const QString &);
    } parts[] = {{6, &CCardData::SetCountry}, {4, &CCardData::SetPrefecture},   {3, &CCardData::SetCity},
                 {2, &CCardData::SetStreet},  {1, &CCardData::SetAddressExtra}, {5, &CCardData::SetZipCode}};
    for (const auto &part : parts) {
        const QString value = ValueAt(address, part.component);
        if (!value.isEmpty())
            (card.*part.setter)(value);
    }
    return true;
}

namespace {
bool HasAddress(const PROPERTY &address)
{
    return !address.params.isEmpty() || !address.values.isEmpty();
}
} // namespace

bool VCardCardMapper::MapCardFileEntry(const VCARD_DATA &entry, const CCheckArray &checks, bool autoYomi,
                                       CCardData &card)
{
    const bool withFn = entry.hasFormattedName != 0;
    MapNames(entry, card);
    MapPhones(entry, withFn, card);
    MapCommon(entry, autoYomi, card);
    if (HasAddress(entry.address)) {
        if (!withFn) {
            if (!MapFullAddress(entry.address, card))
                return false;
        } else {
            if (entry.address.values.size() < 2)
                return false;
            card.SetAddress(ValueAt(entry.address, 1));
        }
    }
    for (int slot = 0; slot < checks.SlotCount(); ++slot) {
        const QString name = checks.GetItemName(slot);
        if (!name.isEmpty() && entry.checkList.values.contains(name))
            card.SetCheckMark(slot, true);
    }
    card.SetPrint(entry.printFlag != 0);
    return true;
}

bool VCardCardMapper::MapPhoneBookEntry(const VCARD_DATA &entry, bool newerForm, bool autoYomi,
                                        CCardData &card)
{
    if (newerForm) {
        MapNames(entry, card);
    } else {
        card.SetName(ValueAt(entry.name, 0));
        if (!entry.sound.values.isEmpty())
            card.SetYomiName(ValueAt(entry.sound, 0));
    }
    MapPhones(entry, newerForm, card);
    MapCommon(entry, autoYomi, card);
    if (HasAddress(entry.address)) {
        if (newerForm) {
            if (!MapFullAddress(entry.address, card))
                return false;
        } else {
            if (entry.address.values.size() < 6)
                return false;
            const QString street = ValueAt(entry.address, 1);
            const QString zip = ValueAt(entry.address, 5);
            if (!street.isEmpty())
                card.SetAddress(street);
            if (!zip.isEmpty())
                card.SetZipCode(zip);
        }
    }
    if (!entry.groupNo.isEmpty()) {
        // A number that names none of the groups is no group: the store could not file the card.
        const int group = entry.groupNo.trimmed().toInt();
        card.SetGroupNo(group >= 0 && group < StoreSettings::GroupCount ? group : 0);
    }
    if (!entry.registeredDate.isEmpty()) {
        QString digits;
        DigitNumber(entry.registeredDate, &digits);
        if (digits.size() == 6)
            digits.prepend(QStringLiteral("20"));
        if (digits.size() == 8)
            card.SetReceivedDate(
                DateOf(digits.left(4).toInt(), digits.mid(4, 2).toInt(), digits.mid(6, 2).toInt(), true));
    }
    return true;
}

CardDate VCardCardMapper::ReceivedDate(const VCARD_DATA &entry, const QString &fileDate, const QDate &today)
{
    if (entry.hasRegisteredDate) {
        const QStringList parts = entry.registeredDate.split(QLatin1Char('/'));
        return DateOf(parts.value(0).toInt(), parts.value(1).toInt(), parts.value(2).toInt(), true);
    }
    // "yyyyMMdd" without a date format: this runs once per imported card.
    const qint64 todayNumber = qint64(today.year()) * 10000 + today.month() * 100 + today.day();
    QString candidate = QString::number(todayNumber);
    qint64 best = todayNumber;
    bool registeredChosen = false;
    const auto consider = [&](const QString &text, bool registered) {
        QString digits;
        const qint64 number = DigitNumber(text, &digits);
        if (number >= 0 && number < best) {
            best = number;
            candidate = digits;
            registeredChosen = registered;
        }
    };
    consider(entry.revision, false);
    consider(fileDate, false);
    consider(entry.registeredDate, true);
    if (candidate.size() == 6)
        candidate.prepend(QStringLiteral("20"));
    if (candidate.size() != 8) {
        candidate = QString::number(todayNumber);
        registeredChosen = false;
    }
    return DateOf(candidate.left(4).toInt(), candidate.mid(4, 2).toInt(), candidate.mid(6, 2).toInt(),
                  registeredChosen);
}

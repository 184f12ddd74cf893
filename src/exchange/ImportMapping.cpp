#include "ImportMapping.h"

#include "CCardData.h"
#include "CardTextFields.h"
#include "Csv.h"
#include "StoreSettings.h"

#include <utility>

namespace {

bool IsNumberedSlot(int id)
{
    return (id >= 12 && id <= 19) || (id >= 22 && id <= 29);
}

bool IsRepeatable(int id)
{
    return id == CsvItemPhone || id == CsvItemPhoneKind || id == CsvItemMail || id == CsvItemMailKind;
}

// Whole items that cannot be mapped together with their parts.
bool IsWholeAndPart(int whole, int part)
{
    switch (whole) {
    case CsvItemName:
        return part == CsvItemLastName || part == CsvItemFirstName;
    case CsvItemYomiName:
        return part == CsvItemYomiLastName || part == CsvItemYomiFirstName;
    case CsvItemAddress:
        return part >= CsvItemCountry && part <= CsvItemAddressExtra;
    default:
        return false;
    }
}

// Headings other programs write, taken as our items.
int OutlookHeading(const QString &text)
{
    static const std::pair<QString, int> headings[] = {
        {QStringLiteral("表示名"), CsvItemName},
        {QStringLiteral("勤務先電話番号"), CsvItemPhone},
        {QStringLiteral("勤務先の郵便番号"), CsvItemZipCode},
        {QStringLiteral("勤務先の国または地域"), CsvItemCountry},
        {QStringLiteral("勤務先の都道府県"), CsvItemPrefecture},
        {QStringLiteral("勤務先の市区町村"), CsvItemCity},
        {QStringLiteral("勤務先の番地"), CsvItemStreet},
    };
    for (const auto &[heading, id] : headings)
        if (text == heading)
            return id;
    return CsvItemEmpty;
}

int ContainedHeading(const QString &text)
{
    if (text.contains(QStringLiteral("電話番号種別")))
        return CsvItemPhoneKind;
    if (text.contains(QStringLiteral("電話番号")))
        return CsvItemPhone;
    if (text.contains(QStringLiteral("メールアドレス種別")))
        return CsvItemMailKind;
    if (text.contains(QStringLiteral("メールアドレス")))
        return CsvItemMail;
    const bool mail = text.contains(QStringLiteral("電子メール"));
    if (mail && text.contains(QStringLiteral("アドレス")))
        return CsvItemMail;
    if (mail && text.contains(QStringLiteral("種類")))
        return CsvItemMailKind;
    return CsvItemEmpty;
}

bool IsReading(int id)
{
    return id == CsvItemYomiName || id == CsvItemYomiLastName || id == CsvItemYomiFirstName ||
           id == CsvItemCompanyYomi;
}

void ApplyText(CCardData &card, int id, const QString &text, const CheckListItems &checks, bool autoYomi)
{
    // An empty reading cell gives no reading: it must not clear the one the name or
    // company setters derived (files written elsewhere often leave the readings empty).
    if (text.isEmpty() && IsReading(id))
        return;
    if (const CardTextField *field = CsvItem::TextField(id)) {
        field->set(card, text, autoYomi);
        return;
    }
    switch (id) {
    case CsvItemBirthday:
        card.SetBirthday(text);
        break;
    case CsvItemReceivedDate: {
        CCardData parsed; // the received date follows the birthday's reading rule
        parsed.SetBirthday(text);
        card.SetReceivedDate(parsed.Birthday());
        break;
    }
    case CsvItemRegisteredDate:
        card.SetRegisteredDate(text);
        break;
    case CsvItemUpdatedDate:
        card.SetUpdatedDate(text);
        break;
    case CsvItemGroupNo: {
        // A number that names none of the groups is no group: the store could not file the card.
        const int group = CsvItem::ReadNumber(text);
        card.SetGroupNo(group >= 0 && group < StoreSettings::GroupCount ? group : 0);
        break;
    }
    case CsvItemPrint:
        card.SetPrint(CsvItem::ReadNumber(text) != 0);
        break;
    case CsvItemImportance:
        card.SetImportance(CsvItem::ImportanceFromText(text));
        break;
    default: {
        const qsizetype position = id - CsvItemCheckBase;
        if (position >= 0 && position < checks.markSlots.size())
            card.SetCheckMark(checks.markSlots.at(position), CsvItem::ReadNumber(text) != 0);
        break;
    }
    }
}

} // namespace

QList<int> ImportMapping::OfferedItems(const CheckListItems &checks)
{
    QList<int> items;
    const int count = CsvItem::Count(checks);
    for (int id = 0; id < count; ++id)
        if (!IsNumberedSlot(id))
            items.append(id);
    return items;
}

int ImportMapping::PreselectItem(const QString &firstRowText, const CheckListItems &checks)
{
    for (int id : OfferedItems(checks))
        if (CsvItem::Name(id, checks) == firstRowText)
            return id;
    const int heading = OutlookHeading(firstRowText);
    if (heading != CsvItemEmpty)
        return heading;
    return ContainedHeading(firstRowText);
}

QList<MappingEntry> ImportMapping::PrepareColumns(const QStringList &firstRow, const CheckListItems &checks)
{
    QList<MappingEntry> columns;
    for (const QString &text : firstRow) {
        MappingEntry column;
        column.itemId = PreselectItem(text, checks);
        column.flag = column.itemId != CsvItemEmpty ? 1 : 0;
        columns.append(column);
    }
    return columns;
}

bool ImportMapping::ValidateImportMapping(const QList<MappingEntry> &columns, const CheckListItems &checks,
                                          QString *message)
{
    QList<int> items;
    for (const MappingEntry &column : columns)
        if (column.flag == 1 && column.itemId >= 0)
            items.append(column.itemId);
    auto fail = [message](const QString &text) {
        if (message)
            *message = text;
        return false;
    };
    if (items.isEmpty())
        return fail(QStringLiteral("項目が設定されていません。"));
    for (qsizetype i = 0; i < items.size(); ++i) {
        for (qsizetype j = i + 1; j < items.size(); ++j) {
            const int a = items[i];
            const int b = items[j];
            if (a == b && !IsRepeatable(a))
                return fail(CsvItem::Name(a, checks) + QStringLiteral("が複数設定されています。"));
            const int whole = IsWholeAndPart(a, b) ? a : (IsWholeAndPart(b, a) ? b : CsvItemEmpty);
            if (whole != CsvItemEmpty) {
                const int part = whole == a ? b : a;
                return fail(CsvItem::Name(whole, checks) + QStringLiteral("と") +
                            CsvItem::Name(part, checks) + QStringLiteral("は同時に設定できません。"));
            }
        }
    }
    return true;
}

void ImportMapping::ApplyRow(const QStringList &row, const QList<MappingEntry> &columns,
                             const CheckListItems &checks, bool autoYomi, CCardData &card)
{
    // Numbers and kinds are paired by their order among the row's number and kind
    // columns, so an empty number does not shift later kinds onto the wrong phone.
    QStringList phones, phoneKinds, mails, mailKinds;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const MappingEntry &column = columns.at(i);
        if (column.flag != 1 || column.itemId < 0)
            continue;
        const int id = column.itemId;
        const QString text = row.value(i);
        if (id >= CsvItemPhone && id < CsvItemMail)
            ((id - CsvItemPhone) % 2 == 0 ? phones : phoneKinds).append(text);
        else if (id >= CsvItemMail && id < CsvItemZipCode)
            ((id - CsvItemMail) % 2 == 0 ? mails : mailKinds).append(text);
        else
            ApplyText(card, id, text, checks, autoYomi);
    }
    for (qsizetype n = 0; n < phones.size(); ++n)
        if (!phones[n].isEmpty())
            card.SetPhone(card.PhoneCount(), {phones[n], CsvItem::PhoneKindFromText(phoneKinds.value(n))});
    for (qsizetype n = 0; n < mails.size(); ++n)
        if (!mails[n].isEmpty())
            card.SetMail(card.MailCount(), {mails[n], CsvItem::MailKindFromText(mailKinds.value(n))});
}

bool ImportMapping::ReadFirstRows(const QString &path, QStringList &first, QStringList &second,
                                  bool &hasSecond)
{
    Csv csv(path);
    if (!csv.ReadRow(first) && first.isEmpty())
        return false;
    hasSecond = csv.ReadRow(second) || !second.isEmpty();
    const qsizetype columns = qMax(first.size(), second.size());
    while (first.size() < columns)
        first.append(QString());
    while (second.size() < columns)
        second.append(QString());
    return columns > 0;
}

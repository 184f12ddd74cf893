#include "CsvItem.h"

#include "CCardData.h"
#include "CardTextFields.h"

#include <array>
#include <climits>

namespace {

// One line per fixed CSV item, in item-id order: its column name and, for a plain
// text column, the card field it holds (FieldId for the columns with a rule of their own).
struct FixedItem
{
    QString name;
    CardField textField;
};

const std::array<FixedItem, CsvFixedItemCount> &FixedItems()
{
    static const std::array<FixedItem, CsvFixedItemCount> items = {{
        {QStringLiteral("名前"), FieldName},
        {QStringLiteral("姓"), FieldLastName},
        {QStringLiteral("名"), FieldFirstName},
        {QStringLiteral("ヨミ/名前"), FieldYomiName},
        {QStringLiteral("ヨミ/姓"), FieldYomiLastName},
        {QStringLiteral("ヨミ/名"), FieldYomiFirstName},
        {QStringLiteral("会社名"), FieldCompany},
        {QStringLiteral("ヨミ/会社名"), FieldCompanyYomi},
        {QStringLiteral("部署名"), FieldDepartment},
        {QStringLiteral("役職"), FieldTitle},
        {QStringLiteral("電話番号"), FieldId},
        {QStringLiteral("電話番号種別"), FieldId},
        {QStringLiteral("電話番号2"), FieldId},
        {QStringLiteral("電話番号種別2"), FieldId},
        {QStringLiteral("電話番号3"), FieldId},
        {QStringLiteral("電話番号種別3"), FieldId},
        {QStringLiteral("電話番号4"), FieldId},
        {QStringLiteral("電話番号種別4"), FieldId},
        {QStringLiteral("電話番号5"), FieldId},
        {QStringLiteral("電話番号種別5"), FieldId},
        {QStringLiteral("メールアドレス"), FieldId},
        {QStringLiteral("メールアドレス種別"), FieldId},
        {QStringLiteral("メールアドレス2"), FieldId},
        {QStringLiteral("メールアドレス種別2"), FieldId},
        {QStringLiteral("メールアドレス3"), FieldId},
        {QStringLiteral("メールアドレス種別3"), FieldId},
        {QStringLiteral("メールアドレス4"), FieldId},
        {QStringLiteral("メールアドレス種別4"), FieldId},
        {QStringLiteral("メールアドレス5"), FieldId},
        {QStringLiteral("メールアドレス種別5"), FieldId},
        {QStringLiteral("郵便番号"), FieldZipCode},
        {QStringLiteral("住所"), FieldAddress},
        {QStringLiteral("国"), FieldCountry},
        {QStringLiteral("都道府県"), FieldPrefecture},
        {QStringLiteral("市区町村"), FieldCity},
        {QStringLiteral("番地"), FieldStreet},
        {QStringLiteral("付加情報"), FieldAddressExtra},
        {QStringLiteral("URL"), FieldUrl},
        {QStringLiteral("メモ"), FieldMemo},
        {QStringLiteral("誕生日"), FieldId},
        {QStringLiteral("受領日"), FieldId},
        {QStringLiteral("登録日"), FieldId},
        {QStringLiteral("更新日"), FieldId},
        {QStringLiteral("ｸﾞﾙｰﾌﾟ番号"), FieldId},
        {QStringLiteral("印刷"), FieldId},
        {QStringLiteral("重要度"), FieldId},
    }};
    return items;
}

const std::array<QString, 7> &PhoneKindTexts()
{
    static const std::array<QString, 7> texts = {
        QStringLiteral("CELL"),       QStringLiteral("CELL;WORK"), QStringLiteral("HOME;VOICE"),
        QStringLiteral("WORK;VOICE"), QStringLiteral("VIDEO"),     QStringLiteral("FAX"),
        QStringLiteral("VOICE"),
    };
    return texts;
}

const std::array<QString, 4> &MailKindTexts()
{
    static const std::array<QString, 4> texts = {QStringLiteral("CELL"), QStringLiteral("HOME"),
                                                 QStringLiteral("WORK"), QStringLiteral("INTERNET")};
    return texts;
}

const std::array<QString, 5> &ImportanceTexts()
{
    static const std::array<QString, 5> texts = {QStringLiteral("高"), QStringLiteral("やや高"),
                                                 QStringLiteral("中"), QStringLiteral("やや低"),
                                                 QStringLiteral("低")};
    return texts;
}

template <size_t N> int IndexOf(const std::array<QString, N> &texts, const QString &text)
{
    for (size_t i = 0; i < N; ++i)
        if (texts[i] == text)
            return int(i);
    return 0;
}

QString Flag(bool set)
{
    return set ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

const CardTextField *CsvItem::TextField(int id)
{
    if (id < 0 || id >= CsvFixedItemCount)
        return nullptr;
    return FindCardTextField(FixedItems()[size_t(id)].textField);
}

QString CsvItem::Name(int id, const CheckListItems &checks)
{
    if (id >= 0 && id < CsvFixedItemCount)
        return FixedItems()[size_t(id)].name;
    return checks.names.value(id - CsvItemCheckBase);
}

int CsvItem::Count(const CheckListItems &checks)
{
    return CsvFixedItemCount + int(checks.names.size());
}

QString CsvItem::PhoneKindText(quint32 kind)
{
    return kind < PhoneKindTexts().size() ? PhoneKindTexts()[kind] : PhoneKindTexts()[0];
}

QString CsvItem::MailKindText(quint32 kind)
{
    return kind < MailKindTexts().size() ? MailKindTexts()[kind] : MailKindTexts()[0];
}

QString CsvItem::ImportanceText(int importance)
{
    return importance >= 0 && importance < int(ImportanceTexts().size())
               ? ImportanceTexts()[size_t(importance)]
               : ImportanceTexts()[2];
}

PhoneKind CsvItem::PhoneKindFromText(const QString &text)
{
    return PhoneKind(IndexOf(PhoneKindTexts(), text));
}

MailKind CsvItem::MailKindFromText(const QString &text)
{
    return MailKind(IndexOf(MailKindTexts(), text));
}

int CsvItem::ImportanceFromText(const QString &text)
{
    return IndexOf(ImportanceTexts(), text);
}

QString CsvItem::DateText(const CardDate &date)
{
    if (!date.IsSet())
        return QString();
    if (date.year > 9999 || date.month > 99 || date.day > 99)
        return QStringLiteral("%1-%2-%3")
            .arg(date.year, 4, 10, QLatin1Char('0'))
            .arg(date.month, 2, 10, QLatin1Char('0'))
            .arg(date.day, 2, 10, QLatin1Char('0'));
    // "yyyy-mm-dd" digit by digit: an export writes four dates a card.
    char16_t text[10];
    const auto digits = [&text](int at, int value, int count) {
        for (int i = count - 1; i >= 0; --i, value /= 10)
            text[at + i] = char16_t(u'0' + value % 10);
    };
    digits(0, date.year, 4);
    text[4] = u'-';
    digits(5, date.month, 2);
    text[7] = u'-';
    digits(8, date.day, 2);
    return QString(reinterpret_cast<const QChar *>(text), 10);
}

int CsvItem::ReadNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    qint64 value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = qMin<qint64>(value * 10 + (text[i].unicode() - '0'), qint64(INT_MAX) + 1);
    value = negative ? -value : value;
    return int(qBound(qint64(INT_MIN), value, qint64(INT_MAX)));
}

QString CsvItem::Text(const CCardData &card, int id, const CheckListItems &checks)
{
    if (id >= CsvItemPhone && id < CsvItemMail) {
        const int n = (id - CsvItemPhone) / 2;
        if ((id - CsvItemPhone) % 2 == 0)
            return card.Phone(n);
        return PhoneKindText(n < card.PhoneCount() ? card.PhoneKindAt(n) : PhoneMobile);
    }
    if (id >= CsvItemMail && id < CsvItemZipCode) {
        const int n = (id - CsvItemMail) / 2;
        if ((id - CsvItemMail) % 2 == 0)
            return card.Mail(n);
        return MailKindText(n < card.MailCount() ? card.MailKindAt(n) : MailMobile);
    }
    if (const CardTextField *field = TextField(id))
        return card.*field->value;
    switch (id) {
    case CsvItemBirthday:
        return DateText(card.Birthday());
    case CsvItemReceivedDate:
        return DateText(card.ReceivedDate());
    case CsvItemRegisteredDate:
        return DateText(card.RegisteredDate());
    case CsvItemUpdatedDate:
        return DateText(card.UpdatedDate());
    case CsvItemGroupNo:
        return QString::number(card.GroupNo());
    case CsvItemPrint:
        return Flag(card.Print());
    case CsvItemImportance:
        return ImportanceText(card.Importance());
    default:
        break;
    }
    const qsizetype position = id - CsvItemCheckBase;
    if (position >= 0 && position < checks.markSlots.size())
        return Flag(card.CheckMark(checks.markSlots.at(position)));
    return QString();
}

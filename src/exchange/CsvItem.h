#pragma once

#include "CardDate.h"
#include "CardKinds.h"

#include <QList>
#include <QString>
#include <QStringList>

class CCardData;
struct CardTextField;

// Item ids naming what a CSV column holds. Check-list item i is CsvItemCheckBase + i.
enum CsvItemId
{
    CsvItemEmpty = -1,
    CsvItemName = 0,
    CsvItemLastName = 1,
    CsvItemFirstName = 2,
    CsvItemYomiName = 3,
    CsvItemYomiLastName = 4,
    CsvItemYomiFirstName = 5,
    CsvItemCompany = 6,
    CsvItemCompanyYomi = 7,
    CsvItemDepartment = 8,
    CsvItemTitle = 9,
    CsvItemPhone = 10,     // 10, 12, 14, 16, 18: phone 1–5
    CsvItemPhoneKind = 11, // 11, 13, 15, 17, 19: kind of phone 1–5
    CsvItemMail = 20,      // 20, 22, 24, 26, 28: mail 1–5
    CsvItemMailKind = 21,  // 21, 23, 25, 27, 29: kind of mail 1–5
    CsvItemZipCode = 30,
    CsvItemAddress = 31,
    CsvItemCountry = 32,
    CsvItemPrefecture = 33,
    CsvItemCity = 34,
    CsvItemStreet = 35,
    CsvItemAddressExtra = 36,
    CsvItemUrl = 37,
    CsvItemMemo = 38,
    CsvItemBirthday = 39,
    CsvItemReceivedDate = 40,
    CsvItemRegisteredDate = 41,
    CsvItemUpdatedDate = 42,
    CsvItemGroupNo = 43,
    CsvItemPrint = 44,
    CsvItemImportance = 45,
    CsvItemCheckBase = 46,
};
constexpr int CsvFixedItemCount = 46;
constexpr int CsvNumberedSlots = 5;

// The check-list items as the CSV sees them: names in display order, and for each
// position the card's mark slot. Item id CsvItemCheckBase + i is position i.
struct CheckListItems
{
    QStringList names;
    QList<int> markSlots;
};

// The item table: column names, kind texts and how each item is written and read.
class CsvItem
{
public:
    // Column name of an item; empty for an unknown id.
    static QString Name(int id, const CheckListItems &checks);
    // The card text field a plain text column holds, or nullptr.
    static const CardTextField *TextField(int id);
    // Number of ids in use: the fixed ones plus one per check-list item.
    static int Count(const CheckListItems &checks);

    static QString PhoneKindText(quint32 kind);
    static QString MailKindText(quint32 kind);
    static QString ImportanceText(int importance);
    // Exact comparison; any other text gives 0.
    static PhoneKind PhoneKindFromText(const QString &text);
    static MailKind MailKindFromText(const QString &text);
    static int ImportanceFromText(const QString &text);

    // "%04d-%02d-%02d" when set, else empty.
    static QString DateText(const CardDate &date);
    // Leading decimal number as the C library reads it; 0 when there is none.
    static int ReadNumber(const QString &text);

    // The cell text of an item for export.
    static QString Text(const CCardData &card, int id, const CheckListItems &checks);
};

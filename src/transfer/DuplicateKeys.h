#pragma once

#include <QString>

// The forms in which two cards' texts count as the same when looking for
// cards of one person. An empty key never matches anything.
namespace DuplicateKeys {

// The name without spaces and with one width for letters, digits and kana
// (全角/半角): "山田 太郎", "山田　太郎" and "山田太郎" are one name.
QString NameKey(const QString &name);
// The same for a reading: "ﾔﾏﾀﾞ ﾀﾛｳ" and "ヤマダタロウ" are one reading.
QString ReadingKey(const QString &reading);
// The company without spaces, width and its legal form: "株式会社東京商事",
// "東京商事株式会社", "㈱東京商事" and "(株)東京商事" are one company.
QString CompanyKey(const QString &company);
// The digits of a number without the country code +81 and the leading 0 of a
// domestic number: "090-1234-5678", "09012345678" and "+81 90 1234 5678" are
// one number. Empty for numbers too short to belong to one person.
QString PhoneKey(const QString &number);
// The address in lower case; empty for text that is not an address.
QString MailKey(const QString &address);

} // namespace DuplicateKeys

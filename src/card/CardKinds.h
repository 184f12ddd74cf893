#pragma once

#include <QString>
#include <QtGlobal>

// Kind stored beside each phone number.
enum PhoneKind : quint32 {
    PhoneMobile = 0,
    PhoneCompanyMobile = 1,
    PhoneHome = 2,
    PhoneOffice = 3,
    PhoneVideoCall = 4,
    PhoneFax = 5,
    PhoneGeneral = 6,
};
constexpr int PhoneKindCount = 7;

// Kind stored beside each e-mail address.
enum MailKind : quint32 {
    MailMobile = 0,
    MailHome = 1,
    MailOffice = 2,
    MailInternet = 3,
};
constexpr int MailKindCount = 4;

constexpr int ImportanceCount = 5;
constexpr int CheckMarkCount = 20;

// Labels as the program shows them ("携帯電話", …); empty for a value out of range.
QString PhoneKindLabel(quint32 kind);
QString MailKindLabel(quint32 kind);
QString ImportanceLabel(int importance);

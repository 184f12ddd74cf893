#pragma once

#include "CardDate.h"
#include "CardKinds.h"
#include "MailEntry.h"
#include "PhoneEntry.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <span>

class QDataStream;
struct CardTextField;

// Field ids 0–32: the persisted fields, also the codes that search conditions use.
enum CardField
{
    FieldId = 0,
    FieldName = 1,
    FieldLastName = 2,
    FieldFirstName = 3,
    FieldYomiName = 4,
    FieldYomiLastName = 5,
    FieldYomiFirstName = 6,
    FieldCompany = 7,
    FieldCompanyYomi = 8,
    FieldDepartment = 9,
    FieldTitle = 10,
    FieldPhones = 11,
    FieldMails = 12,
    FieldZipCode = 13,
    FieldAddress = 14,
    FieldCountry = 15,
    FieldPrefecture = 16,
    FieldCity = 17,
    FieldStreet = 18,
    FieldAddressExtra = 19,
    FieldUrl = 20,
    FieldMemo = 21,
    FieldBirthday = 22,
    FieldReceivedDate = 23,
    FieldRegisteredDate = 24,
    FieldUpdatedDate = 25,
    FieldGroupNo = 26,
    FieldPrint = 27,
    FieldCheckMarks = 28,
    FieldImportance = 29,
    FieldFixed = 30,
    FieldAttachedFiles = 31,
    FieldImageRotation = 32,
};

// One business card. Text setters never refuse a value: they store a cleaned,
// length-limited value and return false when they had to change it.
class CCardData
{
public:
    CCardData();

    void Clear();

    // --- getters ---------------------------------------------------------
    QString Id() const { return m_id; }
    QString Name() const { return m_name; }
    QString LastName() const { return m_lastName; }
    QString FirstName() const { return m_firstName; }
    QString YomiName() const { return m_yomiName; }
    QString YomiLastName() const { return m_yomiLastName; }
    QString YomiFirstName() const { return m_yomiFirstName; }
    QString Company() const { return m_company; }
    QString CompanyYomi() const { return m_companyYomi; }
    QString Department() const { return m_department; }
    QString Title() const { return m_title; }

    int PhoneCount() const { return m_phones.size(); }
    QString Phone(int index) const;         // empty outside the list
    PhoneKind PhoneKindAt(int index) const; // PhoneMobile outside the list
    int MailCount() const { return m_mails.size(); }
    QString Mail(int index) const;        // empty outside the list
    MailKind MailKindAt(int index) const; // MailMobile outside the list

    QString ZipCode() const { return m_zipCode; }
    QString Address() const { return m_address; }
    QString Country() const { return m_country; }
    QString Prefecture() const { return m_prefecture; }
    QString City() const { return m_city; }
    QString Street() const { return m_street; }
    QString AddressExtra() const { return m_addressExtra; }
    QString Url() const { return m_url; }
    QString Memo() const { return m_memo; }

    CardDate Birthday() const { return m_birthday; }
    CardDate ReceivedDate() const { return m_receivedDate; }
    CardDate RegisteredDate() const { return m_registeredDate; }
    CardDate UpdatedDate() const { return m_updatedDate; }
    // "%04d-%02d-%02d", or empty when the date is not set.
    QString BirthdayText() const { return m_birthday.Text(); }
    QString ReceivedDateText() const { return m_receivedDate.Text(); }
    QString RegisteredDateText() const { return m_registeredDate.Text(); }
    QString UpdatedDateText() const { return m_updatedDate.Text(); }

    int GroupNo() const { return m_groupNo; }
    bool Print() const { return m_print; }
    const QList<bool> &CheckMarks() const { return m_checkMarks; }
    bool CheckMark(int slot) const; // false outside the array
    int Importance() const { return m_importance; }
    bool Fixed() const { return m_fixed; }
    QStringList AttachedFiles() const { return m_attachedFiles; }
    qint32 ImageRotation() const { return m_imageRotation; }
    // Quarter turns (0–3) of image slot n; values above 3 read as 0.
    int ImageRotationOf(int slot) const;

    // --- setters with input rules -----------------------------------------
    bool SetName(const QString &text);
    bool SetLastName(const QString &text);
    bool SetFirstName(const QString &text);
    bool SetYomiName(const QString &text);
    bool SetYomiLastName(const QString &text);
    bool SetYomiFirstName(const QString &text);
    bool SetCompany(const QString &text, bool autoYomi);
    bool SetCompanyYomi(const QString &text);
    bool SetDepartment(const QString &text);
    bool SetTitle(const QString &text);
    // At index, past the end of the list too: the entries between stay empty.
    bool SetPhone(int index, const PhoneEntry &entry);
    bool SetMail(int index, const MailEntry &entry);
    bool SwapPhones(int a, int b);
    bool SwapMails(int a, int b);
    bool SetZipCode(const QString &text);
    bool SetAddress(const QString &text);
    bool SetCountry(const QString &text);
    bool SetPrefecture(const QString &text);
    bool SetCity(const QString &text);
    bool SetStreet(const QString &text);
    bool SetAddressExtra(const QString &text);
    bool SetUrl(const QString &text);
    bool SetMemo(const QString &text);
    // Text "Y/M/D" or "Y-M-D"; the date is marked set.
    bool SetBirthday(const QString &text);
    bool SetRegisteredDate(const QString &text);
    bool SetUpdatedDate(const QString &text);

    // --- plain setters ------------------------------------------------------
    void SetBirthdayDate(const CardDate &date) { m_birthday = date; }
    void SetReceivedDate(const CardDate &date) { m_receivedDate = date; }
    void SetRegisteredDateValue(const CardDate &date) { m_registeredDate = date; }
    void SetUpdatedDateValue(const CardDate &date) { m_updatedDate = date; }
    void SetGroupNo(int group) { m_groupNo = group; }
    void SetPrint(bool print) { m_print = print; }
    void SetCheckMark(int slot, bool mark);
    void SetImportance(int importance) { m_importance = importance; }
    void SetFixed(bool fixed) { m_fixed = fixed; }
    void SetAttachedFiles(const QStringList &files) { m_attachedFiles = files; }
    void SetImageRotation(qint32 rotation) { m_imageRotation = rotation; }
    void SetImageRotationOf(int slot, int quarterTurns);
    void SetId(const QString &id) { m_id = id; }

    // --- other operations ---------------------------------------------------
    // Gives the card its identity and dates; called by the store for every new or changed card.
    void Stamp();
    // The duplicate test: same name and the same non-empty phone numbers.
    bool IsIdentical(const CCardData &other) const;
    // CompanyYomi without a leading "ｶﾌﾞｼｷｶﾞｲｼｬ".
    QString CompanySortKey() const;
    // Takes one persisted field (0–32) over from another card as it is stored
    // there; a list field takes its kinds along.
    void CopyField(const CCardData &from, int fieldId);

    // Search predicates; all false for a card without an Id.
    bool ContainsText(const QString &text, int fieldId) const;
    bool DateInRange(const CardDate &from, const CardDate &to, int fieldId) const;
    bool Matches(int value, int fieldId) const;

    // Archive form: Name, then YomiName, each a length-prefixed UTF-16 string.
    void WriteNameArchive(QDataStream &out) const;
    void ReadNameArchive(QDataStream &in);

private:
    friend class CChunk; // the management-file codec reads and writes raw fields
    friend std::span<const CardTextField> CardTextFields(); // points at the stored texts

    void RecomposeName();
    void RecomposeYomiName();
    bool RecomposeAddress(); // false when the composed address had to be cut

    QString m_id;
    QString m_name;
    QString m_lastName;
    QString m_firstName;
    QString m_yomiName;
    QString m_yomiLastName;
    QString m_yomiFirstName;
    QString m_company;
    QString m_companyYomi;
    QString m_department;
    QString m_title;
    QList<quint32> m_phoneKinds;
    QStringList m_phones;
    QList<quint32> m_mailKinds;
    QStringList m_mails;
    QString m_zipCode;
    QString m_address;
    QString m_country;
    QString m_prefecture;
    QString m_city;
    QString m_street;
    QString m_addressExtra;
    QString m_url;
    QString m_memo;
    CardDate m_birthday;
    CardDate m_receivedDate;
    CardDate m_registeredDate;
    CardDate m_updatedDate;
    qint32 m_groupNo = 0;
    bool m_print = false;
    QList<bool> m_checkMarks;
    qint32 m_importance = 2;
    bool m_fixed = false;
    QStringList m_attachedFiles;
    qint32 m_imageRotation = -1;
};

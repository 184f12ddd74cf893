#include "CCardData.h"

// Raw copies of single fields between cards: a merge takes each field from the
// card the user chose, exactly as that card holds it, without the setters'
// cleaning and recomposing (which would change a stored 33–64 character name
// or ask the reading service again).
void CCardData::CopyField(const CCardData &from, int fieldId)
{
    switch (fieldId) {
    case FieldId:
        m_id = from.m_id;
        break;
    case FieldName:
        m_name = from.m_name;
        break;
    case FieldLastName:
        m_lastName = from.m_lastName;
        break;
    case FieldFirstName:
        m_firstName = from.m_firstName;
        break;
    case FieldYomiName:
        m_yomiName = from.m_yomiName;
        break;
    case FieldYomiLastName:
        m_yomiLastName = from.m_yomiLastName;
        break;
    case FieldYomiFirstName:
        m_yomiFirstName = from.m_yomiFirstName;
        break;
    case FieldCompany:
        m_company = from.m_company;
        break;
    case FieldCompanyYomi:
        m_companyYomi = from.m_companyYomi;
        break;
    case FieldDepartment:
        m_department = from.m_department;
        break;
    case FieldTitle:
        m_title = from.m_title;
        break;
    case FieldPhones:
        m_phones = from.m_phones;
        m_phoneKinds = from.m_phoneKinds;
        break;
    case FieldMails:
        m_mails = from.m_mails;
        m_mailKinds = from.m_mailKinds;
        break;
    case FieldZipCode:
        m_zipCode = from.m_zipCode;
        break;
    case FieldAddress:
        m_address = from.m_address;
        break;
    case FieldCountry:
        m_country = from.m_country;
        break;
    case FieldPrefecture:
        m_prefecture = from.m_prefecture;
        break;
    case FieldCity:
        m_city = from.m_city;
        break;
    case FieldStreet:
        m_street = from.m_street;
        break;
    case FieldAddressExtra:
        m_addressExtra = from.m_addressExtra;
        break;
    case FieldUrl:
        m_url = from.m_url;
        break;
    case FieldMemo:
        m_memo = from.m_memo;
        break;
    case FieldBirthday:
        m_birthday = from.m_birthday;
        break;
    case FieldReceivedDate:
        m_receivedDate = from.m_receivedDate;
        break;
    case FieldRegisteredDate:
        m_registeredDate = from.m_registeredDate;
        break;
    case FieldUpdatedDate:
        m_updatedDate = from.m_updatedDate;
        break;
    case FieldGroupNo:
        m_groupNo = from.m_groupNo;
        break;
    case FieldPrint:
        m_print = from.m_print;
        break;
    case FieldCheckMarks:
        m_checkMarks = from.m_checkMarks;
        break;
    case FieldImportance:
        m_importance = from.m_importance;
        break;
    case FieldFixed:
        m_fixed = from.m_fixed;
        break;
    case FieldAttachedFiles:
        m_attachedFiles = from.m_attachedFiles;
        break;
    case FieldImageRotation:
        m_imageRotation = from.m_imageRotation;
        break;
    default:
        break;
    }
}

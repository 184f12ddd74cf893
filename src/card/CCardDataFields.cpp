#include "CCardData.h"

#include "CardTextFields.h"

// Raw copies of single fields between cards: a merge takes each field from the
// card the user chose, exactly as that card holds it, without the setters'
// cleaning and recomposing (which would change a stored 33–64 character name
// or ask the reading service again).
void CCardData::CopyField(const CCardData &from, int fieldId)
{
    if (const CardTextField *text = FindCardTextField(fieldId)) {
        this->*text->value = from.*text->value;
        return;
    }
    switch (fieldId) {
    case FieldId:
        m_id = from.m_id;
        break;
    case FieldPhones:
        m_phones = from.m_phones;
        m_phoneKinds = from.m_phoneKinds;
        break;
    case FieldMails:
        m_mails = from.m_mails;
        m_mailKinds = from.m_mailKinds;
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

#include "SearchCondition.h"

#include "CCardData.h"

SearchCondition::Kind SearchCondition::KindOf(int field)
{
    if (field >= 1 && field <= 12)
        return Text;
    if (field >= 13 && field <= 16)
        return DateRange;
    if (field >= 17 && field <= 21)
        return Choice;
    return Unused;
}

int SearchCondition::FieldIdOf(int field)
{
    static const int ids[FieldChoiceCount] = {-1,
                                              FieldName,
                                              FieldYomiName,
                                              FieldCompany,
                                              FieldCompanyYomi,
                                              FieldDepartment,
                                              FieldTitle,
                                              FieldPhones,
                                              FieldMails,
                                              FieldZipCode,
                                              FieldAddress,
                                              FieldUrl,
                                              FieldMemo,
                                              FieldBirthday,
                                              FieldReceivedDate,
                                              FieldRegisteredDate,
                                              FieldUpdatedDate,
                                              FieldGroupNo,
                                              FieldCheckMarks,
                                              FieldPrint,
                                              FieldImportance,
                                              FieldFixed};
    return field >= 0 && field < FieldChoiceCount ? ids[field] : -1;
}

bool SearchCondition::Test(const CCardData &card) const
{
    const int id = FieldIdOf(field);
    switch (KindOf(field)) {
    case Text:
        return card.ContainsText(text, id);
    case DateRange:
        return card.DateInRange(from, to, id);
    case Choice:
        return card.Matches(choice, id);
    case Unused:
        break;
    }
    return false;
}

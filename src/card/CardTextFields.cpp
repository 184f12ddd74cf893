#include "CardTextFields.h"

#include "CChunk.h"

#include <array>

namespace {

template <bool (CCardData::*Setter)(const QString &)> bool Set(CCardData &card, const QString &text, bool)
{
    return (card.*Setter)(text);
}

bool SetCompany(CCardData &card, const QString &text, bool autoYomi)
{
    return card.SetCompany(text, autoYomi);
}

} // namespace

std::span<const CardTextField> CardTextFields()
{
    using C = CCardData;
    static const std::array<CardTextField, 19> fields = {{
        {FieldName, CChunk::Tag("CINM"), false, true, &C::m_name, Set<&C::SetName>},
        {FieldLastName, CChunk::Tag("CINL"), false, false, &C::m_lastName, Set<&C::SetLastName>},
        {FieldFirstName, CChunk::Tag("CINF"), true, false, &C::m_firstName, Set<&C::SetFirstName>},
        {FieldYomiName, CChunk::Tag("CIYM"), false, true, &C::m_yomiName, Set<&C::SetYomiName>},
        {FieldYomiLastName, CChunk::Tag("CIYL"), false, false, &C::m_yomiLastName, Set<&C::SetYomiLastName>},
        {FieldYomiFirstName, CChunk::Tag("CIYF"), false, false, &C::m_yomiFirstName,
         Set<&C::SetYomiFirstName>},
        {FieldCompany, CChunk::Tag("CICN"), true, true, &C::m_company, SetCompany},
        {FieldCompanyYomi, CChunk::Tag("CICY"), true, true, &C::m_companyYomi, Set<&C::SetCompanyYomi>},
        {FieldDepartment, CChunk::Tag("CIPN"), true, true, &C::m_department, Set<&C::SetDepartment>},
        {FieldTitle, CChunk::Tag("CIPP"), true, true, &C::m_title, Set<&C::SetTitle>},
        {FieldZipCode, CChunk::Tag("CIZP"), true, true, &C::m_zipCode, Set<&C::SetZipCode>},
        {FieldAddress, CChunk::Tag("CIAD"), false, true, &C::m_address, Set<&C::SetAddress>},
        {FieldCountry, CChunk::Tag("CICO"), true, false, &C::m_country, Set<&C::SetCountry>},
        {FieldPrefecture, CChunk::Tag("CIDV"), true, false, &C::m_prefecture, Set<&C::SetPrefecture>},
        {FieldCity, CChunk::Tag("CICT"), true, false, &C::m_city, Set<&C::SetCity>},
        {FieldStreet, CChunk::Tag("CIAN"), false, false, &C::m_street, Set<&C::SetStreet>},
        {FieldAddressExtra, CChunk::Tag("CIAE"), true, false, &C::m_addressExtra, Set<&C::SetAddressExtra>},
        {FieldUrl, CChunk::Tag("CIUR"), true, true, &C::m_url, Set<&C::SetUrl>},
        {FieldMemo, CChunk::Tag("CIMM"), true, true, &C::m_memo, Set<&C::SetMemo>},
    }};
    return fields;
}

const CardTextField *FindCardTextField(int field)
{
    // Indexed by field id once: the search asks for every card it tests.
    static const auto byField = [] {
        std::array<const CardTextField *, FieldImageRotation + 1> index{};
        for (const CardTextField &entry : CardTextFields())
            index[size_t(entry.field)] = &entry;
        return index;
    }();
    return field >= 0 && field < int(byField.size()) ? byField[size_t(field)] : nullptr;
}

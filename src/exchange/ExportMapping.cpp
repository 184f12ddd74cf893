#include "ExportMapping.h"

#include "CsvItem.h"

ExportMapping ExportMapping::Default()
{
    ExportMapping mapping;
    mapping.columns = {
        CsvItemLastName,    CsvItemFirstName,  CsvItemYomiLastName, CsvItemYomiFirstName,  CsvItemCompany,
        CsvItemCompanyYomi, CsvItemDepartment, CsvItemTitle,        CsvItemPhone,          CsvItemPhoneKind,
        CsvItemMail,        CsvItemMailKind,   CsvItemZipCode,      CsvItemAddress,        CsvItemUrl,
        CsvItemMemo,        CsvItemBirthday,   CsvItemReceivedDate, CsvItemRegisteredDate, CsvItemUpdatedDate,
        CsvItemGroupNo,     CsvItemPrint};
    mapping.firstRowIsHeader = true;
    return mapping;
}

ExportMapping ExportMapping::FromEntries(const QList<MappingEntry> &entries, bool firstRowIsHeader)
{
    ExportMapping mapping;
    mapping.firstRowIsHeader = firstRowIsHeader;
    for (const MappingEntry &entry : entries) {
        if (entry.flag == 1)
            mapping.columns.append(entry.itemId < 0 ? int(CsvItemEmpty) : int(entry.itemId));
    }
    return mapping;
}

QList<MappingEntry> ExportMapping::ToEntries() const
{
    QList<MappingEntry> entries;
    for (int id : columns)
        entries.append(MappingEntry{qint32(id), 1});
    return entries;
}

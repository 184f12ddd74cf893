#include "COptionMapping.h"

COptionValues COptionMapping::ToValues(const OptionRecord &record)
{
    COptionValues v;
    v.opening = record.opening;
    v.autoYomi = record.autoYomi;
    v.mailCompany = record.mailCompany;
    v.mailDepartment = record.mailDepartment;
    v.mailName = record.mailName;
    v.mailHonorific = record.mailHonorific;
    v.separateAddress = record.separateAddress;
    v.separateName = record.separateName;
    v.exportNameCompany = record.exportNameCompany;
    v.exportNameDate = record.exportNameDate;
    v.skipCheckFixedData = record.skipCheckFixedData;
    v.serialPort = record.serialPort;
    v.thumbnailSizeType = record.thumbnailSizeType;
    v.skinColorType = record.skinColorType;
    v.skinColor = record.skinColor;
    return v;
}

OptionRecord COptionMapping::ToRecord(const COptionValues &values, const OptionRecord &base)
{
    OptionRecord r = base;
    r.opening = values.opening;
    r.autoYomi = values.autoYomi;
    r.mailCompany = values.mailCompany;
    r.mailDepartment = values.mailDepartment;
    r.mailName = values.mailName;
    r.mailHonorific = values.mailHonorific;
    r.separateAddress = values.separateAddress;
    r.separateName = values.separateName;
    r.exportNameCompany = values.exportNameCompany;
    r.exportNameDate = values.exportNameDate;
    r.skipCheckFixedData = values.skipCheckFixedData;
    r.serialPort = values.serialPort;
    r.thumbnailSizeType = values.thumbnailSizeType;
    r.skinColorType = values.skinColorType;
    r.skinColor = values.skinColor;
    return r;
}

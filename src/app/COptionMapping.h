#pragma once

#include "COptionValues.h"
#include "OptionRecord.h"

// Copies option values between the settings file's record and the views' copy.
class COptionMapping
{
public:
    static COptionValues ToValues(const OptionRecord &record);
    // The record with the edited values; fields the dialog does not show keep base's values.
    static OptionRecord ToRecord(const COptionValues &values, const OptionRecord &base);
};

#pragma once

#include "PhoneCounters.h"

#include <QString>

// The message shown after a copy, move or delete on the phone.
class COperationReport
{
public:
    enum Operation
    {
        Copy,
        Move,
        Delete
    };
    enum Icon
    {
        Information,
        Warning,
        Error
    };

    static COperationReport Make(Operation operation, const PhoneCounters &counters, bool stopped);

    QString caption;
    QString text;
    Icon icon = Warning;
};

#pragma once

#include "PhoneProgress.h"

// Follows a long transfer: its range first, then the positions reached.
class IProgressSink
{
public:
    virtual ~IProgressSink() = default;
    virtual void SetRange(int range, ProgressTarget target) = 0;
    virtual void SetPosition(int position, ProgressTarget target) = 0;
};

#pragma once

#include <QString>

// Receives the messages of a phone worker (see PhoneMessage.h).
class IProgressSink
{
public:
    virtual ~IProgressSink() = default;
    virtual void Post(int message, int param1 = 0, int param2 = 0, const QString &text = QString()) = 0;
};

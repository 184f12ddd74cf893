#pragma once

#include <QString>
#include <QtGlobal>

// A 16-byte calendar date-time as stored in the management file. It counts as
// set exactly when `second` is 1; a second of 0 means "not set".
struct CardDate
{
    quint16 year = 0;
    quint16 month = 0;
    quint16 dayOfWeek = 0;
    quint16 day = 0;
    quint16 hour = 0;
    quint16 minute = 0;
    quint16 second = 0;
    quint16 milliseconds = 0;

    bool IsSet() const { return second == 1; }
    // "%04d-%02d-%02d" when set, empty otherwise.
    QString Text() const;
    // Now in UTC with the second forced to 1; milliseconds kept or zeroed.
    static CardDate NowUtc(bool keepMilliseconds);

    bool operator==(const CardDate &) const = default;
};

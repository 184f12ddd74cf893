#include "CardDate.h"

#include <QDateTime>

QString CardDate::Text() const
{
    if (!IsSet())
        return {};
    return QString::asprintf("%04d-%02d-%02d", year, month, day);
}

CardDate CardDate::NowUtc(bool keepMilliseconds)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDate d = now.date();
    const QTime t = now.time();
    CardDate date;
    date.year = quint16(d.year());
    date.month = quint16(d.month());
    date.dayOfWeek = quint16(d.dayOfWeek() % 7); // Sunday = 0, as in a calendar date-time
    date.day = quint16(d.day());
    date.hour = quint16(t.hour());
    date.minute = quint16(t.minute());
    date.second = 1;
    date.milliseconds = keepMilliseconds ? quint16(t.msec()) : 0;
    return date;
}

#include "CardRecency.h"

#include "CCardData.h"

namespace {

qint64 Day(const CardDate &date)
{
    return (qint64(date.year) * 100 + date.month) * 100 + date.day;
}

qint64 Moment(const CardDate &date)
{
    qint64 n = Day(date);
    for (const quint16 part : {date.hour, date.minute, date.second})
        n = n * 100 + part;
    return n * 1000 + date.milliseconds;
}

} // namespace

namespace CardRecency {

Key Of(const CCardData &card)
{
    const CardDate received = card.ReceivedDate().IsSet() ? card.ReceivedDate() : card.RegisteredDate();
    return Key{Day(received), Moment(card.RegisteredDate()), Moment(card.UpdatedDate())};
}

} // namespace CardRecency

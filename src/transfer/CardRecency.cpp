#include "CardRecency.h"

#include "CCardData.h"

namespace {

qint64 Day(const CardDate &date)
{
    return (qint64(date.year) * 100 + date.month) * 100 + date.day;
}

// To the minute: a stamp does not record its second (it is always 1), so the
// milliseconds of two stamps in one minute do not say which came first. Cards
// of one minute are told apart by their slots, later slots being added later.
qint64 Moment(const CardDate &date)
{
    return (Day(date) * 100 + date.hour) * 100 + date.minute;
}

} // namespace

namespace CardRecency {

Key Of(const CCardData &card)
{
    const CardDate received = card.ReceivedDate().IsSet() ? card.ReceivedDate() : card.RegisteredDate();
    return Key{Day(received), Moment(card.RegisteredDate()), Moment(card.UpdatedDate())};
}

} // namespace CardRecency

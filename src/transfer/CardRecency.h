#pragma once

#include <QtGlobal>

#include <compare>

class CCardData;

// Which of two cards of one person is the newer one: the card received last
// (受領日, or 登録日 when no day of receipt was entered), then the one
// registered last, then the one changed last.
namespace CardRecency {

struct Key
{
    qint64 day = 0;
    qint64 registered = 0;
    qint64 updated = 0;
    auto operator<=>(const Key &) const = default;
};

Key Of(const CCardData &card);

} // namespace CardRecency

#pragma once

#include <array>

// The counters of one phone operation. Copy, move and delete use the named
// slots; the imports share the block with the import engine's counters.
using PhoneCounters = std::array<int, 7>;

namespace PhoneCounter {
enum : int
{
    Items = 0,
    Succeeded = 1,
    Failed = 2,
    Skipped = 5
};
}

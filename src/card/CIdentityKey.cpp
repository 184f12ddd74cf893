#include "CIdentityKey.h"

#include "CCardData.h"

#include <QHash>
#include <QVarLengthArray>
#include <algorithm>

quint64 CIdentityKey::Of(const CCardData &card)
{
    // Fixed seed: keys are compared only within one process, but must not
    // depend on the per-process QHash seed being the same between calls.
    constexpr size_t Seed = 0x9e3779b97f4a7c15ULL;
    const int count = card.PhoneCount();
    QVarLengthArray<QString, 8> numbers;
    for (int i = 0; i < count; ++i) {
        QString number = card.Phone(i);
        if (!number.isEmpty())
            numbers.append(std::move(number));
    }
    std::sort(numbers.begin(), numbers.end());
    size_t h = qHash(card.Name(), Seed);
    h = qHash(size_t(count), h);
    for (const QString &number : numbers)
        h = qHash(number, h);
    return quint64(h);
}

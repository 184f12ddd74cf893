#include "CardSearch.h"

#include "CCardData.h"
#include "CCardStore.h"

#include <thread>
#include <vector>

namespace {
// Below this many cards a second thread costs more than it saves.
constexpr int ParallelFrom = 8192;
} // namespace

bool CardSearch::AnyUsed(const QList<SearchCondition> &conditions)
{
    return std::any_of(conditions.begin(), conditions.end(),
                       [](const SearchCondition &c) { return c.IsUsed(); });
}

bool CardSearch::Matches(const CCardData &card, const QList<SearchCondition> &conditions,
                         SearchCombination combination)
{
    bool any = false;
    for (const SearchCondition &condition : conditions) {
        if (!condition.IsUsed())
            continue;
        any = true;
        const bool hit = condition.Test(card);
        if (combination == SearchCombination::All && !hit)
            return false;
        if (combination == SearchCombination::Any && hit)
            return true;
    }
    return any && combination == SearchCombination::All;
}

int CardSearch::RunSearch(CCardStore &store, const QList<SearchCondition> &conditions,
                          SearchCombination combination)
{
    const int count = store.Count();
    std::vector<char> hits(size_t(count), 0);
    const auto test = [&](int from, int to) {
        for (int slot = from; slot < to; ++slot) {
            const CCardData *card = store.CardAt(slot);
            hits[size_t(slot)] = card && !card->Id().isEmpty() && Matches(*card, conditions, combination);
        }
    };
    // The tests only read the cards, so a large store is split between two
    // threads; the results are then taken in slot order as before.
    if (count >= ParallelFrom && std::thread::hardware_concurrency() > 1) {
        std::thread other(test, count / 2, count);
        test(0, count / 2);
        other.join();
    } else {
        test(0, count);
    }
    QList<CCardData *> found;
    for (int slot = 0; slot < count; ++slot) {
        if (hits[size_t(slot)])
            found.append(store.CardAt(slot));
    }
    store.SetSearchResults(found);
    return int(found.size());
}

int CardSearch::QuickFind(const QList<CCardData *> &cards, int selected, const QString &word)
{
    static const int fields[] = {FieldName,  FieldCompany, FieldDepartment,
                                 FieldTitle, FieldPhones,  FieldMails};
    const int count = int(cards.size());
    if (word.isEmpty() || count == 0)
        return -1;
    const int start = selected >= 0 && selected < count ? selected + 1 : 0;
    for (int step = 0; step < count; ++step) {
        const int at = (start + step) % count;
        const CCardData *card = cards[at];
        if (card && std::any_of(std::begin(fields), std::end(fields),
                                [&](int field) { return card->ContainsText(word, field); }))
            return at;
    }
    return -1;
}

void CardSearch::RememberWord(QStringList &history, const QString &word)
{
    if (word.isEmpty() || (!history.isEmpty() && history.first() == word))
        return;
    history.removeAll(word);
    history.prepend(word);
    while (history.size() > HistorySize)
        history.removeLast();
}

UserMessage CardSearch::NoConditionMessage()
{
    return {QString::fromUtf8("検索"), QString::fromUtf8("検索条件が設定されていません。"),
            UserMessage::Warning};
}

UserMessage CardSearch::NotFoundMessage()
{
    return {QString::fromUtf8("検索"), QString::fromUtf8("検索条件に一致するデータは見つかりません。"),
            UserMessage::Warning};
}

UserMessage CardSearch::QuickFindNotFoundMessage(const QString &word)
{
    return {QString::fromUtf8("検索"), word + QString::fromUtf8("を含むデータは見つかりません。"),
            UserMessage::Warning};
}

#include "CardSearch.h"

#include "CCardData.h"
#include "CCardStore.h"

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
    store.ClearSearchResults();
    int found = 0;
    for (int slot = 0; slot < store.Count(); ++slot) {
        CCardData *card = store.CardAt(slot);
        if (card && !card->Id().isEmpty() && Matches(*card, conditions, combination)) {
            store.AddSearchResult(card);
            ++found;
        }
    }
    return found;
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

#pragma once

#include "SearchCondition.h"
#include "UserMessage.h"

#include <QList>
#include <QStringList>

class CCardData;
class CCardStore;

// The search dialog's run and the list window's quick search.
class CardSearch
{
public:
    static bool AnyUsed(const QList<SearchCondition> &conditions);
    static bool Matches(const CCardData &card, const QList<SearchCondition> &conditions,
                        SearchCombination combination);
    // Clears the store's search results and fills them with every matching
    // card in store order; returns how many matched.
    static int RunSearch(CCardStore &store, const QList<SearchCondition> &conditions,
                         SearchCombination combination);

    // Position of the next card after `selected` (-1: start at the first)
    // whose name, company, department, title, phones or mails contain word,
    // passing over the list once and wrapping at the end; -1 when none does.
    static int QuickFind(const QList<CCardData *> &cards, int selected, const QString &word);
    // Puts word first in the history of recent words (at most five) unless it is already first.
    static void RememberWord(QStringList &history, const QString &word);

    static constexpr int HistorySize = 5;
    static UserMessage NoConditionMessage();
    static UserMessage NotFoundMessage();
    static UserMessage QuickFindNotFoundMessage(const QString &word);
};

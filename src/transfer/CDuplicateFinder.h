#pragma once

#include "CardRecency.h"
#include "DuplicateGroup.h"
#include "UserMessage.h"

#include <QList>
#include <QString>
#include <QStringList>

class CCardData;
class CCardStore;

// Finds groups of cards that are probably one person's: the same name
// (spaces and width aside), or the same reading at the same company, or a
// shared phone number or e-mail address. A number or address that cards of
// more than a few different names carry is a company's (its switchboard, a
// shared FAX, info@) and joins no one.
//
// It works on copies of the texts it needs, so that the search can run on a
// worker thread while the store stays with the window.
class CDuplicateFinder
{
public:
    // Cards of more different names than this make a number or address a company's.
    static constexpr int CompanyNumberNames = 3;

    struct Entry
    {
        int slot = -1;
        QString name;
        QString reading;
        QString company;
        QStringList phones;
        QStringList mails;
        CardRecency::Key recency;
    };

    static Entry EntryOf(const CCardData &card, int slot);
    // Every live card of the store, in slot order.
    static QList<Entry> Snapshot(const CCardStore &store);

    // Groups of two or more cards, the newest card first in each; the groups
    // in the order of their newest cards' readings.
    static QList<DuplicateGroup> Find(const QList<Entry> &entries);

    static UserMessage NoneFoundMessage();
};

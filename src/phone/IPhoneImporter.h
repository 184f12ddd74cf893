#pragma once

#include "PhoneCounters.h"
#include "PortKind.h"

#include <QByteArray>
#include <QString>
#include <atomic>

// The import engine as the phone workers see it: the worker fetches the data
// and releases the phone, then hands the cards over one by one.
class IPhoneImporter
{
public:
    virtual ~IPhoneImporter() = default;
    // Forgets the remembered overwrite answer of an earlier run.
    virtual void ResetRememberedAnswer() = 0;
    // Splits phone-book text (as received, Shift_JIS) into cards; returns the
    // number of cards or -1 (broken text, or the cancel flag was raised).
    virtual int CountVCards(const QByteArray &phoneBook, PortKind kind, const std::atomic_bool &cancel) = 0;
    // Merges card index (1..count-1) of the last counted text in phone-book
    // mode (source name "電話帳"), updating counters.
    virtual bool ImportPhoneBookCard(int index, PhoneCounters &counters) = 0;
    // Imports one vCard file fetched from the phone; fileDate is "YYYYMMDD".
    virtual bool ImportVCardSource(const QString &path, const QString &photoFolder, const QString &sourceName,
                                   const QString &fileDate, PhoneCounters &counters) = 0;
};

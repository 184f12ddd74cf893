#pragma once

#include "CardKinds.h"
#include "VCardData.h"

#include <QDate>
#include <QString>
#include <QStringList>

class CCardData;
class CCheckArray;
struct CardDate;

// Turns one vCard entry into a card record.
class VCardCardMapper
{
public:
    // Telephone kind from a TEL line's params; the two forms read them differently.
    static PhoneKind PhoneKindOf(const QStringList &params, bool withFormattedName);
    static MailKind MailKindOf(const QStringList &params);

    // Files, memory cards and pushed objects. false when the ADR value has
    // fewer components than the form needs: the source is then malformed.
    static bool MapCardFileEntry(const VCARD_DATA &entry, const CCheckArray &checks, bool autoYomi,
                                 CCardData &card);
    // Phone-book data; newerForm: the entry has FN or the phone is of the newer kind.
    static bool MapPhoneBookEntry(const VCARD_DATA &entry, bool newerForm, bool autoYomi, CCardData &card);

    // The received date of a file entry: the marked registration date, or the
    // earliest of today, REV, the file's date and an unmarked registration date.
    static CardDate ReceivedDate(const VCARD_DATA &entry, const QString &fileDate, const QDate &today);

private:
    static void MapNames(const VCARD_DATA &entry, CCardData &card);
    static void MapCommon(const VCARD_DATA &entry, bool autoYomi, CCardData &card);
    static void MapPhones(const VCARD_DATA &entry, bool withFormattedName, CCardData &card);
    static bool MapFullAddress(const PROPERTY &address, CCardData &card);
    static QString ValueAt(const PROPERTY &property, int index);
    // "YYYYMMDD…" → "YYYY/MM/DD".
    static QString DigitDateText(const QString &text);
};

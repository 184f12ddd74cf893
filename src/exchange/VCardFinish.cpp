#include "VCardReader.h"

#include "VCardValue.h"

#include <algorithm>

namespace {

const QLatin1StringView MarkerStart("OV-Original");
const QLatin1StringView MarkerNoPrint("OV-NoPrint");
const QLatin1StringView MarkerCheckList("OV-CheckList");
const QLatin1StringView MarkerEndCheckList("OV-EndCheckList");
const QString PhoneBookUrl = QStringLiteral("【URL】");
const QString PhoneBookRegistered = QStringLiteral("【登録日】");
constexpr qsizetype MaxPhotos = 2;

// Entries marked "PREF" first, each group in its order.
void PreferredFirst(QList<PROPERTY> &list)
{
    std::stable_partition(list.begin(), list.end(),
                          [](const PROPERTY &p) { return p.params.contains(QLatin1StringView("PREF")); });
}

void FinishPhotos(VCARD_DATA &entry)
{
    PreferredFirst(entry.photos);
    if (entry.photos.size() > MaxPhotos)
        entry.photos.resize(MaxPhotos);
}

// "会社<ｶｲｼｬ>" or "<ｶｲｼｬ>会社": the reading goes to orgYomi, the rest stays.
void SplitOrgReadings(VCARD_DATA &entry)
{
    for (QString &value : entry.org.values) {
        if (value.isEmpty())
            continue;
        const qsizetype open = value.indexOf(u'<');
        const qsizetype close = open < 0 ? -1 : value.indexOf(u'>', open + 1);
        if (close < 0)
            continue;
        entry.orgYomi.values.append(value.mid(open + 1, close - open - 1));
        value = value.left(open) + value.mid(close + 1);
    }
}

void ScanCardFileNote(VCARD_DATA &entry)
{
    qsizetype markerAt = -1;
    bool inCheckList = false;
    entry.printFlag = 1;
    const QStringList &lines = entry.note.values;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.isEmpty())
            continue;
        if (line == MarkerStart) {
            if (markerAt < 0)
                markerAt = i;
            continue;
        }
        QString date = line;
        const bool isDate = NormaliseNoteDate(date);
        if (markerAt < 0) {
            if (isDate)
                entry.registeredDate = date;
            continue;
        }
        if (line == MarkerNoPrint) {
            entry.printFlag = 0;
        } else if (line == MarkerCheckList) {
            inCheckList = true;
        } else if (line == MarkerEndCheckList) {
            inCheckList = false;
        } else {
            if (isDate) {
                entry.registeredDate = date;
                entry.hasRegisteredDate = 1;
            }
            if (inCheckList)
                entry.checkList.values.append(line);
        }
    }
    if (markerAt >= 0)
        entry.note.values.resize(markerAt);
}

} // namespace

void FinishCardFileEntry(VCARD_DATA &entry)
{
    SplitOrgReadings(entry);
    PreferredFirst(entry.tels);
    PreferredFirst(entry.emails);
    ScanCardFileNote(entry);
    FinishPhotos(entry);
}

void FinishPhoneBookEntry(VCARD_DATA &entry)
{
    PreferredFirst(entry.tels);
    PreferredFirst(entry.emails);
    FinishPhotos(entry);
    entry.printFlag = 1;
    for (const QString &line : std::as_const(entry.note.values)) {
        if (line.startsWith(PhoneBookUrl)) {
            PROPERTY url;
            url.values.append(line.mid(PhoneBookUrl.size()));
            entry.urls.append(std::move(url));
        } else if (line.startsWith(PhoneBookRegistered)) {
            entry.registeredDate = line.mid(PhoneBookRegistered.size());
            entry.hasRegisteredDate = 1;
        }
    }
}

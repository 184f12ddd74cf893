#include "VCardEntries.h"

#include <tuple>

namespace Fuzz {

namespace {

auto Fields(const VCARD_DATA &e)
{
    return std::tie(e.version, e.name, e.sound, e.tels, e.emails, e.address, e.photos, e.org, e.orgYomi,
                    e.title, e.birthday, e.note, e.urls, e.groupNo, e.revision, e.registeredDate,
                    e.hasRegisteredDate, e.printFlag, e.checkList, e.hasFormattedName, e.formattedName);
}

} // namespace

bool SameEntry(const VCARD_DATA &a, const VCARD_DATA &b)
{
    return Fields(a) == Fields(b);
}

bool SameEntries(const QList<VCARD_DATA> &a, const QList<VCARD_DATA> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (!SameEntry(a[i], b[i]))
            return false;
    return true;
}

} // namespace Fuzz

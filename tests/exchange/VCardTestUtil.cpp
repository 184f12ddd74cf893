#include "VCardTestUtil.h"

#include "Cp932.h"

namespace {

QString Property(const PROPERTY &p)
{
    return QLatin1Char('[') + p.params.join(u';') + QLatin1StringView("] ") + p.values.join(u'|');
}

} // namespace

QString DumpEntries(const QList<VCARD_DATA> &entries)
{
    QString out;
    auto line = [&out](const char *key, const QString &value) {
        out += QLatin1StringView(key) + QLatin1Char('=') + value + QLatin1Char('\n');
    };
    for (const VCARD_DATA &e : entries) {
        out += QLatin1StringView("entry\n");
        line("version", e.version);
        line("name", Property(e.name));
        line("sound", Property(e.sound));
        for (const PROPERTY &p : e.tels)
            line("tel", Property(p));
        for (const PROPERTY &p : e.emails)
            line("email", Property(p));
        line("address", Property(e.address));
        for (const PROPERTY &p : e.photos)
            line("photo", Property(p));
        line("org", Property(e.org));
        line("orgYomi", Property(e.orgYomi));
        line("title", e.title);
        line("birthday", e.birthday);
        line("note", Property(e.note));
        for (const PROPERTY &p : e.urls)
            line("url", Property(p));
        line("groupNo", e.groupNo);
        line("revision", e.revision);
        line("registeredDate", e.registeredDate);
        line("hasRegisteredDate", QString::number(e.hasRegisteredDate));
        line("printFlag", QString::number(e.printFlag));
        line("checkList", Property(e.checkList));
        line("hasFormattedName", QString::number(e.hasFormattedName));
        line("formattedName", Property(e.formattedName));
    }
    return out;
}

QByteArray Sjis(const QString &text)
{
    return Cp932::Encode(text);
}

QString DataPath(const QString &name)
{
    return QStringLiteral(TESSALY_TEST_DATA "/exchange/") + name;
}

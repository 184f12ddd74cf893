#pragma once

#include "VCardData.h"

#include <QHash>
#include <QList>
#include <QStringView>

#include <optional>
#include <unordered_map>

class VCardLineCursor;
class VCardPhotoWriter;

// Classifies vCard lines by prefix and fills one open entry at a time.
class VCardParser
{
public:
    // utf8: the text was decoded as UTF-8 (quoted-printable bytes then are UTF-8 too).
    VCardParser(bool utf8, VCardPhotoWriter &photos);

    // Appends the entries completed by "END" lines; returns how many.
    int Parse(VCardLineCursor &cursor, QList<VCARD_DATA> &entries);

private:
    void HandleLine(QStringView line, VCardLineCursor &cursor, QList<VCARD_DATA> &entries, int &completed);

    void ReadStandard(PROPERTY &property, QStringView line, VCardLineCursor &cursor);
    QString ReadWhole(QStringView line, VCardLineCursor &cursor);
    void ReadSound(QStringView line, VCardLineCursor &cursor);
    void ReadOrg(QStringView line, VCardLineCursor &cursor);
    void ReadTel(QStringView line, VCardLineCursor &cursor);
    void ReadEmail(QStringView line, VCardLineCursor &cursor);
    void ReadPhoto(QStringView line, VCardLineCursor &cursor);
    void ReadNote(QStringView line, VCardLineCursor &cursor);
    void ReadUrl(QStringView line);

    // Splits the text before the first ":" at ";" into params; returns the raw value.
    QStringView SplitParams(QStringView line, QStringList &params);
    QStringView SplitParams(QStringView line, QStringList &params, bool typeLists);
    // Quoted-printable joining and decoding when params ask for it, else the raw value.
    QString DecodeValue(QStringView raw, const QStringList &params, VCardLineCursor &cursor);
    static void AppendValues(PROPERTY &property, const QString &text);
    QString Intern(QStringView piece);

    bool m_utf8;
    VCardPhotoWriter &m_photos;
    std::optional<VCARD_DATA> m_entry;
    bool m_stopped = false;

    struct ViewHash
    {
        size_t operator()(QStringView view) const { return qHash(view); }
    };
    // Parameter texts repeat on every card; sharing them keeps large files small in memory.
    std::unordered_map<QStringView, QString, ViewHash> m_interned;
};

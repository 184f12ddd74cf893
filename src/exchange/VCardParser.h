#pragma once

#include "VCardData.h"

#include <QHash>
#include <QList>
#include <QStringView>

#include <climits>
#include <optional>
#include <unordered_map>
#include <vector>

class LineCursor;
class VCardPhotoWriter;

// Classifies vCard lines by prefix and fills one open entry at a time.
class VCardParser
{
public:
    // utf8: the text was decoded as UTF-8 (quoted-printable bytes then are UTF-8 too).
    VCardParser(bool utf8, VCardPhotoWriter &photos);

    // Appends the entries completed by "END" lines, at most limit of them; returns how
    // many (fewer than limit: the text has ended, or a photo could not be written).
    // Called again, with the same cursor or one that goes on where the last one
    // ended between two cards, it continues the reading.
    int Parse(LineCursor &cursor, QList<VCARD_DATA> &entries, int limit = INT_MAX);
    // A photo could not be written: the reading has stopped for good.
    bool PhotoFailed() const { return m_stopped; }

private:
    void HandleLine(QStringView line, LineCursor &cursor, QList<VCARD_DATA> &entries, int &completed);

    void ReadStandard(PROPERTY &property, QStringView line, LineCursor &cursor);
    QString ReadWhole(QStringView line, LineCursor &cursor);
    void ReadSound(QStringView line, LineCursor &cursor);
    void ReadOrg(QStringView line, LineCursor &cursor);
    void ReadTel(QStringView line, LineCursor &cursor);
    void ReadEmail(QStringView line, LineCursor &cursor);
    // One value, decoded and passed through normalise (telephone and e-mail lines).
    PROPERTY ReadNormalised(QStringView line, LineCursor &cursor, QString (*normalise)(QStringView));
    void ReadPhoto(QStringView line, LineCursor &cursor);
    void ReadNote(QStringView line, LineCursor &cursor);
    void ReadUrl(QStringView line);

    // Splits the text before the first ":" at ";" and appends it to params; returns the
    // raw value. lineParams receives this line's own params.
    // typeLists: the newer form, where "TYPE=" lists are read as separate params.
    QStringView SplitParams(QStringView line, QStringList &params, QStringList *lineParams = nullptr,
                            bool typeLists = false);
    // Quoted-printable joining and decoding when quotedPrintable is set, else the raw value.
    // The result views either raw or storage.
    QStringView DecodeValue(QStringView raw, const QStringList &lineParams, bool quotedPrintable,
                            LineCursor &cursor, QString &storage);
    QStringView DecodeValue(QStringView raw, const QStringList &params, LineCursor &cursor, QString &storage);
    void AppendValues(PROPERTY &property, QStringView text);
    QString Intern(QStringView piece);
    // A copy of a value that shares the data of a recent equal one.
    QString ShareValue(QStringView piece);
    // The params of one head text ("TEL;CELL"), shared between the lines that repeat it.
    QStringList ParamsOf(QStringView head, bool typeLists);

    bool m_utf8;
    VCardPhotoWriter &m_photos;
    std::optional<VCARD_DATA> m_entry;
    // Properties of the open entry whose params include quoted-printable; kept aside so
    // that many repeated lines of one property do not rescan its growing params.
    QList<const PROPERTY *> m_quotedPrintable;
    bool m_stopped = false;

    struct ViewHash
    {
        // Keys are short parameter texts; a simple multiplicative hash is plenty.
        size_t operator()(QStringView view) const
        {
            size_t h = size_t(view.size());
            for (QChar c : view)
                h = h * 31 + c.unicode();
            return h;
        }
    };
    // Parameter texts repeat on every card; sharing them keeps large files small in memory.
    std::unordered_map<QStringView, QString, ViewHash> m_interned;
    std::vector<QString> m_recentValues;
    using ParamMap = std::unordered_map<QStringView, std::pair<QString, QStringList>, ViewHash>;
    ParamMap m_paramLists;
    ParamMap m_typeParamLists;
};

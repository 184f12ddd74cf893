#pragma once

#include "CCardData.h"
#include "CCardStore.h"
#include "CChunk.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QString>
#include <QStringList>

#include <string>

// Small helpers shared by the store and management-file tests.
namespace StoreTestCards {

// A card with the fields the index and the duplicate test look at. Uses the
// plain setters and the reading setters with readings already in kana.
inline CCardData Make(const QString &name, const QString &yomi = QString(), const QString &phone = QString())
{
    CCardData card;
    card.SetName(name);
    if (!yomi.isEmpty())
        card.SetYomiName(yomi);
    if (!phone.isEmpty())
        card.SetPhone(0, {phone, PhoneCompanyMobile});
    return card;
}

inline QByteArray Hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text));
}

inline quint32 U32At(const QByteArray &bytes, qsizetype at)
{
    return quint32(quint8(bytes[at])) | quint32(quint8(bytes[at + 1])) << 8 |
           quint32(quint8(bytes[at + 2])) << 16 | quint32(quint8(bytes[at + 3])) << 24;
}

inline void SetU32At(QByteArray &bytes, qsizetype at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
}

// Every live card with its stored bytes, sorted: what a store holds, in a form
// that two stores can be compared by whatever their slot numbers.
inline std::string Snapshot(const CCardStore &store)
{
    QStringList cards;
    for (int s = 0; s < store.Count(); ++s) {
        const CCardData *card = store.CardAt(s);
        if (!card->Id().isEmpty())
            cards << card->Name() + u' ' +
                         QString::fromLatin1(
                             QCryptographicHash::hash(CChunk::EncodeCard(*card), QCryptographicHash::Md5)
                                 .toHex());
    }
    cards.sort();
    return cards.join(u'\n').toStdString();
}

} // namespace StoreTestCards

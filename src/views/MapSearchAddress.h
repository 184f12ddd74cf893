#pragma once

#include <QByteArray>
#include <QString>

// The web address that shows a card's address on a map. Widget-free so the
// byte conversion can be checked on its own.
namespace MapSearchAddress {

// The map service's search page; it takes the parameters REF and ADDR (EUC-JP, escaped).
inline constexpr char ServiceAddress[] = "https://map.example.jp/search";
inline constexpr char ProfileName[] = "orvane_Tessaly";

// Shift_JIS (CP932) bytes re-encoded byte-wise as EUC-JP: a two-byte character becomes
// its JIS code with the high bit set in both bytes, a half-width katakana byte gets 0x8E
// in front, other bytes stay.
QByteArray SjisToEuc(const QByteArray &sjis);

// "%XX" for every byte at or above 0x80 and every reserved character; "%20" becomes "+".
QByteArray Escape(const QByteArray &bytes);

// Text → CP932 bytes; a character that CP932 cannot hold becomes "?".
QByteArray ToCp932(const QString &text);

// ServiceAddress + "?REF=" + escaped profile + "&ADDR=" + escaped EUC-JP address.
QByteArray Build(const QString &address);

} // namespace MapSearchAddress

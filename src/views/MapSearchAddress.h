#pragma once

#include <QByteArray>
#include <QString>

// The web address that shows a card's address on a map. Widget-free so the
// byte conversion can be checked on its own.
namespace MapSearchAddress {

// The default map: Google Maps' search page, the address UTF-8 percent-encoded after it.
inline constexpr char GoogleMapsSearch[] = "https://www.google.com/maps/search/?api=1&query=";
// The profile name a REF/ADDR service is given.
inline constexpr char ProfileName[] = "orvane_Tessaly";

// Shift_JIS (CP932) bytes re-encoded byte-wise as EUC-JP: a two-byte character becomes
// its JIS code with the high bit set in both bytes, a half-width katakana byte gets 0x8E
// in front, other bytes stay.
QByteArray SjisToEuc(const QByteArray &sjis);

// "%XX" for every byte at or above 0x80 and every reserved character; "%20" becomes "+".
QByteArray Escape(const QByteArray &bytes);

// service + "?REF=" + escaped profile + "&ADDR=" + escaped EUC-JP address.
QByteArray BuildRefAddr(const QByteArray &service, const QString &address);

// The Google Maps search for the address.
QByteArray BuildGoogleMaps(const QString &address);

// The page to open: the REF/ADDR form for a configured service, Google Maps when none is.
QByteArray Build(const QString &address, const QString &service);

} // namespace MapSearchAddress

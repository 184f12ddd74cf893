#pragma once

#include "CCardData.h"
#include "CCheckArray.h"

#include <QByteArray>
#include <QString>

class CCardStore;
class TempDir;

// Cards and stores for the vCard export tests.
namespace vcard_test {

inline QString U(const char *text)
{
    return QString::fromUtf8(text);
}

CardDate Date(int year, int month, int day, int hour = 0, int minute = 0);

// Picture files: their first bytes name the type, the rest varies with seed.
QByteArray Jpeg(int seed, int size = 700);
QByteArray Png(int seed, int size = 500);

// "要連絡", "年賀状, 2024" and "展示会;来場" (separators in item names on purpose).
CCheckArray CheckList();

// Hand-made cards: separators and backslashes everywhere and a memo of several
// lines; characters only code page 932 has; every phone and mail kind; a card
// with a company but no name.
CCardData Punctuated();
CCardData Cp932Only();
CCardData EveryKind();
CCardData CompanyOnly();

// A store on a new file in dir with the check list above and group 3 named "取引先".
bool CreateStore(CCardStore &store, const TempDir &dir, const QString &name);
// The shared generator's cards (vCard 2.1 imported as a user would), the hand-made
// cards, and on some of them print marks cleared, check marks, received dates,
// groups and pictures.
bool FillRealistic(CCardStore &store, const TempDir &dir, int generated);
// Imports a vCard file as the import command does, adding same-named cards.
bool Import(CCardStore &store, const QString &path, const QString &photoFolder);
// The bytes of a card's picture file, empty when it has none.
QByteArray Picture(const CCardStore &store, const CCardData &card, int picture);

} // namespace vcard_test

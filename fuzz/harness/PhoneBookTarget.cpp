#include "FuzzTargets.h"

#include "FuzzCheck.h"
#include "ImportBench.h"
#include "JpegPhotoMarker.h"
#include "ScratchFolder.h"
#include "VCardReader.h"

namespace Fuzz {

namespace {
// A phone book of many cards costs one import each; the first ones show every path.
constexpr int MaxCards = 32;
} // namespace

void PhoneBook(QByteArrayView input)
{
    const ScratchFolder folder(QStringLiteral("phone_book"));
    const QByteArray text = input.toByteArray();
    // The photo marker test reads any bytes as a JPEG file.
    JpegPhotoMarker::HasPhotoComment(text);

    const QStringList lines = SplitVCardText(text);
    QList<int> begins;
    const int count = CountVCards(lines, begins);
    QList<int> beginsOfText;
    Check(CountVCards(text, beginsOfText) == count && beginsOfText == begins,
          "counting the text and counting its lines agree");
    Check(count <= begins.size(), "no more complete cards than BEGIN lines");

    ImportBench bench(folder);
    Check(bench.Engine().CountPhoneBook(text) == count, "the import counts the cards the reader counts");
    // As the phone link imports: the first card is the owner's own, every card is written on its own.
    ImportCounters counters;
    for (int index = 1; index < count && index <= MaxCards; ++index)
        bench.Engine().ImportPhoneBookCard(index, index % 2 == 0, bench.PhotoFolder(), counters);
    bench.CheckStored(counters);
}

} // namespace Fuzz

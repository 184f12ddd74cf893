#include "Csv.h"
#include "MappingFile.h"
#include "TempDir.h"
#include "VCardReader.h"
#include "VCardTestUtil.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <random>

namespace {

// Mutates a seed input the way damaged files look: flipped, inserted, dropped and
// repeated bytes, cut-off ends.
QByteArray Mutate(QByteArray bytes, std::mt19937 &random)
{
    std::uniform_int_distribution<int> byte(0, 255);
    const int steps = 1 + int(random() % 8);
    for (int s = 0; s < steps; ++s) {
        const qsizetype size = bytes.size();
        const qsizetype at = size > 0 ? qsizetype(random() % size) : 0;
        switch (random() % 6) {
        case 0:
            if (size > 0)
                bytes[at] = char(byte(random));
            break;
        case 1:
            bytes.insert(at, char(byte(random)));
            break;
        case 2:
            bytes.remove(at, qsizetype(random() % 16));
            break;
        case 3:
            bytes.insert(at, bytes.mid(at, qsizetype(random() % 64)));
            break;
        case 4:
            bytes.truncate(at);
            break;
        default:
            bytes.insert(at, "=\r\n;:\\,\"\n"[random() % 10]);
            break;
        }
    }
    return bytes;
}

qsizetype TextSize(const PROPERTY &p)
{
    qsizetype size = 0;
    for (const QString &s : p.params)
        size += s.size();
    for (const QString &s : p.values)
        size += s.size();
    return size;
}

} // namespace

TEST(RandomInput, VCardReadersSurviveDamagedText)
{
    TempDir dir;
    const QList<QByteArray> seeds = {TempDir::ReadAll(DataPath(QStringLiteral("vcard/phone21-sjis.vcf"))),
                                     TempDir::ReadAll(DataPath(QStringLiteral("vcard/vcard30-utf8.vcf")))};
    ASSERT_FALSE(seeds[0].isEmpty());
    std::mt19937 random(20261207);
    for (int round = 0; round < 3000; ++round) {
        const QByteArray input = Mutate(seeds[round % 2], random);
        QList<VCARD_DATA> entries;
        const QString photos = round % 50 == 0 ? dir.File(QStringLiteral("p%1").arg(round)) : QString();
        const bool read = ReadVCardText(input, photos, entries);
        EXPECT_EQ(read, !entries.isEmpty());
        EXPECT_LE(entries.size(), input.count("END"));
        for (VCARD_DATA &e : entries) {
            FinishCardFileEntry(e);
            // Nothing is made out of thin air: the text read stays within the input's size
            // (the marker words that protect escapes grow at most tenfold).
            qsizetype size = TextSize(e.name) + TextSize(e.address) + TextSize(e.note) + TextSize(e.org);
            EXPECT_LE(size, input.size() * 10 + 64);
        }

        QList<int> begins;
        const int count = CountVCards(input, begins);
        EXPECT_GE(count, -1);
        if (count > 0) {
            const QStringList lines = SplitVCardText(input);
            for (int i = 0; i < begins.size(); ++i) {
                QList<VCARD_DATA> one;
                ReadVCardAt(i, begins, lines, QString(), one);
                EXPECT_LE(one.size(), 1);
                for (VCARD_DATA &e : one)
                    FinishPhoneBookEntry(e);
            }
        }
    }
}

TEST(RandomInput, CsvRowsSurviveDamagedFiles)
{
    TempDir dir;
    const QString seedPath = dir.File(QStringLiteral("seed.csv"));
    {
        Csv csv(seedPath);
        csv.WriteRow({QStringLiteral("名前"), "a\"b", "x,y", "multi\nline", QStringLiteral("表ソ能")});
        csv.WriteRow({QStringLiteral("山田"), "", "\"", "1", "2"});
    }
    const QByteArray seed = TempDir::ReadAll(seedPath);
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        const QByteArray input = Mutate(seed, random);
        // A fresh file each round: rewriting one file in place makes the file system flush.
        const QString path = dir.File(QStringLiteral("in%1.csv").arg(round));
        ASSERT_TRUE(TempDir::WriteAll(path, input));
        Csv csv(path);
        QStringList fields;
        qsizetype rows = 0;
        qsizetype chars = 0;
        while (csv.ReadRow(fields)) {
            ++rows;
            for (const QString &f : fields)
                chars += f.size();
            ASSERT_LE(rows, input.size() + 1);
        }
        // Joined lines add "\r\n" for each "\n" consumed, so text never outgrows the input by much.
        EXPECT_LE(chars, input.size() * 2 + 2);
        QFile::remove(path);
    }
}

TEST(RandomInput, MappingFilesSurviveDamagedBytes)
{
    TempDir dir;
    const QString seedPath = dir.File(QStringLiteral("seed.cor"));
    ASSERT_TRUE(SaveMapping(seedPath, {{0, 1}, {10, 1}, {-1, 0}, {46, 1}}, true));
    const QByteArray seed = TempDir::ReadAll(seedPath);
    std::mt19937 random(11);
    for (int round = 0; round < 3000; ++round) {
        const QByteArray input = Mutate(seed, random);
        const QString path = dir.File(QStringLiteral("in%1.cor").arg(round));
        ASSERT_TRUE(TempDir::WriteAll(path, input));
        QList<MappingEntry> entries = {{9, 9}};
        bool header = false;
        if (LoadMapping(path, entries, header))
            EXPECT_LE(entries.size() * 5 + 20, input.size());
        else
            EXPECT_EQ(entries, QList<MappingEntry>({{9, 9}}));
        QFile::remove(path);
    }
}

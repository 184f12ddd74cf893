#include "VCardFileReader.h"
#include "TempDir.h"
#include "VCardReader.h"
#include "VCardTestUtil.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <climits>
#include <gtest/gtest.h>

namespace {

// Several megabytes of cards, so that the whole-file read splits the work.
// With traps, every card near the middle ends in a quoted-printable note whose
// last line asks for a continuation: its "END:VCARD" is swallowed.
QString BigFile(int cards, bool photos, bool traps)
{
    QString text;
    for (int i = 0; i < cards; ++i) {
        text += QStringLiteral("BEGIN:VCARD\r\nVERSION:2.1\r\n");
        text += QString::fromUtf8("N;CHARSET=SHIFT_JIS:山田%1;表示ソフト能力\\,代表;;;\r\n").arg(i);
        text += QString::fromUtf8("SOUND;X-IRMC-N;CHARSET=SHIFT_JIS:ﾔﾏﾀﾞ;ﾀﾛｳ;;;\r\n");
        text += QStringLiteral("TEL;CELL:090-%1-0000\r\nEMAIL;INTERNET:u%1@example.co.jp\r\n")
                    .arg(i, 4, 10, QChar(u'0'));
        text +=
            QString::fromUtf8("ADR;WORK;CHARSET=SHIFT_JIS:;;丸の内%1丁目;千代田区;東京都;100-0005;日本\r\n")
                .arg(i % 9);
        text += QString::fromUtf8("ORG;CHARSET=SHIFT_JIS:株式会社テスト%1;営業部\r\n").arg(i % 50);
        if (photos && i % 1500 == 7)
            text += QStringLiteral(
                        "PHOTO;ENCODING=BASE64;TYPE=JPEG:/9j/4AAQSkZJRgABAQ%1\r\n  AAAQABAAD/2wBD\r\n\r\n")
                        .arg(i % 10);
        const bool trap = traps && i > cards / 2 - 40 && i < cards / 2 + 40;
        if (trap)
            text += QStringLiteral("NOTE;ENCODING=QUOTED-PRINTABLE:=E3=81=82 %1=\r\n").arg(i);
        else if (i % 7 == 0)
            text += QStringLiteral("NOTE;ENCODING=QUOTED-PRINTABLE:line=0D=0Asecond=\r\n %1\r\n").arg(i);
        text += QStringLiteral("END:VCARD\r\n");
    }
    return text;
}

QString InOrder(const QString &path, const QString &photoFolder, int *count = nullptr)
{
    VCardFileReader reader;
    QList<VCARD_DATA> entries;
    EXPECT_TRUE(reader.Open(path, photoFolder));
    const int read = reader.Read(entries, INT_MAX);
    if (count)
        *count = read;
    return DumpEntries(entries);
}

} // namespace

TEST(VCardFileReader, LargeFileReadInTwoHalvesGivesWhatReadingInOrderGives)
{
    TempDir dir;
    const QString path = dir.File(QStringLiteral("big.vcf"));
    ASSERT_TRUE(TempDir::WriteAll(path, Sjis(BigFile(14000, false, true))));
    ASSERT_GT(QFileInfo(path).size(), 4 << 20);

    int expectedCount = 0;
    const QString expected = InOrder(path, QString(), &expectedCount);
    QList<VCARD_DATA> entries;
    ASSERT_TRUE(ReadVCardFile(path, QString(), entries));
    EXPECT_EQ(entries.size(), expectedCount);
    // The swallowed "END" lines drop cards, so the count is not simply the file's.
    EXPECT_LT(expectedCount, 14000);
    EXPECT_GT(expectedCount, 13900);
    EXPECT_EQ(DumpEntries(entries), expected);
}

TEST(VCardFileReader, PhotosOfTheSecondHalfAreNumberedInFileOrder)
{
    TempDir dir;
    const QString path = dir.File(QStringLiteral("big.vcf"));
    ASSERT_TRUE(TempDir::WriteAll(path, Sjis(BigFile(14000, true, false))));

    const QString inOrderFolder = dir.File(QStringLiteral("in-order"));
    const QString expected = InOrder(path, inOrderFolder);
    const QString folder = dir.File(QStringLiteral("whole"));
    QList<VCARD_DATA> entries;
    ASSERT_TRUE(ReadVCardFile(path, folder, entries));
    EXPECT_EQ(DumpEntries(entries), expected);
    const QStringList written = QDir(folder).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(written, QDir(inOrderFolder).entryList(QDir::Files, QDir::Name));
    EXPECT_EQ(entries.size(), 14000);
    EXPECT_EQ(written.size(), 10);
    EXPECT_TRUE(written.contains(QStringLiteral("_7.jpg")));
}

// Lines drawn at random from the shapes that carry state from one line to the
// next (quoted-printable continuations, folded photos, cards left open), so
// that card boundaries fall in every kind of place.
TEST(VCardFileReader, RandomLineMixReadsAsInOrder)
{
    const QStringList shapes = {
        QStringLiteral("BEGIN:VCARD"),
        QStringLiteral("END:VCARD"),
        QStringLiteral("END:VCARD"),
        QStringLiteral("VERSION:2.1"),
        QString::fromUtf8("N;CHARSET=SHIFT_JIS:表;ソ能\\,%1;;;"),
        QStringLiteral("NOTE;ENCODING=QUOTED-PRINTABLE:a=3D%1="),
        QStringLiteral("ADR;ENCODING=QUOTED-PRINTABLE:;;x%1;y;z;1;j"),
        QStringLiteral("=E3=81=82%1"),
        QStringLiteral("TEL;CELL:090%1"),
        QStringLiteral("PHOTO;ENCODING=BASE64;TYPE=JPEG:/9j/%1"),
        QStringLiteral(" AAAA%1"),
        QStringLiteral("FN:x%1"),
        QStringLiteral("ITEM1.EMAIL:a%1@b.jp"),
        QStringLiteral("garbage %1 \\ ; :"),
    };
    QRandomGenerator random(20241207);
    QString text;
    while (text.size() < 4'500'000)
        text += shapes[random.bounded(int(shapes.size()))].arg(random.bounded(1000)) +
                (random.bounded(4) == 0 ? QStringLiteral("\n") : QStringLiteral("\r\n"));
    TempDir dir;
    const QString path = dir.File(QStringLiteral("mix.vcf"));
    ASSERT_TRUE(TempDir::WriteAll(path, Sjis(text)));
    ASSERT_GT(QFileInfo(path).size(), 4 << 20);

    // Without a photo folder the halves are read at once; with one, the photos
    // of the second half send it back to be read in order.
    for (const QString &photos : {QString(), dir.File(QStringLiteral("photos"))}) {
        int expectedCount = 0;
        const QString expected =
            InOrder(path, photos.isEmpty() ? photos : photos + "-in-order", &expectedCount);
        QList<VCARD_DATA> entries;
        ReadVCardFile(path, photos, entries);
        EXPECT_GT(expectedCount, 1000);
        EXPECT_EQ(entries.size(), expectedCount);
        EXPECT_EQ(DumpEntries(entries), expected);
    }
}

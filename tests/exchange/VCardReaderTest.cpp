#include "VCardReader.h"
#include "TempDir.h"
#include "VCardTestUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

QList<VCARD_DATA> ReadText(const QString &text, const QString &photoFolder = QString())
{
    QList<VCARD_DATA> entries;
    ReadVCardText(Sjis(text), photoFolder, entries);
    return entries;
}

VCARD_DATA ReadOne(const QString &body, const QString &photoFolder = QString())
{
    const QList<VCARD_DATA> entries =
        ReadText(QStringLiteral("BEGIN:VCARD\r\n") + body + QStringLiteral("END:VCARD\r\n"), photoFolder);
    EXPECT_EQ(entries.size(), 1);
    return entries.value(0);
}

QString Expected(const QString &name)
{
    return QString::fromUtf8(TempDir::ReadAll(DataPath(name)));
}

} // namespace

// Golden cases: every "NAME.vcf" in the data folder is read, field by field, as
// "NAME.vcf.ref" says; a new case is a new pair of files.
TEST(VCardGolden, EveryCaseReadsAsItsReferenceSays)
{
    const QDir folder(DataPath(QStringLiteral("vcard")));
    const QStringList cases = folder.entryList({QStringLiteral("*.vcf")}, QDir::Files, QDir::Name);
    ASSERT_GE(cases.size(), 2);
    for (const QString &name : cases) {
        SCOPED_TRACE(name.toStdString());
        TempDir dir;
        QList<VCARD_DATA> entries;
        ASSERT_TRUE(ReadVCardFile(folder.filePath(name), dir.File(QStringLiteral("photos")), entries));
        for (VCARD_DATA &e : entries)
            FinishCardFileEntry(e);
        ASSERT_TRUE(QFileInfo::exists(folder.filePath(name + QStringLiteral(".ref"))));
        EXPECT_EQ(DumpEntries(entries), Expected(QStringLiteral("vcard/") + name + QStringLiteral(".ref")));
    }
}

// The Shift_JIS phone export: its photo and the trail bytes that look like backslashes.
TEST(VCardGolden, ShiftJisPhoneFilePhotoAndEscapes)
{
    TempDir dir;
    const QString photos = dir.File(QStringLiteral("photos/sub"));
    QList<VCARD_DATA> entries;
    ASSERT_TRUE(ReadVCardFile(DataPath(QStringLiteral("vcard/phone21-sjis.vcf")), photos, entries));
    for (VCARD_DATA &e : entries)
        FinishCardFileEntry(e);
    EXPECT_EQ(TempDir::ReadAll(photos + QStringLiteral("/_0.jpg")),
              TempDir::ReadAll(DataPath(QStringLiteral("phone21-photo.jpg"))));
    // The escaped comma next to the 0x5C trail bytes of 表, ソ and 能 unescapes cleanly.
    EXPECT_EQ(UnescapeValue(entries.value(0).org.values.value(0)), QStringLiteral("代表,ソフト能力"));
}

TEST(VCardGolden, TextAndFileReadersAgree)
{
    TempDir dir;
    const QByteArray bytes = TempDir::ReadAll(DataPath(QStringLiteral("vcard/phone21-sjis.vcf")));
    QList<VCARD_DATA> fromText;
    QList<VCARD_DATA> fromFile;
    ASSERT_TRUE(ReadVCardText(bytes, dir.File(QStringLiteral("a")), fromText));
    ASSERT_TRUE(ReadVCardFile(DataPath(QStringLiteral("vcard/phone21-sjis.vcf")),
                              dir.File(QStringLiteral("b")), fromFile));
    EXPECT_EQ(DumpEntries(fromText), DumpEntries(fromFile));
}

TEST(VCardEncoding, Utf8NeedsDeclarationOrByteOrderMark)
{
    const QString body = QStringLiteral("BEGIN:VCARD\r\nVERSION:2.1\r\nN:山田;太郎\r\nEND:VCARD\r\n");
    QList<VCARD_DATA> entries;
    // Valid UTF-8 but declaring nothing: read as Shift_JIS, as older phones write it.
    ASSERT_TRUE(ReadVCardText(body.toUtf8(), QString(), entries));
    EXPECT_NE(entries.value(0).name.values.value(0), QStringLiteral("山田"));

    QByteArray bom("\xEF\xBB\xBF");
    entries.clear();
    ASSERT_TRUE(ReadVCardText(bom + body.toUtf8(), QString(), entries));
    EXPECT_EQ(entries.value(0).name.values.value(0), QStringLiteral("山田"));

    entries.clear();
    QString declared = body;
    declared.replace(QStringLiteral("N:"), QStringLiteral("N;CHARSET=UTF-8:"));
    ASSERT_TRUE(ReadVCardText(declared.toUtf8(), QString(), entries));
    EXPECT_EQ(entries.value(0).name.values.value(1), QStringLiteral("太郎"));

    // Shift_JIS stays Shift_JIS even when it declares version 3.0.
    entries.clear();
    QString v30 = body;
    v30.replace(QStringLiteral("2.1"), QStringLiteral("3.0"));
    ASSERT_TRUE(ReadVCardText(Sjis(v30), QString(), entries));
    EXPECT_EQ(entries.value(0).name.values.value(0), QStringLiteral("山田"));
}

TEST(VCardEncoding, InvalidShiftJisBytesAreReplacedAndReadingGoesOn)
{
    QByteArray bytes =
        "BEGIN:VCARD\r\nN:\x82\r\nTITLE:\xFF\xFE" + Sjis(QStringLiteral("部長")) + "\r\nEND:VCARD\r\n";
    QList<VCARD_DATA> entries;
    ASSERT_TRUE(ReadVCardText(bytes, QString(), entries));
    EXPECT_TRUE(entries.value(0).title.endsWith(QStringLiteral("部長")));
    EXPECT_TRUE(entries.value(0).title.startsWith(QChar(0xFFFD)));
}

TEST(VCardLines, ClassificationOrderAndPrefixes)
{
    const VCARD_DATA e =
        ReadOne(QStringLiteral("NICKNAME:x\r\nN:a;b\r\nNOTE:memo\r\nX-GNO:7\r\nUNKNOWN:z\r\n"));
    EXPECT_EQ(e.name.values, QStringList({"x", "a", "b"}));
    EXPECT_EQ(e.name.params, QStringList({"NICKNAME", "N"}));
    EXPECT_EQ(e.note.values, QStringList({"memo"}));
    EXPECT_EQ(e.groupNo, QStringLiteral("7"));

    // Lines outside cards are ignored, an unfinished card is dropped, BEGIN restarts.
    const QList<VCARD_DATA> entries = ReadText(QStringLiteral(
        "N:outside\r\nBEGIN:VCARD\r\nN:lost\r\nBEGIN:VCARD\r\nN:kept\r\nEND:VCARD\r\nBEGIN:VCARD\r\nN:open"));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].name.values, QStringList({"kept"}));
}

TEST(VCardLines, FormWithFnChangesLaterLinesOnly)
{
    const VCARD_DATA e = ReadOne(QStringLiteral("TEL;TYPE=WORK,FAX:1\r\nFN:x\r\nTEL;TYPE=WORK,FAX:2\r\n"
                                                "ITEM2.EMAIL;TYPE=HOME:a@b\r\nORG:A;B\r\nORG:C\r\n"));
    ASSERT_EQ(e.tels.size(), 2);
    EXPECT_EQ(e.tels[0].params, QStringList({"TEL", "TYPE=WORK,FAX"}));
    EXPECT_EQ(e.tels[1].params, QStringList({"TEL", "WORK", "FAX"}));
    ASSERT_EQ(e.emails.size(), 1);
    EXPECT_EQ(e.emails[0].params, QStringList({"EMAIL", "HOME"}));
    EXPECT_EQ(e.org.values, QStringList({"A", "B"}));

    // Without FN every ORG line is taken and TITLE keeps the first one.
    const VCARD_DATA old = ReadOne(QStringLiteral("ORG:A;B\r\nORG:C\r\nTITLE:t1\r\nTITLE:t2\r\n"));
    EXPECT_EQ(old.org.values, QStringList({"A", "B", "C"}));
    EXPECT_TRUE(old.org.params.isEmpty());
    EXPECT_EQ(old.title, QStringLiteral("t1"));
}

TEST(VCardValues, EscapesAreProtectedBeforeSplitting)
{
    const VCARD_DATA e = ReadOne(QStringLiteral("N:a\\;b;c\\,d;e\\\\;\r\n"));
    EXPECT_EQ(e.name.values, QStringList({"a\\SEMICOLONb", "c\\COMMAd", "e\\YEN", ""}));
    EXPECT_EQ(UnescapeValue(e.name.values[0]), QStringLiteral("a;b"));
    EXPECT_EQ(UnescapeValue(e.name.values[2]), QStringLiteral("e\\"));
}

TEST(VCardValues, QuotedPrintableJoinsLinesAndDecodesShiftJis)
{
    const QByteArray qp =
        "BEGIN:VCARD\r\nN;ENCODING=QUOTED-PRINTABLE:=8E=52=\r\n=93=63;=91=BE\r\nEND:VCARD\r\n";
    QList<VCARD_DATA> entries;
    ASSERT_TRUE(ReadVCardText(qp, QString(), entries));
    EXPECT_EQ(entries[0].name.values, QStringList({QStringLiteral("山田"), QStringLiteral("太")}));

    // A value ending in "=" on the last line neither reads past the end nor loses the card.
    entries.clear();
    ASSERT_FALSE(ReadVCardText("BEGIN:VCARD\r\nN;ENCODING=QUOTED-PRINTABLE:=41=", QString(), entries));
    entries.clear();
    ASSERT_FALSE(
        ReadVCardText("BEGIN:VCARD\r\nTITLE:t\r\nNOTE;ENCODING=QUOTED-PRINTABLE:=41=\r\nEND:VCARD\r\n",
                      QString(), entries));
    // The END line was joined into the note, so the card never closed: nothing read, nothing crashed.
    entries.clear();
    ASSERT_TRUE(ReadVCardText("BEGIN:VCARD\r\nNOTE;ENCODING=QUOTED-PRINTABLE:=41=42\r\nEND:VCARD\r\n",
                              QString(), entries));
    EXPECT_EQ(entries[0].note.values, QStringList({"AB"}));

    // An "=" without two letters or digits makes the value invalid.
    const VCARD_DATA bad = ReadOne(QStringLiteral("N;ENCODING=QUOTED-PRINTABLE:=4\r\n"));
    EXPECT_TRUE(bad.name.values.isEmpty());
}

TEST(VCardValues, TelephoneNormalisation)
{
    const VCARD_DATA e = ReadOne(
        QStringLiteral(
            "TEL;CELL:090-1234-5678\r\nTEL:(03) 1234,5678\r\nTEL:03-1234-5678x\r\nTEL:%1\r\nTEL:%2\r\n")
            .arg(QString(40, u'1'), QString(10, u'2') + u'P' + QString(30, u'3')));
    ASSERT_EQ(e.tels.size(), 5);
    EXPECT_EQ(e.tels[0].params, QStringList({"TEL", "CELL"}));
    EXPECT_EQ(e.tels[0].values, QStringList({"090-1234-5678"}));
    EXPECT_EQ(e.tels[1].values, QStringList({"031234P5678"}));
    EXPECT_EQ(e.tels[2].values, QStringList({""}));
    EXPECT_EQ(e.tels[3].values, QStringList({QString(32, u'1')}));
    EXPECT_EQ(e.tels[4].values, QStringList({QString(10, u'2') + u'P'}));
}

TEST(VCardValues, MailRules)
{
    const VCARD_DATA e = ReadOne(
        QStringLiteral("EMAIL:山田@example.jp\r\nEMAIL:%1\r\nEMAIL:a.b+c@d.e\r\n").arg(QString(200, u'a')));
    ASSERT_EQ(e.emails.size(), 3);
    EXPECT_EQ(e.emails[0].values, QStringList({""}));
    EXPECT_EQ(e.emails[1].values, QStringList({QString(128, u'a')}));
    EXPECT_EQ(e.emails[2].values, QStringList({"a.b+c@d.e"}));
}

TEST(VCardValues, LongUrlsAreCutAtSlashesAndTheLoopEnds)
{
    const QString longPart(2000, u'x');
    const VCARD_DATA e = ReadOne(
        QStringLiteral("URL:http://%1\r\nURL:http://a/%1/b\r\nURL:http://short/\r\nURL:http://a/b/%1/\r\n")
            .arg(longPart));
    ASSERT_EQ(e.urls.size(), 4);
    EXPECT_EQ(e.urls[0].values, QStringList({QStringLiteral("http://") + QString(1024, u'x')}));
    EXPECT_EQ(e.urls[1].values, QStringList({QStringLiteral("http://a/")}));
    EXPECT_EQ(e.urls[2].values, QStringList({QStringLiteral("http://short/")}));
    EXPECT_EQ(e.urls[3].values, QStringList({QStringLiteral("http://a/b/")}));
}

TEST(VCardPhotos, WrittenExclusivelyWithCountedNames)
{
    TempDir dir;
    const QString folder = dir.File(QStringLiteral("new/folder"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(TempDir::WriteAll(folder + QStringLiteral("/_0.jpg"), "keep"));
    const VCARD_DATA e = ReadOne(QStringLiteral("PHOTO;ENCODING=BASE64;TYPE=JPEG:QUJD\r\n"
                                                "PHOTO;ENCODING=b;TYPE=PNG:REVG\r\n"
                                                "PHOTO;ENCODING=BASE64:SUdOT1JFRA==\r\n"
                                                "PHOTO;ENCODING=BASE64;X-TYPE=BMP:WFla\r\n"),
                                 folder);
    ASSERT_EQ(e.photos.size(), 3);
    EXPECT_EQ(e.photos[0].values, QStringList({"_1.jpg"}));
    EXPECT_EQ(e.photos[1].values, QStringList({"_2.png"}));
    EXPECT_EQ(e.photos[2].values, QStringList({"_3"}));
    EXPECT_EQ(TempDir::ReadAll(folder + QStringLiteral("/_0.jpg")), QByteArray("keep"));
    EXPECT_EQ(TempDir::ReadAll(folder + QStringLiteral("/_1.jpg")), QByteArray("ABC"));
    EXPECT_EQ(TempDir::ReadAll(folder + QStringLiteral("/_2.png")), QByteArray("DEF"));
}

TEST(VCardPhotos, UnwritablePhotoStopsReadingButKeepsFinishedCards)
{
    TempDir dir;
    const QString notAFolder = dir.File(QStringLiteral("file"));
    ASSERT_TRUE(TempDir::WriteAll(notAFolder, "x"));
    const QList<VCARD_DATA> entries = ReadText(
        QStringLiteral(
            "BEGIN:VCARD\r\nN:first\r\nEND:VCARD\r\nBEGIN:VCARD\r\nN:second\r\n"
            "PHOTO;ENCODING=BASE64;TYPE=JPEG:QUJD\r\nEND:VCARD\r\nBEGIN:VCARD\r\nN:third\r\nEND:VCARD\r\n"),
        notAFolder);
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].name.values, QStringList({"first"}));
}

TEST(VCardPhotos, ShortFinalGroupsGiveWholeBytes)
{
    TempDir dir;
    const VCARD_DATA e =
        ReadOne(QStringLiteral("PHOTO;ENCODING=BASE64;TYPE=GIF:QUJDRA\r\n  =\t\r\n"), dir.Path());
    ASSERT_EQ(e.photos.size(), 1);
    EXPECT_EQ(TempDir::ReadAll(dir.File(QStringLiteral("_0.gif"))), QByteArray("ABCD"));
}

TEST(VCardFinish, CardFileMarkerBlockAndOrder)
{
    VCARD_DATA e =
        ReadOne(QStringLiteral("TEL:1\r\nTEL;PREF:2\r\nTEL:3\r\nTEL;PREF:4\r\nORG:<ﾖﾐ>会社;部\r\n"
                               "NOTE:12/01/31 memo\r\nNOTE:\r\nNOTE:OV-Original\r\nNOTE:10/04/01\r\n"));
    FinishCardFileEntry(e);
    QStringList order;
    for (const PROPERTY &p : e.tels)
        order += p.values;
    EXPECT_EQ(order, QStringList({"2", "4", "1", "3"}));
    EXPECT_EQ(e.org.values, QStringList({QStringLiteral("会社"), QStringLiteral("部")}));
    EXPECT_EQ(e.orgYomi.values, QStringList({QStringLiteral("ﾖﾐ")}));
    EXPECT_EQ(e.registeredDate, QStringLiteral("2010/04/01"));
    EXPECT_EQ(e.hasRegisteredDate, 1);
    EXPECT_EQ(e.printFlag, 1);
    EXPECT_EQ(e.note.values, QStringList({"12/01/31 memo"}));

    VCARD_DATA outside = ReadOne(QStringLiteral("NOTE:2011/02/03\r\n"));
    FinishCardFileEntry(outside);
    EXPECT_EQ(outside.registeredDate, QStringLiteral("2011/02/03"));
    EXPECT_EQ(outside.hasRegisteredDate, 0);
}

TEST(VCardFinish, PhotosAreCutToTwoPreferredFirst)
{
    VCARD_DATA e;
    for (const char *p : {"PHOTO", "PHOTO;PREF", "PHOTO", "PHOTO;PREF"}) {
        PROPERTY photo;
        photo.params = QString::fromLatin1(p).split(u';');
        photo.values = {QString::number(e.photos.size())};
        e.photos.append(photo);
    }
    FinishCardFileEntry(e);
    ASSERT_EQ(e.photos.size(), 2);
    EXPECT_EQ(e.photos[0].values, QStringList({"1"}));
    EXPECT_EQ(e.photos[1].values, QStringList({"3"}));
}

TEST(VCardFinish, PhoneBookNoteLines)
{
    VCARD_DATA e =
        ReadOne(QStringLiteral("NOTE;ENCODING=QUOTED-PRINTABLE:%1\r\n")
                    .arg(QString::fromLatin1(
                             Sjis(QStringLiteral("【URL】http://x/\r\n【登録日】2009/01/02\r\n【他】y"))
                                 .toPercentEncoding())
                             .replace(u'%', u'=')));
    FinishPhoneBookEntry(e);
    ASSERT_EQ(e.urls.size(), 1);
    EXPECT_EQ(e.urls[0].values, QStringList({"http://x/"}));
    EXPECT_TRUE(e.urls[0].params.isEmpty());
    EXPECT_EQ(e.registeredDate, QStringLiteral("2009/01/02"));
    EXPECT_EQ(e.hasRegisteredDate, 1);
    EXPECT_EQ(e.note.values.size(), 3);
}

TEST(VCardHelpers, NormaliseNoteDate)
{
    QString full = QStringLiteral("登録 2010/04/01");
    EXPECT_TRUE(NormaliseNoteDate(full));
    EXPECT_EQ(full, QStringLiteral("登録 2010/04/01"));
    QString shortForm = QStringLiteral("10/04/01");
    EXPECT_TRUE(NormaliseNoteDate(shortForm));
    EXPECT_EQ(shortForm, QStringLiteral("2010/04/01"));
    QString none = QStringLiteral("10/4/01");
    EXPECT_FALSE(NormaliseNoteDate(none));
    EXPECT_EQ(none, QStringLiteral("10/4/01"));
}

TEST(VCardPhoneBook, CountAndReadAt)
{
    const QByteArray two = "x\r\nBEGIN:VCARD\r\nN:a\r\nEND:VCARD\r\nBEGIN:VCARD\r\nN:b\r\nEND:VCARD";
    QList<int> begins;
    EXPECT_EQ(CountVCards(two, begins), 2);
    EXPECT_EQ(begins, QList<int>({1, 4}));
    const QStringList lines = SplitVCardText(two);
    QList<VCARD_DATA> entries;
    ASSERT_TRUE(ReadVCardAt(1, begins, lines, QString(), entries));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].name.values, QStringList({"b"}));
    EXPECT_FALSE(ReadVCardAt(2, begins, lines, QString(), entries));
    EXPECT_FALSE(ReadVCardAt(-1, begins, lines, QString(), entries));

    EXPECT_EQ(CountVCards(QByteArray("BEGIN:VCARD\r\n"), begins), -1);
    EXPECT_EQ(CountVCards(QByteArray("BEGIN:VCARD\r\nEND:VCARD\r\nEND:VCARD\r\n"), begins), -1);
    EXPECT_EQ(CountVCards(QByteArray(), begins), 0);
}

TEST(VCardBadInput, HugeLinesAndRepeatsStaySafe)
{
    TempDir dir;
    // A photo of several megabytes folded over many lines, and a 4 MB name line.
    QByteArray big = "BEGIN:VCARD\r\nPHOTO;ENCODING=BASE64;TYPE=JPEG:";
    for (int i = 0; i < 50000; ++i)
        big += " QUJDREVGR0hJSktMTU5PUFFSU1RVVldYWVo=\r\n";
    big += "N:" + QByteArray(4 * 1024 * 1024, 'a') + "\r\n";
    for (int i = 0; i < 20000; ++i)
        big += "N:;\r\n";
    big += "END:VCARD\r\n";
    QList<VCARD_DATA> entries;
    ASSERT_TRUE(ReadVCardText(big, dir.Path(), entries));
    ASSERT_EQ(entries.size(), 1);
    ASSERT_EQ(entries[0].photos.size(), 1);
    EXPECT_EQ(QFileInfo(dir.File(QStringLiteral("_0.jpg"))).size(), 50000 * 35 / 4 * 3);
    EXPECT_EQ(entries[0].name.values.value(0).size(), 4 * 1024 * 1024);
}

TEST(VCardBlocks, LinesAcrossDecodingBlocksReadTheSame)
{
    // Megabytes of cards, so that block ends fall inside cards, inside
    // double-byte text and inside folded photo lines.
    TempDir dir;
    QString text;
    const int cards = 9000;
    for (int i = 0; i < cards; ++i) {
        text += QStringLiteral(
                    "BEGIN:VCARD\r\nN:表ソ能%1;名前\\,%1\r\nNOTE;ENCODING=QUOTED-PRINTABLE:=41=\r\n=42\r\n"
                    "PHOTO;ENCODING=BASE64;TYPE=X:QUJD\r\n RA==\r\nTEL:03-%1\r\n%2END:VCARD\r\n")
                    .arg(i)
                    .arg(QString(i % 97, u'x') + QStringLiteral("\r\n"));
    }
    const QByteArray bytes = Sjis(text);
    ASSERT_GT(bytes.size(), 3 * 512 * 1024);
    const QString path = dir.File(QStringLiteral("big.vcf"));
    ASSERT_TRUE(TempDir::WriteAll(path, bytes));
    QList<VCARD_DATA> fromText;
    QList<VCARD_DATA> fromFile;
    // No photo folder: folded photo lines are still consumed, nothing is written.
    ASSERT_TRUE(ReadVCardText(bytes, QString(), fromText));
    ASSERT_TRUE(ReadVCardFile(path, QString(), fromFile));
    ASSERT_EQ(fromText.size(), cards);
    ASSERT_EQ(fromFile.size(), cards);
    for (int i = 0; i < cards; ++i) {
        const QString n = QString::number(i);
        ASSERT_EQ(fromText[i].name.values,
                  QStringList({QStringLiteral("表ソ能") + n, QStringLiteral("名前\\COMMA") + n}))
            << i;
        ASSERT_EQ(fromText[i].note.values, QStringList({"AB"})) << i;
        ASSERT_EQ(fromText[i].tels.value(0).values, QStringList({QStringLiteral("03-") + n})) << i;
        ASSERT_TRUE(fromText[i].photos.isEmpty()) << i;
        ASSERT_EQ(fromFile[i].name.values, fromText[i].name.values) << i;
        ASSERT_EQ(fromFile[i].note.values, fromText[i].note.values) << i;
    }
}

TEST(VCardEncoding, Utf8FileWithByteOrderMark)
{
    TempDir dir;
    const QString path = dir.File(QStringLiteral("bom.vcf"));
    ASSERT_TRUE(TempDir::WriteAll(
        path, "\xEF\xBB\xBF" + QStringLiteral("BEGIN:VCARD\nN:佐藤;花子\nEND:VCARD\n").toUtf8()));
    QList<VCARD_DATA> entries;
    ASSERT_TRUE(ReadVCardFile(path, QString(), entries));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].name.values, QStringList({QStringLiteral("佐藤"), QStringLiteral("花子")}));
    EXPECT_FALSE(ReadVCardFile(dir.File(QStringLiteral("missing.vcf")), QString(), entries));
    EXPECT_EQ(entries.size(), 1);
}

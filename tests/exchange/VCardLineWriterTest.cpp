#include "VCardLineWriter.h"
#include "Cp932.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

using L = QLatin1StringView;

QString U(const char *text)
{
    return QString::fromUtf8(text);
}

QByteArray Sjis(const char *utf8)
{
    return Cp932::Encode(QString::fromUtf8(utf8));
}

QByteArray Repeat(const char *text, int count)
{
    return QByteArray(text).repeated(count);
}

// The physical lines of writer output (each without its "\r\n"); fails when a
// line break is not "\r\n".
QList<QByteArray> Lines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    qsizetype at = 0;
    while (at < bytes.size()) {
        const qsizetype end = bytes.indexOf("\r\n", at);
        if (end < 0) {
            ADD_FAILURE() << "text does not end with CR LF";
            break;
        }
        const QByteArray line = bytes.mid(at, end - at);
        EXPECT_FALSE(line.contains('\r') || line.contains('\n')) << line.constData();
        lines.append(line);
        at = end + 2;
    }
    return lines;
}

// Undoes 3.0 text escapes: "\n" gives a line feed.
QString Unescape30(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size()) {
            ++i;
            out.append(text[i] == u'n' ? QChar(u'\n') : text[i]);
        } else {
            out.append(text[i]);
        }
    }
    return out;
}

QByteArray DecodeQuotedPrintable(const QByteArray &text)
{
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '=') {
            out.append(char(text.mid(i + 1, 2).toInt(nullptr, 16)));
            i += 2;
        } else {
            out.append(text[i]);
        }
    }
    return out;
}

QString RandomText(QRandomGenerator &random)
{
    static const char16_t pool[] = {u'a',  u' ',  u',',  u';', u'\\', u'\r', u'\n', u'=',   u':',
                                    u'あ', u'山', u'髙', u'①', u'ｶ',  u'ﾞ',  u'~',  0x00E9, 0x0416};
    QString text;
    const int length = int(random.bounded(200));
    for (int i = 0; i < length; ++i) {
        if (random.bounded(12) == 0)
            text.append(QString::fromUcs4(U"𠮷😀", 1 + int(random.bounded(2))).right(2)); // a surrogate pair
        else
            text.append(QChar(pool[random.bounded(int(std::size(pool)))]));
    }
    return text;
}

} // namespace

TEST(VCardLineWriter30, EscapesTextComponentsAndListsButNotRawValues)
{
    QByteArray out;
    VCardLineWriter w(VCardForm::V30, out);
    w.Line(L("BEGIN:VCARD"));
    w.Text(L("NOTE"), U("a,b;c\\d\r\ne\nf\rg"));
    w.Components(L("N"), {U("山田;"), U("太,郎"), {}, {}, {}});
    w.List(L("CATEGORIES"), {U("A,B"), U("C;D")});
    w.Raw(L("URL"), U("http://x/a,b;c\\\r\nd"));
    EXPECT_EQ(out, QByteArray("BEGIN:VCARD\r\n"
                              "NOTE:a\\,b\\;c\\\\d\\ne\\nf\\ng\r\n"
                              "N:") +
                       U("山田\\;;太\\,郎;;;").toUtf8() +
                       "\r\n"
                       "CATEGORIES:A\\,B,C\\;D\r\n"
                       "URL:http://x/a,b;c\\ d\r\n");
}

TEST(VCardLineWriter30, FoldsAt75OctetsNeverInsideACharacterOrAnEscape)
{
    QByteArray out;
    VCardLineWriter w(VCardForm::V30, out);
    w.Text(L("NOTE"), QString(100, u'x'));
    // 4 + 23 × 3 = 73 octets: the 24th kana would pass 75, so it starts the next line.
    w.Text(L("FN"), U("a") + QString(25, u'あ'));
    // 74 octets, then an escape of two: the escape moves on whole.
    w.Text(L("NOTE"), QString(69, u'x') + U(","));
    // A four-octet character that does not fit.
    w.Text(L("FN"), QString(70, u'x') + QString::fromUcs4(U"𠮷", 1));
    EXPECT_EQ(out, "NOTE:" + Repeat("x", 70) + "\r\n " + Repeat("x", 30) + "\r\n" + "FN:a" +
                       QString(23, u'あ').toUtf8() + "\r\n " + QString(2, u'あ').toUtf8() + "\r\n" +
                       "NOTE:" + Repeat("x", 69) + "\r\n \\,\r\n" + "FN:" + Repeat("x", 70) + "\r\n " +
                       QString::fromUcs4(U"𠮷", 1).toUtf8() + "\r\n");
}

// Whatever the text, every line fits in 75 octets, is valid UTF-8 on its own, and
// unfolding and unescaping give the text back (with "\r\n" read as one line break).
TEST(VCardLineWriter30, RandomTextFoldsAndComesBack)
{
    QRandomGenerator random(1905);
    for (int round = 0; round < 400; ++round) {
        const QString text = RandomText(random);
        QByteArray out;
        VCardLineWriter(VCardForm::V30, out).Text(L("NOTE;X-A=1"), text);
        QByteArray unfolded;
        const QList<QByteArray> lines = Lines(out);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            ASSERT_LE(lines[i].size(), 75) << round;
            ASSERT_TRUE(QString::fromUtf8(lines[i]).toUtf8() == lines[i]) << "a character was split";
            ASSERT_EQ(i > 0, lines[i].startsWith(' '));
            unfolded += i > 0 ? lines[i].mid(1) : lines[i];
        }
        ASSERT_TRUE(unfolded.startsWith("NOTE;X-A=1:"));
        QString expected = text;
        expected.replace(U("\r\n"), U("\n")).replace(u'\r', u'\n');
        EXPECT_EQ(Unescape30(QString::fromUtf8(unfolded.mid(11))), expected) << round;
    }
}

TEST(VCardLineWriter21, CharsetOnlyWhereNeededComponentEscapesOnly)
{
    QByteArray out;
    using W = VCardLineWriter;
    W w(VCardForm::V21, out);
    w.Components(L("N"), {U("山田"), U("太郎"), {}, {}, {}}, W::Quotable);
    w.Components(L("N"), {U("a\\b;c"), U("d,e"), {}, {}, {}}, W::Quotable);
    w.Text(L("TITLE"), U("部長;a\\b,c"));
    // The reader takes these from one line: a line break becomes a space.
    w.Text(L("TITLE"), U("a\r\nb\nc"));
    w.Components(L("SOUND;X-IRMC-N"), {U("ﾔﾏﾀﾞ"), U("ﾀﾛｳ"), {}, {}, {}});
    w.Raw(L("URL"), U("http://x/a;b"));
    // Characters without a code page 932 form.
    w.Text(L("TITLE"), U("a😀b"));
    EXPECT_EQ(out, "N;CHARSET=SHIFT_JIS:" + Sjis("山田;太郎;;;") +
                       "\r\n"
                       "N:a\\\\b\\;c;d,e;;;\r\n"
                       "TITLE;CHARSET=SHIFT_JIS:" +
                       Sjis("部長;a\\b,c") +
                       "\r\n"
                       "TITLE:a b c\r\n"
                       "SOUND;X-IRMC-N;CHARSET=SHIFT_JIS:" +
                       Sjis("ﾔﾏﾀﾞ;ﾀﾛｳ;;;") +
                       "\r\n"
                       "URL:http://x/a;b\r\n"
                       "TITLE:a?b\r\n");
}

TEST(VCardLineWriter21, QuotedPrintableForLineBreaksAndLongLinesWithSoftBreaks)
{
    QByteArray out;
    using W = VCardLineWriter;
    W w(VCardForm::V21, out);
    // Short and without a break: as it is.
    w.Text(L("NOTE"), U("a = b"), W::Quotable);
    // Line breaks, "=" and spaces are encoded; "\n" alone stays what it is.
    w.Text(L("NOTE"), U("a =b\r\nc\nd"), W::Quotable);
    // 49 octets of head, then "=82=A0" per kana: 4 fit before the soft break (73 + "="),
    // 12 on every further line (72 + "="), the last line without "=".
    w.Text(L("NOTE"), QString(40, u'あ'), W::Quotable);
    // Not quotable: stays whole however long.
    w.Components(L("ORG"), {QString(40, u'あ')});
    EXPECT_EQ(out, "NOTE:a = b\r\n"
                   "NOTE;ENCODING=QUOTED-PRINTABLE:a=20=3Db=0D=0Ac=0Ad\r\n"
                   "NOTE;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:" +
                       Repeat("=82=A0", 4) + "=\r\n" + Repeat("=82=A0", 12) + "=\r\n" + Repeat("=82=A0", 12) +
                       "=\r\n" + Repeat("=82=A0", 12) + "\r\n" +
                       "ORG;CHARSET=SHIFT_JIS:" + Repeat("\x82\xA0", 40) + "\r\n");
}

// A double-byte character whose second byte is printable ASCII stays on one line.
TEST(VCardLineWriter21, SoftBreaksKeepBothBytesOfACharacter)
{
    QByteArray out;
    // 山 is "=8E" + "R": at column 71 its first byte would still fit before the "=", the whole not.
    VCardLineWriter(VCardForm::V21, out)
        .Text(L("NOTE"), QString(19, u'x') + U("\n") + U("山山"), VCardLineWriter::Quotable);
    const QList<QByteArray> lines = Lines(out);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "NOTE;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:" + Repeat("x", 19) + "=0A=");
    EXPECT_EQ(lines[1], QByteArray("=8ER=8ER"));
}

TEST(VCardLineWriter21, RandomTextKeepsLinesShortAndDecodesBack)
{
    QRandomGenerator random(2106);
    for (int round = 0; round < 400; ++round) {
        const QString text = RandomText(random);
        QByteArray out;
        VCardLineWriter(VCardForm::V21, out).Components(L("ADR;WORK"), {text}, VCardLineWriter::Quotable);
        const QList<QByteArray> lines = Lines(out);
        QByteArray joined;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            ASSERT_LE(lines[i].size(), 75) << round;
            const bool more = i + 1 < lines.size();
            ASSERT_EQ(lines[i].endsWith('='), more);
            joined += more ? lines[i].chopped(1) : lines[i];
        }
        QString escaped = text;
        escaped.replace(U("\\"), U("\\\\")).replace(U(";"), U("\\;"));
        const qsizetype colon = joined.indexOf(':');
        if (joined.left(colon).contains("QUOTED-PRINTABLE"))
            EXPECT_EQ(DecodeQuotedPrintable(joined.mid(colon + 1)), Cp932::Encode(escaped)) << round;
        else
            EXPECT_EQ(joined.mid(colon + 1), Cp932::Encode(escaped)) << round;
    }
}

TEST(VCardLineWriter, PicturesAreFoldedBase64AndEndWithAnEmptyLineIn21)
{
    const QByteArray picture(100, '\xAB');
    const QByteArray base64 = picture.toBase64(); // 136 characters
    QByteArray out30;
    VCardLineWriter(VCardForm::V30, out30).Binary(L("PHOTO;ENCODING=b;TYPE=JPEG"), picture);
    EXPECT_EQ(out30, "PHOTO;ENCODING=b;TYPE=JPEG:" + base64.left(48) + "\r\n " + base64.mid(48, 74) +
                         "\r\n " + base64.mid(122) + "\r\n");
    QByteArray out21;
    VCardLineWriter(VCardForm::V21, out21).Binary(L("PHOTO;ENCODING=BASE64;TYPE=PNG"), picture);
    EXPECT_EQ(out21, "PHOTO;ENCODING=BASE64;TYPE=PNG:" + base64.left(44) + "\r\n " + base64.mid(44, 74) +
                         "\r\n " + base64.mid(118) + "\r\n\r\n");
}

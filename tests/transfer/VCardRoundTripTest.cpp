// Cards exported as vCard and imported again into an empty store, through this
// program's own import.
#include "CCardImageFiles.h"
#include "CCardStore.h"
#include "CardExportContext.h"
#include "CardExporter.h"
#include "KanaWidth.h"
#include "TempDir.h"
#include "VCardExportSupport.h"
#include "VCardExporter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

#include <cstring>

using namespace vcard_test;

namespace {

constexpr int GeneratedCards = 300;

QString PhoneList(const CCardData &card)
{
    QStringList list;
    for (int i = 0; i < card.PhoneCount(); ++i)
        list << QString::number(card.PhoneKindAt(i)) + QLatin1Char(':') + card.Phone(i);
    return list.join(QLatin1Char(' '));
}

QString MailList(const CCardData &card)
{
    QStringList list;
    for (int i = 0; i < card.MailCount(); ++i)
        list << QString::number(card.MailKindAt(i)) + QLatin1Char(':') + card.Mail(i);
    return list.join(QLatin1Char(' '));
}

QString DateText(const CardDate &date)
{
    return date.IsSet() ? QString::asprintf("%04d-%02d-%02d", date.year, date.month, date.day) : QString();
}

// The import ends every note line with a line break (and the memo keeps 256 characters).
QString MemoAfterImport(const QString &memo)
{
    if (memo.isEmpty() || memo.endsWith(U("\r\n")))
        return memo;
    return (memo + U("\r\n")).left(256);
}

// Octets of a 3.0 line "head:" + parts joined by ";", with the escapes it gets.
qsizetype LineOctets(const char *head, const QStringList &parts)
{
    qsizetype octets = qsizetype(strlen(head)) + 1 + parts.join(QLatin1Char(';')).toUtf8().size();
    for (const QString &part : parts)
        octets += part.count(u',') + part.count(u';') + part.count(u'\\');
    return octets;
}

// This program's import takes a folded line's first part only: a value comes back
// whole when its line fits in 75 octets, else cut.
void ExpectWholeOrCut(const QString &read, const QString &written, qsizetype lineOctets)
{
    if (lineOctets <= 75)
        EXPECT_EQ(read, written);
    else
        EXPECT_TRUE(written.startsWith(read)) << read.toStdString();
}

class VCardRoundTrip : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        source = new Source;
        ASSERT_TRUE(CreateStore(source->store, source->dir, U("source.ovd")));
        ASSERT_TRUE(FillRealistic(source->store, source->dir, GeneratedCards));
    }
    static void TearDownTestSuite()
    {
        delete source;
        source = nullptr;
    }

    // Exports every card and imports the file into a new store.
    void RoundTrip(VCardForm form, bool photos)
    {
        const CCardStore &from = source->store;
        cards = CardExporter::AllCards(from);
        ASSERT_EQ(cards.size(), GeneratedCards + 4);
        const QString path = dir.File("export.vcf");
        ASSERT_TRUE(VCardExporter(form, photos, CardExportContext::Of(from)).WriteFile(path, cards));
        ASSERT_TRUE(CreateStore(back, dir, U("back.ovd")));
        ASSERT_TRUE(Import(back, path, dir.File("photos")));
        ASSERT_EQ(back.LiveCount(), cards.size());
    }

    struct Source
    {
        TempDir dir;
        CCardStore store;
    };
    static Source *source;
    TempDir dir;
    CCardStore back;
    QList<const CCardData *> cards;
};

VCardRoundTrip::Source *VCardRoundTrip::source = nullptr;

} // namespace

// 2.1 is the form this program reads completely: every card comes back identical,
// with its readings, address parts, memo, marks, dates and both pictures.
TEST_F(VCardRoundTrip, Form21KeepsEverythingTheImportReads)
{
    RoundTrip(VCardForm::V21, true);
    int pictures = 0;
    for (int i = 0; i < cards.size(); ++i) {
        const CCardData &a = *cards[i];
        const CCardData &b = *back.CardAt(i);
        SCOPED_TRACE(a.Name().toStdString());
        EXPECT_TRUE(b.IsIdentical(a));
        EXPECT_EQ(b.Name(), a.Name());
        EXPECT_EQ(b.LastName(), a.LastName());
        EXPECT_EQ(b.FirstName(), a.FirstName());
        EXPECT_EQ(b.YomiName(), a.YomiName());
        EXPECT_EQ(b.YomiLastName(), a.YomiLastName());
        EXPECT_EQ(b.YomiFirstName(), a.YomiFirstName());
        EXPECT_EQ(b.Company(), a.Company());
        EXPECT_EQ(b.CompanyYomi(), a.CompanyYomi());
        EXPECT_EQ(b.Department(), a.Department());
        EXPECT_EQ(b.Title(), a.Title());
        EXPECT_EQ(PhoneList(b), PhoneList(a));
        EXPECT_EQ(MailList(b), MailList(a));
        EXPECT_EQ(b.ZipCode(), a.ZipCode());
        EXPECT_EQ(b.Country(), a.Country());
        EXPECT_EQ(b.Prefecture(), a.Prefecture());
        EXPECT_EQ(b.City(), a.City());
        EXPECT_EQ(b.Street(), a.Street());
        EXPECT_EQ(b.AddressExtra(), a.AddressExtra());
        EXPECT_EQ(b.Address(), a.Address());
        EXPECT_EQ(b.Url(), a.Url());
        EXPECT_EQ(b.Memo(), MemoAfterImport(a.Memo()));
        EXPECT_EQ(DateText(b.Birthday()), DateText(a.Birthday()));
        if (a.ReceivedDate().IsSet()) {
            EXPECT_EQ(DateText(b.ReceivedDate()), DateText(a.ReceivedDate()));
        }
        EXPECT_EQ(b.Print(), a.Print());
        EXPECT_EQ(b.CheckMarks(), a.CheckMarks());
        for (int picture : {CCardImageFiles::CardImage, CCardImageFiles::PersonPhoto})
            EXPECT_EQ(Picture(back, b, picture), Picture(source->store, a, picture));
        pictures += Picture(back, b, CCardImageFiles::PersonPhoto).isEmpty() ? 0 : 1;
    }
    EXPECT_GT(pictures, GeneratedCards / 18);
}

// 3.0 is written for other address books (see the structure test); this program's
// import reads it in its own newer-form way, which keeps names, readings, numbers,
// mail addresses, company, department and birthday, and loses or changes the rest.
TEST_F(VCardRoundTrip, Form30ThroughThisProgramsImport)
{
    RoundTrip(VCardForm::V30, true);
    for (int i = 0; i < cards.size(); ++i) {
        const CCardData &a = *cards[i];
        const CCardData &b = *back.CardAt(i);
        SCOPED_TRACE(a.Name().toStdString());
        EXPECT_TRUE(b.IsIdentical(a));
        EXPECT_EQ(b.Name(), a.Name());
        const qsizetype sound =
            LineOctets("SOUND;TYPE=X-IRMC-N", {a.YomiLastName(), a.YomiFirstName(), {}, {}, {}});
        ExpectWholeOrCut(b.YomiLastName(), a.YomiLastName(), sound);
        ExpectWholeOrCut(b.YomiFirstName(), a.YomiFirstName(), sound);
        ExpectWholeOrCut(b.Department(), a.Department(), LineOctets("ORG", {a.Company(), a.Department()}));
        EXPECT_EQ(DateText(b.Birthday()), DateText(a.Birthday()));
        EXPECT_EQ(b.Company(), a.Company());
        ASSERT_EQ(b.PhoneCount(), a.PhoneCount());
        for (int p = 0; p < a.PhoneCount(); ++p) {
            // Its newer form has no company mobile and no video call.
            const quint32 kind = a.PhoneKindAt(p);
            const quint32 read = kind == PhoneCompanyMobile ? PhoneMobile
                                 : kind == PhoneVideoCall   ? PhoneGeneral
                                                            : kind;
            EXPECT_EQ(b.PhoneKindAt(p), read);
        }
        // A mail address is read whole, so the escapes of its separators stay in it.
        if (!a.Mail(0).contains(u';'))
            EXPECT_EQ(MailList(b), MailList(a));
        else
            EXPECT_EQ(b.Mail(0), U("taro\\;yamada\\,\\\\x@example.co.jp"));
        // No marker block: every card comes back marked for printing, without check marks.
        EXPECT_TRUE(b.Print());
        EXPECT_EQ(b.CheckMarks(), QList<bool>(20, false));
        // The newer form reads the address from ADR's second component (the extended
        // address) as a one-line address.
        CCardData extra;
        extra.SetAddress(a.AddressExtra());
        EXPECT_EQ(b.Country(), extra.Country());
        EXPECT_EQ(b.ZipCode(), QString());
        // The person photo (PHOTO) comes back as the card image; LOGO is not read.
        EXPECT_EQ(Picture(back, b, CCardImageFiles::CardImage),
                  Picture(source->store, a, CCardImageFiles::PersonPhoto));
        EXPECT_EQ(Picture(back, b, CCardImageFiles::PersonPhoto), QByteArray());
    }
}

namespace {

// The values of one property in the independent reader's output.
QStringList Values(const QJsonObject &card, const char *name)
{
    QStringList values;
    for (const QJsonValue &property : card.value(QLatin1String(name)).toArray()) {
        const QJsonValue value = property.toObject().value(QLatin1String("value"));
        if (value.isArray()) {
            QStringList parts;
            for (const QJsonValue &part : value.toArray())
                parts << part.toString();
            values << parts.join(u'|');
        } else {
            values << value.toString();
        }
    }
    return values;
}

QStringList Typed(const QJsonObject &card, const char *name)
{
    QStringList values;
    for (const QJsonValue &property : card.value(QLatin1String(name)).toArray()) {
        QStringList types;
        for (const QJsonValue &type : property.toObject()
                                          .value(QLatin1String("params"))
                                          .toObject()
                                          .value(QLatin1String("TYPE"))
                                          .toArray())
            types << type.toString();
        values << types.join(u',') + QLatin1Char(':') +
                      property.toObject().value(QLatin1String("value")).toString();
    }
    return values;
}

QStringList Optional(const QString &value)
{
    return value.isEmpty() ? QStringList() : QStringList{value};
}

} // namespace

// Another program's reading of the 3.0 file: every line within 75 octets and valid
// UTF-8, every unfolded line name[;params]:value, and every value of every card as it
// was, separators, line breaks and pictures included.
TEST_F(VCardRoundTrip, Form30IsReadWithoutLossByAnIndependentParser)
{
    const CCardStore &from = source->store;
    cards = CardExporter::AllCards(from);
    const QString path = dir.File("export.vcf");
    ASSERT_TRUE(VCardExporter(VCardForm::V30, true, CardExportContext::Of(from)).WriteFile(path, cards));
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral(TESSALY_SOURCE_DIR "/tests/transfer/vcard30_check.py"), path});
    ASSERT_TRUE(python.waitForFinished(120000));
    const QJsonObject result = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    EXPECT_EQ(result.value(QLatin1String("errors")).toArray(), QJsonArray());
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().constData();
    const QJsonArray read = result.value(QLatin1String("cards")).toArray();
    ASSERT_EQ(read.size(), cards.size());
    const CardExportContext context = CardExportContext::Of(from);
    static const char *phoneTypes[] = {"CELL",  "CELL,WORK", "HOME,VOICE", "WORK,VOICE",
                                       "VIDEO", "FAX",       "VOICE"};
    static const char *mailTypes[] = {"INTERNET,CELL", "INTERNET,HOME", "INTERNET,WORK", "INTERNET"};
    for (int i = 0; i < cards.size(); ++i) {
        const CCardData &a = *cards[i];
        const QJsonObject card = read[i].toObject();
        SCOPED_TRACE(a.Name().toStdString());
        EXPECT_EQ(Values(card, "FN"), QStringList{a.Name().isEmpty() ? a.Company() : a.Name()});
        EXPECT_EQ(Values(card, "N"), QStringList{a.LastName() + U("|") + a.FirstName() + U("|||")});
        EXPECT_EQ(Values(card, "X-PHONETIC-LAST-NAME"),
                  Optional(KanaWidth::ToFullWidthKatakana(a.YomiLastName())));
        EXPECT_EQ(Values(card, "X-PHONETIC-FIRST-NAME"),
                  Optional(KanaWidth::ToFullWidthKatakana(a.YomiFirstName())));
        EXPECT_EQ(Values(card, "SORT-STRING"), Optional(KanaWidth::ToFullWidthKatakana(a.YomiName())));
        const QString org = a.Department().isEmpty() ? a.Company() : a.Company() + U("|") + a.Department();
        EXPECT_EQ(Values(card, "ORG"), Optional(org));
        EXPECT_EQ(Values(card, "X-PHONETIC-ORG"), Optional(KanaWidth::ToFullWidthKatakana(a.CompanyYomi())));
        EXPECT_EQ(Values(card, "TITLE"), Optional(a.Title()));
        QStringList phones;
        for (int p = 0; p < a.PhoneCount(); ++p)
            phones << QString::fromLatin1(phoneTypes[a.PhoneKindAt(p)]) + QLatin1Char(':') + a.Phone(p);
        EXPECT_EQ(Typed(card, "TEL"), phones);
        QStringList mails;
        for (int m = 0; m < a.MailCount(); ++m)
            mails << QString::fromLatin1(mailTypes[a.MailKindAt(m)]) + QLatin1Char(':') + a.Mail(m);
        EXPECT_EQ(Typed(card, "EMAIL"), mails);
        const QStringList address = {{},          a.AddressExtra(), a.Street(), a.City(), a.Prefecture(),
                                     a.ZipCode(), a.Country()};
        EXPECT_EQ(Values(card, "ADR"),
                  Optional(address.join(QString()).isEmpty() ? QString() : address.join(u'|')));
        EXPECT_EQ(Values(card, "URL"), Optional(a.Url()));
        QString memo = a.Memo();
        memo.replace(U("\r\n"), U("\n"));
        EXPECT_EQ(Values(card, "NOTE"), Optional(memo));
        EXPECT_EQ(Values(card, "BDAY"), Optional(a.BirthdayText()));
        QStringList categories;
        if (a.GroupNo() > 0)
            categories << context.groupNames[a.GroupNo()];
        for (int k = 0; k < context.checks.names.size(); ++k) {
            if (a.CheckMark(context.checks.markSlots[k]))
                categories << context.checks.names[k];
        }
        EXPECT_EQ(Values(card, "CATEGORIES"), Optional(categories.join(u'|')));
        EXPECT_EQ(Values(card, "UID"), QStringList{a.Id()});
        EXPECT_EQ(Values(card, "PHOTO"),
                  Optional(QString::fromLatin1(Picture(from, a, CCardImageFiles::PersonPhoto).toBase64())));
        EXPECT_EQ(Values(card, "LOGO"),
                  Optional(QString::fromLatin1(Picture(from, a, CCardImageFiles::CardImage).toBase64())));
    }
}

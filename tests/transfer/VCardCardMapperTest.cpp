#include "VCardCardMapper.h"

#include "CCardData.h"
#include "CCheckArray.h"
#include "TransferTestSupport.h"

#include <gtest/gtest.h>

using transfer_test::U;

namespace {
PROPERTY Prop(const QStringList &params, const QStringList &values)
{
    return PROPERTY{params, values};
}
} // namespace

TEST(VCardCardMapper, TelephoneKindsOfBothForms)
{
    const QStringList home{"TEL", "HOME"};
    EXPECT_EQ(VCardCardMapper::PhoneKindOf(home, false), PhoneGeneral); // no VOICE: general
    EXPECT_EQ(VCardCardMapper::PhoneKindOf(home, true), PhoneHome);
    EXPECT_EQ(VCardCardMapper::PhoneKindOf({"TEL", "CELL"}, false), PhoneMobile);
    EXPECT_EQ(VCardCardMapper::PhoneKindOf({"TEL", "CELL", "WORK"}, false), PhoneCompanyMobile);
    EXPECT_EQ(VCardCardMapper::PhoneKindOf({"TEL", "WORK", "VOICE"}, false), PhoneOffice);
    EXPECT_EQ(VCardCardMapper::PhoneKindOf({"TEL", "HOME", "VOICE"}, false), PhoneHome);
    EXPECT_EQ(VCardCardMapper::PhoneKindOf({"TEL", "VOICE"}, false), PhoneGeneral);
    EXPECT_EQ(VCardCardMapper::PhoneKindOf({"TEL", "VIDEO"}, false), PhoneVideoCall);
    EXPECT_EQ(VCardCardMapper::PhoneKindOf({"TEL", "WORK", "FAX"}, false), PhoneFax);
    EXPECT_EQ(VCardCardMapper::PhoneKindOf({"TEL", "WORK", "FAX"}, true), PhoneFax);
    EXPECT_EQ(VCardCardMapper::PhoneKindOf({"TEL", "CELL", "WORK"}, true), PhoneMobile);
    EXPECT_EQ(VCardCardMapper::PhoneKindOf({"TEL", "WORK"}, true), PhoneOffice);
    EXPECT_EQ(VCardCardMapper::PhoneKindOf({"TEL", "cell"}, true), PhoneGeneral); // exact comparison
}

TEST(VCardCardMapper, MailKinds)
{
    EXPECT_EQ(VCardCardMapper::MailKindOf({"EMAIL", "INTERNET", "WORK"}), MailOffice);
    EXPECT_EQ(VCardCardMapper::MailKindOf({"EMAIL", "CELL"}), MailMobile);
    EXPECT_EQ(VCardCardMapper::MailKindOf({"EMAIL", "HOME"}), MailHome);
    EXPECT_EQ(VCardCardMapper::MailKindOf({"EMAIL"}), MailInternet);
}

TEST(VCardCardMapper, FieldsOfTheOlderForm)
{
    VCARD_DATA e;
    e.name = Prop({"N"}, {U("山田"), U("太郎")});
    e.sound = Prop({"SOUND"}, {U("ﾔﾏﾀﾞ"), U("ﾀﾛｳ")});
    e.tels = {Prop({"TEL", "HOME"}, {"0311112222"}), Prop({"TEL", "CELL"}, {""}),
              Prop({"TEL", "CELL"}, {"09011112222"})};
    e.emails = {Prop({"EMAIL", "INTERNET"}, {"a@example.com"})};
    e.org = Prop({}, {U("山田商事"), U("営業部")});
    e.title = U("課長");
    e.address =
        Prop({"ADR", "WORK"}, {"", U("3F"), U("1-2-3"), U("千代田区"), U("東京都"), "1000001", U("日本")});
    e.urls = {Prop({"URL"}, {"http://example.com/"})};
    e.note = Prop({"NOTE"}, {U("一行目"), U("a\\SEMICOLONb")});
    e.birthday = "19700102";
    e.printFlag = 1;
    CCheckArray checks;
    checks.AddItem(U("年賀状"));
    checks.AddItem(U("展示会"));
    e.checkList = Prop({}, {U("展示会")});

    CCardData card;
    ASSERT_TRUE(VCardCardMapper::MapCardFileEntry(e, checks, false, card));
    EXPECT_EQ(card.LastName(), U("山田"));
    EXPECT_EQ(card.FirstName(), U("太郎"));
    EXPECT_EQ(card.YomiLastName(), U("ﾔﾏﾀﾞ"));
    ASSERT_EQ(card.PhoneCount(), 2); // the empty number is left out
    EXPECT_EQ(card.PhoneKindAt(0), quint32(PhoneGeneral));
    EXPECT_EQ(card.PhoneKindAt(1), quint32(PhoneMobile));
    EXPECT_EQ(card.Mail(0), "a@example.com");
    EXPECT_EQ(card.Company(), U("山田商事"));
    EXPECT_EQ(card.Department(), U("営業部"));
    EXPECT_EQ(card.Title(), U("課長"));
    EXPECT_EQ(card.Country(), U("日本"));
    EXPECT_EQ(card.Prefecture(), U("東京都"));
    EXPECT_EQ(card.City(), U("千代田区"));
    EXPECT_EQ(card.Street(), U("1-2-3"));
    EXPECT_EQ(card.AddressExtra(), U("3F"));
    EXPECT_EQ(card.ZipCode(), "1000001");
    EXPECT_EQ(card.Url(), "http://example.com/");
    EXPECT_EQ(card.Memo(), U("一行目\r\na;b\r\n"));
    EXPECT_EQ(card.BirthdayText(), "1970-01-02");
    EXPECT_TRUE(card.Print());
    EXPECT_FALSE(card.CheckMark(0));
    EXPECT_TRUE(card.CheckMark(1));
}

TEST(VCardCardMapper, NamesFallBackToFormattedNameAndAddressOfNewerForm)
{
    VCARD_DATA e;
    e.hasFormattedName = 1;
    e.formattedName = Prop({"FN"}, {U("佐藤"), U("花子")});
    e.address = Prop({"ADR"}, {"", U("東京都港区1-1")});
    CCardData card;
    ASSERT_TRUE(VCardCardMapper::MapCardFileEntry(e, CCheckArray(), false, card));
    EXPECT_EQ(card.LastName(), U("佐藤"));
    EXPECT_EQ(card.FirstName(), U("花子"));
    EXPECT_EQ(card.Address(), U("東京都港区1-1"));
}

TEST(VCardCardMapper, ShortAddressIsMalformed)
{
    VCARD_DATA older;
    older.address = Prop({"ADR"}, {"", "", "street", "city", "pref", "zip"}); // six of seven
    CCardData card;
    EXPECT_FALSE(VCardCardMapper::MapCardFileEntry(older, CCheckArray(), false, card));
    VCARD_DATA newer;
    newer.hasFormattedName = 1;
    newer.address = Prop({"ADR"}, {"only"});
    EXPECT_FALSE(VCardCardMapper::MapCardFileEntry(newer, CCheckArray(), false, card));
    VCARD_DATA none; // no ADR at all is fine
    EXPECT_TRUE(VCardCardMapper::MapCardFileEntry(none, CCheckArray(), false, card));
}

TEST(VCardCardMapper, ReceivedDateRules)
{
    const QDate today(2026, 12, 7);
    VCARD_DATA marked;
    marked.hasRegisteredDate = 1;
    marked.registeredDate = "2010/04/01";
    CardDate d = VCardCardMapper::ReceivedDate(marked, "2011/01/01", today);
    EXPECT_EQ(d.Text(), "2010-04-01");
    EXPECT_TRUE(d.IsSet());

    // Unmarked registration date older than the file: taken, and marked.
    VCARD_DATA outside;
    outside.registeredDate = "2009/05/06";
    d = VCardCardMapper::ReceivedDate(outside, "2011/01/01", today);
    EXPECT_EQ(d.Text(), "2009-05-06");

    // Without one: earliest of today, REV and file date, left unmarked.
    VCARD_DATA plain;
    plain.revision = "20080303T101010Z"; // longer than a date: never the earliest
    d = VCardCardMapper::ReceivedDate(plain, "2011/01/01", today);
    EXPECT_FALSE(d.IsSet());
    EXPECT_EQ(d.year, 2011);
    EXPECT_EQ(d.month, 1);
    EXPECT_EQ(d.day, 1);
    plain.revision = "20080303";
    d = VCardCardMapper::ReceivedDate(plain, "2011/01/01", today);
    EXPECT_EQ(d.year, 2008);
    EXPECT_FALSE(d.IsSet());
    // Six digits get the century; the future file date loses to today.
    plain.revision = "070809";
    d = VCardCardMapper::ReceivedDate(plain, "2030/01/01", today);
    EXPECT_EQ(d.year, 2007);
    EXPECT_EQ(d.month, 8);
    plain.revision.clear();
    d = VCardCardMapper::ReceivedDate(plain, "2030/01/01", today);
    EXPECT_EQ(QDate(d.year, d.month, d.day), today);
    // Other digit counts fall back to today.
    plain.revision = "123";
    d = VCardCardMapper::ReceivedDate(plain, QString(), today);
    EXPECT_EQ(QDate(d.year, d.month, d.day), today);
}

TEST(VCardCardMapper, PhoneBookForms)
{
    VCARD_DATA e;
    e.name = Prop({"N"}, {U("山田太郎"), U("ignored")});
    e.sound = Prop({"SOUND"}, {U("ﾔﾏﾀﾞﾀﾛｳ")});
    e.tels = {Prop({"TEL", "HOME"}, {"0311112222"})};
    e.address = Prop({"ADR"}, {"", U("東京都"), "", "", "", "1000001"});
    e.groupNo = "3";
    e.registeredDate = "2006/01/02";
    e.hasRegisteredDate = 1;
    CCardData older;
    ASSERT_TRUE(VCardCardMapper::MapPhoneBookEntry(e, false, false, older));
    EXPECT_EQ(older.Name(), U("山田太郎"));
    EXPECT_EQ(older.YomiName(), U("ﾔﾏﾀﾞﾀﾛｳ"));
    EXPECT_EQ(older.PhoneKindAt(0), quint32(PhoneGeneral));
    EXPECT_EQ(older.Address(), U("東京都"));
    EXPECT_EQ(older.ZipCode(), "1000001");
    EXPECT_EQ(older.GroupNo(), 3);
    EXPECT_EQ(older.ReceivedDateText(), "2006-01-02");
    // A number that names no group is no group (the store would refuse the card).
    for (const char *none : {"16", "-1", "99999999999", "x"}) {
        VCARD_DATA other = e;
        other.groupNo = none;
        CCardData card;
        ASSERT_TRUE(VCardCardMapper::MapPhoneBookEntry(other, false, false, card));
        EXPECT_EQ(card.GroupNo(), 0) << none;
    }

    CCardData newer; // newer form wants seven address components
    EXPECT_FALSE(VCardCardMapper::MapPhoneBookEntry(e, true, false, newer));
    e.address.values.append(U("日本"));
    CCardData newer2;
    ASSERT_TRUE(VCardCardMapper::MapPhoneBookEntry(e, true, false, newer2));
    EXPECT_EQ(newer2.PhoneKindAt(0), quint32(PhoneHome));
    EXPECT_EQ(newer2.LastName(), U("山田太郎"));
    EXPECT_EQ(newer2.Country(), U("日本"));
}

TEST(VCardCardMapper, RevisionWithTimeKeepsItsDay)
{
    VCARD_DATA e;
    e.revision = "20061231T120000Z";
    e.birthday = "19991108";
    CCardData card;
    ASSERT_TRUE(VCardCardMapper::MapCardFileEntry(e, CCheckArray(), false, card));
    EXPECT_EQ(card.UpdatedDateText(), "2006-12-31");
    EXPECT_EQ(card.BirthdayText(), "1999-11-08");
}

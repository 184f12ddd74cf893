#include "CCardData.h"
#include "CChunk.h"
#include "CIdentityKey.h"
#include "ReadingFake.h"

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QString Repeat(const QString &unit, int count)
{
    return unit.repeated(count);
}

class CardDataTest : public ::testing::Test
{
protected:
    ReadingFake m_fake;
    ScopedReadingService m_install{&m_fake};
    CCardData m_card;
};

} // namespace

TEST_F(CardDataTest, DefaultsAndClear)
{
    const auto expectDefaults = [](const CCardData &c) {
        EXPECT_TRUE(c.Id().isEmpty());
        EXPECT_TRUE(c.Name().isEmpty());
        EXPECT_EQ(c.PhoneCount(), 0);
        EXPECT_EQ(c.MailCount(), 0);
        EXPECT_EQ(c.Importance(), 2);
        EXPECT_EQ(c.ImageRotation(), -1);
        EXPECT_EQ(c.CheckMarks(), QList<bool>(20, false));
        EXPECT_EQ(c.GroupNo(), 0);
        EXPECT_FALSE(c.Print());
        EXPECT_FALSE(c.Fixed());
        EXPECT_EQ(c.Birthday(), CardDate());
        EXPECT_EQ(c.UpdatedDate(), CardDate());
        EXPECT_TRUE(c.BirthdayText().isEmpty());
    };
    expectDefaults(m_card);

    m_card.SetName(QStringLiteral("山田 太郎"));
    m_card.SetPhone(0, {QStringLiteral("0312345678"), PhoneOffice});
    m_card.SetMail(0, {QStringLiteral("a@b.jp"), MailOffice});
    m_card.SetImportance(0);
    m_card.SetImageRotationOf(0, 1);
    m_card.SetCheckMark(3, true);
    m_card.Stamp();
    m_card.Clear();
    expectDefaults(m_card);
    EXPECT_TRUE(m_card.YomiName().isEmpty());
}

TEST_F(CardDataTest, CopyAndAssignmentTakeEveryField)
{
    m_card.SetName(QStringLiteral("山田 太郎"));
    m_card.SetPhone(0, {QStringLiteral("03-1234-5678"), PhoneFax});
    m_card.SetCheckMark(19, true);
    m_card.SetMemo(QStringLiteral("メモ"));
    m_card.SetImageRotationOf(1, 3);
    m_card.Stamp();

    const CCardData copy(m_card);
    EXPECT_EQ(copy.Id(), m_card.Id());
    EXPECT_EQ(copy.YomiName(), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
    EXPECT_EQ(copy.PhoneKindAt(0), quint32(PhoneFax));
    EXPECT_TRUE(copy.CheckMark(19));
    EXPECT_EQ(copy.UpdatedDate(), m_card.UpdatedDate());

    CCardData assigned;
    assigned = copy;
    CCardData moved(std::move(assigned));
    // Every persisted field: the record bytes are the same.
    EXPECT_EQ(CChunk::EncodeCard(moved), CChunk::EncodeCard(m_card));
}

TEST_F(CardDataTest, SetNameSplitsAtTheFirstSpace)
{
    EXPECT_TRUE(m_card.SetName(QStringLiteral("山田 太郎")));
    EXPECT_EQ(m_card.LastName(), QStringLiteral("山田"));
    EXPECT_EQ(m_card.FirstName(), QStringLiteral("太郎"));
    EXPECT_EQ(m_card.Name(), QStringLiteral("山田 太郎"));
    EXPECT_EQ(m_card.YomiLastName(), QStringLiteral("ﾔﾏﾀﾞ"));
    EXPECT_EQ(m_card.YomiFirstName(), QStringLiteral("ﾀﾛｳ"));
    EXPECT_EQ(m_card.YomiName(), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));

    // Everything after the first space is the given name; it is cut to 32.
    CCardData two;
    EXPECT_TRUE(two.SetName(QStringLiteral("山田 太郎 次郎")));
    EXPECT_EQ(two.LastName(), QStringLiteral("山田"));
    EXPECT_EQ(two.FirstName(), QStringLiteral("太郎 次郎"));
    EXPECT_EQ(two.Name(), QStringLiteral("山田 太郎 次郎"));

    CCardData longFirst;
    const QString first = Repeat(QStringLiteral("b"), 30) + QStringLiteral(" ccc");
    EXPECT_FALSE(longFirst.SetName(QStringLiteral("a ") + first));
    EXPECT_EQ(longFirst.FirstName(), first.left(32));
    EXPECT_EQ(longFirst.Name(), QStringLiteral("a ") + first.left(32));
}

TEST_F(CardDataTest, SetNameWithoutSpace)
{
    m_card.SetName(QStringLiteral("山田 太郎"));
    EXPECT_TRUE(m_card.SetName(QStringLiteral("鈴木")));
    EXPECT_EQ(m_card.LastName(), QStringLiteral("鈴木"));
    EXPECT_TRUE(m_card.FirstName().isEmpty());
    EXPECT_EQ(m_card.Name(), QStringLiteral("鈴木"));
    // Readings already present are left alone.
    EXPECT_EQ(m_card.YomiLastName(), QStringLiteral("ﾔﾏﾀﾞ"));

    // 40 characters: the name stays whole, the parts split 32 + 8, the reading follows the name.
    CCardData forty;
    const QString name = Repeat(QStringLiteral("あ"), 40);
    EXPECT_TRUE(forty.SetName(name));
    EXPECT_EQ(forty.Name(), name);
    EXPECT_EQ(forty.LastName(), name.left(32));
    EXPECT_EQ(forty.FirstName(), name.left(8));
    EXPECT_EQ(forty.YomiName(), Repeat(QStringLiteral("ｱ"), 40));
    EXPECT_EQ(forty.YomiLastName().size(), 32);
    EXPECT_EQ(forty.YomiFirstName().size(), 8);

    CCardData limit;
    EXPECT_TRUE(limit.SetName(Repeat(QStringLiteral("名"), 64)));
    EXPECT_EQ(limit.Name().size(), 64);
    EXPECT_FALSE(limit.SetName(Repeat(QStringLiteral("名"), 65)));
    EXPECT_EQ(limit.Name().size(), 64);
    EXPECT_EQ(limit.FirstName().size(), 32);
}

TEST_F(CardDataTest, EmptyNameClearsPartsButKeepsReadings)
{
    m_card.SetName(QStringLiteral("山田 太郎"));
    EXPECT_TRUE(m_card.SetName(QString()));
    EXPECT_TRUE(m_card.Name().isEmpty());
    EXPECT_TRUE(m_card.LastName().isEmpty());
    EXPECT_TRUE(m_card.FirstName().isEmpty());
    EXPECT_EQ(m_card.YomiName(), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
}

TEST_F(CardDataTest, NameCompositionAtSixtyFour)
{
    EXPECT_TRUE(m_card.SetLastName(Repeat(QStringLiteral("a"), 31)));
    EXPECT_TRUE(m_card.SetFirstName(Repeat(QStringLiteral("b"), 32)));
    EXPECT_EQ(m_card.Name(), Repeat(QStringLiteral("a"), 31) + " " + Repeat(QStringLiteral("b"), 32));
    EXPECT_TRUE(m_card.SetLastName(Repeat(QStringLiteral("a"), 32)));
    EXPECT_EQ(m_card.Name(), Repeat(QStringLiteral("a"), 32) + Repeat(QStringLiteral("b"), 32));
    EXPECT_FALSE(m_card.SetLastName(Repeat(QStringLiteral("c"), 33)));
    EXPECT_EQ(m_card.LastName().size(), 32);
    EXPECT_TRUE(m_card.SetFirstName(QString()));
    EXPECT_EQ(m_card.Name(), Repeat(QStringLiteral("c"), 32));
}

TEST_F(CardDataTest, PartSettersFillOnlyEmptyReadings)
{
    EXPECT_TRUE(m_card.SetLastName(QStringLiteral("山田")));
    EXPECT_EQ(m_card.YomiLastName(), QStringLiteral("ﾔﾏﾀﾞ"));
    EXPECT_TRUE(m_card.SetLastName(QStringLiteral("鈴木")));
    EXPECT_EQ(m_card.YomiLastName(), QStringLiteral("ﾔﾏﾀﾞ"));

    SetReadingService(nullptr);
    CCardData plain;
    plain.SetLastName(QStringLiteral("山田"));
    EXPECT_TRUE(plain.YomiLastName().isEmpty());
}

TEST_F(CardDataTest, ReadingLimitsBeforeAndAfterConversion)
{
    // 32 voiced kana become 64 half-width units: exactly the limit, split 32 + 32.
    EXPECT_TRUE(m_card.SetYomiName(Repeat(QStringLiteral("が"), 32)));
    EXPECT_EQ(m_card.YomiName(), Repeat(QStringLiteral("ｶﾞ"), 32));
    EXPECT_EQ(m_card.YomiLastName(), Repeat(QStringLiteral("ｶﾞ"), 16));
    EXPECT_EQ(m_card.YomiFirstName(), Repeat(QStringLiteral("ｶﾞ"), 16));

    EXPECT_FALSE(m_card.SetYomiName(Repeat(QStringLiteral("が"), 33)));
    EXPECT_EQ(m_card.YomiName().size(), 64);

    EXPECT_TRUE(m_card.SetYomiName(Repeat(QStringLiteral("ｱ"), 30) + " " + Repeat(QStringLiteral("ｲ"), 30)));
    EXPECT_FALSE(m_card.SetYomiName(Repeat(QStringLiteral("ｱ"), 91)));
    EXPECT_EQ(m_card.YomiName().size(), 64);

    EXPECT_TRUE(m_card.SetYomiLastName(Repeat(QStringLiteral("が"), 16)));
    EXPECT_FALSE(m_card.SetYomiLastName(Repeat(QStringLiteral("が"), 17)));
    EXPECT_EQ(m_card.YomiLastName().size(), 32);
    EXPECT_FALSE(m_card.SetYomiFirstName(Repeat(QStringLiteral("ｱ"), 91)));

    EXPECT_TRUE(m_card.SetYomiName(QString()));
    EXPECT_TRUE(m_card.YomiLastName().isEmpty());
    EXPECT_TRUE(m_card.YomiFirstName().isEmpty());
}

TEST_F(CardDataTest, CompanyAndItsReading)
{
    EXPECT_TRUE(m_card.SetCompany(QStringLiteral("株式会社東芝"), false));
    EXPECT_TRUE(m_card.CompanyYomi().isEmpty());
    EXPECT_TRUE(m_card.SetCompany(QStringLiteral("株式会社東芝"), true));
    EXPECT_EQ(m_card.CompanyYomi(), QStringLiteral("ｶﾌﾞｼｷｶﾞｲｼｬﾄｳｼﾊﾞ"));
    EXPECT_EQ(m_card.CompanySortKey(), QStringLiteral("ﾄｳｼﾊﾞ"));
    EXPECT_TRUE(m_card.SetCompany(QStringLiteral("鈴木"), true));
    EXPECT_EQ(m_card.CompanyYomi(), QStringLiteral("ｶﾌﾞｼｷｶﾞｲｼｬﾄｳｼﾊﾞ"));

    EXPECT_TRUE(m_card.SetCompanyYomi(QStringLiteral("とうしば かぶしきがいしゃ")));
    EXPECT_EQ(m_card.CompanySortKey(), QStringLiteral("ﾄｳｼﾊﾞ ｶﾌﾞｼｷｶﾞｲｼｬ"));
    EXPECT_FALSE(m_card.SetCompanyYomi(Repeat(QStringLiteral("が"), 17)));
    EXPECT_EQ(m_card.CompanyYomi().size(), 32);
    EXPECT_FALSE(m_card.SetCompanyYomi(Repeat(QStringLiteral("あ"), 200000)));
    EXPECT_EQ(m_card.CompanyYomi(), Repeat(QStringLiteral("ｱ"), 32));
    EXPECT_FALSE(m_card.SetCompanyYomi(Repeat(QStringLiteral("東"), 200000)));
    EXPECT_EQ(m_fake.asked.last().size(), 90); // an oversized field is cut before it is read

    EXPECT_TRUE(m_card.SetCompany(Repeat(QStringLiteral("社"), 32), false));
    EXPECT_FALSE(m_card.SetCompany(Repeat(QStringLiteral("社"), 33), false));
    EXPECT_EQ(m_card.Company().size(), 32);
}

TEST_F(CardDataTest, PlainTextLimits)
{
    struct Case
    {
        bool (CCardData::*set)(const QString &);
        QString (CCardData::*get)() const;
        int limit;
    };
    const Case cases[] = {
        {&CCardData::SetDepartment, &CCardData::Department, 32},
        {&CCardData::SetTitle, &CCardData::Title, 32},
        {&CCardData::SetUrl, &CCardData::Url, 1024},
        {&CCardData::SetMemo, &CCardData::Memo, 256},
        {&CCardData::SetCountry, &CCardData::Country, 32},
        {&CCardData::SetPrefecture, &CCardData::Prefecture, 64},
        {&CCardData::SetCity, &CCardData::City, 64},
        {&CCardData::SetStreet, &CCardData::Street, 64},
        {&CCardData::SetAddressExtra, &CCardData::AddressExtra, 64},
    };
    for (const Case &c : cases) {
        CCardData card;
        EXPECT_TRUE((card.*c.set)(Repeat(QStringLiteral("字"), c.limit))) << c.limit;
        EXPECT_FALSE((card.*c.set)(Repeat(QStringLiteral("字"), c.limit + 1))) << c.limit;
        EXPECT_EQ((card.*c.get)().size(), c.limit);
    }
}

TEST_F(CardDataTest, ZeroCharactersAreDroppedSoTheStoredTextComesBackWhole)
{
    // Imported text can hold U+0000; the management file would end the text there.
    const QString zero(QChar(0));
    EXPECT_FALSE(m_card.SetName(QStringLiteral("山田") + zero + QStringLiteral(" 太郎")));
    EXPECT_FALSE(m_card.SetMemo(zero + QStringLiteral("一行目") + zero));
    EXPECT_FALSE(m_card.SetCompany(QStringLiteral("株式会社") + zero + QStringLiteral("例"), false));
    EXPECT_FALSE(m_card.SetDepartment(Repeat(QStringLiteral("部"), 32) + zero));
    EXPECT_EQ(m_card.Name(), QStringLiteral("山田 太郎"));
    EXPECT_EQ(m_card.LastName(), QStringLiteral("山田"));
    EXPECT_EQ(m_card.Memo(), QStringLiteral("一行目"));
    EXPECT_EQ(m_card.Company(), QStringLiteral("株式会社例"));
    EXPECT_EQ(m_card.Department(), Repeat(QStringLiteral("部"), 32));

    m_card.SetId(QStringLiteral("0f0e0d0c-0000-4000-8000-000000000002"));
    CCardData back;
    const QByteArray bytes = CChunk::EncodeCard(m_card);
    ASSERT_TRUE(CChunk::DecodeCard(bytes.constData(), bytes.size(), &back));
    EXPECT_EQ(CChunk::EncodeCard(back), bytes);
    EXPECT_EQ(back.Name(), m_card.Name());
    EXPECT_EQ(back.Memo(), m_card.Memo());
}

TEST_F(CardDataTest, PhoneIsNarrowedAndCleaned)
{
    EXPECT_TRUE(m_card.SetPhone(0, {QStringLiteral("（０３）１２３４－５６７８"), PhoneOffice}));
    EXPECT_EQ(m_card.Phone(0), QStringLiteral("(03)1234-5678"));
    EXPECT_TRUE(m_card.SetPhone(1, {QStringLiteral("+81-3-1234p5#*P"), PhoneHome}));
    EXPECT_EQ(m_card.Phone(1), QStringLiteral("+81-3-1234p5#*P"));
    EXPECT_FALSE(m_card.SetPhone(0, {QStringLiteral("03-1234-5678 ext"), PhoneOffice}));
    EXPECT_EQ(m_card.Phone(0), QStringLiteral("03-1234-5678"));

    EXPECT_TRUE(m_card.SetPhone(0, {Repeat(QStringLiteral("1"), 32), PhoneOffice}));
    EXPECT_FALSE(m_card.SetPhone(0, {Repeat(QStringLiteral("1"), 33), PhoneOffice}));
    EXPECT_EQ(m_card.Phone(0).size(), 32);
    // Dropping characters does not lift the limit.
    EXPECT_FALSE(m_card.SetPhone(0, {Repeat(QStringLiteral("1"), 40) + "x", PhoneOffice}));
    EXPECT_EQ(m_card.Phone(0), Repeat(QStringLiteral("1"), 32));
}

TEST_F(CardDataTest, PhoneIndexHandling)
{
    m_card.SetPhone(0, {QStringLiteral("1"), PhoneMobile});
    m_card.SetPhone(5, {QStringLiteral("2"), PhoneHome}); // beyond the end appends
    m_card.SetPhone(2, {QStringLiteral("3"), PhoneFax});
    ASSERT_EQ(m_card.PhoneCount(), 3);
    EXPECT_EQ(m_card.Phone(1), QStringLiteral("2"));

    EXPECT_TRUE(m_card.SetPhone(1, {QStringLiteral("4"), PhoneOffice}));
    EXPECT_EQ(m_card.Phone(1), QStringLiteral("4"));
    EXPECT_EQ(m_card.PhoneKindAt(1), quint32(PhoneOffice));

    EXPECT_TRUE(m_card.SetPhone(0, {QString(), PhoneMobile}));
    ASSERT_EQ(m_card.PhoneCount(), 2);
    EXPECT_EQ(m_card.Phone(0), QStringLiteral("4"));
    EXPECT_EQ(m_card.PhoneKindAt(0), quint32(PhoneOffice));
    EXPECT_EQ(m_card.Phone(1), QStringLiteral("3"));
    EXPECT_EQ(m_card.PhoneKindAt(1), quint32(PhoneFax));

    // Only dropped characters: the entry goes too.
    EXPECT_FALSE(m_card.SetPhone(1, {QStringLiteral("abc"), PhoneFax}));
    EXPECT_EQ(m_card.PhoneCount(), 1);

    EXPECT_TRUE(m_card.SetPhone(9, {QString(), PhoneMobile}));
    EXPECT_FALSE(m_card.SetPhone(-1, {QStringLiteral("5"), PhoneMobile}));
    EXPECT_EQ(m_card.PhoneCount(), 1);
    EXPECT_EQ(m_card.Phone(-1), QString());
    EXPECT_EQ(m_card.Phone(1), QString());
    EXPECT_EQ(m_card.PhoneKindAt(1), 0u);

    m_card.SetPhone(1, {QStringLiteral("6"), PhoneHome});
    EXPECT_TRUE(m_card.SwapPhones(0, 1));
    EXPECT_EQ(m_card.Phone(0), QStringLiteral("6"));
    EXPECT_EQ(m_card.PhoneKindAt(0), quint32(PhoneHome));
    EXPECT_EQ(m_card.PhoneKindAt(1), quint32(PhoneOffice));
    EXPECT_FALSE(m_card.SwapPhones(0, 2));
    EXPECT_FALSE(m_card.SwapPhones(-1, 0));
}

TEST_F(CardDataTest, MailIsNarrowedAndCleaned)
{
    EXPECT_TRUE(m_card.SetMail(0, {QStringLiteral("ｔａｒｏ＠ｅｘａｍｐｌｅ．ｊｐ"), MailOffice}));
    EXPECT_EQ(m_card.Mail(0), QStringLiteral("taro@example.jp"));
    EXPECT_EQ(m_card.MailKindAt(0), quint32(MailOffice));
    EXPECT_TRUE(m_card.SetMail(1, {QStringLiteral("a￣b c@d"), MailHome}));
    EXPECT_EQ(m_card.Mail(1), QStringLiteral(u"a\u203Eb c@d"));
    EXPECT_FALSE(m_card.SetMail(1, {QStringLiteral("太郎@example.jp"), MailHome}));
    EXPECT_EQ(m_card.Mail(1), QStringLiteral("@example.jp"));

    EXPECT_TRUE(m_card.SetMail(0, {Repeat(QStringLiteral("m"), 128), MailInternet}));
    EXPECT_FALSE(m_card.SetMail(0, {Repeat(QStringLiteral("m"), 129), MailInternet}));
    EXPECT_EQ(m_card.Mail(0).size(), 128);
    EXPECT_FALSE(m_card.SetMail(0, {Repeat(QStringLiteral("m"), 130) + "名", MailInternet}));
    EXPECT_EQ(m_card.Mail(0).size(), 128);

    EXPECT_TRUE(m_card.SetMail(0, {QString(), MailInternet}));
    ASSERT_EQ(m_card.MailCount(), 1);
    EXPECT_EQ(m_card.MailKindAt(0), quint32(MailHome));
    EXPECT_FALSE(m_card.SetMail(-2, {QStringLiteral("x@y"), MailHome}));
    EXPECT_EQ(m_card.MailCount(), 1);
    EXPECT_EQ(m_card.Mail(3), QString());

    m_card.SetMail(1, {QStringLiteral("z@y"), MailMobile});
    EXPECT_TRUE(m_card.SwapMails(1, 0));
    EXPECT_EQ(m_card.Mail(0), QStringLiteral("z@y"));
    EXPECT_EQ(m_card.MailKindAt(0), quint32(MailMobile));
    EXPECT_FALSE(m_card.SwapMails(1, 2));
}

TEST_F(CardDataTest, ZipCodeIsNarrowedCleanedAndLimited)
{
    EXPECT_TRUE(m_card.SetZipCode(QStringLiteral("１２３－４５６７")));
    EXPECT_EQ(m_card.ZipCode(), QStringLiteral("123-4567"));
    EXPECT_FALSE(m_card.SetZipCode(QStringLiteral("〒123-4567")));
    EXPECT_EQ(m_card.ZipCode(), QStringLiteral("123-4567"));
    EXPECT_TRUE(m_card.SetZipCode(Repeat(QStringLiteral("9"), 20)));
    EXPECT_FALSE(m_card.SetZipCode(Repeat(QStringLiteral("9"), 21)));
    EXPECT_EQ(m_card.ZipCode().size(), 20);
    EXPECT_FALSE(m_card.SetZipCode(QStringLiteral("〒") + Repeat(QStringLiteral("9"), 25)));
    EXPECT_EQ(m_card.ZipCode().size(), 20);
}

TEST_F(CardDataTest, AddressWithFiveWords)
{
    const QString text = QStringLiteral("日本 東京都 千代田区 丸の内1-1 ビル5F");
    EXPECT_TRUE(m_card.SetAddress(text));
    EXPECT_EQ(m_card.Country(), QStringLiteral("日本"));
    EXPECT_EQ(m_card.Prefecture(), QStringLiteral("東京都"));
    EXPECT_EQ(m_card.City(), QStringLiteral("千代田区"));
    EXPECT_EQ(m_card.Street(), QStringLiteral("丸の内1-1"));
    EXPECT_EQ(m_card.AddressExtra(), QStringLiteral("ビル5F"));
    EXPECT_EQ(m_card.Address(), text);

    // A sixth word is not kept in any part; the address stays as given.
    const QString six = text + QStringLiteral(" 受付");
    EXPECT_TRUE(m_card.SetAddress(six));
    EXPECT_EQ(m_card.AddressExtra(), QStringLiteral("ビル5F"));
    EXPECT_EQ(m_card.Address(), six);
}

TEST_F(CardDataTest, AddressWithoutSpacesAndWithLineBreaks)
{
    const QString text =
        Repeat(QStringLiteral("あ"), 32) + Repeat(QStringLiteral("い"), 64) + Repeat(QStringLiteral("う"), 4);
    EXPECT_TRUE(m_card.SetAddress(text));
    EXPECT_EQ(m_card.Country(), Repeat(QStringLiteral("あ"), 32));
    EXPECT_EQ(m_card.Prefecture(), Repeat(QStringLiteral("い"), 64));
    EXPECT_EQ(m_card.City(), Repeat(QStringLiteral("う"), 4));
    EXPECT_TRUE(m_card.Street().isEmpty());
    EXPECT_TRUE(m_card.AddressExtra().isEmpty());
    EXPECT_EQ(m_card.Address(), text);

    const QString broken = QStringLiteral("  日本\r\n東京都 港区  ");
    EXPECT_TRUE(m_card.SetAddress(broken));
    EXPECT_EQ(m_card.Country(), QStringLiteral("日本"));
    EXPECT_EQ(m_card.Prefecture(), QStringLiteral("東京都"));
    EXPECT_EQ(m_card.City(), QStringLiteral("港区"));
    EXPECT_TRUE(m_card.Street().isEmpty());
    EXPECT_EQ(m_card.Address(), broken);

    EXPECT_TRUE(m_card.SetAddress(Repeat(QStringLiteral("住"), 288)));
    EXPECT_FALSE(m_card.SetAddress(Repeat(QStringLiteral("住"), 289)));
    EXPECT_EQ(m_card.Address().size(), 288);
}

TEST_F(CardDataTest, AddressPartsRecomposeTheAddress)
{
    EXPECT_TRUE(m_card.SetCity(QStringLiteral("港区")));
    EXPECT_EQ(m_card.Address(), QStringLiteral("  港区  "));
    EXPECT_TRUE(m_card.SetCountry(QStringLiteral("日本")));
    EXPECT_EQ(m_card.Address(), QStringLiteral("日本  港区  "));

    // Five full parts and four spaces would be 292: the address is kept within 288.
    m_card.SetCountry(Repeat(QStringLiteral("a"), 32));
    m_card.SetPrefecture(Repeat(QStringLiteral("b"), 64));
    m_card.SetCity(Repeat(QStringLiteral("c"), 64));
    EXPECT_TRUE(m_card.SetStreet(Repeat(QStringLiteral("d"), 64)));
    EXPECT_FALSE(m_card.SetAddressExtra(Repeat(QStringLiteral("e"), 64)));
    EXPECT_EQ(m_card.Address().size(), 288);
    EXPECT_TRUE(m_card.Address().endsWith(Repeat(QStringLiteral("e"), 60)));
}

TEST_F(CardDataTest, DatesFromText)
{
    EXPECT_TRUE(m_card.SetBirthday(QStringLiteral("1980/3/5")));
    EXPECT_EQ(m_card.Birthday().year, 1980);
    EXPECT_EQ(m_card.Birthday().month, 3);
    EXPECT_EQ(m_card.Birthday().day, 5);
    EXPECT_TRUE(m_card.Birthday().IsSet());
    EXPECT_EQ(m_card.BirthdayText(), QStringLiteral("1980-03-05"));

    EXPECT_TRUE(m_card.SetRegisteredDate(QStringLiteral("2024-12-31")));
    EXPECT_EQ(m_card.RegisteredDateText(), QStringLiteral("2024-12-31"));
    EXPECT_TRUE(m_card.SetUpdatedDate(QStringLiteral("2025/01-02")));
    EXPECT_EQ(m_card.UpdatedDateText(), QStringLiteral("2025-01-02"));

    // Text that is no calendar date is reported.
    EXPECT_FALSE(m_card.SetBirthday(QStringLiteral("2023/2/30")));
    EXPECT_FALSE(m_card.SetBirthday(QStringLiteral("1980/3")));
    EXPECT_FALSE(m_card.SetBirthday(QStringLiteral("abc")));
    EXPECT_FALSE(m_card.SetBirthday(QStringLiteral("99999/1/1")));
    EXPECT_FALSE(m_card.SetBirthday(QString()));
}

TEST_F(CardDataTest, StampGivesIdentityAndDates)
{
    m_card.Stamp();
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$"))
            .match(m_card.Id())
            .hasMatch())
        << m_card.Id().toStdString();
    const CardDate reg = m_card.RegisteredDate();
    const CardDate upd = m_card.UpdatedDate();
    EXPECT_EQ(reg.second, 1);
    EXPECT_EQ(upd.second, 1);
    EXPECT_EQ(upd.milliseconds, 0);
    EXPECT_EQ(std::tie(reg.year, reg.month, reg.day, reg.hour, reg.minute),
              std::tie(upd.year, upd.month, upd.day, upd.hour, upd.minute));
    for (const CardDate &d : {m_card.Birthday(), m_card.ReceivedDate()}) {
        EXPECT_EQ(std::tie(d.year, d.month, d.day), std::tie(reg.year, reg.month, reg.day));
        EXPECT_FALSE(d.IsSet());
    }

    // Stamping again keeps the identity and the registration.
    const QString id = m_card.Id();
    m_card.SetBirthday(QStringLiteral("1980/3/5"));
    m_card.Stamp();
    EXPECT_EQ(m_card.Id(), id);
    EXPECT_EQ(m_card.RegisteredDate(), reg);
    EXPECT_EQ(m_card.BirthdayText(), QStringLiteral("1980-03-05"));

    // A card that was never registered gets a fresh identity even if it had one.
    CCardData imported;
    imported.SetId(id);
    imported.Stamp();
    EXPECT_NE(imported.Id(), id);
    EXPECT_EQ(imported.Id().size(), 36);
}

TEST_F(CardDataTest, IdenticalMeansSameNameAndSameNumbers)
{
    CCardData a;
    CCardData b;
    a.SetName(QStringLiteral("山田 太郎"));
    b.SetName(QStringLiteral("山田 太郎"));
    EXPECT_TRUE(a.IsIdentical(b));
    a.SetPhone(0, {QStringLiteral("03-1111"), PhoneOffice});
    a.SetPhone(1, {QStringLiteral("090-2222"), PhoneMobile});
    b.SetPhone(0, {QStringLiteral("090-2222"), PhoneFax});
    b.SetPhone(1, {QStringLiteral("03-1111"), PhoneHome});
    b.SetMail(0, {QStringLiteral("x@y"), MailHome});
    EXPECT_TRUE(a.IsIdentical(b));
    EXPECT_TRUE(b.IsIdentical(a));

    b.SetPhone(2, {QStringLiteral("03-3333"), PhoneHome});
    EXPECT_FALSE(a.IsIdentical(b));
    b.SetPhone(2, {QString(), PhoneHome});

    CCardData c(b);
    c.SetName(QStringLiteral("山田 次郎"));
    EXPECT_FALSE(a.IsIdentical(c));

    // Each number matches once.
    CCardData d;
    CCardData e;
    d.SetPhone(0, {QStringLiteral("1"), PhoneMobile});
    d.SetPhone(1, {QStringLiteral("1"), PhoneMobile});
    e.SetPhone(0, {QStringLiteral("1"), PhoneMobile});
    e.SetPhone(1, {QStringLiteral("2"), PhoneMobile});
    EXPECT_FALSE(d.IsIdentical(e));
    EXPECT_FALSE(e.IsIdentical(d));

    // Same entry count, but one side has an extra non-empty number.
    CCardData f;
    CCardData g;
    f.SetPhone(0, {QStringLiteral("1"), PhoneMobile});
    f.SetPhone(1, {QString(), PhoneMobile});
    g.SetPhone(0, {QStringLiteral("1"), PhoneMobile});
    g.SetPhone(1, {QStringLiteral("1"), PhoneMobile});
    EXPECT_FALSE(f.IsIdentical(g));
    EXPECT_FALSE(g.IsIdentical(f));
}

TEST_F(CardDataTest, IdenticalWithManyNumbersAndItsKey)
{
    // More numbers than the small fixed buffers hold, in reversed order.
    CCardData a;
    CCardData b;
    const int count = 12;
    for (int i = 0; i < count; ++i) {
        a.SetPhone(i, {i % 3 ? QString::number(i % 5) : QString(), PhoneMobile});
        b.SetPhone(i, {(count - 1 - i) % 3 ? QString::number((count - 1 - i) % 5) : QString(), PhoneMobile});
    }
    EXPECT_TRUE(a.IsIdentical(b));
    EXPECT_TRUE(b.IsIdentical(a));
    EXPECT_EQ(CIdentityKey::Of(a), CIdentityKey::Of(b));

    b.SetPhone(1, {QStringLiteral("9"), PhoneMobile});
    EXPECT_FALSE(a.IsIdentical(b));
    EXPECT_NE(CIdentityKey::Of(a), CIdentityKey::Of(b));
    CCardData c(a);
    c.SetName(QStringLiteral("x"));
    EXPECT_NE(CIdentityKey::Of(a), CIdentityKey::Of(c));
}

TEST_F(CardDataTest, SearchPredicates)
{
    m_card.SetName(QStringLiteral("Yamada 太郎"));
    m_card.SetPhone(0, {QStringLiteral("03-1234-5678"), PhoneOffice});
    m_card.SetMail(0, {QStringLiteral("taro@example.jp"), MailOffice});
    m_card.SetBirthday(QStringLiteral("1980/3/5"));
    m_card.SetGroupNo(4);
    m_card.SetPrint(true);
    m_card.SetCheckMark(2, true);
    m_card.SetImportance(1);
    EXPECT_FALSE(m_card.ContainsText(QStringLiteral("Yamada"), FieldName));
    EXPECT_FALSE(m_card.Matches(4, FieldGroupNo));
    m_card.Stamp();

    EXPECT_TRUE(m_card.ContainsText(QStringLiteral("Yamada"), FieldName));
    EXPECT_FALSE(m_card.ContainsText(QStringLiteral("yamada"), FieldName));
    EXPECT_TRUE(m_card.ContainsText(QStringLiteral("1234"), FieldPhones));
    EXPECT_TRUE(m_card.ContainsText(QStringLiteral("example"), FieldMails));
    EXPECT_FALSE(m_card.ContainsText(QStringLiteral("Yamada"), FieldLastName));
    EXPECT_FALSE(m_card.ContainsText(QString(), FieldName));
    EXPECT_TRUE(m_card.ContainsText(QString(), FieldMemo));
    EXPECT_FALSE(m_card.ContainsText(QString(), FieldPhones));
    EXPECT_TRUE(m_card.ContainsText(QString(), FieldUrl));

    CardDate from;
    from.year = 1980;
    from.month = 3;
    from.day = 5;
    CardDate to = from;
    EXPECT_TRUE(m_card.DateInRange(from, to, FieldBirthday));
    to.day = 4;
    EXPECT_FALSE(m_card.DateInRange(from, to, FieldBirthday));
    from.year = 1900;
    to.year = 2999;
    EXPECT_FALSE(m_card.DateInRange(from, to, FieldReceivedDate)); // not set
    EXPECT_TRUE(m_card.DateInRange(from, to, FieldRegisteredDate));
    EXPECT_TRUE(m_card.DateInRange(from, to, FieldUpdatedDate));
    EXPECT_FALSE(m_card.DateInRange(from, to, FieldGroupNo));

    EXPECT_TRUE(m_card.Matches(4, FieldGroupNo));
    EXPECT_TRUE(m_card.Matches(0, FieldPrint));
    EXPECT_FALSE(m_card.Matches(1, FieldPrint));
    EXPECT_TRUE(m_card.Matches(2, FieldCheckMarks));
    EXPECT_FALSE(m_card.Matches(3, FieldCheckMarks));
    EXPECT_FALSE(m_card.Matches(20, FieldCheckMarks));
    EXPECT_TRUE(m_card.Matches(1, FieldImportance));
    EXPECT_TRUE(m_card.Matches(1, FieldFixed));
    EXPECT_FALSE(m_card.Matches(0, FieldFixed));
    EXPECT_FALSE(m_card.Matches(0, FieldName));
}

TEST_F(CardDataTest, ImageRotationNibbles)
{
    EXPECT_EQ(m_card.ImageRotationOf(0), 0); // 15: nothing chosen yet
    m_card.SetImageRotationOf(1, 3);
    EXPECT_EQ(quint32(m_card.ImageRotation()), 0xFFFFFF3Fu);
    EXPECT_EQ(m_card.ImageRotationOf(1), 3);
    EXPECT_EQ(m_card.ImageRotationOf(0), 0);
    m_card.SetImageRotationOf(7, 5);
    EXPECT_EQ(quint32(m_card.ImageRotation()), 0x1FFFFF3Fu);
    m_card.SetImageRotationOf(8, 1);
    m_card.SetImageRotationOf(-1, 1);
    EXPECT_EQ(quint32(m_card.ImageRotation()), 0x1FFFFF3Fu);

    m_card.SetImageRotation(0x21);
    EXPECT_EQ(m_card.ImageRotationOf(0), 1);
    EXPECT_EQ(m_card.ImageRotationOf(1), 2);
    EXPECT_EQ(m_card.ImageRotationOf(2), 0);
    EXPECT_EQ(m_card.ImageRotationOf(8), 0);
}

TEST_F(CardDataTest, NameArchiveHoldsNameAndReadingOnly)
{
    m_card.SetName(QStringLiteral("AB"));
    m_card.SetYomiName(QStringLiteral("ｴｰ"));
    m_card.SetCompany(QStringLiteral("C"), false);
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        m_card.WriteNameArchive(out);
    }
    EXPECT_EQ(bytes.toHex(), QByteArray("00000004"
                                        "00410042"
                                        "00000004"
                                        "ff74ff70"));

    CCardData read;
    {
        QDataStream in(bytes);
        read.ReadNameArchive(in);
    }
    EXPECT_EQ(read.Name(), QStringLiteral("AB"));
    EXPECT_EQ(read.YomiName(), QStringLiteral("ｴｰ"));
    EXPECT_TRUE(read.Company().isEmpty());

    // A cut archive changes nothing.
    for (int cut = 0; cut < bytes.size(); ++cut) {
        CCardData partial;
        partial.SetName(QStringLiteral("keep"));
        QDataStream in(bytes.left(cut));
        partial.ReadNameArchive(in);
        EXPECT_EQ(partial.Name(), QStringLiteral("keep")) << cut;
    }
}

TEST_F(CardDataTest, RandomTextNeverExceedsAFieldLimit)
{
    // Printable ASCII, kana of both widths, kanji, full-width forms, controls and lone surrogates.
    const char16_t ranges[][2] = {{0x0000, 0x007F}, {0x3000, 0x30FF}, {0x4E00, 0x4E80},
                                  {0xFF00, 0xFFEF}, {0xD800, 0xDFFF}, {0x203E, 0x203E}};
    quint32 seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    for (int round = 0; round < 300; ++round) {
        QString text;
        const int length = int(next() % 400);
        for (int i = 0; i < length; ++i) {
            const auto &range = ranges[next() % 6];
            text.append(QChar(char16_t(range[0] + next() % (range[1] - range[0] + 1))));
        }
        CCardData card;
        card.SetName(text);
        card.SetYomiName(text);
        card.SetCompany(text, true);
        card.SetPhone(0, {text, PhoneOffice});
        card.SetMail(0, {text, MailOffice});
        card.SetZipCode(text);
        card.SetAddress(text);
        card.SetBirthday(text);
        EXPECT_LE(card.Name().size(), 64);
        EXPECT_LE(card.LastName().size(), 32);
        EXPECT_LE(card.FirstName().size(), 32);
        EXPECT_LE(card.YomiName().size(), 64);
        EXPECT_LE(card.YomiLastName().size(), 32);
        EXPECT_LE(card.YomiFirstName().size(), 32);
        EXPECT_LE(card.CompanyYomi().size(), 32);
        EXPECT_LE(card.Phone(0).size(), 32);
        EXPECT_LE(card.Mail(0).size(), 128);
        EXPECT_LE(card.ZipCode().size(), 20);
        EXPECT_LE(card.Address().size(), 288);
        EXPECT_LE(card.Country().size(), 32);
        EXPECT_LE(card.AddressExtra().size(), 64);
        EXPECT_LE(card.PhoneCount(), 1);
    }
}

// A number and its kind go in as one entry: a kind of the other list, a bare
// number for a kind or the arguments in the wrong order do not compile.
template <typename... Args>
concept CanSetPhone = requires(CCardData card, Args... args)
{
    card.SetPhone(args...);
};
static_assert(CanSetPhone<int, PhoneEntry>);
static_assert(!CanSetPhone<QString, int, quint32>);
static_assert(!CanSetPhone<PhoneEntry, int>);
template <typename Entry, typename Kind>
concept EntryOf = requires(Kind kind)
{
    Entry{QString(), kind};
};
static_assert(EntryOf<PhoneEntry, PhoneKind> && EntryOf<MailEntry, MailKind>);
static_assert(!EntryOf<PhoneEntry, MailKind> && !EntryOf<MailEntry, PhoneKind>);
static_assert(!EntryOf<PhoneEntry, int> && !EntryOf<MailEntry, quint32>);

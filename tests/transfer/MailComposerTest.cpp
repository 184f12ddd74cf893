#include "MailComposer.h"

#include "CCardData.h"
#include "Utf8.h"

#include <gtest/gtest.h>

namespace {

MailerInfo Card(const char *address, const char *name = "", const char *company = "",
                const char *department = "")
{
    return MailerInfo{QString::fromUtf8(address), QString::fromUtf8(name), QString::fromUtf8(company),
                      QString::fromUtf8(department)};
}

} // namespace

TEST(MailComposerSelection, TwoCardsAllOptionsOff)
{
    EXPECT_EQ(MailComposer::ForSelection({Card("a@x.jp"), Card("b@y.jp")}, MailOptions{}),
              U("mailto:a@x.jp;%20b@y.jp?body="));
}

TEST(MailComposerSelection, CompanyAndNameForOneCard)
{
    MailOptions options;
    options.company = true;
    options.name = true;
    EXPECT_EQ(MailComposer::ForSelection({Card("a@x.jp", "山田 太郎", "山田商事", "営業部")}, options),
              U("mailto:a@x.jp?body=山田商事%0d%0a山田 太郎様"));
}

TEST(MailComposerSelection, CardsWithoutAddressAreSkippedButStillCountAsSelected)
{
    MailOptions options;
    options.name = true;
    // The greeting comes from the first card with an address; two selected items mean several recipients.
    EXPECT_EQ(MailComposer::ForSelection({Card("", "甲"), Card("b@x.jp", "乙")}, options),
              U("mailto:b@x.jp?body=各位"));
    EXPECT_TRUE(MailComposer::ForSelection({Card(""), Card("")}, options).isEmpty());
    EXPECT_TRUE(MailComposer::ForSelection({}, options).isEmpty());
}

TEST(MailComposerGreeting, DepartmentNeedsCompany)
{
    MailOptions options;
    options.department = true;
    const MailerInfo card = Card("a@x.jp", "山田", "山田商事", "営業部");
    EXPECT_EQ(MailComposer::Greeting(card, options, false, false), QString());
    options.company = true;
    EXPECT_EQ(MailComposer::Greeting(card, options, false, false), U("山田商事営業部"));
    options.honorific = U("殿");
    options.name = true;
    EXPECT_EQ(MailComposer::Greeting(card, options, false, false), U("山田商事営業部%0d%0a山田殿"));
}

TEST(MailComposerGreeting, LineBreakOnlyAfterCompanyTextExceptInEditView)
{
    MailOptions options;
    options.name = true;
    options.company = true;
    const MailerInfo noCompany = Card("a@x.jp", "山田");
    EXPECT_EQ(MailComposer::Greeting(noCompany, options, false, false), U("山田様"));
    EXPECT_EQ(MailComposer::Greeting(noCompany, options, false, true), U("%0d%0a山田様"));
}

TEST(MailComposerRecipients, CcOnly)
{
    EXPECT_EQ(MailComposer::ForRecipients({}, {Card("c@x.jp"), Card("d@x.jp")}, {}, MailOptions{}),
              U("mailto:%20?&cc=c@x.jp;%20d@x.jp"));
}

TEST(MailComposerRecipients, ToAndCcWithoutGreeting)
{
    EXPECT_EQ(
        MailComposer::ForRecipients({Card("a@x.jp"), Card("b@x.jp")}, {Card("c@x.jp")}, {}, MailOptions{}),
        U("mailto:a@x.jp;%20b@x.jp?&cc=c@x.jp"));
}

TEST(MailComposerRecipients, AllThreeListsWithGreeting)
{
    MailOptions options;
    options.name = true;
    EXPECT_EQ(MailComposer::ForRecipients({Card("a@x.jp", "山田")}, {Card("c@x.jp")},
                                          {Card("e@x.jp"), Card("f@x.jp")}, options),
              U("mailto:a@x.jp?&cc=c@x.jp&bcc=e@x.jp;%20f@x.jp&body=山田様"));
    EXPECT_EQ(MailComposer::ForRecipients({Card("a@x.jp", "山田"), Card("b@x.jp")}, {}, {}, options),
              U("mailto:a@x.jp;%20b@x.jp?body=各位"));
    EXPECT_EQ(MailComposer::ForRecipients({}, {}, {Card("e@x.jp")}, options), U("mailto:%20?&bcc=e@x.jp"));
}

TEST(MailComposerEditView, BodyAlwaysPresentAndHonorificFollowsName)
{
    MailOptions options;
    const MailerInfo card = Card("a@x.jp", "山田", "山田商事");
    EXPECT_EQ(MailComposer::ForEditView(card, U("b@x.jp"), options), U("mailto:b@x.jp?body="));
    options.name = true;
    options.honorific = U("御中");
    EXPECT_EQ(MailComposer::ForEditView(card, U("b@x.jp"), options), U("mailto:b@x.jp?body=%0d%0a山田御中"));
}

TEST(MailComposerSafety, CharactersThatWouldSplitTheAddressAreEncoded)
{
    MailOptions options;
    options.company = true;
    options.name = true;
    EXPECT_EQ(MailComposer::ForSelection({Card("a@x.jp", "A#1", "R&D 100%?")}, options),
              U("mailto:a@x.jp?body=R%26D 100%25%3F%0d%0aA%231様"));
}

TEST(MailComposerCard, RecipientTakesTheFirstAddress)
{
    CCardData card;
    card.SetName(U("山田"));
    card.SetMail(0, {U("first@x.jp"), MailOffice});
    card.SetMail(1, {U("second@x.jp"), MailHome});
    card.SetCompany(U("山田商事"), false);
    const MailerInfo info = MailerInfo::FromCard(card);
    EXPECT_EQ(info.Address, U("first@x.jp"));
    EXPECT_EQ(info.Name, U("山田"));
    EXPECT_EQ(info.Company, U("山田商事"));
}

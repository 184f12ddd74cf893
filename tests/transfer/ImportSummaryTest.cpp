#include "ImportSummary.h"
#include "OverwriteConfText.h"

#include "CCardData.h"
#include "Utf8.h"

#include <gtest/gtest.h>

TEST(ImportSummary, VCardLinesInOrderAndCancelled)
{
    ImportCounters c;
    c.filesImported = 2;
    c.added = 4;
    c.overwritten = 1;
    c.skipped = 2;
    c.notCards = 5;
    EXPECT_EQ(ImportSummary::VCard(c, false).text,
              U("2 ファイル インポートしました。\n\n4 件、新規登録しました。\n1 "
                "件、同名データに上書登録しました。\n"
                "2 件、同一データが存在したため登録をスキップしました。\n"
                "5 件、名刺データではないためスキップしました。\n"));
    const UserMessage cancelled = ImportSummary::VCard(c, true);
    EXPECT_EQ(cancelled.caption, U("インポート中断"));
    EXPECT_EQ(cancelled.icon, UserMessage::Warning);
    EXPECT_TRUE(cancelled.text.startsWith(U("インポートを中断しました。\n\n2 ファイル")));
}

TEST(ImportSummary, NothingValidIsAWarningWithoutFileLine)
{
    ImportCounters c;
    c.files = 1;
    c.notCards = 2; // not shown: no card was taken
    const UserMessage m = ImportSummary::VCard(c, false);
    EXPECT_EQ(m.text, U("有効な名刺データがありませんでした。\n"));
    EXPECT_EQ(m.icon, UserMessage::Warning);
    EXPECT_EQ(m.caption, U("インポート完了"));
}

TEST(ImportSummary, CsvStates)
{
    ImportCounters c;
    c.added = 2;
    c.overwritten = 1;
    c.skipped = 1;
    c.notCards = 9;
    UserMessage m = ImportSummary::Csv(c, CsvImportState::Completed);
    EXPECT_EQ(m.caption, U("インポート"));
    EXPECT_EQ(m.icon, UserMessage::Information);
    EXPECT_EQ(m.text, U("3 ファイル インポートしました。\n\n2 件、新規登録しました。\n1 "
                        "件、同名データに上書登録しました。\n"
                        "1 件、同一データが存在したため登録をスキップしました。\n"));

    m = ImportSummary::Csv(ImportCounters(), CsvImportState::Completed);
    EXPECT_EQ(m.text, U("\n\n有効な名刺データがありませんでした。\n"));
    EXPECT_EQ(m.icon, UserMessage::Warning);

    m = ImportSummary::Csv(ImportCounters(), CsvImportState::Cancelled);
    EXPECT_EQ(m.text, U("中断しました。"));
    EXPECT_EQ(m.icon, UserMessage::Warning);

    ImportCounters one;
    one.added = 1;
    m = ImportSummary::Csv(one, CsvImportState::Error);
    EXPECT_EQ(m.text, U("エラーが発生しました。\n\n1 件、新規登録しました。\n"));
    EXPECT_EQ(m.icon, UserMessage::Error);
}

TEST(OverwriteConfText, PaneMarksWhatDiffers)
{
    CCardData stored;
    stored.SetName(U("山田 太郎"));
    stored.SetPhone(0, {U("0312345678"), PhoneOffice});
    stored.SetPhone(1, {U("09011112222"), PhoneMobile});
    CCardData incoming;
    incoming.SetName(U("山田 太郎"));
    incoming.SetPhone(0, {U("0312345678"), PhoneHome});

    EXPECT_EQ(OverwriteConfText::Caption(U("a.vcf")), U("上書き確認 - a.vcf"));
    EXPECT_EQ(OverwriteConfText::Caption(QString()), U("上書き確認"));
    const QList<OverwriteConfText::Line> pane = OverwriteConfText::Pane(stored, incoming);
    ASSERT_EQ(pane.size(), 4);
    EXPECT_EQ(pane[0].Text(), stored.Name());
    EXPECT_EQ(pane[2].Text(), U("[1] 会社電話\t： 0312345678"));
    EXPECT_TRUE(pane[2].kindBold);    // same number, other kind
    EXPECT_FALSE(pane[2].numberBold); // the other card has the number
    EXPECT_EQ(pane[3].Text(), U("[2] 携帯電話\t： 09011112222"));
    EXPECT_TRUE(pane[3].kindBold);
    EXPECT_TRUE(pane[3].numberBold);
    EXPECT_EQ(OverwriteConfText::KindName(PhoneFax), U("FAX\t\t"));

    // Namesakes told apart: company, department and first mail below, bold where they differ.
    stored.SetCompany(U("山田商事"), false);
    stored.SetDepartment(U("営業部"));
    incoming.SetCompany(U("山田商事"), false);
    incoming.SetMail(0, {U("taro@example.jp"), MailMobile});
    const QList<OverwriteConfText::Line> more = OverwriteConfText::Pane(stored, incoming);
    ASSERT_EQ(more.size(), 7);
    EXPECT_EQ(more[4].Text(), U("会社名： 山田商事"));
    EXPECT_FALSE(more[4].numberBold);
    EXPECT_EQ(more[5].Text(), U("部署名： 営業部"));
    EXPECT_TRUE(more[5].numberBold);
    EXPECT_EQ(more[6].Text(), U("E-mail： ")); // the other card has one: the line shows in both panes
    const QList<OverwriteConfText::Line> other = OverwriteConfText::Pane(incoming, stored);
    EXPECT_EQ(other.last().Text(), U("E-mail： taro@example.jp"));
    EXPECT_TRUE(other.last().numberBold);
    EXPECT_EQ(other.size(), 6); // one phone, the name lines and the three labelled lines
    EXPECT_EQ(OverwriteConfText::KindName(PhoneCompanyMobile), U("携帯電話(会社)"));
}

#include "CCardData.h"
#include "CCardStore.h"
#include "TempDir.h"

#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct Result
{
    int code = -1;
    QString out;
    QString err;
};

Result RunCli(const TempDir &home, const QStringList &args)
{
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.Path());
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(TESSALY_CLI), args);
    Result result;
    if (!cli.waitForFinished(60000) || cli.exitStatus() != QProcess::NormalExit)
        return result;
    result.code = cli.exitCode();
    result.out = QString::fromUtf8(cli.readAllStandardOutput());
    result.err = QString::fromUtf8(cli.readAllStandardError());
    return result;
}

CCardData Card(const char *name, const char *registered, const char *phone)
{
    CCardData card;
    card.SetName(QString::fromUtf8(name));
    card.SetRegisteredDate(QString::fromLatin1(registered));
    card.SetPhone(0, {QString::fromLatin1(phone), PhoneMobile});
    return card;
}

} // namespace

// The groups for scripts: a line per group with its reasons, then its cards
// newest first as `list` prints them, each after the group's number.
TEST(DuplicatesCommandTest, PrintsEachGroupWithItsReasonsAndItsCardsNewestFirst)
{
    TempDir home;
    const QString path = home.File(QStringLiteral("cards.ovd"));
    QStringList ids;
    {
        CCardStore store;
        ASSERT_TRUE(store.CreateNew(path));
        for (const CCardData &card : {Card("山田 太郎", "2020-01-01", "090-1111-2222"),
                                      Card("佐藤 花子", "2020-01-01", "090-3333-4444"),
                                      Card("山田　太郎", "2022-01-01", "03-5555-6666"),
                                      Card("Hanako Sato", "2021-01-01", "09033334444")})
            ids << store.AddCard(card)->Id();
    }
    const Result result = RunCli(home, {QStringLiteral("duplicates"), path});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    const QString expected = QString::fromUtf8("group\t1\t電話番号が同じ「09033334444」\n"
                                               "1\t3\t%4\tHanako Sato\t\t\t09033334444\t\n"
                                               "1\t1\t%2\t佐藤 花子\t\t\t090-3333-4444\t\n"
                                               "group\t2\t名前が同じ「山田　太郎」\n"
                                               "2\t2\t%3\t山田　太郎\t\t\t03-5555-6666\t\n"
                                               "2\t0\t%1\t山田 太郎\t\t\t090-1111-2222\t\n")
                                 .arg(ids[0], ids[1], ids[2], ids[3]);
    EXPECT_EQ(result.out.toStdString(), expected.toStdString());
}

// No group is told as such (exit 1, as a search that finds nothing); a file that
// is not there is named, and nothing is created.
TEST(DuplicatesCommandTest, NoGroupAndNoFileAreToldAndFail)
{
    TempDir home;
    const QString path = home.File(QStringLiteral("cards.ovd"));
    {
        CCardStore store;
        ASSERT_TRUE(store.CreateNew(path));
        store.AddCard(Card("山田 太郎", "2020-01-01", "090-1111-2222"));
        store.AddCard(Card("佐藤 花子", "2020-01-01", "090-3333-4444"));
    }
    Result result = RunCli(home, {QStringLiteral("duplicates"), path});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(
        result.err.contains(QString::fromUtf8("重複している可能性のある名刺は見つかりませんでした。")))
        << result.err.toStdString();

    const QString missing = home.File(QStringLiteral("missing.ovd"));
    result = RunCli(home, {QStringLiteral("duplicates"), missing});
    EXPECT_EQ(result.code, 1);
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(RunCli(home, {QStringLiteral("duplicates")}).code, 2);
}

#include "CCardData.h"
#include "CCardStore.h"
#include "TempDir.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

// tessaly-cli in a home of its own: the settings it finds are the ones a test writes.
class CliImportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(home.File("config")));
        ASSERT_TRUE(
            TempDir::WriteAll(home.File("cards.vcf"), QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\n"
                                                                     "FN:山田 太郎\r\nN:山田;太郎;;;\r\n"
                                                                     "ORG:株式会社東芝\r\nEND:VCARD\r\n")
                                                          .toUtf8()));
    }

    // Runs the tool; the exit code, or -1 when it did not run to its end.
    int Run(const QStringList &args, QByteArray *output = nullptr)
    {
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.Path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.File("config"));
        cli.setProcessEnvironment(env);
        cli.start(QStringLiteral(TESSALY_CLI), args);
        if (!cli.waitForFinished(60000) || cli.exitStatus() != QProcess::NormalExit)
            return -1;
        if (output)
            *output = cli.readAllStandardOutput();
        return cli.exitCode();
    }

    CCardData Imported()
    {
        CCardStore store;
        EXPECT_TRUE(store.Open(home.File("cards.ovd")));
        EXPECT_EQ(store.LiveCount(), 1);
        return store.LiveCount() == 1 ? *store.CardAt(0) : CCardData();
    }

    TempDir home;
};

} // namespace

// The tool reads kanji names as the program does, company included (AutoYomi is on by default).
TEST_F(CliImportTest, ImportedKanjiGetTheirReadingsFromMeCab)
{
    ASSERT_EQ(Run({"import", home.File("cards.ovd"), home.File("cards.vcf")}), 0);
    const CCardData card = Imported();
    EXPECT_EQ(card.YomiLastName(), QStringLiteral("ﾔﾏﾀﾞ"));
    EXPECT_EQ(card.YomiFirstName(), QStringLiteral("ﾀﾛｳ"));
    EXPECT_EQ(card.CompanyYomi(), QStringLiteral("ｶﾌﾞｼｷｶﾞｲｼｬﾄｳｼﾊﾞ"));

    QByteArray listed;
    ASSERT_EQ(Run({"list", home.File("cards.ovd")}, &listed), 0);
    EXPECT_TRUE(listed.contains(QStringLiteral("\t山田 太郎\tﾔﾏﾀﾞ ﾀﾛｳ\t").toUtf8())) << listed.toStdString();
}

// The user's own choice in the options holds for the tool too.
TEST_F(CliImportTest, AutoYomiOffInTheSettingsLeavesTheCompanyReadingEmpty)
{
    const QString folder = home.File("Documents/ORVANE/Tessaly");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(TempDir::WriteAll(folder + QStringLiteral("/Tessaly.ini"), "[Option]\r\nAutoYomi=0\r\n"));
    ASSERT_EQ(Run({"import", home.File("cards.ovd"), home.File("cards.vcf")}), 0);
    const CCardData card = Imported();
    EXPECT_EQ(card.YomiLastName(), QStringLiteral("ﾔﾏﾀﾞ"));
    EXPECT_TRUE(card.CompanyYomi().isEmpty());
}

#include "CCardData.h"
#include "CCardStore.h"
#include "TempDir.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

// tessaly-cli export on a management file of two cards.
class CliExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CCardStore store;
        ASSERT_TRUE(store.CreateNew(dir.File("cards.ovd")));
        for (const char *name : {"山田 太郎", "佐藤 花子"}) {
            CCardData card;
            card.SetName(QString::fromUtf8(name));
            card.SetPhone(0, {QStringLiteral("090-1234-5678"), PhoneMobile});
            ASSERT_TRUE(store.AddCard(card));
        }
    }

    // The exit code, or -1 when the tool did not run to its end.
    int Run(const QStringList &args)
    {
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), dir.Path());
        cli.setProcessEnvironment(env);
        cli.start(QStringLiteral(TESSALY_CLI),
                  QStringList{QStringLiteral("export"), dir.File("cards.ovd")} + args);
        if (!cli.waitForFinished(60000) || cli.exitStatus() != QProcess::NormalExit)
            return -1;
        output = cli.readAllStandardOutput();
        return cli.exitCode();
    }

    TempDir dir;
    QByteArray output;
};

} // namespace

TEST_F(CliExportTest, VcfPicksVCard30AndTheFormCanBeChosen)
{
    ASSERT_EQ(Run({dir.File("a.VCF")}), 0);
    EXPECT_EQ(output, QByteArray("2\n"));
    const QByteArray v30 = TempDir::ReadAll(dir.File("a.VCF"));
    EXPECT_TRUE(v30.startsWith("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:"));
    EXPECT_EQ(v30.count("BEGIN:VCARD"), 2);

    ASSERT_EQ(Run({dir.File("b.vcf"), "--vcard", "2.1", "--photos"}), 0);
    EXPECT_TRUE(TempDir::ReadAll(dir.File("b.vcf")).startsWith("BEGIN:VCARD\r\nVERSION:2.1\r\n"));
    // --vcard writes vCard whatever the name.
    ASSERT_EQ(Run({dir.File("c.txt"), "--vcard", "3.0"}), 0);
    EXPECT_TRUE(TempDir::ReadAll(dir.File("c.txt")).startsWith("BEGIN:VCARD\r\nVERSION:3.0\r\n"));
    // Still CSV for any other name.
    ASSERT_EQ(Run({dir.File("d.csv")}), 0);
    EXPECT_FALSE(TempDir::ReadAll(dir.File("d.csv")).startsWith("BEGIN"));
}

TEST_F(CliExportTest, OptionsThatDoNotFitTheFormatAreRefused)
{
    EXPECT_EQ(Run({dir.File("a.vcf"), "--vcard", "4.0"}), 2);
    EXPECT_EQ(Run({dir.File("a.csv"), "--photos"}), 2);
    EXPECT_EQ(Run({dir.File("a.vcf"), "--mapping", dir.File("m.cor")}), 2);
    EXPECT_FALSE(QFile::exists(dir.File("a.vcf")));
    EXPECT_EQ(Run({dir.File("missing/a.vcf")}), 1);
}

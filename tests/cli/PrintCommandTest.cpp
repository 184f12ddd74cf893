// `tessaly-cli print` with a private home folder: its settings file, its
// management files, PDF output and the cups-pdf printer of the test fixture.
#include "CCardStore.h"
#include "CSettings.h"
#include "TempDir.h"

#include <QDir>
#include <QProcess>
#include <QTest>
#include <QXmlStreamReader>
#include <cups/cups.h>
#include <gtest/gtest.h>

namespace {

const QString Printer = QStringLiteral(TESSALY_CUPS_PRINTER);

struct Result
{
    int code = -1;
    QString out;
    QString err;
};

int PdfPages(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {path});
    p.waitForFinished(60000);
    for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

// The words of a PDF file in reading order, after NFKC.
QStringList PdfText(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput())
        .normalized(QString::NormalizationForm_KC)
        .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

class PrintCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir().mkpath(SettingsFolder());
        store.CreateNew(ovd);
    }
    QString SettingsFolder() const { return home.File(QStringLiteral("Documents/ORVANE/Tessaly")); }
    void WriteSettings(const CSettings &settings)
    {
        ASSERT_TRUE(settings.WriteAll(SettingsFolder() + QStringLiteral("/Tessaly.ini")));
    }
    void AddCard(const QString &name, const QString &reading, bool marked = true)
    {
        CCardData c;
        c.SetName(name);
        c.SetYomiName(reading);
        c.SetAddress(QStringLiteral("東京都千代田区一番町"));
        c.SetPrint(marked);
        ASSERT_NE(store.AddCard(c), nullptr);
    }
    Result Cli(const QStringList &args, const QString &cupsServer = QString())
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.Path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.File(QStringLiteral("config")));
        env.remove(QStringLiteral("QT_QPA_PLATFORM")); // the command chooses its own
        QDir().mkdir(home.File(QStringLiteral("runtime")));
        QFile::setPermissions(home.File(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.File(QStringLiteral("runtime")));
        if (!cupsServer.isEmpty())
            env.insert(QStringLiteral("CUPS_SERVER"), cupsServer);
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TESSALY_CLI), QStringList{QStringLiteral("print")} + args);
        Result r;
        if (!p.waitForFinished(120000))
            return r;
        r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    TempDir home;
    QString ovd = home.File(QStringLiteral("cards.ovd"));
    QString pdf = home.File(QStringLiteral("out.pdf"));
    CCardStore store;
};

// The id of the job of that title on the printer, 0 when there is none.
int JobIdOf(const QString &title)
{
    cups_job_t *jobs = nullptr;
    const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, Printer.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    int id = 0;
    for (int i = 0; i < n; ++i) {
        if (QString::fromUtf8(jobs[i].title) == title)
            id = jobs[i].id;
    }
    cupsFreeJobs(n, jobs);
    return id;
}

} // namespace

TEST_F(PrintCommand, LabelsToAPdfFileWithTheStoredSheet)
{
    for (int i = 0; i < 7; ++i)
        AddCard(QStringLiteral("名刺%1").arg(i), QStringLiteral("ﾒｲｼ%1").arg(i));
    Result r = Cli({ovd, QStringLiteral("--mode"), QStringLiteral("labels"), QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(r.code, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out, QStringLiteral("2\n")); // the default 2 × 2 sheet
    EXPECT_EQ(PdfPages(pdf), 2);

    CSettings settings;
    settings.print.SizeAspects = QSize(3, 3);
    settings.print.SizeSeal = QSize(700, 339);
    WriteSettings(settings);
    r = Cli({ovd, QStringLiteral("--mode"), QStringLiteral("labels"), QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(r.code, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out, QStringLiteral("1\n"));
    EXPECT_EQ(PdfPages(pdf), 1);
}

TEST_F(PrintCommand, TheListFollowsTheTabOrderAndSkipsUnmarkedCards)
{
    AddCard(QStringLiteral("佐藤"), QStringLiteral("ｻﾄｳ"));
    AddCard(QStringLiteral("青木"), QStringLiteral("ｱｵｷ"));
    AddCard(QStringLiteral("鈴木"), QStringLiteral("ｽｽﾞｷ"), false);
    AddCard(QStringLiteral("伊藤"), QStringLiteral("ｲﾄｳ"));
    const Result r =
        Cli({ovd, QStringLiteral("--mode"), QStringLiteral("list"), QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(r.code, 0) << qPrintable(r.err);
    QStringList names;
    for (const QString &w : PdfText(pdf)) {
        if (QStringList({"佐藤", "青木", "鈴木", "伊藤"}).contains(w))
            names << w;
    }
    EXPECT_EQ(names, QStringList({"青木", "伊藤", "佐藤"}));

    // The サ tab of the reading row: 佐藤 alone is marked there.
    const QString sa = QString::number(CCardStore::TabOf(QStringLiteral("ｻﾄｳ")));
    const Result tab = Cli({ovd, QStringLiteral("--mode"), QStringLiteral("list"), QStringLiteral("--row"),
                            QStringLiteral("0"), QStringLiteral("--tab"), sa, QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(tab.code, 0) << qPrintable(tab.err);
    EXPECT_TRUE(PdfText(pdf).contains(QStringLiteral("佐藤")));
    EXPECT_FALSE(PdfText(pdf).contains(QStringLiteral("青木")));
    EXPECT_FALSE(PdfText(pdf).contains(QStringLiteral("鈴木")));
}

TEST_F(PrintCommand, PageRangeFromThreeToTwoPrintsPageThree)
{
    for (int i = 0; i < 9; ++i)
        AddCard(QStringLiteral("名刺%1").arg(i), QStringLiteral("ﾒｲｼ%1").arg(i));
    const Result r =
        Cli({ovd, QStringLiteral("--mode"), QStringLiteral("labels"), QStringLiteral("--from"),
             QStringLiteral("3"), QStringLiteral("--to"), QStringLiteral("2"), QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(r.code, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out, QStringLiteral("1\n"));
    EXPECT_EQ(PdfText(pdf).filter(QStringLiteral("名刺")), QStringList({QStringLiteral("名刺8")}));

    const Result past = Cli({ovd, QStringLiteral("--mode"), QStringLiteral("labels"),
                             QStringLiteral("--from"), QStringLiteral("4"), QStringLiteral("--pdf"), pdf});
    EXPECT_EQ(past.code, 2);
}

TEST_F(PrintCommand, MessagesWhenThereIsNothingToPrintOrNoPrinter)
{
    AddCard(QStringLiteral("未選択"), QStringLiteral("ﾐｾﾝﾀｸ"), false);
    Result r = Cli({ovd, QStringLiteral("--mode"), QStringLiteral("list"), QStringLiteral("--pdf"), pdf});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, QStringLiteral("印刷\n印刷対象となる名刺データがありません。\n印刷したい名刺データにチェ"
                                    "ックをつけてください。\n"));
    EXPECT_FALSE(QFile::exists(pdf));

    AddCard(QStringLiteral("選択"), QStringLiteral("ｾﾝﾀｸ"));
    r = Cli({ovd, QStringLiteral("--mode"), QStringLiteral("list")},
            home.File(QStringLiteral("no-cupsd.sock")));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err,
              QStringLiteral("印刷\nプリンタがインストールされていないため、印刷することができません。\n"));

    r = Cli({ovd, QStringLiteral("--mode"), QStringLiteral("list"), QStringLiteral("--printer"),
             QStringLiteral("NoSuchPrinter")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, QStringLiteral("印刷\nプリンタ情報の取得に失敗しました。\n"));
}

TEST_F(PrintCommand, WrongArgumentsAreRefused)
{
    AddCard(QStringLiteral("選択"), QStringLiteral("ｾﾝﾀｸ"));
    const QList<QStringList> bad = {
        {ovd},
        {ovd, QStringLiteral("--mode"), QStringLiteral("cards")},
        {ovd, QStringLiteral("--mode"), QStringLiteral("list"), QStringLiteral("--pdf"), pdf,
         QStringLiteral("--printer"), Printer},
        {ovd, QStringLiteral("--mode"), QStringLiteral("list"), QStringLiteral("--row"), QStringLiteral("0")},
        {ovd, QStringLiteral("--mode"), QStringLiteral("list"), QStringLiteral("--from"),
         QStringLiteral("0")},
        {ovd, QStringLiteral("--mode"), QStringLiteral("list"), QStringLiteral("--sort"),
         QStringLiteral("1")},
    };
    for (const QStringList &args : bad)
        EXPECT_EQ(Cli(args).code, 2) << qPrintable(args.join(QLatin1Char(' ')));
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrintCommand, LabelsThroughTheCupsPdfPrinter)
{
    for (int i = 0; i < 7; ++i)
        AddCard(QStringLiteral("名刺%1").arg(i), QStringLiteral("ﾒｲｼ%1").arg(i));
    // A file name of its own: the job is found by its title.
    const QString title = QStringLiteral("e2e-%1").arg(QCoreApplication::applicationPid());
    const QString named = home.File(title + QStringLiteral(".ovd"));
    ASSERT_TRUE(QFile::rename(ovd, named));

    // The stored printer when none is named.
    CSettings settings;
    settings.print.PrinterName = Printer;
    WriteSettings(settings);
    const Result r = Cli({named, QStringLiteral("--mode"), QStringLiteral("labels")});
    ASSERT_EQ(r.code, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out, QStringLiteral("2\n"));

    const int job = JobIdOf(title);
    ASSERT_NE(job, 0);
    const QDir out(QStringLiteral(TESSALY_CUPS_PDF_OUT));
    const QStringList pattern{QStringLiteral("*job_%1.pdf").arg(job)};
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !out.entryList(pattern).isEmpty() && JobIdOf(title) == job; }, 60000));
    // cups-pdf writes the file as the job ends; wait until the job says so.
    cups_job_t *jobs = nullptr;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, Printer.toUtf8().constData(), 0,
                                       CUPS_WHICHJOBS_COMPLETED);
            bool done = false;
            for (int i = 0; i < n; ++i)
                done = done || jobs[i].id == job;
            cupsFreeJobs(n, jobs);
            return done;
        },
        60000));
    EXPECT_EQ(PdfPages(out.filePath(out.entryList(pattern).first())), 2);
}

#include "CConnectDoc.h"
#include "COperationReport.h"
#include "CPortTable.h"
#include "IOverwriteAsker.h"
#include "IPhoneImporter.h"
#include "PhoneTestUtil.h"
#include "PhoneTexts.h"
#include "TempDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class FakeImporter : public IPhoneImporter
{
public:
    CConnectDoc *doc = nullptr;
    QByteArray phoneBook;
    bool portOpenWhileCounting = true;
    QList<int> cards;
    QStringList files, sources, dates, photoFolders;
    QList<QByteArray> contents;
    int resets = 0;

    void ResetRememberedAnswer() override { ++resets; }
    int CountVCards(const QByteArray &text, PortKind, const std::atomic_bool &) override
    {
        phoneBook = text;
        portOpenWhileCounting = doc->Session().IsOpen();
        return int(text.count("BEGIN:VCARD"));
    }
    bool ImportPhoneBookCard(int index, PhoneCounters &counters) override
    {
        cards.append(index);
        ++counters[2];
        return true;
    }
    bool ImportVCardSource(const QString &path, const QString &photoFolder, const QString &sourceName,
                           const QString &fileDate, PhoneCounters &) override
    {
        files.append(path);
        contents.append(TempDir::ReadAll(path));
        sources.append(sourceName);
        dates.append(fileDate);
        photoFolders.append(photoFolder);
        return true;
    }
};

class ScriptedAsker : public IOverwriteAsker
{
public:
    QList<Answer> answers;
    QStringList asked;
    Answer AskOverwrite(const QString &path, bool) override
    {
        asked.append(QFileInfo(path).fileName());
        return answers.isEmpty() ? No : answers.takeFirst();
    }
};

class ConnectDocTest : public ::testing::Test
{
protected:
    TempDir temp;
    QString dest = temp.File("dest");
    CConnectDoc doc{temp.File("work")};
    PhoneEventLog events{doc};
    FakeImporter importer;
    ScriptedAsker asker;

    void SetUp() override
    {
        QDir().mkpath(dest);
        QDir().mkpath(temp.File("work"));
        importer.doc = &doc;
        doc.SetImporter(&importer);
        doc.SetOverwriteAsker(&asker);
    }

    void UsePort(const QString &path, PortKind kind) { UseSinglePort(doc, path, kind); }

    void Run(CConnectDoc::Operation operation)
    {
        events.Clear();
        ASSERT_TRUE(doc.StartWorker(operation));
        WaitForWorker();
    }

    // Waits for the worker's last report, then for its thread. A test must not
    // hang on a phone that went silent: a worker that never reports is stopped.
    void WaitForWorker()
    {
        if (!events.WaitForEnd()) {
            ADD_FAILURE() << "the worker never reported its end";
            doc.RequestStop();
        }
        doc.StopWorker(false);
        QCoreApplication::sendPostedEvents();
    }

    bool Connect()
    {
        Run(CConnectDoc::ConnectPhone);
        return events.Last() == QStringLiteral("Connected");
    }

    // Connects, then runs one operation on the entries with these names.
    void RunOn(CConnectDoc::Operation operation, const QStringList &names)
    {
        ASSERT_TRUE(Connect());
        QList<int> selection;
        for (const QString &name : names)
            for (qsizetype i = 0; i < doc.Entries().size(); ++i)
                if (doc.Entries()[i].name == name)
                    selection.append(int(i));
        doc.SetSelection(selection);
        Run(operation);
        doc.CloseConnection();
    }
};

const QStringList FiveFiles{"--file", "a.vcf",  "--file", "b.vcf",  "--file",    "c.vcf",   "--file",
                            "d.vcf",  "--file", "e.vcf",  "--file", "notes.txt", "--chunk", "16"};

} // namespace

TEST_F(ConnectDocTest, FolderSessionListsImportsAndCopies)
{
    SimulatedPhone phone(QStringList{"--mode", "folder"} + FiveFiles);
    UsePort(phone.Path(), PortKind::FolderBrowsing);
    ASSERT_TRUE(Connect());
    EXPECT_EQ(events.lines, (QStringList{"ConnectStarted 3", "ConnectStep 1", "ConnectStep 2",
                                         "ConnectStep 3", "Connected"}));
    ASSERT_TRUE(doc.ListNameCards());
    EXPECT_FALSE(doc.Session().IsOpen());
    ASSERT_EQ(doc.Entries().size(), 5);
    EXPECT_EQ(doc.Entries()[4].name, QStringLiteral("e.vcf"));
    EXPECT_EQ(doc.Present(), QList<int>(5, 1));

    RunOn(CConnectDoc::ImportFiles, {"b.vcf", "d.vcf"});
    EXPECT_EQ(importer.sources, (QStringList{"b.vcf", "d.vcf"}));
    EXPECT_EQ(importer.contents, (QList<QByteArray>{SimVCard("b.vcf"), SimVCard("d.vcf")}));
    EXPECT_EQ(importer.dates, (QStringList{"20070102", "20070102"}));
    EXPECT_EQ(importer.photoFolders.value(0), temp.File("work"));
    for (const QString &f : importer.files) {
        EXPECT_TRUE(QFileInfo(f).fileName().startsWith("ovdx"));
        EXPECT_FALSE(QFile::exists(f)); // temporary copies are gone afterwards
    }
    EXPECT_EQ(doc.Counters()[PhoneCounter::Succeeded], 2);
    EXPECT_TRUE(doc.Selection().isEmpty());
    EXPECT_EQ(events.Of("ItemText"), (QStringList{"b.vcf", "d.vcf", "b.vcf", "d.vcf"}));
    EXPECT_EQ(events.Last(), QStringLiteral("Done"));

    // Copy three where the second already exists and the user answers "いいえ".
    ASSERT_TRUE(TempDir::WriteAll(dest + "/b.vcf", "keep me"));
    doc.SetDestinationFolder(dest);
    asker.answers = {IOverwriteAsker::No};
    RunOn(CConnectDoc::Copy, {"a.vcf", "b.vcf", "c.vcf"});
    EXPECT_EQ(asker.asked, QStringList{"b.vcf"});
    EXPECT_EQ(doc.Counters()[PhoneCounter::Items], 3);
    EXPECT_EQ(doc.Counters()[PhoneCounter::Succeeded], 2);
    EXPECT_EQ(doc.Counters()[PhoneCounter::Skipped], 1);
    EXPECT_EQ(TempDir::ReadAll(dest + "/a.vcf"), SimVCard("a.vcf"));
    EXPECT_EQ(TempDir::ReadAll(dest + "/b.vcf"), QByteArray("keep me"));
    EXPECT_EQ(events.Of("ItemChanged Copied"), (QStringList{"0", "2"}));
    COperationReport report = COperationReport::Make(COperationReport::Copy, doc.Counters(), false);
    EXPECT_EQ(report.caption, QStringLiteral("コピー完了"));
    EXPECT_EQ(report.text, QStringLiteral("2件 コピーしました。"));
    EXPECT_EQ(report.icon, COperationReport::Information);
    EXPECT_EQ(doc.Present(), QList<int>(5, 1));
}

TEST_F(ConnectDocTest, MoveWithFailingDeleteAndDeleteTwoOfFive)
{
    SimulatedPhone phone(QStringList{"--mode", "folder", "--fail-delete", "b.vcf"} + FiveFiles);
    UsePort(phone.Path(), PortKind::FolderBrowsing);
    ASSERT_TRUE(Connect());
    ASSERT_TRUE(doc.ListNameCards());
    doc.SetDestinationFolder(dest);

    RunOn(CConnectDoc::Move, {"a.vcf", "b.vcf"});
    EXPECT_EQ(TempDir::ReadAll(dest + "/a.vcf"), SimVCard("a.vcf"));
    EXPECT_FALSE(QFile::exists(dest + "/b.vcf")); // still on the phone, so not kept here
    EXPECT_EQ(doc.Counters()[PhoneCounter::Succeeded], 1);
    EXPECT_EQ(doc.Counters()[PhoneCounter::Failed], 1);
    EXPECT_EQ(doc.Present(), (QList<int>{0, 1, 1, 1, 1}));
    EXPECT_EQ(events.Of("ItemChanged Moved"), QStringList{"0"});
    COperationReport report = COperationReport::Make(COperationReport::Move, doc.Counters(), false);
    EXPECT_EQ(report.caption, QStringLiteral("移動一部完了"));
    EXPECT_EQ(report.text, QStringLiteral("1件 移動しました。\n1件 移動に失敗しました。"));

    RunOn(CConnectDoc::Delete, {"c.vcf", "e.vcf"});
    EXPECT_EQ(doc.Counters()[PhoneCounter::Items], 2);
    EXPECT_EQ(doc.Counters()[PhoneCounter::Succeeded], 2);
    EXPECT_EQ(doc.Present(), (QList<int>{0, 1, 0, 1, 0}));
    EXPECT_EQ(events.Of("ItemChanged Deleted"), (QStringList{"2", "4"}));
    EXPECT_EQ(COperationReport::Make(COperationReport::Delete, doc.Counters(), false).text,
              QStringLiteral("2件削除しました。"));

    ASSERT_TRUE(Connect());
    ASSERT_TRUE(doc.ListNameCards());
    ASSERT_EQ(doc.Entries().size(), 2);
    EXPECT_EQ(doc.Entries()[0].name, QStringLiteral("b.vcf"));
    EXPECT_EQ(doc.Entries()[1].name, QStringLiteral("d.vcf"));
}

TEST_F(ConnectDocTest, NamesThatLeaveTheDestinationAreRefused)
{
    SimulatedPhone phone({"--mode", "folder", "--file", "../evil.vcf", "--file", "..\\evil2.vcf", "--file",
                          "sub/x.vcf", "--file", "ok.vcf"});
    UsePort(phone.Path(), PortKind::FolderBrowsing);
    ASSERT_TRUE(Connect());
    ASSERT_TRUE(doc.ListNameCards());
    ASSERT_EQ(doc.Entries().size(), 4);
    const QString inner = dest + "/inner";
    QDir().mkpath(inner);
    doc.SetDestinationFolder(inner);

    RunOn(CConnectDoc::Copy, {"../evil.vcf", "..\\evil2.vcf", "sub/x.vcf", "ok.vcf"});
    EXPECT_EQ(doc.Counters()[PhoneCounter::Failed], 3);
    EXPECT_EQ(doc.Counters()[PhoneCounter::Succeeded], 1);
    EXPECT_FALSE(QFile::exists(dest + "/evil.vcf"));
    EXPECT_EQ(QDir(inner).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"ok.vcf"});
    EXPECT_EQ(QDir(dest).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"inner"});

    RunOn(CConnectDoc::Move, {"../evil.vcf"});
    EXPECT_EQ(doc.Counters()[PhoneCounter::Failed], 1);
    EXPECT_EQ(doc.Present()[0], 1); // left on the phone
    EXPECT_FALSE(QFile::exists(dest + "/evil.vcf"));

    EXPECT_FALSE(CConnectDoc::IsSafeEntryName(".."));
    EXPECT_FALSE(CConnectDoc::IsSafeEntryName("."));
    EXPECT_FALSE(CConnectDoc::IsSafeEntryName(""));
    EXPECT_TRUE(CConnectDoc::IsSafeEntryName("..a.vcf"));
}

TEST_F(ConnectDocTest, StopDuringASilentReadReportsCodeSix)
{
    SimulatedPhone phone({"--mode", "folder", "--silent-after", "2"});
    UsePort(phone.Path(), PortKind::FolderBrowsing);
    events.Clear();
    ASSERT_TRUE(doc.StartWorker(CConnectDoc::ConnectPhone));
    // The folder listing after the device information is never answered, and
    // a silent phone is waited on without limit: only the stop ends the wait.
    ASSERT_TRUE(phone.WaitForUnanswered());
    EXPECT_TRUE(doc.IsWorkerRunning());
    doc.StopWorker(true);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(events.lines, (QStringList{"ConnectStarted 3", "ConnectStep 1", "ConnectStep 2",
                                         "ConnectFailed StoppedByUser"}));
    EXPECT_TRUE(doc.WasStoppedByUser());
    EXPECT_FALSE(doc.Session().IsOpen());
}

TEST_F(ConnectDocTest, StopBeforeThePortIsOpenStillEndsTheWorker)
{
    // The stop usually comes before the worker has opened the port; the phone never answers.
    SimulatedPhone phone({"--mode", "phonebook", "--silent-after", "0"});
    UsePort(phone.Path(), PortKind::Foma);
    doc.SetPassword("1234");
    events.Clear();
    ASSERT_TRUE(doc.StartWorker(CConnectDoc::ConnectPhone));
    doc.RequestStop();
    WaitForWorker();
    EXPECT_EQ(events.Last(), QStringLiteral("ConnectFailed StoppedByUser"));
    EXPECT_FALSE(doc.Session().IsOpen());
}

TEST_F(ConnectDocTest, ConnectFailuresNameTheStep)
{
    {
        SimulatedPhone phone({"--mode", "folder", "--docs-folder", "Misc"});
        UsePort(phone.Path(), PortKind::FolderBrowsing);
        EXPECT_FALSE(Connect());
        EXPECT_EQ(events.Last(), QStringLiteral("ConnectFailed NameCardFolder"));
    }
    {
        SimulatedPhone phone({"--mode", "phonebook"});
        UsePort(phone.Path(), PortKind::Foma);
        doc.SetPassword("9999");
        EXPECT_FALSE(Connect());
        EXPECT_EQ(events.lines.value(0), QStringLiteral("ConnectStarted 2"));
        EXPECT_EQ(events.Last(), QStringLiteral("ConnectFailed Connect"));
        EXPECT_FALSE(doc.WasStoppedByUser());
    }
}

TEST_F(ConnectDocTest, PhoneBookIsReleasedBeforeCardsAreHandedOver)
{
    SimulatedPhone phone({"--mode", "phonebook", "--cards", "3", "--pb-packets", "5"});
    UsePort(phone.Path(), PortKind::OvModel);
    doc.SetPassword("1234");
    ASSERT_TRUE(Connect());
    EXPECT_EQ(events.lines.value(0), QStringLiteral("ConnectStarted 2"));
    Run(CConnectDoc::ImportPhoneBook);
    EXPECT_EQ(importer.resets, 1);
    EXPECT_EQ(importer.phoneBook, SimVCard("card0") + SimVCard("card1") + SimVCard("card2"));
    EXPECT_FALSE(importer.portOpenWhileCounting);
    EXPECT_EQ(importer.cards, (QList<int>{1, 2}));
    EXPECT_EQ(doc.Counters()[2], 2);
    EXPECT_EQ(events.Of("OperationText"),
              (QStringList{"電話帳データ取得中...", "解析中...", "インポート中..."}));
    EXPECT_TRUE(events.lines.contains(QStringLiteral("StopButton on")));
    EXPECT_EQ(events.Last(), QStringLiteral("Done"));
}

TEST_F(ConnectDocTest, PhoneBookOfOneCardImportsNothing)
{
    SimulatedPhone phone({"--mode", "phonebook", "--cards", "1"});
    UsePort(phone.Path(), PortKind::Foma);
    doc.SetPassword("1234");
    ASSERT_TRUE(Connect());
    Run(CConnectDoc::ImportPhoneBook);
    EXPECT_TRUE(importer.cards.isEmpty());
    EXPECT_EQ(events.Of("OperationText"), (QStringList{"電話帳データ取得中...", "解析中..."}));
    EXPECT_EQ(events.Last(), QStringLiteral("Done"));
}

TEST_F(ConnectDocTest, MoveOverwriteQuestionsComeFirst)
{
    doc.SetEntries({{"a.vcf", "1", 1}, {"b.vcf", "1", 1}, {"c.vcf", "1", 1}});
    doc.SetDestinationFolder(dest);
    for (const char *name : {"a.vcf", "b.vcf", "c.vcf"})
        TempDir::WriteAll(dest + "/" + name, "old");
    doc.SetSelection({0, 1, 2});
    asker.answers = {IOverwriteAsker::No, IOverwriteAsker::YesToAll};
    EXPECT_TRUE(doc.AskMoveOverwrites());
    EXPECT_EQ(doc.Selection(), (QList<int>{1, 2}));
    EXPECT_EQ(asker.asked.size(), 2);
    doc.SetSelection({0, 1});
    asker.answers = {IOverwriteAsker::Cancel};
    EXPECT_FALSE(doc.AskMoveOverwrites());
    EXPECT_TRUE(doc.Selection().isEmpty());
}

TEST_F(ConnectDocTest, WorkFolderIsRemovedWithItsContent)
{
    QDir().mkpath(temp.File("work/sub"));
    TempDir::WriteAll(temp.File("work/sub/photo.jpg"), "x");
    doc.DeleteWorkFolder();
    EXPECT_FALSE(QFileInfo::exists(temp.File("work")));
}

TEST(OperationReportTest, RowsInOrder)
{
    PhoneCounters c{};
    COperationReport r = COperationReport::Make(COperationReport::Copy, c, true);
    EXPECT_EQ(r.caption, QStringLiteral("コピー中断"));
    EXPECT_EQ(r.text, QStringLiteral("コピーを中断しました。\n\n"));
    EXPECT_EQ(r.icon, COperationReport::Warning);
    c[PhoneCounter::Succeeded] = 2;
    c[PhoneCounter::Failed] = 1;
    r = COperationReport::Make(COperationReport::Delete, c, true);
    EXPECT_EQ(r.caption, QStringLiteral("削除一部完了"));
    EXPECT_EQ(r.text, QStringLiteral("削除を中断しました。\n\n2件削除しました。\n1件削除に失敗しました。"));
    c[PhoneCounter::Failed] = 0;
    r = COperationReport::Make(COperationReport::Move, c, true);
    EXPECT_EQ(r.caption, QStringLiteral("移動完了"));
    EXPECT_EQ(r.text, QStringLiteral("2件 移動しました。"));
    c[PhoneCounter::Succeeded] = 0;
    c[PhoneCounter::Failed] = 3;
    r = COperationReport::Make(COperationReport::Copy, c, false);
    EXPECT_EQ(r.caption, QStringLiteral("コピー失敗"));
    EXPECT_EQ(r.text, QStringLiteral("コピーに失敗しました。"));
    EXPECT_EQ(r.icon, COperationReport::Error);
}

TEST_F(ConnectDocTest, StopWhileFetchingCopiesNothing)
{
    SimulatedPhone phone({"--mode", "folder", "--file", "a.vcf", "--file", "b.vcf", "--chunk", "1000",
                          "--silent-get", "b.vcf"});
    UsePort(phone.Path(), PortKind::FolderBrowsing);
    doc.SetEntries({{"a.vcf", "20070102T101010", 46}, {"b.vcf", "20070102T101010", 46}});
    doc.SetDestinationFolder(dest);
    // A temporary folder of this test's own: other tests running at the same
    // time fetch files into the shared one.
    TempDir temp;
    const QByteArray oldTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", temp.Path().toLocal8Bit());
    ASSERT_TRUE(Connect());
    doc.SetSelection({0, 1});
    events.Clear();
    ASSERT_TRUE(doc.StartWorker(CConnectDoc::Copy));
    ASSERT_TRUE(phone.WaitForUnanswered()); // a.vcf fetched, b.vcf never answered
    doc.RequestStop();
    WaitForWorker();
    // The stop ended the wait for b.vcf; nothing reached the copy step.
    EXPECT_EQ(events.lines, (QStringList{"OperationText ファイル取得中...", "Range 2 Both", "Position 0 Both",
                                         "ItemText a.vcf", "Position 1 Both", "ItemText b.vcf", "Done"}));
    EXPECT_EQ(doc.Counters()[PhoneCounter::Failed], 0); // the user's stop is no failed file
    EXPECT_TRUE(QDir(dest).isEmpty());
    EXPECT_TRUE(QDir(temp.Path()).isEmpty());
    if (oldTemp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", oldTemp);
    EXPECT_EQ(COperationReport::Make(COperationReport::Copy, doc.Counters(), true).caption,
              QStringLiteral("コピー中断"));
    EXPECT_FALSE(doc.Session().IsOpen());
}

TEST(ConnectDocPresenceTest, SelectedPortMustStillBeAPhonePort)
{
    class Lister : public IDeviceLister
    {
    public:
        QList<SerialDeviceRecord> devices;
        bool ListDevices(QList<SerialDeviceRecord> &out) override
        {
            out = devices;
            return true;
        }
    } lister;
    const QString id =
        QStringLiteral("USB\\VID_%1&PID_0001&MI_05\\X").arg(PhoneMakerVendorId, 4, 16, QLatin1Char('0'));
    lister.devices = {{id, QStringLiteral("920OV OBEX Port (ttyACM0)")}};
    CConnectDoc doc(QString{});
    ASSERT_TRUE(CPortTable::RefreshPorts(lister));
    QList<CSerialPortInfo> ports;
    ASSERT_TRUE(CPortTable::GetPhonePorts(ports));
    doc.SetPorts(ports, 0);
    EXPECT_TRUE(doc.CheckPhonePresent(lister));
    lister.devices.clear();
    EXPECT_FALSE(doc.CheckPhonePresent(lister));
    EXPECT_TRUE(PhoneTexts::PortMissing(QStringLiteral("COM7"))
                    .startsWith(QStringLiteral("COM7 ポートに携帯電話が接続されていません。\n")));
}

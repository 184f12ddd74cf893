#include "CImportEngine.h"
#include "CImportFilesWorker.h"
#include "ImportSummary.h"
#include "StoreError.h"

#include "CCardData.h"
#include "CCardStore.h"
#include "FileSizeLimit.h"
#include "TempDir.h"
#include "TransferTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>

using namespace transfer_test;

namespace {

class ImportEngineTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(store.CreateNew(dir.File("cards.ovd"))); }

    QString VcfFile(const QString &name, const QStringList &lines)
    {
        const QString path = dir.File(name);
        EXPECT_TRUE(WriteFile(path, VCard(lines)));
        return path;
    }

    // Runs the file import on a worker thread and collects its signals in order.
    ImportCounters RunFiles(CImportEngine &engine, const QStringList &paths, QStringList *events = nullptr,
                            bool *cancelled = nullptr, std::function<void(CImportFilesWorker &)> hook = {})
    {
        QThread thread;
        CImportFilesWorker worker(engine, paths);
        if (hook)
            hook(worker);
        worker.moveToThread(&thread);
        QStringList seen;
        bool wasCancelled = false;
        QEventLoop loop;
        QObject context;
        QObject::connect(&worker, &CImportFilesWorker::started, &context,
                         [&](int n) { seen << QStringLiteral("started %1").arg(n); });
        QObject::connect(&worker, &CImportFilesWorker::fileDone, &context,
                         [&](int n, const QString &) { seen << QStringLiteral("done %1").arg(n); });
        QObject::connect(&worker, &CImportFilesWorker::fileFailed, &context,
                         [&](int n, const QString &) { seen << QStringLiteral("failed %1").arg(n); });
        QObject::connect(&worker, &CImportFilesWorker::finished, &context, [&] {
            seen << "finished";
            loop.quit();
        });
        QObject::connect(&worker, &CImportFilesWorker::cancelled, &context, [&] {
            seen << "cancelled";
            wasCancelled = true;
            loop.quit();
        });
        QObject::connect(&thread, &QThread::started, &worker, &CImportFilesWorker::Run);
        thread.start();
        loop.exec();
        thread.quit();
        thread.wait();
        if (events)
            *events = seen;
        if (cancelled)
            *cancelled = wasCancelled;
        return worker.Counters();
    }

    // One run of the engine over one vCard file, as the file import makes it.
    bool ImportOne(const QString &path, ImportCounters &counters, std::function<void()> beforeImport = {})
    {
        CImportEngine engine(store, ImportOptions(), nullptr);
        EXPECT_TRUE(engine.BeginRun());
        if (beforeImport)
            beforeImport();
        const bool ok =
            engine.ImportVCardSource(path, dir.File("photos"), "many.vcf", "2024/06/01", counters);
        engine.EndRun();
        return ok;
    }

    TempDir dir;
    CCardStore store;
};

QStringList ThreeCards()
{
    return Card({U("N:山田;太郎"), "TEL;VOICE;WORK:0311112222"}) +
           Card({U("N:佐藤;花子"), "TEL;CELL:09022223333"}) +
           Card({U("N:鈴木;一郎"), "EMAIL;INTERNET:s@example.com"});
}

} // namespace

TEST_F(ImportEngineTest, SameFileTwiceSkipsEveryCardTheSecondTime)
{
    const QString path = VcfFile("three.vcf", ThreeCards());
    ScriptedConfirm confirm;
    CImportEngine engine(store, ImportOptions(), &confirm);
    QStringList events;
    ImportCounters first = RunFiles(engine, {path}, &events);
    EXPECT_EQ(events, QStringList({"started 1", "done 1", "finished"}));
    EXPECT_EQ(first.added, 3);
    EXPECT_EQ(ImportSummary::VCard(first, false).text,
              U("1 ファイル インポートしました。\n\n3 件、新規登録しました。\n"));
    EXPECT_EQ(store.LiveCount(), 3);

    ImportCounters second = RunFiles(engine, {path});
    EXPECT_EQ(
        ImportSummary::VCard(second, false).text,
        U("1 ファイル インポートしました。\n\n3 件、同一データが存在したため登録をスキップしました。\n"));
    EXPECT_TRUE(confirm.askedNames.isEmpty());
    EXPECT_EQ(store.LiveCount(), 3);

    // Everything was written through to the management file.
    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(store.Path()));
    EXPECT_EQ(reopened.LiveCount(), 3);
}

TEST_F(ImportEngineTest, OverwriteAllStopsQuestionsForTheRunOnly)
{
    const QString base = VcfFile("base.vcf", Card({U("N:山田;太郎"), "TEL;CELL:0901"}) +
                                                 Card({U("N:佐藤;花子"), "TEL;CELL:0902"}) +
                                                 Card({U("N:鈴木;一郎"), "TEL;CELL:0903"}));
    const QString changed = VcfFile("changed.vcf", Card({U("N:山田;太郎"), "TEL;CELL:0801"}) +
                                                       Card({U("N:佐藤;花子"), "TEL;CELL:0802"}) +
                                                       Card({U("N:鈴木;一郎"), "TEL;CELL:0803"}));
    ScriptedConfirm confirm;
    CImportEngine engine(store, ImportOptions(), &confirm);
    RunFiles(engine, {base});
    confirm.answers = {AnswerOverwriteAll};
    ImportCounters c = RunFiles(engine, {changed});
    EXPECT_EQ(confirm.askedNames.size(), 1);
    EXPECT_EQ(confirm.askedSources, QStringList({"changed.vcf"}));
    EXPECT_EQ(c.overwritten, 3);
    EXPECT_EQ(store.LiveCount(), 3);
    EXPECT_EQ(store.CardAt(0)->Phone(0), "0801");

    // The next run asks again; "新規登録" adds one, then "全てスキップ" skips the rest.
    confirm.askedNames.clear();
    confirm.answers = {AnswerAdd, AnswerSkipAll};
    c = RunFiles(engine, {base});
    EXPECT_EQ(confirm.askedNames.size(), 2);
    EXPECT_EQ(c.added, 1);
    EXPECT_EQ(c.skipped, 2);
    EXPECT_EQ(store.LiveCount(), 4);
}

TEST_F(ImportEngineTest, MalformedAddressKeepsEarlierCardsAndFailsTheFile)
{
    const QString bad = VcfFile("bad.vcf", Card({U("N:山田;太郎"), "TEL;CELL:0901"}) +
                                               Card({U("N:佐藤;花子"), "ADR:;;street;city"}) +
                                               Card({U("N:鈴木;一郎"), "TEL;CELL:0903"}));
    const QString good = VcfFile("good.vcf", Card({U("N:田中;次郎"), "TEL;CELL:0904"}));
    const QString broken = VcfFile("broken.vcf", {"BEGIN:VCARD", "VERSION:2.1", U("N:高橋;三郎")});
    CImportEngine engine(store, ImportOptions(), nullptr);
    QStringList events;
    const ImportCounters c = RunFiles(engine, {bad, broken, good}, &events);
    EXPECT_EQ(events, QStringList({"started 3", "failed 1", "failed 2", "done 3", "finished"}));
    EXPECT_EQ(c.files, 3);
    EXPECT_EQ(c.filesImported, 1);
    EXPECT_EQ(c.added, 2);
    EXPECT_EQ(store.LiveCount(), 2);
}

TEST_F(ImportEngineTest, CancelDuringThirdOfFiveFinishesItThenStops)
{
    QStringList paths;
    for (int i = 1; i <= 5; ++i)
        paths << VcfFile(
            QStringLiteral("f%1.vcf").arg(i),
            Card({QStringLiteral("N:Name%1;A").arg(i), QStringLiteral("TEL;CELL:090%1").arg(i)}) +
                Card({QStringLiteral("N:Name%1;B").arg(i), QStringLiteral("TEL;CELL:080%1").arg(i)}));
    CImportEngine engine(store, ImportOptions(), nullptr);
    ASSERT_TRUE(engine.BeginRun());
    ImportCounters pre;
    // Same names as the third file's first card, so the question comes up inside it.
    const QString seed = VcfFile("seed.vcf", Card({"N:Name3;A", "TEL;CELL:0000"}));
    ASSERT_TRUE(engine.ImportVCardSource(seed, dir.Path(), "seed.vcf", "2020/01/01", pre));
    engine.EndRun();

    ScriptedConfirm confirm;
    CImportEngine asking(store, ImportOptions(), &confirm);
    QStringList events;
    bool cancelled = false;
    const ImportCounters c = RunFiles(asking, paths, &events, &cancelled, [&confirm](CImportFilesWorker &w) {
        confirm.onAsk = [&w] { w.Cancel(); };
    });
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(events, QStringList({"started 5", "done 1", "done 2", "done 3", "cancelled"}));
    EXPECT_EQ(c.filesImported, 3);
    EXPECT_EQ(c.added, 5); // two, two, and the second card of the third file
    EXPECT_EQ(c.skipped, 1);
    const UserMessage m = ImportSummary::VCard(c, true);
    EXPECT_EQ(m.caption, U("インポート中断"));
    EXPECT_TRUE(m.text.startsWith(U("インポートを中断しました。\n\n3 ファイル インポートしました。\n\n")));
}

TEST_F(ImportEngineTest, PhotosGoToTheCardImagesAndNoScratchStays)
{
    // A tiny JPEG: SOI, COM "photo", EOI.
    const QByteArray jpeg = QByteArray::fromHex("FFD8FFFE000770686F746FFFD9");
    const QStringList card =
        Card({U("N:山田;太郎"), "TEL;CELL:0901",
              "PHOTO;ENCODING=BASE64;TYPE=JPEG:" + QString::fromLatin1(jpeg.toBase64())});
    const QString path = VcfFile("photo.vcf", card);
    const QString scratch = dir.File("scratch");
    QDir().mkpath(scratch);
    CImportEngine engine(store, ImportOptions(), nullptr);
    ASSERT_TRUE(engine.BeginRun());
    ImportCounters c;
    ASSERT_TRUE(engine.ImportVCardSource(path, scratch, "photo.vcf", "2020/01/01", c));
    engine.EndRun();
    ASSERT_EQ(c.added, 1);
    const CCardData *stored = store.CardAt(0);
    const QString image = store.Images().PathOf(stored->Id(), CCardImageFiles::CardImage);
    EXPECT_EQ(TempDir::ReadAll(image), jpeg);
    EXPECT_TRUE(QDir(scratch).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

TEST_F(ImportEngineTest, ReceivedDateFromFileDateIsUnmarkedAndTextTakesFirstEntryOnly)
{
    CImportEngine engine(store, ImportOptions(), nullptr);
    engine.SetToday(QDate(2026, 12, 7));
    ImportCounters c;
    const QByteArray text = VCard(ThreeCards());
    ASSERT_TRUE(engine.ImportVCardText(text, dir.Path(), "obj", "2015/06/07", c));
    EXPECT_EQ(c.added, 1);
    const CCardData *card = store.CardAt(0);
    EXPECT_EQ(card->ReceivedDate().year, 2015);
    EXPECT_EQ(card->ReceivedDate().day, 7);
    EXPECT_FALSE(card->ReceivedDate().IsSet());
}

TEST_F(ImportEngineTest, PhoneBookModeTakesOnlyMarkedPhotos)
{
    const QByteArray marked = QByteArray::fromHex("FFD8FFE000040000FFFE0009"
                                                  "2070686F746F20FFD9");
    const QByteArray plain = QByteArray::fromHex("FFD8FFFE00056162FFD9");
    QStringList book = Card({"N:Owner"}); // the first card is the phone's own entry
    book += Card({U("N:山田太郎"), "TEL;HOME:0311112222",
                  "PHOTO;ENCODING=BASE64;TYPE=JPEG:" + QString::fromLatin1(marked.toBase64()),
                  U("NOTE:【登録日】2006/01/02")});
    book +=
        Card({U("N:佐藤花子"), "PHOTO;ENCODING=BASE64;TYPE=JPEG:" + QString::fromLatin1(plain.toBase64())});
    CImportEngine engine(store, ImportOptions(), nullptr);
    ASSERT_TRUE(engine.BeginRun());
    ASSERT_EQ(engine.CountPhoneBook(VCard(book)), 3);
    ImportCounters c;
    EXPECT_TRUE(engine.ImportPhoneBookCard(1, false, dir.Path(), c));
    EXPECT_TRUE(engine.ImportPhoneBookCard(2, false, dir.Path(), c));
    engine.EndRun();
    EXPECT_EQ(c.added, 1);
    EXPECT_EQ(c.notCards, 1);
    ASSERT_EQ(store.LiveCount(), 1);
    EXPECT_EQ(store.CardAt(0)->Name(), U("山田太郎"));
    EXPECT_EQ(store.CardAt(0)->PhoneKindAt(0), quint32(PhoneGeneral));
}

namespace {
QStringList NumberedCards(int count, int malformedAt = -1)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines += Card({U("N:番号;%1").arg(i, 4, 10, QChar(u'0')),
                       i == malformedAt ? QStringLiteral("ADR:;;street")
                                        : QStringLiteral("TEL;CELL:090%1").arg(i, 8, 10, QChar(u'0'))});
    return lines;
}
} // namespace

// Large files are read ahead on a second thread in batches; the cards must
// still arrive in file order, and a stop on this side must not wait for the reader.
TEST_F(ImportEngineTest, LargeFileIsStoredInFileOrder)
{
    ImportCounters counters;
    EXPECT_TRUE(ImportOne(VcfFile("many.vcf", NumberedCards(3000)), counters));
    EXPECT_EQ(counters.added, 3000);
    ASSERT_EQ(store.Count(), 3000);
    for (int slot = 0; slot < 3000; ++slot)
        ASSERT_EQ(store.CardAt(slot)->Name(), U("番号 %1").arg(slot, 4, 10, QChar(u'0')));
}

// Either thread may prepare the malformed card; the result must not depend on which.
TEST_F(ImportEngineTest, MalformedCardLateInALargeFileKeepsEveryCardBeforeIt)
{
    ImportCounters counters;
    EXPECT_FALSE(ImportOne(VcfFile("many.vcf", NumberedCards(6000, 5000)), counters));
    EXPECT_EQ(counters.added, 5000);
    ASSERT_EQ(store.Count(), 5000);
    EXPECT_EQ(store.CardAt(4999)->Name(), U("番号 4999"));
}

TEST_F(ImportEngineTest, FullDiskEndsALargeFileAtOnceAndKeepsWhatWasWritten)
{
    ImportCounters counters;
    std::unique_ptr<FileSizeLimit> full;
    // Room for a few cards only; the reader thread is far ahead by then.
    EXPECT_FALSE(ImportOne(VcfFile("many.vcf", NumberedCards(6000)), counters, [&] {
        full = std::make_unique<FileSizeLimit>(QFileInfo(store.Path()).size() + 2000);
    }));
    full.reset();
    EXPECT_GT(counters.added, 0);
    EXPECT_LT(counters.added, 20);
    // The summary says that writing stopped the run, and why.
    EXPECT_EQ(counters.failure, StoreErrorText(StoreError::DiskFull));
    const UserMessage summary = ImportSummary::VCard(counters, false);
    EXPECT_EQ(summary.caption, QString::fromUtf8("インポート中断"));
    EXPECT_EQ(summary.icon, UserMessage::Warning);
    EXPECT_TRUE(summary.text.startsWith(QString::fromUtf8("インポートを中止しました。\n") + counters.failure))
        << summary.text.toStdString();
    EXPECT_TRUE(summary.text.contains(QString::fromUtf8("%1 件、新規登録しました。").arg(counters.added)));
    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(store.Path()));
    EXPECT_EQ(reopened.LiveCount(), counters.added);
    EXPECT_EQ(reopened.LastOpenReport().repairState, 0);
}

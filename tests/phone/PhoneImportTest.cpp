#include "CCardData.h"
#include "CCardStore.h"
#include "CConnectDoc.h"
#include "CImportEngine.h"
#include "CPhoneImportAdapter.h"
#include "IOverwriteConfirm.h"
#include "ImportSummary.h"
#include "PhoneTestUtil.h"
#include "TempDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <iconv.h>

namespace {

QByteArray ShiftJis(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    iconv_t cd = iconv_open("CP932", "UTF-8");
    QByteArray out(utf8.size() * 2 + 16, '\0');
    char *in = const_cast<char *>(utf8.constData());
    size_t inLeft = size_t(utf8.size());
    char *to = out.data();
    size_t outLeft = size_t(out.size());
    const size_t done = iconv(cd, &in, &inLeft, &to, &outLeft);
    iconv_close(cd);
    EXPECT_NE(done, size_t(-1));
    out.resize(out.size() - qsizetype(outLeft));
    return out;
}

// A JPEG whose first comment carries the marker of a business-card photo.
const QByteArray MarkedJpeg = QByteArray::fromHex("FFD8FFE000040000FFFE00092070686F746F20FFD9");
const QByteArray PlainJpeg = QByteArray::fromHex("FFD8FFFE00056162FFD9");

QByteArray PhoneBookCard(const QString &name, const QString &tel, const QByteArray &photo)
{
    QString text = "BEGIN:VCARD\r\nVERSION:2.1\r\nN:" + name + "\r\nTEL;CELL:" + tel + "\r\n";
    if (!photo.isEmpty())
        text += "PHOTO;ENCODING=BASE64;TYPE=JPEG:" + QString::fromLatin1(photo.toBase64()) + "\r\n";
    return ShiftJis(text + "END:VCARD\r\n");
}

class RecordingConfirm : public IOverwriteConfirm
{
public:
    OverwriteAnswer answer = AnswerOverwriteAll;
    QStringList asked;
    OverwriteAnswer AskOverwrite(const CCardData &stored, const CCardData &, const QString &source) override
    {
        asked << stored.Name() + "|" + source;
        return answer;
    }
};

class PhoneImportTest : public ::testing::Test
{
protected:
    TempDir temp;
    QString served = temp.File("served");
    CCardStore store;
    RecordingConfirm confirm;
    CImportEngine engine{store, ImportOptions(), &confirm};
    CPhoneImportAdapter adapter{engine};
    CConnectDoc doc{temp.File("work")};

    void SetUp() override
    {
        QDir().mkpath(served);
        QDir().mkpath(temp.File("work"));
        ASSERT_TRUE(store.CreateNew(temp.File("cards.ovd")));
        doc.SetImporter(&adapter);
    }

    void Serve(const QString &name, const QByteArray &bytes)
    {
        ASSERT_TRUE(TempDir::WriteAll(QDir(served).filePath(name), bytes));
    }

    void UsePort(const QString &path, PortKind kind) { UseSinglePort(doc, path, kind); }

    // Runs one worker to its end; false when it did not end with this report.
    bool Run(CConnectDoc::Operation operation, const QString &end)
    {
        PhoneEventLog events(doc);
        if (!doc.StartWorker(operation))
            return false;
        // A phone that went silent must not hang the test.
        if (!events.WaitForEnd())
            doc.RequestStop();
        doc.StopWorker(false);
        QCoreApplication::sendPostedEvents();
        return events.Last() == end;
    }

    QStringList StoredNames(const QString &path)
    {
        CCardStore reopened;
        EXPECT_TRUE(reopened.Open(path));
        QStringList names;
        for (int i = 0; i < reopened.Count(); ++i)
            if (reopened.CardAt(i) && !reopened.CardAt(i)->Name().isEmpty())
                names << reopened.CardAt(i)->Name() + "|" + reopened.CardAt(i)->Phone(0);
        names.sort();
        return names;
    }
};

} // namespace

TEST_F(PhoneImportTest, PhoneBookCardsAfterTheFirstAreMergedIntoTheStore)
{
    CCardData old;
    old.SetName(QStringLiteral("鈴木一郎"));
    old.SetPhone(0, {QStringLiteral("0300000000"), PhoneMobile});
    ASSERT_TRUE(store.AddCard(old));

    // The owner's own entry comes first and is never taken, even when it looks like a card.
    Serve("card0", PhoneBookCard(QStringLiteral("持ち主"), "09000000000", MarkedJpeg));
    Serve("card1", PhoneBookCard(QStringLiteral("山田太郎"), "09011112222", MarkedJpeg));
    Serve("card2", PhoneBookCard(QStringLiteral("佐藤花子"), "09033334444", PlainJpeg));
    Serve("card3", PhoneBookCard(QStringLiteral("鈴木一郎"), "09055556666", MarkedJpeg));
    SimulatedPhone phone({"--serve-dir", served, "--mode", "phonebook", "--cards", "4", "--pb-packets", "3"});
    ASSERT_FALSE(phone.Path().isEmpty());
    UsePort(phone.Path(), PortKind::Foma);
    doc.SetPassword("1234");

    ASSERT_TRUE(Run(CConnectDoc::ConnectPhone, "Connected"));
    ASSERT_TRUE(Run(CConnectDoc::ImportPhoneBook, "Done"));
    EXPECT_EQ(confirm.asked, QStringList{QStringLiteral("鈴木一郎|電話帳")});
    const UserMessage summary =
        ImportSummary::VCard(CPhoneImportAdapter::ToImportCounters(doc.Counters()), false);
    EXPECT_EQ(summary.caption, QStringLiteral("インポート完了"));
    EXPECT_EQ(summary.text, QStringLiteral("1 件、新規登録しました。\n"
                                           "1 件、同名データに上書登録しました。\n"
                                           "1 件、名刺データではないためスキップしました。\n"));
    EXPECT_EQ(summary.icon, UserMessage::Information);
    EXPECT_EQ(StoredNames(store.Path()),
              (QStringList{QStringLiteral("山田太郎|09011112222"), QStringLiteral("鈴木一郎|09055556666")}));

    // A second run forgets the first run's "全て上書き" and finds every card already stored.
    confirm.asked.clear();
    ASSERT_TRUE(Run(CConnectDoc::ConnectPhone, "Connected"));
    ASSERT_TRUE(Run(CConnectDoc::ImportPhoneBook, "Done"));
    EXPECT_EQ(engine.RememberedAnswer(), AnswerNone);
    EXPECT_TRUE(confirm.asked.isEmpty());
    const UserMessage again =
        ImportSummary::VCard(CPhoneImportAdapter::ToImportCounters(doc.Counters()), false);
    EXPECT_EQ(again.text, QStringLiteral("2 件、同一データが存在したため登録をスキップしました。\n"
                                         "1 件、名刺データではないためスキップしました。\n"));
    EXPECT_EQ(store.LiveCount(), 2);
}

TEST_F(PhoneImportTest, TwoFilesFromAFolderPhone)
{
    Serve("a.vcf",
          ShiftJis(QStringLiteral("BEGIN:VCARD\r\nVERSION:2.1\r\nN:田中;一郎\r\nTEL;CELL:09012340000\r\n"
                                  "END:VCARD\r\n")));
    Serve("b.vcf",
          ShiftJis(QStringLiteral("BEGIN:VCARD\r\nVERSION:2.1\r\nN:中村;二郎\r\nTEL;CELL:09012341111\r\n"
                                  "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:2.1\r\nN:田中;一郎\r\n"
                                  "TEL;CELL:09012340000\r\nEND:VCARD\r\n")));
    SimulatedPhone phone(
        {"--serve-dir", served, "--mode", "folder", "--file", "a.vcf", "--file", "b.vcf", "--file", "c.vcf"});
    ASSERT_FALSE(phone.Path().isEmpty());
    UsePort(phone.Path(), PortKind::FolderBrowsing);
    ASSERT_TRUE(Run(CConnectDoc::ConnectPhone, "Connected"));
    ASSERT_TRUE(doc.ListNameCards());
    ASSERT_EQ(doc.Entries().size(), 3);
    ASSERT_TRUE(Run(CConnectDoc::ConnectPhone, "Connected"));
    doc.SetSelection({0, 1});
    ASSERT_TRUE(Run(CConnectDoc::ImportFiles, "Done"));
    doc.CloseConnection();

    const ImportCounters counts = CPhoneImportAdapter::ToImportCounters(doc.Counters());
    EXPECT_EQ(counts.files, 2);
    EXPECT_EQ(counts.filesImported, 2);
    EXPECT_EQ(ImportSummary::VCard(counts, false).text,
              QStringLiteral("2 ファイル インポートしました。\n\n"
                             "2 件、新規登録しました。\n"
                             "1 件、同一データが存在したため登録をスキップしました。\n"));
    EXPECT_EQ(StoredNames(store.Path()), (QStringList{QStringLiteral("中村 二郎|09012341111"),
                                                      QStringLiteral("田中 一郎|09012340000")}));
    EXPECT_TRUE(confirm.asked.isEmpty());
}

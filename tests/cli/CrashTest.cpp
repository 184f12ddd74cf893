#include "CCardData.h"
#include "CCardStore.h"
#include "CChunk.h"
#include "TempDir.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

// The import of the command-line tool and single changes of the store, each
// run in a child process that strace kills, or hands a full disk or an I/O
// error, at its N-th write or sync, for every N until the change completes.
// After every such run the management file opens, and every card is there
// once, in its old or its new state.
namespace {

constexpr int BaseCards = 12;

QString CardName(int i)
{
    return QString::fromUtf8("名刺 %1").arg(i, 2, 10, QLatin1Char('0'));
}

QString Fingerprint(const CCardData &card)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(CChunk::EncodeCard(card), QCryptographicHash::Md5).toHex());
}

struct ChildRun
{
    bool killed = false;
    int code = -1;
};

class CrashTest : public ::testing::Test
{
protected:
    TempDir home;
    QString base = home.File("base.ovd");
    QString work = home.File("work.ovd");
    QString vcf = home.File("import.vcf");
    QHash<QString, QString> before; // name -> fingerprint

    void SetUp() override
    {
        ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("strace")).isEmpty())
            << "strace is installed by scripts/install-deps";
        CCardStore store;
        ASSERT_TRUE(store.CreateNew(base));
        for (int i = 0; i < BaseCards; ++i) {
            CCardData card;
            card.SetName(CardName(i));
            card.SetPhone(0, {QStringLiteral("03-0000-%1").arg(i, 4, 10, QLatin1Char('0')), PhoneOffice});
            card.SetMemo(QStringLiteral("memo %1").arg(i));
            ASSERT_NE(store.AddCard(card), nullptr);
            before.insert(card.Name(), Fingerprint(*store.CardAt(i)));
        }
        // Eight cards that overwrite stored ones (another number), twelve new ones.
        QByteArray text;
        for (int i = 4; i < BaseCards + 12; ++i)
            text += QStringLiteral(
                        "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:%1\r\nN:%1;;;;\r\nTEL;TYPE=CELL:090-1111-%2\r\n"
                        "END:VCARD\r\n")
                        .arg(CardName(i))
                        .arg(i, 4, 10, QLatin1Char('0'))
                        .toUtf8();
        ASSERT_TRUE(TempDir::WriteAll(vcf, text));
    }

    // The child under strace, with the given injection; the tool finds no settings of the user.
    ChildRun Start(const QString &program, const QStringList &args, const QString &inject)
    {
        QFile::remove(work);
        EXPECT_TRUE(QFile::copy(base, work));
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.Path());
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   QStringLiteral("detect_leaks=0")); // no leak check under ptrace
        child.setProcessEnvironment(env);
        QStringList strace{QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-o"),
                           QStringLiteral("/dev/null")};
        if (!inject.isEmpty())
            strace << QStringLiteral("-e") << QStringLiteral("inject=") + inject;
        child.start(QStringLiteral("strace"), strace + QStringList{program} + args);
        EXPECT_TRUE(child.waitForFinished(120000));
        ChildRun run;
        // strace passes a signal's death on as its own.
        run.killed = child.exitStatus() != QProcess::NormalExit || child.exitCode() == 128 + 9;
        run.code = child.exitCode();
        return run;
    }

    // Every card once; the untouched ones unchanged; the touched ones as before or as now.
    void Check(const std::function<bool(const CCardData &)> &changedAsWanted, const QString &mayGo,
               const std::string &what)
    {
        SCOPED_TRACE(what);
        for (const QString &backup : QDir(home.Path()).entryList({QStringLiteral("work.ovd.bak*")}))
            QFile::remove(home.File(backup));
        CCardStore store;
        ASSERT_TRUE(store.Open(work)) << "the file must open";
        QHash<QString, int> seen;
        for (int s = 0; s < store.Count(); ++s) {
            const CCardData *card = store.CardAt(s);
            if (card->Id().isEmpty())
                continue;
            ++seen[card->Name()];
            const bool old = before.value(card->Name()) == Fingerprint(*card);
            EXPECT_TRUE(old || changedAsWanted(*card)) << "in neither state: " << qPrintable(card->Name());
        }
        for (auto it = seen.cbegin(); it != seen.cend(); ++it)
            EXPECT_EQ(it.value(), 1) << qPrintable(it.key());
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            EXPECT_TRUE(seen.contains(it.key()) || it.key() == mayGo) << "lost: " << qPrintable(it.key());
    }

    // Kills at every write and every sync, then full disks and I/O errors at
    // every write, until the change goes through untouched.
    void EveryPoint(const QString &program, const QStringList &args,
                    const std::function<bool(const CCardData &)> &changedAsWanted,
                    const QString &mayGo = QString())
    {
        const struct
        {
            const char *call;
            const char *fault;
            bool reported; // the change fails and says so (a kill reports nothing)
        } faults[] = {{"pwrite64", "signal=SIGKILL", false},
                      {"fdatasync", "signal=SIGKILL", false},
                      {"pwrite64", "error=ENOSPC", true},
                      {"pwrite64", "error=EIO", true},
                      {"fdatasync", "error=EIO", true}};
        for (const auto &fault : faults) {
            for (int n = 1;; ++n) {
                const QString inject =
                    QStringLiteral("%1:%2:when=%3%4")
                        .arg(QString::fromLatin1(fault.call), QString::fromLatin1(fault.fault))
                        .arg(n)
                        .arg(fault.reported && QByteArray(fault.fault).contains("ENOSPC")
                                 ? QStringLiteral("+")
                                 : QString());
                const ChildRun run = Start(program, args, inject);
                const std::string what = inject.toStdString();
                Check(changedAsWanted, mayGo, what);
                if (!run.killed && run.code == 0)
                    break; // the change had fewer such calls: it completed
                if (fault.reported) {
                    EXPECT_FALSE(run.killed) << what;
                }
                EXPECT_NE(run.code, 0) << what << ": a failure reported as success";
                ASSERT_LT(n, 200) << "a change that never ends";
            }
        }
    }
};

} // namespace

TEST_F(CrashTest, ImportKilledOrStarvedAtAnyWrite)
{
    const auto imported = [](const CCardData &card) {
        const int i = card.Name().mid(3).toInt();
        return i >= 4 && i < BaseCards + 12 &&
               card.Phone(0) == QStringLiteral("090-1111-%1").arg(i, 4, 10, QLatin1Char('0'));
    };
    EveryPoint(
        QStringLiteral(TESSALY_CLI),
        {QStringLiteral("import"), work, vcf, QStringLiteral("--same-name"), QStringLiteral("overwrite")},
        imported);
    // Untouched, the import brings every card in.
    ASSERT_EQ(Start(QStringLiteral(TESSALY_CLI),
                    {QStringLiteral("import"), work, vcf, QStringLiteral("--same-name"),
                     QStringLiteral("overwrite")},
                    QString())
                  .code,
              0);
    CCardStore store;
    ASSERT_TRUE(store.Open(work));
    EXPECT_EQ(store.LiveCount(), BaseCards + 12);
}

TEST_F(CrashTest, EditsAndDeletionKilledOrStarvedAtAnyWrite)
{
    const QString name = CardName(3);
    EveryPoint(QStringLiteral(CARD_CHANGE), {work, QStringLiteral("grow"), name}, [](const CCardData &card) {
        return card.Title().startsWith(QString::fromUtf8("代表取締役"));
    });
    EveryPoint(QStringLiteral(CARD_CHANGE), {work, QStringLiteral("shrink"), name},
               [](const CCardData &card) { return card.Memo().isEmpty(); });
    EveryPoint(
        QStringLiteral(CARD_CHANGE), {work, QStringLiteral("delete"), name},
        [](const CCardData &) { return false; }, name);
}

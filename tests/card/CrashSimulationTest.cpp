#include "CCardFileWriter.h"
#include "CCardStore.h"
#include "CChunk.h"
#include "FailingFile.h"
#include "StoreTestCards.h"
#include "TempDir.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using StoreTestCards::Make;

// What is left on disk when the program dies or the power goes at any point of
// a series of changes, replayed from the writes the store made: the kill
// leaves the writes before that point (the last one possibly cut short); the
// power cut leaves everything before the last sync and any part of what came
// after it. Every such file must open with each card once, old or new.
namespace {

QString Fingerprint(const CCardData &card)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(CChunk::EncodeCard(card), QCryptographicHash::Md5).toHex());
}

struct Cards
{
    QHash<QString, QString> byId; // Id -> fingerprint
    QStringList ids;              // every live card's Id, repeats included
};

Cards Read(const QString &path, bool *opened)
{
    Cards cards;
    CCardStore store;
    *opened = store.Open(path);
    for (int s = 0; s < store.Count(); ++s) {
        const CCardData *card = store.CardAt(s);
        if (card->Id().isEmpty())
            continue;
        cards.byId.insert(card->Id(), Fingerprint(*card));
        cards.ids << card->Id();
    }
    return cards;
}

CCardData *Named(CCardStore &store, const QString &name)
{
    for (int s = 0; s < store.Count(); ++s)
        if (store.CardAt(s)->Name() == name)
            return store.CardAt(s);
    return nullptr;
}

QByteArray Apply(QByteArray file, const QList<FileFaultPlan::Call> &calls, qsizetype count,
                 qsizetype tornBytes = -1)
{
    for (qsizetype i = 0; i < count; ++i) {
        const FileFaultPlan::Call &call = calls[i];
        if (call.kind == 't') {
            file.resize(call.position);
        } else if (call.kind == 'w') {
            const QByteArray bytes =
                i == count - 1 && tornBytes >= 0 ? call.bytes.left(tornBytes) : call.bytes;
            if (file.size() < call.position + bytes.size())
                file.resize(call.position + bytes.size(), '\0');
            file.replace(call.position, bytes.size(), bytes);
        }
    }
    return file;
}

class CrashSimulationTest : public ::testing::Test
{
protected:
    TempDir m_dir;
    QString m_path = m_dir.File(QStringLiteral("cards.ovd"));
    QString m_probe = m_dir.File(QStringLiteral("probe.ovd"));
    QByteArray m_base;
    Cards m_before;
    Cards m_after;
    QList<FileFaultPlan::Call> m_calls;

    // Ten cards; then the changes, as the program and an import make them.
    void Record()
    {
        {
            CCardStore store;
            ASSERT_TRUE(store.CreateNew(m_path));
            for (int i = 0; i < 10; ++i) {
                CCardData card = Make(QStringLiteral("N%1").arg(i), QStringLiteral("ｱ%1").arg(i));
                card.SetMemo(QStringLiteral("memo of card %1").arg(i));
                ASSERT_NE(store.AddCard(card), nullptr);
            }
        }
        m_base = TempDir::ReadAll(m_path);
        bool opened = false;
        m_before = Read(m_path, &opened);

        CCardStore store;
        ASSERT_TRUE(store.Open(m_path));
        FileFaultPlan plan;
        store.SetFileFactory(FailingFile::Factory(&plan));
        // One change at a time, as the edit pane makes them.
        CCardData grown = *Named(store, QStringLiteral("N0"));
        grown.SetMemo(QStringLiteral("a much longer memo than the one before it"));
        ASSERT_NE(store.Replace(grown, Named(store, QStringLiteral("N0"))), nullptr);
        CCardData shorter = *Named(store, QStringLiteral("N1"));
        shorter.SetMemo(QStringLiteral("m"));
        ASSERT_NE(store.Replace(shorter, Named(store, QStringLiteral("N1"))), nullptr);
        ASSERT_TRUE(store.Delete(Named(store, QStringLiteral("N2"))));
        ASSERT_NE(store.AddCard(Make(QStringLiteral("New"))), nullptr);
        // A batch, as an import writes it: new cards, overwritten ones, two commits.
        std::unique_ptr<CCardFileWriter> batch = store.OpenWriter();
        ASSERT_TRUE(batch);
        for (int i = 0; i < 3; ++i)
            ASSERT_NE(store.AddCard(Make(QStringLiteral("I%1").arg(i)), batch.get()), nullptr);
        for (int i = 3; i < 6; ++i) {
            CCardData over = *Named(store, QStringLiteral("N%1").arg(i));
            over.SetTitle(QStringLiteral("overwritten by the import with a longer title"));
            ASSERT_NE(store.Replace(over, Named(store, QStringLiteral("N%1").arg(i)), batch.get()), nullptr);
        }
        ASSERT_TRUE(store.CommitWriter(*batch));
        CCardData last = *Named(store, QStringLiteral("N6"));
        last.SetTitle(QStringLiteral("and one more after the first commit of the batch"));
        ASSERT_NE(store.Replace(last, Named(store, QStringLiteral("N6")), batch.get()), nullptr);
        ASSERT_NE(store.AddCard(Make(QStringLiteral("I9")), batch.get()), nullptr);
        ASSERT_TRUE(store.CommitWriter(*batch));
        batch.reset();
        m_calls = plan.log;
        m_after = Read(m_path, &opened);
    }

    // Each card once, in a state it had before or after; nothing else.
    void Check(const QByteArray &bytes, const std::string &what)
    {
        SCOPED_TRACE(what);
        ASSERT_TRUE(TempDir::WriteAll(m_probe, bytes));
        for (const QString &backup : QDir(m_dir.Path()).entryList({QStringLiteral("probe.ovd.bak*")}))
            QFile::remove(m_dir.File(backup));
        bool opened = false;
        const Cards found = Read(m_probe, &opened);
        ASSERT_TRUE(opened);
        EXPECT_EQ(found.ids.size(), found.byId.size()) << "a card is there twice";
        for (auto it = found.byId.cbegin(); it != found.byId.cend(); ++it) {
            const bool old = m_before.byId.value(it.key()) == it.value();
            const bool now = m_after.byId.value(it.key()) == it.value();
            EXPECT_TRUE(old || now) << "a card in neither state: " << qPrintable(it.key());
        }
        for (auto it = m_before.byId.cbegin(); it != m_before.byId.cend(); ++it)
            EXPECT_TRUE(found.byId.contains(it.key()) || !m_after.byId.contains(it.key()))
                << "a card that was never deleted is gone: " << qPrintable(it.key());
    }
};

} // namespace

TEST_F(CrashSimulationTest, AKillAtAnyWriteLeavesEveryCardOnceOldOrNew)
{
    Record();
    ASSERT_GT(m_calls.size(), 20);
    QByteArray size(m_base);
    for (qsizetype k = 0; k <= m_calls.size(); ++k) {
        Check(Apply(m_base, m_calls, k), "killed after call " + std::to_string(k));
        // The last write cut short, when it was one that grew the file.
        if (k > 0 && m_calls[k - 1].kind == 'w' &&
            m_calls[k - 1].position + m_calls[k - 1].bytes.size() > Apply(m_base, m_calls, k - 1).size())
            for (qsizetype torn : {qsizetype(1), qsizetype(8), m_calls[k - 1].bytes.size() / 2})
                Check(Apply(m_base, m_calls, k, torn), "killed inside call " + std::to_string(k) + " after " +
                                                           std::to_string(torn) + " bytes");
    }
}

TEST_F(CrashSimulationTest, APowerCutKeepsWhatWasSyncedAndAnyPartOfTheRest)
{
    Record();
    // The writes between two syncs reach the disk in any order, or not at all.
    QList<qsizetype> syncs{-1};
    for (qsizetype i = 0; i < m_calls.size(); ++i)
        if (m_calls[i].kind == 's')
            syncs << i;
    syncs << m_calls.size();
    QRandomGenerator random(7);
    for (qsizetype g = 0; g + 1 < syncs.size(); ++g) {
        const qsizetype from = syncs[g] + 1;
        const qsizetype to = syncs[g + 1];
        const QByteArray durable = Apply(m_base, m_calls, from);
        const qsizetype n = to - from;
        const int subsets = n <= 6 ? 1 << n : 64;
        for (int pick = 0; pick < subsets; ++pick) {
            const quint32 mask = n <= 6 ? quint32(pick) : random.generate();
            QList<FileFaultPlan::Call> some;
            for (qsizetype i = 0; i < n; ++i)
                if (mask & (1u << (i % 32)))
                    some << m_calls[from + i];
            Check(Apply(durable, some, some.size()),
                  "power cut after sync " + std::to_string(g) + ", writes " + std::to_string(mask));
        }
    }
}

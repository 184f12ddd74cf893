#include "CCardIndex.h"
#include "CCardStore.h"
#include "CChunk.h"
#include "StoreTestCards.h"
#include "TempDir.h"

#include <QRandomGenerator>
#include <algorithm>
#include <map>
#include <vector>

#include <gtest/gtest.h>

namespace {

// The plain model the store must agree with: a linear walk for duplicates, a
// full stable sort per tab, and the all-cards tabs as concatenations. Each
// card's order among equal keys is the order in which it (last) entered the
// index.
class ReferenceModel
{
public:
    explicit ReferenceModel(const CCardStore &store) : m_store(store) {}

    void Entered(int slot) { m_sequence[slot] = ++m_clock; }

    QList<CCardData *> Tab(int row, int tab, int kind, const std::function<bool(int)> &groupHasName) const
    {
        if (tab == CCardIndex::AllTabOf(row)) {
            QList<CCardData *> all;
            for (int t = 0; t < CCardIndex::SearchTabOf(row); ++t)
                all += Tab(row, t, m_kinds.at({row, t}), groupHasName);
            return all;
        }
        QList<CCardData *> cards;
        for (int s = 0; s < m_store.Count(); ++s) {
            CCardData *card = m_store.CardAt(s);
            if (!card->Id().isEmpty() && TabFor(card, row, groupHasName) == tab)
                cards << card;
        }
        std::stable_sort(cards.begin(), cards.end(), [&](CCardData *a, CCardData *b) {
            const int c = CCardIndex::Compare(a, b, kind);
            return c != 0 ? c < 0 : m_sequence.at(m_store.SlotOf(a)) < m_sequence.at(m_store.SlotOf(b));
        });
        return cards;
    }

    int FindDuplicate(const CCardData &card, bool skipFixed, int *kind) const
    {
        int found = -1;
        *kind = 0;
        for (int s = 0; s < m_store.Count(); ++s) {
            const CCardData *stored = m_store.CardAt(s);
            if (stored->Id().isEmpty())
                continue;
            if (found < 0 && stored->Name() == card.Name()) {
                found = s;
                *kind = 1;
                if (skipFixed && stored->Fixed()) {
                    *kind = 2;
                    break;
                }
            }
            if (stored->IsIdentical(card)) {
                found = s;
                *kind = 2;
                break;
            }
        }
        return found;
    }

    std::map<std::pair<int, int>, int> m_kinds;

private:
    static int TabOf(const QString &reading) { return CCardStore::TabOf(reading); }
    static int TabFor(const CCardData *card, int row, const std::function<bool(int)> &groupHasName)
    {
        if (row == 0)
            return TabOf(card->YomiName());
        if (row == 1)
            return TabOf(card->CompanySortKey());
        const int g = card->GroupNo();
        return g < 16 && groupHasName(g) ? g : 0;
    }

    const CCardStore &m_store;
    std::map<int, quint64> m_sequence;
    quint64 m_clock = 0;
};

QString Pick(QRandomGenerator &random, const QStringList &choices)
{
    return choices[random.bounded(int(choices.size()))];
}

CCardData RandomCard(QRandomGenerator &random)
{
    static const QStringList names{"佐藤", "鈴木", "高橋", "田中", "A", "B", ""};
    static const QStringList yomis{"", "ｻﾄｳ", "ｽｽﾞｷ", "ｶﾞｸ", "ｳﾞｨ", "ｱ", "ｱｲ", "ﾜﾀﾞ", "1ﾊﾞﾝ", "Abe", "ｯﾀ"};
    static const QStringList companies{"", "ｶﾌﾞｼｷｶﾞｲｼｬﾔﾏﾀﾞ", "ﾔﾏｱ", "ｶﾌﾞｼｷｶﾞｲｼｬ", "ﾆﾎﾝ"};
    static const QStringList phones{"", "111", "222", "333"};
    CCardData card;
    card.SetName(Pick(random, names));
    card.SetYomiName(Pick(random, yomis));
    card.SetCompanyYomi(Pick(random, companies));
    const int phoneCount = int(random.bounded(3));
    for (int i = 0; i < phoneCount; ++i)
        card.SetPhone(i, {Pick(random, phones), PhoneCompanyMobile});
    card.SetGroupNo(int(random.bounded(18)));
    card.SetFixed(random.bounded(4) == 0);
    card.SetPrint(random.bounded(2) == 0);
    card.SetMemo(QStringLiteral("m").repeated(int(random.bounded(30))));
    return card;
}

QStringList StoredChunks(const CCardStore &store)
{
    QStringList chunks;
    for (int s = 0; s < store.Count(); ++s) {
        if (!store.CardAt(s)->Id().isEmpty())
            chunks << QString::fromLatin1(CChunk::EncodeCard(*store.CardAt(s)).toHex());
    }
    chunks.sort();
    return chunks;
}

} // namespace

TEST(StoreRandomTest, AgreesWithTheReferenceModel)
{
    TempDir dir;
    StoreSettings settings = StoreSettings::Defaults();
    settings.groupNames[5].clear(); // cards of group 5 show in tab 0
    CCardStore store(&settings);
    ASSERT_TRUE(store.CreateNew(dir.File(QStringLiteral("r.ovd"))));
    const auto groupHasName = [&store](int g) { return !store.GetGroupName(g).isEmpty(); };
    ReferenceModel model(store);
    QRandomGenerator random(2024);
    for (int row = 0; row < CCardIndex::RowCount; ++row) {
        for (int tab = 0; tab < CCardIndex::TabCountOf(row); ++tab) {
            // Kinds whose keys move the card when they change.
            const int kind = int(random.bounded(2));
            ASSERT_TRUE(store.SetSortKind(row, tab, kind));
            model.m_kinds[{row, tab}] = kind;
        }
    }

    const auto compareAll = [&](int step) {
        for (int row = 0; row < CCardIndex::RowCount; ++row) {
            for (int tab = 0; tab < CCardIndex::TabCountOf(row); ++tab) {
                if (tab == CCardIndex::SearchTabOf(row))
                    continue;
                // Compared as std::vector: QList's comparison of two empty lists passes a null pointer to
                // memcmp.
                const QList<CCardData *> actual = store.TabCopy(row, tab);
                const QList<CCardData *> expected =
                    model.Tab(row, tab, model.m_kinds[{row, tab}], groupHasName);
                ASSERT_EQ(std::vector<CCardData *>(actual.begin(), actual.end()),
                          std::vector<CCardData *>(expected.begin(), expected.end()))
                    << "step " << step << " row " << row << " tab " << tab;
            }
        }
    };

    QList<int> live;
    for (int step = 0; step < 4000; ++step) {
        const int op = int(random.bounded(10));
        if (op < 5 || live.isEmpty()) {
            CCardData *card = store.AddCard(RandomCard(random));
            ASSERT_NE(card, nullptr);
            model.Entered(store.SlotOf(card));
            live << store.SlotOf(card);
        } else if (op < 8) {
            CCardData *stored = store.CardAt(live[random.bounded(int(live.size()))]);
            CCardData data = *stored;
            const int edit = int(random.bounded(3));
            if (edit == 0) {
                data = RandomCard(random);
            } else if (edit == 1) {
                // Only the numbers change: the card must move between identity keys.
                static const QStringList numbers{"", "111", "222", "333"};
                data.SetPhone(int(random.bounded(3)), {Pick(random, numbers), PhoneCompanyMobile});
            } else {
                data.SetMemo(QStringLiteral("edited"));
                data.SetFixed(!data.Fixed());
            }
            const bool moves = data.YomiName() != stored->YomiName() ||
                               data.CompanyYomi() != stored->CompanyYomi() ||
                               data.GroupNo() != stored->GroupNo();
            ASSERT_EQ(store.Replace(data, stored), stored);
            if (moves)
                model.Entered(store.SlotOf(stored));
        } else {
            const int at = int(random.bounded(int(live.size())));
            ASSERT_TRUE(store.Delete(store.CardAt(live[at])));
            live.removeAt(at);
        }

        const CCardData probe = RandomCard(random);
        for (bool skipFixed : {false, true}) {
            int kind = -1, expectedKind = -1;
            const int slot = store.FindDuplicate(probe, skipFixed, &kind);
            ASSERT_EQ(slot, model.FindDuplicate(probe, skipFixed, &expectedKind)) << step;
            ASSERT_EQ(kind, expectedKind) << step;
        }
        if (step % 97 == 0)
            compareAll(step);
        if (HasFatalFailure())
            return;
    }
    compareAll(-1);
    ASSERT_EQ(store.LiveCount(), live.size());

    CCardStore reloaded;
    ASSERT_TRUE(reloaded.Open(store.Path()));
    EXPECT_EQ(StoredChunks(reloaded), StoredChunks(store));
    EXPECT_EQ(reloaded.LastOpenReport().droppedCards, 0);
}

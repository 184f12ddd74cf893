#include "CDuplicateFinder.h"

#include "CCardData.h"
#include "CCardStore.h"
#include "DuplicateKeys.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <numeric>
#include <thread>
#include <vector>

namespace {

// Below this many cards a second thread costs more than it saves.
constexpr qsizetype ParallelFrom = 20000;

struct Keys
{
    QString name;
    QString readingAndCompany;
    QStringList phones; // parallel to the entry's phones; empty where a number has no key
    QStringList mails;
};

Keys KeysOf(const CDuplicateFinder::Entry &entry)
{
    Keys keys;
    keys.name = DuplicateKeys::NameKey(entry.name);
    const QString reading = DuplicateKeys::ReadingKey(entry.reading);
    const QString company = DuplicateKeys::CompanyKey(entry.company);
    if (!reading.isEmpty() && !company.isEmpty())
        keys.readingAndCompany = reading + u'\n' + company;
    for (const QString &phone : entry.phones)
        keys.phones << DuplicateKeys::PhoneKey(phone);
    for (const QString &mail : entry.mails)
        keys.mails << DuplicateKeys::MailKey(mail);
    return keys;
}

std::vector<Keys> AllKeys(const QList<CDuplicateFinder::Entry> &entries)
{
    std::vector<Keys> keys(size_t(entries.size()));
    const auto fill = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i)
            keys[size_t(i)] = KeysOf(entries[i]);
    };
    const qsizetype count = entries.size();
    if (count >= ParallelFrom && std::thread::hardware_concurrency() > 1) {
        std::thread other(fill, count / 2, count);
        fill(0, count / 2);
        other.join();
    } else {
        fill(0, count);
    }
    return keys;
}

class UnionFind
{
public:
    explicit UnionFind(size_t n) : m_parent(n) { std::iota(m_parent.begin(), m_parent.end(), 0); }
    int Root(int i)
    {
        while (m_parent[size_t(i)] != i) {
            m_parent[size_t(i)] = m_parent[size_t(m_parent[size_t(i)])];
            i = m_parent[size_t(i)];
        }
        return i;
    }
    void Join(int a, int b)
    {
        a = Root(a);
        b = Root(b);
        if (a != b)
            m_parent[size_t(std::max(a, b))] = std::min(a, b);
    }

private:
    std::vector<int> m_parent;
};

// The cards that share one key, each once, in entry order.
struct Bucket
{
    QList<int> members;
    QList<int> positions; // which of the member's numbers or addresses has the key
};

using Table = QHash<QString, Bucket>;

void Put(Table &table, const QString &key, int entry, int position = 0)
{
    if (key.isEmpty())
        return;
    Bucket &bucket = table[key];
    if (!bucket.members.isEmpty() && bucket.members.back() == entry)
        return; // the same number twice on one card
    bucket.members << entry;
    bucket.positions << position;
}

} // namespace

CDuplicateFinder::Entry CDuplicateFinder::EntryOf(const CCardData &card)
{
    Entry entry;
    entry.slot = card.StoreIndex();
    entry.name = card.Name();
    entry.reading = card.YomiName();
    entry.company = card.Company();
    for (int i = 0; i < card.PhoneCount(); ++i)
        entry.phones << card.Phone(i);
    for (int i = 0; i < card.MailCount(); ++i)
        entry.mails << card.Mail(i);
    entry.recency = CardRecency::Of(card);
    return entry;
}

QList<CDuplicateFinder::Entry> CDuplicateFinder::Snapshot(const CCardStore &store)
{
    QList<Entry> entries;
    entries.reserve(store.LiveCount());
    for (int slot = 0; slot < store.Count(); ++slot) {
        const CCardData *card = store.CardAt(slot);
        if (!card->Id().isEmpty())
            entries << EntryOf(*card);
    }
    return entries;
}

QList<DuplicateGroup> CDuplicateFinder::Find(const QList<Entry> &entries)
{
    const std::vector<Keys> keys = AllKeys(entries);
    const int count = int(entries.size());
    Table names, readings, phones, mails;
    names.reserve(count);
    readings.reserve(count);
    phones.reserve(count * 2);
    mails.reserve(count);
    for (int i = 0; i < count; ++i) {
        Put(names, keys[size_t(i)].name, i);
        Put(readings, keys[size_t(i)].readingAndCompany, i);
        for (int p = 0; p < keys[size_t(i)].phones.size(); ++p)
            Put(phones, keys[size_t(i)].phones[p], i, p);
        for (int m = 0; m < keys[size_t(i)].mails.size(); ++m)
            Put(mails, keys[size_t(i)].mails[m], i, m);
    }

    const auto newer = [&](int a, int b) {
        if (entries[a].recency != entries[b].recency)
            return entries[a].recency > entries[b].recency;
        return entries[a].slot > entries[b].slot;
    };
    // A shared number or address joins cards only while few people share it;
    // a card without a name counts as a name of its own.
    const auto fewNames = [&](const Bucket &bucket) {
        QSet<QString> seen;
        int unnamed = 0;
        for (int member : bucket.members) {
            if (keys[size_t(member)].name.isEmpty())
                ++unnamed;
            else
                seen.insert(keys[size_t(member)].name);
            if (seen.size() + unnamed > CompanyNumberNames)
                return false;
        }
        return true;
    };

    UnionFind sets{size_t(count)};
    struct Found
    {
        int anyMember;
        DuplicateReason reason;
    };
    std::vector<Found> found;
    const auto join = [&](const Table &table, DuplicateRule rule, bool onlyFewNames) {
        for (const Bucket &bucket : table) {
            if (bucket.members.size() < 2 || (onlyFewNames && !fewNames(bucket)))
                continue;
            int newest = 0;
            for (int k = 1; k < bucket.members.size(); ++k) {
                if (newer(bucket.members[k], bucket.members[newest]))
                    newest = k;
            }
            const Entry &e = entries[bucket.members[newest]];
            QString value;
            switch (rule) {
            case DuplicateRule::SameName:
                value = e.name;
                break;
            case DuplicateRule::SameReadingAndCompany:
                value = e.reading + QStringLiteral(" / ") + e.company;
                break;
            case DuplicateRule::SamePhone:
                value = e.phones[bucket.positions[newest]];
                break;
            case DuplicateRule::SameMail:
                value = e.mails[bucket.positions[newest]];
                break;
            }
            for (int member : bucket.members)
                sets.Join(bucket.members.front(), member);
            found.push_back({bucket.members.front(), {rule, value}});
        }
    };
    join(names, DuplicateRule::SameName, false);
    join(readings, DuplicateRule::SameReadingAndCompany, false);
    join(phones, DuplicateRule::SamePhone, true);
    join(mails, DuplicateRule::SameMail, true);

    QHash<int, int> groupOf; // root entry -> group
    QList<DuplicateGroup> groups;
    QList<QList<int>> members;
    for (const Found &f : found) {
        const int root = sets.Root(f.anyMember);
        auto it = groupOf.find(root);
        if (it == groupOf.end()) {
            it = groupOf.insert(root, int(groups.size()));
            groups.append(DuplicateGroup());
            members.append(QList<int>());
        }
        groups[*it].reasons << f.reason;
    }
    for (int i = 0; i < count; ++i) {
        const auto it = groupOf.constFind(sets.Root(i));
        if (it != groupOf.cend())
            members[*it] << i;
    }
    QList<int> newestOf;
    for (qsizetype g = 0; g < groups.size(); ++g) {
        std::sort(members[g].begin(), members[g].end(), newer);
        for (int member : std::as_const(members[g]))
            groups[g].cardSlots << entries[member].slot;
        std::sort(groups[g].reasons.begin(), groups[g].reasons.end(),
                  [](const DuplicateReason &a, const DuplicateReason &b) {
                      return a.rule != b.rule ? a.rule < b.rule : a.value < b.value;
                  });
        newestOf << members[g].front();
    }

    // Browsed like the card list: by the reading, then the name, of each group's newest card.
    QList<int> order(groups.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const Entry &x = entries[newestOf[a]];
        const Entry &y = entries[newestOf[b]];
        if (x.reading != y.reading)
            return x.reading < y.reading;
        if (x.name != y.name)
            return x.name < y.name;
        return x.slot < y.slot;
    });
    QList<DuplicateGroup> sorted;
    sorted.reserve(groups.size());
    for (int g : std::as_const(order))
        sorted << std::move(groups[g]);
    return sorted;
}

UserMessage CDuplicateFinder::NoneFoundMessage()
{
    return {QString::fromUtf8("重複名刺の検索"),
            QString::fromUtf8("重複している可能性のある名刺は見つかりませんでした。"),
            UserMessage::Information};
}

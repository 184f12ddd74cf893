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

// One key of one card: its name, its reading at its company, one of its
// numbers or addresses (position says which).
struct KeyRecord
{
    QString key;
    int entry;
    int position;
};

// Every key of one kind, in entry order.
struct Keys
{
    std::vector<KeyRecord> names, readings, phones, mails;

    void Append(Keys &&other)
    {
        for (auto [to, from] : {std::pair{&names, &other.names}, std::pair{&readings, &other.readings},
                                std::pair{&phones, &other.phones}, std::pair{&mails, &other.mails}})
            to->insert(to->end(), std::make_move_iterator(from->begin()),
                       std::make_move_iterator(from->end()));
    }
};

void AddKeysOf(const CDuplicateFinder::Entry &entry, int index, Keys &keys)
{
    const QString name = DuplicateKeys::NameKey(entry.name);
    if (!name.isEmpty())
        keys.names.push_back({name, index, 0});
    const QString reading = DuplicateKeys::ReadingKey(entry.reading);
    if (!reading.isEmpty()) {
        const QString company = DuplicateKeys::CompanyKey(entry.company);
        if (!company.isEmpty())
            keys.readings.push_back({reading + u'\n' + company, index, 0});
    }
    for (int p = 0; p < entry.phones.size(); ++p) {
        const QString key = DuplicateKeys::PhoneKey(entry.phones[p]);
        if (!key.isEmpty())
            keys.phones.push_back({key, index, p});
    }
    for (int m = 0; m < entry.mails.size(); ++m) {
        const QString key = DuplicateKeys::MailKey(entry.mails[m]);
        if (!key.isEmpty())
            keys.mails.push_back({key, index, m});
    }
}

Keys AllKeys(const QList<CDuplicateFinder::Entry> &entries)
{
    const auto fill = [&](qsizetype from, qsizetype to, Keys &keys) {
        for (qsizetype i = from; i < to; ++i)
            AddKeysOf(entries[i], int(i), keys);
    };
    const qsizetype count = entries.size();
    Keys keys;
    if (count >= ParallelFrom && std::thread::hardware_concurrency() > 1) {
        Keys second;
        std::thread other(fill, count / 2, count, std::ref(second));
        fill(0, count / 2, keys);
        other.join();
        keys.Append(std::move(second));
    } else {
        fill(0, count, keys);
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

// The records of one kind ordered so that records of one key lie together,
// each run in entry order; calls visit(first, end) for every key that two or
// more cards share.
template <typename Visit> void ForEachShared(const std::vector<KeyRecord> &records, Visit visit)
{
    QHash<QString, int> ids; // key -> 1 + its number
    ids.reserve(qsizetype(records.size()));
    std::vector<int> idOf(records.size());
    std::vector<int> sizes;
    for (size_t r = 0; r < records.size(); ++r) {
        int &id = ids[records[r].key];
        if (id == 0) {
            sizes.push_back(0);
            id = int(sizes.size());
        }
        idOf[r] = id - 1;
        ++sizes[size_t(id - 1)];
    }
    std::vector<int> starts(sizes.size() + 1, 0);
    for (size_t k = 0; k < sizes.size(); ++k)
        starts[k + 1] = starts[k] + sizes[k];
    std::vector<int> order(records.size());
    std::vector<int> next(starts.begin(), starts.end() - 1);
    for (size_t r = 0; r < records.size(); ++r)
        order[size_t(next[size_t(idOf[r])]++)] = int(r);
    for (size_t k = 0; k < sizes.size(); ++k) {
        // Several of one card's numbers may give one key: that card shares it with no one.
        const int first = starts[k];
        const int end = starts[k + 1];
        if (records[size_t(order[size_t(first)])].entry != records[size_t(order[size_t(end - 1)])].entry)
            visit(order.data() + first, order.data() + end);
    }
}

} // namespace

CDuplicateFinder::Entry CDuplicateFinder::EntryOf(const CCardData &card, int slot)
{
    Entry entry;
    entry.slot = slot;
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
            entries << EntryOf(*card, slot);
    }
    return entries;
}

QList<DuplicateGroup> CDuplicateFinder::Find(const QList<Entry> &entries)
{
    const Keys keys = AllKeys(entries);
    const int count = int(entries.size());
    std::vector<QString> nameOf(entries.size());
    for (const KeyRecord &record : keys.names)
        nameOf[size_t(record.entry)] = record.key;

    const auto newer = [&](int a, int b) {
        if (entries[a].recency != entries[b].recency)
            return entries[a].recency > entries[b].recency;
        return entries[a].slot > entries[b].slot;
    };
    // A shared number or address joins cards only while few people share it;
    // a card without a name counts as a name of its own.
    const auto fewNames = [&](const std::vector<KeyRecord> &records, const int *first, const int *end) {
        QSet<QString> seen;
        int unnamed = 0;
        for (const int *r = first; r != end; ++r) {
            const QString &name = nameOf[size_t(records[size_t(*r)].entry)];
            if (name.isEmpty())
                ++unnamed;
            else
                seen.insert(name);
            if (seen.size() + unnamed > CompanyNumberNames)
                return false;
        }
        return true;
    };

    UnionFind sets(entries.size());
    struct Found
    {
        int anyMember;
        DuplicateReason reason;
    };
    std::vector<Found> found;
    const auto join = [&](const std::vector<KeyRecord> &records, DuplicateRule rule, bool onlyFewNames) {
        ForEachShared(records, [&](const int *first, const int *end) {
            if (onlyFewNames && !fewNames(records, first, end))
                return;
            const KeyRecord *newest = &records[size_t(*first)];
            for (const int *r = first; r != end; ++r) {
                const KeyRecord &record = records[size_t(*r)];
                sets.Join(records[size_t(*first)].entry, record.entry);
                if (newer(record.entry, newest->entry))
                    newest = &record;
            }
            const Entry &e = entries[newest->entry];
            QString value;
            switch (rule) {
            case DuplicateRule::SameName:
                value = e.name;
                break;
            case DuplicateRule::SameReadingAndCompany:
                value = e.reading + QStringLiteral(" / ") + e.company;
                break;
            case DuplicateRule::SamePhone:
                value = e.phones[newest->position];
                break;
            case DuplicateRule::SameMail:
                value = e.mails[newest->position];
                break;
            }
            found.push_back({records[size_t(*first)].entry, {rule, value}});
        });
    };
    join(keys.names, DuplicateRule::SameName, false);
    join(keys.readings, DuplicateRule::SameReadingAndCompany, false);
    join(keys.phones, DuplicateRule::SamePhone, true);
    join(keys.mails, DuplicateRule::SameMail, true);

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

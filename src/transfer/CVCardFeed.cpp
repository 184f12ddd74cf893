#include "CVCardFeed.h"

#include "VCardFileReader.h"

namespace {
// Small batches keep the two threads busy together; a short queue keeps
// memory bounded when storing is the slower side.
constexpr int BatchSize = 256;
constexpr size_t MaxQueuedBatches = 8;
} // namespace

CVCardFeed::CVCardFeed(Prepare prepare) : m_prepare(std::move(prepare))
{
}

CVCardFeed::~CVCardFeed()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

bool CVCardFeed::Start(const QString &path, const QString &photoFolder)
{
    m_thread = std::thread([this, path, photoFolder] { Run(path, photoFolder); });
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_openDone; });
    return m_opened;
}

void CVCardFeed::Run(const QString &path, const QString &photoFolder)
{
    VCardFileReader reader;
    const bool opened = reader.Open(path, photoFolder);
    {
        std::lock_guard lock(m_mutex);
        m_opened = opened;
        m_openDone = true;
        m_done = !opened;
    }
    m_changed.notify_all();
    if (!opened)
        return;
    bool more = true;
    while (more) {
        FreeSpent();
        Batch batch;
        if (reader.Read(batch.entries, BatchSize) == 0)
            break;
        // With the caller short of work, the batch goes as it is and the
        // caller prepares it; otherwise it is prepared here.
        bool callerWaiting;
        {
            std::lock_guard lock(m_mutex);
            callerWaiting = m_ready.size() < 2;
        }
        if (!callerWaiting)
            more = PrepareBatch(batch);
        more = Push(std::move(batch)) && more;
    }
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_changed.notify_all();
}

bool CVCardFeed::PrepareBatch(Batch &batch) const
{
    batch.cards.reserve(batch.entries.size());
    for (VCARD_DATA &entry : batch.entries) {
        PreparedCard &prepared = batch.cards.emplace_back();
        prepared.valid = m_prepare(entry, prepared.card);
        prepared.photos = entry.photos;
        if (!prepared.valid)
            return false;
    }
    return true;
}

// What the caller is done with is freed here, on the thread that allocated
// most of it: freeing it on the caller's thread makes the two contend for the
// allocator's lock on every text.
void CVCardFeed::FreeSpent()
{
    std::deque<Batch> spent;
    {
        std::lock_guard lock(m_mutex);
        spent.swap(m_spent);
    }
}

bool CVCardFeed::Push(Batch &&batch)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_stop || m_ready.size() < MaxQueuedBatches; });
    if (m_stop)
        return false;
    m_ready.push_back(std::move(batch));
    lock.unlock();
    m_changed.notify_all();
    return true;
}

bool CVCardFeed::Next(QList<PreparedCard> &cards)
{
    std::unique_lock lock(m_mutex);
    m_current.cards = std::move(cards);
    cards.clear();
    if (!m_done)
        m_spent.push_back(std::move(m_current));
    m_current = Batch();
    m_changed.wait(lock, [this] { return !m_ready.empty() || m_done; });
    if (m_ready.empty())
        return false;
    m_current = std::move(m_ready.front());
    m_ready.pop_front();
    lock.unlock();
    m_changed.notify_all();
    if (m_current.cards.isEmpty())
        PrepareBatch(m_current); // an entry that cannot be prepared comes out invalid and ends the merge
    cards = std::move(m_current.cards);
    return true;
}

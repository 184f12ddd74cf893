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
    QList<VCARD_DATA> entries;
    bool more = true;
    while (more) {
        FreeSpent();
        entries.clear();
        if (reader.Read(entries, BatchSize) == 0)
            break;
        QList<PreparedCard> batch;
        batch.reserve(entries.size());
        for (VCARD_DATA &entry : entries) {
            PreparedCard &prepared = batch.emplace_back();
            prepared.valid = m_prepare(entry, prepared.card);
            prepared.photos = std::move(entry.photos);
            if (!prepared.valid) {
                more = false;
                break;
            }
        }
        more = Push(std::move(batch)) && more;
    }
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_changed.notify_all();
}

// Cards the caller did not keep are freed here, on the thread that allocated
// them: freeing them on the caller's thread makes the two contend for the
// allocator's lock on every text.
void CVCardFeed::FreeSpent()
{
    std::deque<QList<PreparedCard>> spent;
    {
        std::lock_guard lock(m_mutex);
        spent.swap(m_spent);
    }
}

bool CVCardFeed::Push(QList<PreparedCard> &&batch)
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

bool CVCardFeed::Next(QList<PreparedCard> &batch)
{
    std::unique_lock lock(m_mutex);
    if (!batch.isEmpty() && !m_done)
        m_spent.push_back(std::move(batch));
    batch.clear();
    m_changed.wait(lock, [this] { return !m_ready.empty() || m_done; });
    if (m_ready.empty())
        return false;
    batch = std::move(m_ready.front());
    m_ready.pop_front();
    lock.unlock();
    m_changed.notify_all();
    return true;
}

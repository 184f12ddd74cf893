#pragma once

#include "PreparedCard.h"
#include "VCardData.h"

#include <QList>
#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// Reads a vCard file's entries on a thread of its own while the caller merges
// the cards already read: reading and storing a large file then overlap.
// Preparing an entry (turning it into a card) is done by whichever side has
// time: the reader while the caller is busy, the caller when it would
// otherwise wait. Entries come out in file order; reading stops after an
// entry the reader could not prepare.
class CVCardFeed
{
public:
    using Prepare = std::function<bool(VCARD_DATA &entry, CCardData &card)>;

    // prepare is called from both threads and must only read shared state.
    explicit CVCardFeed(Prepare prepare);
    // Stops the reading thread and waits for it.
    ~CVCardFeed();
    CVCardFeed(const CVCardFeed &) = delete;
    CVCardFeed &operator=(const CVCardFeed &) = delete;

    // false when the file cannot be opened.
    bool Start(const QString &path, const QString &photoFolder);
    // The next prepared cards, in order; false once every entry has been handed out.
    // The cards passed in are given back to the reading thread to be freed.
    bool Next(QList<PreparedCard> &cards);

private:
    struct Batch
    {
        QList<VCARD_DATA> entries;
        QList<PreparedCard> cards; // empty until prepared
    };

    void Run(const QString &path, const QString &photoFolder);
    // false: an entry could not be prepared; the cards up to it are kept.
    bool PrepareBatch(Batch &batch) const;
    bool Push(Batch &&batch);
    void FreeSpent();

    Prepare m_prepare;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Batch> m_ready;
    std::deque<Batch> m_spent;
    Batch m_current; // the caller's batch, returned with the next call
    bool m_opened = false;
    bool m_openDone = false;
    bool m_done = false;
    bool m_stop = false;
};

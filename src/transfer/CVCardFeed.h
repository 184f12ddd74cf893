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

// Reads and prepares a vCard file's entries on a thread of its own while the
// caller merges the cards already prepared: reading and storing a large file
// then overlap. Entries come out in file order; reading stops after an entry
// that could not be prepared.
class CVCardFeed
{
public:
    using Prepare = std::function<bool(VCARD_DATA &entry, CCardData &card)>;

    explicit CVCardFeed(Prepare prepare);
    // Stops the reading thread and waits for it.
    ~CVCardFeed();
    CVCardFeed(const CVCardFeed &) = delete;
    CVCardFeed &operator=(const CVCardFeed &) = delete;

    // false when the file cannot be opened.
    bool Start(const QString &path, const QString &photoFolder);
    // The next prepared cards, in order; false once every entry has been handed out.
    // The batch passed in is given back to the reading thread to be freed.
    bool Next(QList<PreparedCard> &batch);

private:
    void Run(const QString &path, const QString &photoFolder);
    bool Push(QList<PreparedCard> &&batch);
    void FreeSpent();

    Prepare m_prepare;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<QList<PreparedCard>> m_ready;
    std::deque<QList<PreparedCard>> m_spent;
    bool m_opened = false;
    bool m_openDone = false;
    bool m_done = false;
    bool m_stop = false;
};

#include "CImportEngine.h"

#include "CCardFileWriter.h"
#include "CCardStore.h"
#include "CVCardFeed.h"
#include "IOverwriteConfirm.h"
#include "JpegPhotoMarker.h"
#include "VCardCardMapper.h"
#include "VCardReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {
// Photos are decoded into a private folder that goes away with the source,
// so that no picture of a run stays behind in the caller's folder.
std::unique_ptr<QTemporaryDir> PhotoScratch(const QString &photoFolder)
{
    const QString base = photoFolder.isEmpty() ? QDir::tempPath() : photoFolder;
    QDir().mkpath(base);
    auto dir = std::make_unique<QTemporaryDir>(QDir(base).filePath(QStringLiteral("tessaly-photos-XXXXXX")));
    return dir->isValid() ? std::move(dir) : nullptr;
}

QString PhotoFile(const PROPERTY &photo)
{
    return photo.values.isEmpty() ? QString() : photo.values.last();
}
} // namespace

CImportEngine::CImportEngine(CCardStore &store, const ImportOptions &options, IOverwriteConfirm *confirm)
    : m_store(store), m_options(options), m_confirm(confirm)
{
}

CImportEngine::~CImportEngine() = default;

namespace {
// Cards written between two commits: a crash loses none of them (a reopen finds
// them past the stated length), a power cut at most these.
constexpr int CommitEvery = 2000;
} // namespace

bool CImportEngine::BeginRun()
{
    ResetRememberedAnswer();
    m_file.reset();
    m_failure.clear();
    m_sinceCommit = 0;
    m_file = m_store.OpenWriter();
    return m_file || StoreFailed();
}

bool CImportEngine::EndRun()
{
    const bool ok = !m_file || m_store.CommitWriter(*m_file) || StoreFailed();
    m_file.reset();
    return ok && m_failure.isEmpty();
}

bool CImportEngine::StoreFailed()
{
    if (m_failure.isEmpty())
        m_failure = StoreErrorText(m_store.LastError() == StoreError::None ? StoreError::WriteFailed
                                                                           : m_store.LastError());
    m_file.reset(); // nothing more is written in this run
    return false;
}

QDate CImportEngine::Today() const
{
    return m_today.isValid() ? m_today : QDate::currentDate();
}

CImportEngine::MergeResult CImportEngine::MergeCard(const CCardData &card, const QString &sourceName,
                                                    ImportCounters &counters, CCardData **stored)
{
    return Merge(card, nullptr, sourceName, counters, stored);
}

CImportEngine::MergeResult CImportEngine::MergeCard(CCardData &&card, const QString &sourceName,
                                                    ImportCounters &counters, CCardData **stored)
{
    return Merge(card, &card, sourceName, counters, stored);
}

CImportEngine::MergeResult CImportEngine::Merge(const CCardData &card, CCardData *movable,
                                                const QString &sourceName, ImportCounters &counters,
                                                CCardData **stored)
{
    if (stored)
        *stored = nullptr;
    // Without a run, every card is written and made durable on its own.
    if (!m_failure.isEmpty())
        return MergeFailed;
    int kind = CCardStore::DuplicateNone;
    const int slot = m_store.FindDuplicate(card, m_options.skipCheckFixedData, &kind);
    OverwriteAnswer answer = AnswerAdd;
    if (kind == CCardStore::DuplicateIdentical) {
        answer = AnswerSkip;
    } else if (kind == CCardStore::DuplicateSameName) {
        if (m_remembered == AnswerOverwriteAll || m_remembered == AnswerAddAll ||
            m_remembered == AnswerSkipAll) {
            answer = m_remembered;
        } else {
            answer =
                m_confirm ? m_confirm->AskOverwrite(*m_store.CardAt(slot), card, sourceName) : AnswerSkip;
            m_remembered = answer;
        }
    }
    CCardData *result = nullptr;
    switch (answer) {
    case AnswerOverwrite:
    case AnswerOverwriteAll:
        result = m_store.Replace(card, m_store.CardAt(slot), m_file.get());
        break;
    case AnswerAdd:
    case AnswerAddAll:
        // Taking the texts over also spares the reading thread from touching
        // the stored card's shared texts when it frees its copy.
        result = movable ? m_store.AddCard(std::move(*movable), m_file.get())
                         : m_store.AddCard(card, m_file.get());
        break;
    default:
        ++counters.skipped;
        return MergeSkipped;
    }
    if (!result) {
        StoreFailed();
        counters.failure = m_failure;
        return MergeFailed;
    }
    if (m_file && ++m_sinceCommit >= CommitEvery) {
        m_sinceCommit = 0;
        if (!m_store.CommitWriter(*m_file)) {
            // The store read the file again: nothing of ours may be used any more.
            StoreFailed();
            counters.failure = m_failure;
            return MergeFailed;
        }
    }
    if (answer == AnswerOverwrite || answer == AnswerOverwriteAll)
        ++counters.overwritten;
    else
        ++counters.added;
    if (stored)
        *stored = result;
    return answer == AnswerOverwrite || answer == AnswerOverwriteAll ? MergeOverwritten : MergeAdded;
}

bool CImportEngine::CopyPhotosChecked(const QList<PROPERTY> &photos, const QString &photoFolder,
                                      const CCardData &stored)
{
    const CCardImageFiles images = m_store.Images();
    for (int i = 0; i < 2 && i < photos.size(); ++i) {
        const QString file = PhotoFile(photos[i]);
        if (file.isEmpty())
            continue;
        if (!images.Replace(stored.Id(), i, QDir(photoFolder).filePath(file))) {
            // The card is stored; its picture could not be, and the user must hear of it.
            m_failure = StoreErrorText(StoreError::ImageFiles);
            m_file.reset();
            return false;
        }
    }
    return true;
}

bool CImportEngine::PrepareCard(VCARD_DATA &entry, const CCheckArray &checks, const QString &fileDate,
                                const QDate &today, CCardData &card) const
{
    FinishCardFileEntry(entry);
    if (!VCardCardMapper::MapCardFileEntry(entry, checks, m_options.autoYomi, card))
        return false;
    card.SetReceivedDate(VCardCardMapper::ReceivedDate(entry, fileDate, today));
    return true;
}

bool CImportEngine::MergePrepared(PreparedCard &prepared, const QString &photoFolder,
                                  const QString &sourceName, ImportCounters &counters)
{
    if (!prepared.valid)
        return false; // malformed: the rest of the source is not taken
    CCardData *stored = nullptr;
    if (MergeCard(std::move(prepared.card), sourceName, counters, &stored) == MergeFailed)
        return false;
    if (stored && !CopyPhotosChecked(prepared.photos, photoFolder, *stored)) {
        counters.failure = m_failure;
        return false;
    }
    return true;
}

bool CImportEngine::ImportVCardSource(const QString &path, const QString &photoFolder,
                                      const QString &sourceName, const QString &fileDate,
                                      ImportCounters &counters)
{
    const auto scratch = PhotoScratch(photoFolder);
    if (!scratch)
        return false;
    // A copy: the feed's thread reads it while cards are being stored here.
    const CCheckArray checks = m_store.GetCheckList();
    const QDate today = Today();
    CVCardFeed feed([&](VCARD_DATA &entry, CCardData &card) {
        return PrepareCard(entry, checks, fileDate, today, card);
    });
    if (!feed.Start(path, scratch->path()))
        return false;
    bool any = false;
    QList<PreparedCard> batch;
    while (feed.Next(batch)) {
        for (PreparedCard &prepared : batch) {
            any = true;
            if (!MergePrepared(prepared, scratch->path(), sourceName, counters))
                return false;
        }
    }
    return any; // a file without a complete entry was not read
}

bool CImportEngine::ImportVCardText(const QByteArray &text, const QString &photoFolder,
                                    const QString &sourceName, const QString &fileDate,
                                    ImportCounters &counters)
{
    const auto scratch = PhotoScratch(photoFolder);
    if (!scratch)
        return false;
    QList<VCARD_DATA> entries;
    if (!ReadVCardText(text, scratch->path(), entries))
        return false;
    PreparedCard prepared; // only the first entry is taken
    prepared.valid = PrepareCard(entries.first(), m_store.GetCheckList(), fileDate, Today(), prepared.card);
    prepared.photos = entries.first().photos;
    return MergePrepared(prepared, scratch->path(), sourceName, counters);
}

int CImportEngine::CountPhoneBook(const QByteArray &phoneBook)
{
    m_phoneBookLines = SplitVCardText(phoneBook);
    m_phoneBookBegins.clear();
    return CountVCards(m_phoneBookLines, m_phoneBookBegins);
}

bool CImportEngine::ImportPhoneBookCard(int index, bool newerPort, const QString &photoFolder,
                                        ImportCounters &counters)
{
    const auto scratch = PhotoScratch(photoFolder);
    if (!scratch)
        return false;
    QList<VCARD_DATA> entries;
    if (!ReadVCardAt(index, m_phoneBookBegins, m_phoneBookLines, scratch->path(), entries) ||
        entries.isEmpty())
        return false;
    VCARD_DATA &entry = entries.first();
    FinishPhoneBookEntry(entry);
    const QDir folder(scratch->path());
    const bool isCard =
        std::any_of(entry.photos.begin(), entry.photos.end(), [&folder](const PROPERTY &photo) {
            const QString file = PhotoFile(photo);
            return !file.isEmpty() && JpegPhotoMarker::FileHasPhotoComment(folder.filePath(file));
        });
    if (!isCard) {
        ++counters.notCards;
        return true;
    }
    CCardData card;
    if (!VCardCardMapper::MapPhoneBookEntry(entry, entry.hasFormattedName != 0 || newerPort,
                                            m_options.autoYomi, card))
        return false;
    CCardData *stored = nullptr;
    if (MergeCard(card, QString::fromUtf8("電話帳"), counters, &stored) == MergeFailed)
        return false;
    if (stored && !CopyPhotosChecked(entry.photos, scratch->path(), *stored)) {
        counters.failure = m_failure;
        return false;
    }
    return true;
}

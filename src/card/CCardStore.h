#pragma once

#include "CCardData.h"
#include "CCardImageFiles.h"
#include "CCardIndex.h"
#include "CCheckArray.h"
#include "CPosixFile.h"
#include "StoreError.h"
#include "StoreSettings.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QQueue>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class CCardFileWriter;

// All cards of the open management file, their browsing index, and the group
// and check-list definitions. Every change is written to the file first and
// made in memory only once the file holds it; a change the file refused
// leaves memory as it was and is reported (LastError). Listeners follow the
// signals instead of being told by whoever made the change.
class CCardStore : public QObject
{
    Q_OBJECT
public:
    static constexpr int GroupSlots = 18; // the 16 groups plus two spare entries

    // Result kinds of FindDuplicate.
    enum DuplicateKind
    {
        DuplicateNone = 0,
        DuplicateSameName = 1,
        DuplicateIdentical = 2,
    };

    // What the last Open found and did.
    struct OpenReport
    {
        int repairState = 0;    // 0 clean, 1 damaged (repaired), 2 compacted
        bool rewritten = false; // the repaired or compacted copy replaced the file
        QString backupPath;     // the kept copy of the damaged file, or empty
        int droppedCards = 0;   // cards refused by the index
        int superseded = 0;     // older versions replaced by a record appended after them
    };

    // Many changes with one notification: while one lives, no per-card
    // signals are sent; AboutToReset comes when the first one is made and
    // Reset when the last one ends. Made and ended on the listeners' thread,
    // around work that may run on another.
    class BulkChange
    {
    public:
        explicit BulkChange(CCardStore &store);
        ~BulkChange();
        BulkChange(const BulkChange &) = delete;
        BulkChange &operator=(const BulkChange &) = delete;

    private:
        CCardStore &m_store;
    };

    // settings may be null: the defaults are used and nothing is written back.
    explicit CCardStore(StoreSettings *settings = nullptr);
    ~CCardStore() override;

    // --- file -----------------------------------------------------------
    QString Path() const { return m_path; }
    QString ImageFolder() const { return ImageFolderOf(m_path); }
    CCardImageFiles Images() const { return CCardImageFiles(ImageFolder()); }
    // True while a valid management file is open; changes are refused otherwise.
    bool IsUsable() const { return m_usable; }
    // Both keep the file that was open when they fail.
    bool CreateNew(const QString &path);
    bool Open(const QString &path);
    StoreError LastError() const { return m_error; }
    const OpenReport &LastOpenReport() const { return m_report; }
    bool ReloadCard(CCardData *card);
    // Without syncing, a power cut may lose changes reported done (tests, benchmarks).
    void SetSyncWrites(bool sync) { m_sync = sync; }
    // Tests make chosen system calls fail through their own file.
    void SetFileFactory(std::function<std::unique_ptr<CPosixFile>()> factory)
    {
        m_factory = std::move(factory);
    }

    // A writer for a batch of changes: pass it to AddCard, Replace and Delete,
    // then CommitWriter it. Null (with LastError) when the file cannot be written.
    std::unique_ptr<CCardFileWriter> OpenWriter();
    // Makes the batch durable. When that fails the file is read again, so that
    // memory shows what the file holds.
    bool CommitWriter(CCardFileWriter &writer);

    static QString ImageFolderOf(const QString &managementFile);

    // --- cards ------------------------------------------------------------
    int Count() const { return int(m_cards.size()); }
    CCardData *CardAt(int slot) const;
    // The slot of a card the store holds; -1 for any other card, a copy included.
    int SlotOf(const CCardData *card) const { return m_slotOf.value(card, -1); }
    // Where a stored card's current record is in the file; zero while it has none.
    struct RecordPlace
    {
        qint32 offset = 0;
        qint32 length = 0;
    };
    RecordPlace RecordOf(const CCardData *card) const;
    int LiveCount() const { return m_liveCount; }

    CCardData *AddCard(const CCardData &card, CCardFileWriter *file = nullptr);
    // The same, taking the card's texts over instead of sharing them.
    CCardData *AddCard(CCardData &&card, CCardFileWriter *file = nullptr);
    CCardData *Replace(const CCardData &data, CCardData *stored, CCardFileWriter *file = nullptr);
    // Without a writer the card's pictures go too, once the deletion is in the file.
    bool Delete(CCardData *stored, CCardFileWriter *file = nullptr);
    // Several cards and their pictures, all or none.
    bool DeleteCards(const QList<CCardData *> &cards);
    // New data for several stored cards, written in one batch: all or none.
    struct CardChange
    {
        CCardData *stored;
        CCardData data;
    };
    bool ReplaceCards(const QList<CardChange> &changes);
    // Several cards of one person made one: `data` goes into `main` and the
    // others are deleted with their pictures, in one batch: all or none, the
    // pictures included. A picture source other than main gives main that
    // card's picture (or none, when it has none); null keeps main's own.
    struct Merge
    {
        CCardData *main = nullptr;
        CCardData data;
        QList<CCardData *> others;
        CCardData *cardImageFrom = nullptr;
        CCardData *photoFrom = nullptr;
    };
    bool MergeCards(const Merge &merge);

    // The picture files of a stored card.
    bool SetPicture(CCardData *stored, int picture, const QString &source);
    bool RemovePicture(CCardData *stored, int picture);
    // The card image and the person photo change places, each keeping its turn.
    bool SwapPictures(CCardData *stored);
    // Slot of the first stored card with the same Name (kind 1), or of the card
    // where the walk stops (kind 2): an identical card, or with skipFixed a
    // same-named Fixed card. -1 and kind 0 when nothing matches.
    int FindDuplicate(const CCardData &card, bool skipFixed, int *kind) const;

    // --- browsing index -----------------------------------------------------
    static int TabOf(const QString &reading);
    int TabCount(int row) const { return m_index.TabCount(row); }
    int TabSize(int row, int tab) const { return m_index.TabSize(row, tab); }
    CCardData *TabCard(int row, int tab, int position) const { return m_index.TabCard(row, tab, position); }
    QList<CCardData *> TabCopy(int row, int tab) const { return m_index.TabCopy(row, tab); }
    int PositionInTab(const CCardData *card, int row, int tab) const
    {
        return m_index.PositionInTab(card, row, tab);
    }
    int SortKind(int row, int tab) const { return m_index.SortKind(row, tab); }
    bool SetSortKind(int row, int tab, int kind) { return m_index.SetSortKind(row, tab, kind); }
    // The search-result tabs of all three rows hold exactly these cards.
    void SetSearchResults(const QList<CCardData *> &cards);

    // --- groups and check lists ---------------------------------------------
    static int GroupCount() { return StoreSettings::GroupCount; }
    QString GetGroupName(int n) const;
    void SetGroupName(int n, const QString &name);
    int GetGroupIcon(int n) const;
    void SetGroupIcon(int n, int icon);
    const CCheckArray &GetCheckList() const { return m_checkList; }
    // Takes the edited definitions, stores them in the settings and carries
    // pending actions into every card, all written in one batch; nothing
    // changes when the batch cannot be written.
    bool ApplyCheckList(const CCheckArray &edited);
    bool IsCheckItemInUse(int slot) const;

signals:
    // Every card pointer is about to become invalid (another file, a reread).
    void AboutToReset();
    void Reset();
    void CardAdded(CCardData *card);
    // moved: its reading, company reading or group changed, so its tabs may have.
    void CardReplaced(CCardData *card, bool moved);
    // The card is an empty placeholder now, valid until the next change.
    void CardDeleted(CCardData *card);
    void PicturesChanged(CCardData *card);
    void GroupsChanged();
    void CheckListChanged();
    void SearchResultsChanged();

private:
    class WriteScope;
    friend class WriteScope;

    // One opened file read into new cards, not yet taken over.
    struct Loaded;
    bool Load(const QString &path, Loaded &loaded);
    void TakeOver(const QString &path, Loaded &loaded);
    bool ReadAgain();
    // A failed step of a writer: the error is kept, the writer's changes are undone,
    // and when even that fails the file is read again so that memory shows what it holds.
    void Abandon(CCardFileWriter &writer);
    void ClearMemory();
    void ResetGroups();
    bool Fail(StoreError error);
    void BeginReset();
    void EndReset();
    bool Notifying() const { return m_bulk.load() == 0; }

    // Writes the new version of a card that has the record (offset, length);
    // gives the record that holds it afterwards.
    static bool WriteVersion(const CCardData &version, qint32 offset, qint32 length, CCardFileWriter &writer,
                             qint32 *newOffset, qint32 *newLength);
    bool Indexable(const CCardData &card) const;
    bool IsStored(const CCardData *card) const;
    // The pictures of a merge whose batch was refused, as the file now holds it.
    void SettlePictures(const QStringList &parked, const QString &mainId, const QList<int> &adopted);
    // Writes every version in one batch, then puts them into the cards; all or none.
    // stamp: the versions are edits (UpdatedDate set), not bookkeeping.
    bool WriteAndApply(std::vector<std::pair<CCardData *, CCardData>> &versions, bool stamp);
    void Apply(CCardData *stored, CCardData &&version, RecordPlace record);
    void AddName(const CCardData *card, int slot);
    void RemoveName(const CCardData *card, int slot);
    void DropRefused(const QList<CCardData *> &refused);
    CCardData *Insert(std::unique_ptr<CCardData> card, RecordPlace record);
    void Forget(CCardData *stored);

    StoreSettings *m_settings;
    StoreSettings m_ownSettings;
    QString m_path;
    bool m_usable = false;
    bool m_sync = true;
    StoreError m_error = StoreError::None;
    FileIdentity m_identity;
    std::function<std::unique_ptr<CPosixFile>()> m_factory;
    std::atomic<int> m_bulk{0};
    OpenReport m_report;
    std::vector<std::unique_ptr<CCardData>> m_cards;
    std::vector<RecordPlace> m_records; // by slot, beside m_cards
    QHash<const CCardData *, int> m_slotOf;
    QQueue<int> m_freeSlots;
    int m_liveCount = 0;
    CCardIndex m_index;
    QHash<QString, QList<int>> m_slotsByName; // live slots per Name, ascending
    QHash<quint64, QList<int>> m_slotsByKey;  // live slots per CIdentityKey, ascending
    QStringList m_groupNames;
    QList<int> m_groupIcons;
    CCheckArray m_checkList;
};

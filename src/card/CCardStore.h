#pragma once

#include "CCardData.h"
#include "CCardIndex.h"
#include "CCheckArray.h"
#include "StoreSettings.h"

#include <QHash>
#include <QList>
#include <QQueue>
#include <QString>
#include <memory>
#include <vector>

class CCardFileWriter;

// All cards of the open management file, their browsing index, and the group
// and check-list definitions. Every change is written to the file before the
// call returns.
class CCardStore
{
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
    };

    // settings may be null: the defaults are used and nothing is written back.
    explicit CCardStore(StoreSettings *settings = nullptr);
    ~CCardStore();
    CCardStore(const CCardStore &) = delete;
    CCardStore &operator=(const CCardStore &) = delete;

    // --- file -----------------------------------------------------------
    QString Path() const { return m_path; }
    QString ImageFolder() const { return ImageFolderOf(m_path); }
    // True while a valid management file is open; changes are refused otherwise.
    bool IsUsable() const { return m_usable; }
    bool CreateNew(const QString &path);
    bool Open(const QString &path);
    const OpenReport &LastOpenReport() const { return m_report; }
    bool WriteCard(int storeIndex, CCardFileWriter *file = nullptr);
    bool ReloadCard(CCardData *card);

    static QString ImageFolderOf(const QString &managementFile);
    // "Card_<Id>.ovi" and "Photo_<Id>.ovi"; empty for a card without an Id.
    static QString CardImageName(const QString &id);
    static QString PhotoImageName(const QString &id);

    // --- cards ------------------------------------------------------------
    int Count() const { return int(m_cards.size()); }
    CCardData *CardAt(int slot) const;
    int LiveCount() const { return m_liveCount; }

    CCardData *AddCard(const CCardData &card, CCardFileWriter *file = nullptr);
    // The same, taking the card's texts over instead of sharing them.
    CCardData *AddCard(CCardData &&card, CCardFileWriter *file = nullptr);
    CCardData *Replace(const CCardData &data, CCardData *stored, CCardFileWriter *file = nullptr);
    bool Delete(CCardData *stored, CCardFileWriter *file = nullptr);
    // Slot of the first stored card with the same Name (kind 1), or of the card
    // where the walk stops (kind 2): an identical card, or with skipFixed a
    // same-named Fixed card. -1 and kind 0 when nothing matches.
    int FindDuplicate(const CCardData &card, bool skipFixed, int *kind) const;
    void Clear();

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
    void ClearSearchResults() { m_index.ClearSearchResults(); }
    void AddSearchResult(CCardData *card) { m_index.AddSearchResult(card); }

    // --- groups and check lists ---------------------------------------------
    static int GroupCount() { return StoreSettings::GroupCount; }
    QString GetGroupName(int n) const;
    void SetGroupName(int n, const QString &name);
    int GetGroupIcon(int n) const;
    void SetGroupIcon(int n, int icon);
    const CCheckArray &GetCheckList() const { return m_checkList; }
    // Takes the edited definitions, stores them in the settings and carries
    // pending actions into every card, written through one opened file.
    bool ApplyCheckList(const CCheckArray &edited);
    bool IsCheckItemInUse(int slot) const;

private:
    bool StartOpen(const QString &path);
    bool InsertIntoIndex(CCardData *card);
    void AddName(CCardData *card);
    void RemoveName(CCardData *card);
    void DropRefused(const QList<CCardData *> &refused);

    StoreSettings *m_settings;
    StoreSettings m_ownSettings;
    QString m_path;
    bool m_usable = false;
    OpenReport m_report;
    std::vector<std::unique_ptr<CCardData>> m_cards;
    QQueue<int> m_freeSlots;
    int m_liveCount = 0;
    CCardIndex m_index;
    QHash<QString, QList<int>> m_slotsByName; // live slots per Name, ascending
    QHash<quint64, QList<int>> m_slotsByKey;  // live slots per CIdentityKey, ascending
    QStringList m_groupNames;
    QList<int> m_groupIcons;
    CCheckArray m_checkList;
};

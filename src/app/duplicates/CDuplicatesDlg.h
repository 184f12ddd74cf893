#pragma once

#include "DuplicateGroup.h"

#include <QDialog>
#include <QList>
#include <functional>

class CCardData;
class CCardStore;
class CDuplicateSearchWorker;
class CMergeCardsDlg;
class IMessageBox;
class QLabel;
class QPushButton;
class QTreeWidget;

// ツール → 重複名刺の検索: the groups of cards that are probably one person's,
// each with why it was formed, and the cards of the chosen group. 結合 opens the
// merge window for it. The search runs in the background and runs again
// whenever the store changes, so the list always shows the store as it is.
class CDuplicatesDlg : public QDialog
{
    Q_OBJECT
public:
    CDuplicatesDlg(CCardStore &store, IMessageBox &messages, QWidget *parent = nullptr);
    ~CDuplicatesDlg() override;

    QTreeWidget *GroupList() const { return m_groupList; }
    QTreeWidget *CardList() const { return m_cardList; }
    QPushButton *MergeButton() const { return m_mergeButton; }
    QLabel *Status() const { return m_status; }
    bool IsSearching() const { return m_worker != nullptr; }
    const QList<DuplicateGroup> &Groups() const { return m_groups; }
    // The cards of a listed group, newest first.
    QList<CCardData *> CardsOf(int group) const;

    // Tests stand in for the modal merge window's run.
    void SetMergeRunner(std::function<int(CMergeCardsDlg &)> run) { m_runMerge = std::move(run); }
    void MergeSelected();

signals:
    // A search has ended and the list shows its groups.
    void SearchFinished();

private:
    void Search();
    void Changed();
    void OnFound(int generation, const QList<DuplicateGroup> &groups);
    void ShowGroups();
    void ShowCards();

    CCardStore &m_store;
    IMessageBox &m_messages;
    QList<DuplicateGroup> m_groups;
    int m_generation = 0;
    bool m_searchPending = false;
    int m_keepRow = 0; // the row to select when the list comes back
    CDuplicateSearchWorker *m_worker = nullptr;
    std::function<int(CMergeCardsDlg &)> m_runMerge;
    QLabel *m_status = nullptr;
    QTreeWidget *m_groupList = nullptr;
    QTreeWidget *m_cardList = nullptr;
    QPushButton *m_mergeButton = nullptr;
};

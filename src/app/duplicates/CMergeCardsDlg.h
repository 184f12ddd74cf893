#pragma once

#include "CCardMerge.h"

#include <QDialog>
#include <QList>
#include <array>
#include <memory>

class CCardData;
class CCardStore;
class IMessageBox;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;

// The merge window of one group: the cards side by side, one column each, a
// row per field with the card's value to pick (the newest card's value picked
// first), the merged phones, e-mail addresses, memo and check marks below. A
// card can be taken out of the group. 結合 asks first, then has the store
// write the merged card in place of the chosen main card and delete the others.
class CMergeCardsDlg : public QDialog
{
    Q_OBJECT
public:
    CMergeCardsDlg(CCardStore &store, const QList<CCardData *> &cards, IMessageBox &messages,
                   QWidget *parent = nullptr);
    ~CMergeCardsDlg() override;

    // For tests: what the user sees and presses.
    const CCardMerge &Merge() const { return *m_merge; }
    QRadioButton *ChoiceButton(CCardMerge::Choice choice, int card) const;
    QRadioButton *MainButton(int card) const { return m_mainButtons.value(card); }
    QPushButton *RemoveButton(int card) const { return m_removeButtons.value(card); }
    QListWidget *PhoneList() const { return m_phones; }
    QListWidget *MailList() const { return m_mails; }
    QPlainTextEdit *MemoEdit() const { return m_memo; }
    QLabel *MemoCount() const { return m_memoCount; }
    QPushButton *MergeButton() const { return m_mergeButton; }

    // 結合: asks, then writes; stays open when the store refused.
    void accept() override;

private:
    void BuildColumns();
    void FillLists();
    void UpdateState();
    void TakeOut(int card);
    QWidget *PictureCell(int card, int picture);

    CCardStore &m_store;
    IMessageBox &m_messages;
    std::unique_ptr<CCardMerge> m_merge;
    bool m_cardsGone = false; // the store let go of its cards
    QScrollArea *m_scroll = nullptr;
    QList<QRadioButton *> m_mainButtons;
    QList<QPushButton *> m_removeButtons;
    std::array<QList<QRadioButton *>, CCardMerge::ChoiceCount> m_choiceButtons;
    QListWidget *m_phones = nullptr;
    QListWidget *m_mails = nullptr;
    QPlainTextEdit *m_memo = nullptr;
    QLabel *m_memoCount = nullptr;
    QList<QCheckBox *> m_marks;
    QLabel *m_files = nullptr;
    QLabel *m_note = nullptr;
    QPushButton *m_mergeButton = nullptr;
};

#pragma once

#include "CCardStore.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>

class CCardData;
class CCardImageFiles;

// The merge of one group of cards as the user shapes it before writing it:
// for each field the card whose value is taken (the newest card's value
// preselected), the union of the phones and of the e-mail addresses, every
// distinct memo text, the check marks, and which card's pictures are kept.
// Cards can be taken out of the group. The cards are the store's: the owner
// drops the merge whenever the store lets go of its cards.
class CCardMerge
{
public:
    // Fields taken whole from one card.
    enum Choice
    {
        ChooseName, // with its parts
        ChooseReading,
        ChooseCompany, // with its reading
        ChooseDepartment,
        ChooseTitle,
        ChooseZipCode,
        ChooseAddress, // with its parts
        ChooseUrl,
        ChooseBirthday,
        ChooseReceivedDate,
        ChooseGroup,
        ChooseImportance,
        ChoosePrint,
        ChooseFixed,
        ChooseCardImage,
        ChoosePersonPhoto,
        ChoiceCount
    };

    // One phone number or e-mail address of the union.
    struct ListEntry
    {
        QString text;
        quint32 kind = 0;
        int fromCard = 0; // the newest card that has it
        bool keep = true;
    };

    static constexpr int MemoLimit = 256;

    // At least two cards; they are ordered newest first.
    CCardMerge(const QList<CCardData *> &cards, const CCardImageFiles &images);

    int CardCount() const { return int(m_cards.size()); }
    CCardData *Card(int index) const { return m_cards.value(index); }
    bool HasPicture(int index, int picture) const;

    // The card whose place the merged card takes (its identity and record).
    int Main() const { return m_main; }
    void SetMain(int index);

    int Chosen(Choice choice) const { return m_chosen[choice]; }
    void SetChosen(Choice choice, int index);
    // Whether the card has something in the field (a picture for the pictures).
    bool HasValue(Choice choice, int index) const;

    const QList<ListEntry> &Phones() const { return m_phones; }
    const QList<ListEntry> &Mails() const { return m_mails; }
    void SetPhoneKept(int entry, bool keep);
    void SetMailKept(int entry, bool keep);

    // Every distinct memo text, newest first, one per line, until the user edits it.
    QString Memo() const { return m_memo; }
    void SetMemo(const QString &memo);
    bool MemoFits() const { return m_memo.size() <= MemoLimit; }

    // The marks of any card, until the user changes one.
    bool CheckMark(int slot) const { return m_marks.value(slot); }
    void SetCheckMark(int slot, bool mark);

    // Takes a card out of the group; choices that named it fall back to their default.
    void Remove(int index);

    // Two cards left and a memo that fits.
    bool CanMerge() const { return CardCount() >= 2 && MemoFits(); }
    // The merged card and what the store does with the cards.
    CCardStore::Merge Plan() const;

private:
    int DefaultChoice(Choice choice) const;
    void Collect(bool keepMemo, bool keepMarks);

    QList<CCardData *> m_cards;
    QList<std::array<bool, 2>> m_pictures;
    int m_main = 0;
    std::array<int, ChoiceCount> m_chosen{};
    QList<ListEntry> m_phones;
    QList<ListEntry> m_mails;
    QStringList m_dropped; // keys of the entries the user left out
    QString m_memo;
    bool m_memoEdited = false;
    QList<bool> m_marks;
    bool m_marksEdited = false;
};

#pragma once

#include "CCheckArray.h"

#include <QDialog>
#include <QIcon>

class CCardStore;
class IMessageBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

// "チェックリスト項目編集": edits a copy of the store's check list; OK carries the
// changes into every card through the store.
class CEditCheckListDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int MaxTextLength = 32;

    CEditCheckListDlg(CCardStore *store, IMessageBox *messages, QWidget *parent = nullptr);

    void AddItem();
    void EditItem();
    void DeleteItem();
    void MoveUp();
    void MoveDown();
    void ToggleCheckAll();
    void ToggleResetAll();
    // Applies the edited copy to the store (what OK does before closing).
    bool Apply();

    // The mark a row carries until OK: a ticked box for 全名刺チェック, a crossed one for
    // 全名刺リセット, nothing (a blank of the same size) without a pending action.
    static QIcon ActionMark(int action);

    const CCheckArray &Edited() const { return m_edited; }
    QListWidget *List() const { return m_list; }
    QLineEdit *TextBox() const { return m_text; }

protected:
    // Enter in the text box adds the item and keeps the dialog open.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Rebuild(int selectPosition);
    void Move(int delta);
    void OnItemChanged(QListWidgetItem *item);
    void ShowDuplicate();
    int CurrentPosition() const;

    CCardStore *m_store;
    IMessageBox *m_messages;
    CCheckArray m_edited;
    QListWidget *m_list;
    QLineEdit *m_text;
};

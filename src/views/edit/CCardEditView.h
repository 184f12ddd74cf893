#pragma once

#include "CCardData.h"
#include "OptionRecord.h"

#include <QList>
#include <QWidget>
#include <functional>

class CCardStore;
class CEdit1Sheet;
class CEdit2Sheet;
class CEdit3Sheet;
class CEditKindList;
class IMessageBox;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QUrl;

// The detail pane ("詳細表示画面"): edits the focused card field by field on three
// sheets; every change is stored at once through the card store.
//
// Wiring: call ShowCard with the list's focused card; it follows the store's
// signals for the card it shows. CardStored says the user stored a card (the
// list may select it); GroupsEdited and CheckListEdited say the user confirmed
// those dialogs (the settings file is due); on MailRequested compose the edit
// view's mail address and open it; call SetOptions after the options dialog.
class CCardEditView : public QWidget
{
    Q_OBJECT
public:
    CCardEditView(CCardStore *store, IMessageBox *messages, QWidget *parent = nullptr);

    // Applies SeparateName / SeparateAddress and keeps AutoYomi for the company reading.
    void SetOptions(const OptionRecord &options);
    // Copies the card into the working record and fills all sheets; null shows an empty, unstored card.
    void ShowCard(CCardData *stored);
    // Stores the working record: replaces the stored card, or adds it as a new card.
    void CardChanged();
    // Adds an empty card to the store at once and edits it.
    void NewCard();
    // Refills the group choice and the check-list items (after their dialogs or a file change).
    void RefreshGroups();
    void RefreshCheckList();
    // Takes files chosen in the file dialog or dropped from the file manager.
    void AttachFiles(const QStringList &paths);
    void DeleteAttachment();

    // 接続 is offered only for an address whose "://" starts at character 3 or later.
    static bool IsConnectable(const QString &url);
    // Tests replace the desktop's "open" action.
    void SetOpener(std::function<bool(const QUrl &)> opener) { m_open = std::move(opener); }

    CCardData *StoredCard() const { return m_stored; }
    const CCardData &WorkingCard() const { return m_work; }
    CEdit1Sheet *Sheet1() const { return m_sheet1; }
    CEdit2Sheet *Sheet2() const { return m_sheet2; }
    CEdit3Sheet *Sheet3() const { return m_sheet3; }
    QTabWidget *Tabs() const { return m_tabs; }
    QPushButton *NewCardButton() const { return m_newCard; }
    QCheckBox *PrintBox() const { return m_print; }
    QCheckBox *FixedBox() const { return m_fixed; }

signals:
    // The user's edit was written.
    void CardStored(CCardData *card);
    void GroupsEdited();
    void CheckListEdited();
    void MailRequested(const CCardData &card, const QString &address);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Files dropped anywhere on the view from the file manager are attached.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    struct TextField
    {
        QLineEdit *edit;
        std::function<QString(const CCardData &)> get;
        std::function<bool(CCardData &, const QString &)> set;
        QString error; // shown when the setter had to drop characters
    };

    void BindTextFields();
    void ConnectControls();
    void FollowStore();
    void ShowStoreError();
    void Fill();
    void FillLists();
    void OnTextEdited(const TextField &field);
    void OnMemoEdited();
    void OnPhonesEdited();
    void OnMailsEdited();
    void OnYomi();
    void OnGroupChosen(int index);
    void OnCheckItemChanged(int row);
    void OnDateEdited();
    void OnOpenAttachment(int row);
    void OnConnect();
    void EditGroups();
    void EditCheckList();
    void ShowInputError(const QString &text);

    CCardStore *m_store;
    IMessageBox *m_messages;
    OptionRecord m_options;
    CCardData m_work;
    CCardData *m_stored = nullptr;
    bool m_storingNow = false;
    bool m_forgotten = false; // the store let go of every card while a change was being stored
    std::function<bool(const QUrl &)> m_open;
    QList<TextField> m_fields;

    QPushButton *m_newCard;
    QCheckBox *m_print;
    QCheckBox *m_fixed;
    QTabWidget *m_tabs;
    CEdit1Sheet *m_sheet1;
    CEdit2Sheet *m_sheet2;
    CEdit3Sheet *m_sheet3;
};

#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class CCardData;
class QListWidget;

// "メール送信先": recipients gathered from the card list into To, Cc and Bcc; rows
// move between the lists by right click or by dragging. Modeless and reused.
//
// Wiring: メール送信(To)/(Cc)/(Bcc) call AddCards with the list's selected cards
// and show the dialog; on ComposeRequested compose the address from the three
// lists and open it.
class CMailDlg : public QDialog
{
    Q_OBJECT
public:
    enum List
    {
        To = 0,
        Cc = 1,
        Bcc = 2
    };

    // One recipient row, copied from its card when the row is added.
    struct Recipient
    {
        QString address; // the card's first e-mail address
        QString name;
        QString company;
        QString department;
    };

    explicit CMailDlg(QWidget *parent = nullptr);

    // Appends one row per card that has a first e-mail address.
    void AddCards(List list, const QList<CCardData *> &cards);
    QList<Recipient> Recipients(List list) const;
    // Moves the selected rows of one list, in their order, to the end of another.
    void MoveSelected(List from, List to);
    void RemoveSelected(List from);
    // メール作成: hands the lists over, empties them and closes.
    void Compose();

    QListWidget *ListWidget(List list) const { return m_lists[list]; }

signals:
    void ComposeRequested(const QList<CMailDlg::Recipient> &to, const QList<CMailDlg::Recipient> &cc,
                          const QList<CMailDlg::Recipient> &bcc);

private:
    void ShowMenu(List list, const QPoint &pos);

    QListWidget *m_lists[3];
};

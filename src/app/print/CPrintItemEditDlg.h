#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

class QListWidget;
class QPushButton;

// "項目編集": which catalogue items are printed and in which order. The left
// list holds the others, always in item-number order.
class CPrintItemEditDlg : public QDialog
{
    Q_OBJECT

public:
    // captions: every catalogue item's caption by item number; chosen: the
    // item numbers printed now, in order.
    CPrintItemEditDlg(const QStringList &captions, const QList<int> &chosen, QWidget *parent = nullptr);

    // The right list, top to bottom.
    QList<int> Chosen() const;

    QListWidget *LeftList() const { return m_left; }
    QListWidget *RightList() const { return m_right; }
    enum Button
    {
        AddAll,
        Add,
        Remove,
        RemoveAll,
        Up,
        Down,
        ButtonCount
    };
    QPushButton *ButtonOf(Button b) const { return m_buttons[b]; }

private:
    void FillLeft(const QList<int> &excluded);
    // Where items go in the right list: before its selected row, or at the top.
    int InsertRow() const;
    void AddItems(const QList<int> &items);
    void OnAddAll();
    void OnAdd();
    void OnRemove();
    void OnRemoveAll();
    void Move(int by);
    void UpdateButtons();

    QStringList m_captions;
    QListWidget *m_left;
    QListWidget *m_right;
    QPushButton *m_buttons[ButtonCount];
};

#pragma once

#include <QDialog>
#include <QList>

class QListWidget;

// "表示項目並べ替え": the column titles in their current order, moved with ▲ and ▼.
class CListColumnDlg : public QDialog
{
    Q_OBJECT
public:
    CListColumnDlg(const QStringList &titles, const QList<int> &order, QWidget *parent = nullptr);
    QList<int> Order() const;
    void MoveSelected(int delta);
    QListWidget *List() const { return m_list; }

private:
    QListWidget *m_list;
};

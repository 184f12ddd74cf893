#pragma once

#include <QDialog>
#include <QStringList>

class IMessageBox;
class QListWidget;

// Lets the user pick one of several card folders found on memory cards.
class CMemoryCardDlg : public QDialog
{
    Q_OBJECT

public:
    CMemoryCardDlg(const QStringList &folders, IMessageBox &messages, QWidget *parent = nullptr);

    // The chosen row once accepted, else -1.
    int Chosen() const { return m_chosen; }
    QListWidget *List() const { return m_list; }

public Q_SLOTS:
    void accept() override;

private:
    IMessageBox &m_messages;
    QListWidget *m_list;
    int m_chosen = -1;
};

#pragma once

#include <QDialog>

class IMessageBox;
class QListWidget;

// "携帯電話接続": the choice among several phone ports, by friendly name.
class CConnectCellSelectDlg : public QDialog
{
    Q_OBJECT
public:
    CConnectCellSelectDlg(const QStringList &portNames, IMessageBox &messages, QWidget *parent = nullptr);

    // The chosen row after OK.
    int Chosen() const { return m_chosen; }
    QListWidget *List() const { return m_list; }

    // Without a chosen row the dialog says so and stays open.
    void accept() override;

private:
    IMessageBox &m_messages;
    QListWidget *m_list;
    int m_chosen = -1;
};

#pragma once

#include "CConnectListView.h"
#include "PhoneProgress.h"

#include <QDialog>

class CConnectDoc;
class CDlgSplitter;
class QPushButton;

// "携帯電話接続": the name-card files of a phone browsed in folders, with
// ｲﾝﾎﾟｰﾄ, ｺﾋﾟｰ, 移動 and 削除 for the selected files. The commands themselves
// are run by whoever follows CommandRequested.
class CConnectDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CConnectDlg(CConnectDoc &doc, QWidget *parent = nullptr);

    CConnectListView *List() const;
    CDlgSplitter *Splitter() const { return m_splitter; }
    QPushButton *Button(const QString &text) const;

    // A worker changed a file: a moved or deleted one leaves the list.
    void OnItemChanged(PhoneItemChange change, int entry);

signals:
    void CommandRequested(CConnectListView::Command command, const QList<int> &entries);

private:
    CDlgSplitter *m_splitter;
    QList<QPushButton *> m_buttons;
};

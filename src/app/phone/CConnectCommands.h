#pragma once

#include "CConnectDoc.h"
#include "CConnectListView.h"
#include "COperationReport.h"

#include <QObject>

class CConnect;
class CConnectDlg;

// The connection window's ｲﾝﾎﾟｰﾄ, ｺﾋﾟｰ, 移動 and 削除: the questions first,
// then a new connection, the worker behind CProgress and its report.
class CConnectCommands : public QObject
{
    Q_OBJECT
public:
    CConnectCommands(CConnect &connect, CConnectDoc &doc, CConnectDlg &window);

    void Run(CConnectListView::Command command, const QList<int> &entries);

private:
    void Import(const QList<int> &entries);
    void Copy(const QList<int> &entries);
    void Move(const QList<int> &entries);
    void Delete(const QList<int> &entries);
    // Connects, runs the worker over the selection and reports.
    void RunOperation(CConnectDoc::Operation worker, COperationReport::Operation report, const char *title,
                      const char *text);

    CConnect &m_connect;
    CConnectDoc &m_doc;
    CConnectDlg &m_window;
};

#include "CConnectCommands.h"

#include "CConnect.h"
#include "CConnectDlg.h"
#include "CConnectDoc.h"
#include "CProgress.h"
#include "IMessageBox.h"
#include "PhoneTexts.h"

CConnectCommands::CConnectCommands(CConnect &connect, CConnectDoc &doc, CConnectDlg &window)
    : m_connect(connect), m_doc(doc), m_window(window)
{
}

void CConnectCommands::Run(CConnectListView::Command command, const QList<int> &entries)
{
    if (entries.isEmpty())
        return;
    switch (command) {
    case CConnectListView::Import:
        Import(entries);
        break;
    case CConnectListView::Copy:
        Copy(entries);
        break;
    case CConnectListView::Move:
        Move(entries);
        break;
    case CConnectListView::Delete:
        Delete(entries);
        break;
    }
    m_doc.SetSelection({});
}

void CConnectCommands::Import(const QList<int> &entries)
{
    if (!m_connect.Confirm(1, &m_window) || !m_connect.CheckPhonePresent(&m_window) ||
        !m_connect.ConnectPhone(&m_window))
        return;
    m_doc.SetSelection(entries);
    m_connect.RunImport(&m_window, CConnectDoc::ImportFiles);
    m_doc.CloseConnection();
}

void CConnectCommands::Copy(const QList<int> &entries)
{
    const QString folder =
        m_connect.ChooseFolder(&m_window, QString::fromUtf8("コピー先のフォルダを選択してください"));
    if (folder.isEmpty() || !m_connect.Confirm(2, &m_window) || !m_connect.CheckPhonePresent(&m_window))
        return;
    m_doc.SetDestinationFolder(folder);
    m_doc.SetSelection(entries);
    RunOperation(CConnectDoc::Copy, COperationReport::Copy, "コピー", "コピー中...");
}

void CConnectCommands::Move(const QList<int> &entries)
{
    const QString folder =
        m_connect.ChooseFolder(&m_window, QString::fromUtf8("移動先のフォルダを選択してください"));
    if (folder.isEmpty())
        return;
    // The overwrite questions come before anything is moved: キャンセル moves nothing.
    m_doc.SetDestinationFolder(folder);
    m_doc.SetSelection(entries);
    if (!m_doc.AskMoveOverwrites() || !m_connect.Confirm(3, &m_window) ||
        !m_connect.CheckPhonePresent(&m_window) || m_doc.Selection().isEmpty())
        return;
    RunOperation(CConnectDoc::Move, COperationReport::Move, "移動", "移動中...");
}

void CConnectCommands::Delete(const QList<int> &entries)
{
    if (m_connect.Messages().Show(&m_window, PhoneTexts::DeleteQuestion(), PhoneTexts::Caption(),
                                  QMessageBox::Warning,
                                  QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes ||
        !m_connect.Confirm(4, &m_window) || !m_connect.CheckPhonePresent(&m_window))
        return;
    m_doc.SetSelection(entries);
    RunOperation(CConnectDoc::Delete, COperationReport::Delete, "削除", "削除中...");
}

void CConnectCommands::RunOperation(CConnectDoc::Operation worker, COperationReport::Operation report,
                                    const char *title, const char *text)
{
    if (!m_connect.ConnectPhone(&m_window))
        return;
    bool stopped = false;
    {
        CProgress progress(m_doc, worker, QString::fromUtf8(title), QString::fromUtf8(text), &m_window);
        connect(&progress, &CProgress::ItemChanged, &m_window, &CConnectDlg::OnItemChanged);
        progress.exec();
        stopped = progress.Stopped();
    }
    const COperationReport message = COperationReport::Make(report, m_doc.Counters(), stopped);
    static const QMessageBox::Icon icons[] = {QMessageBox::Information, QMessageBox::Warning,
                                              QMessageBox::Critical};
    m_connect.Messages().Show(&m_window, message.text, message.caption, icons[message.icon]);
    m_doc.CloseConnection();
    // Files that left the phone are gone from the list; the present flags are final now.
    m_window.List()->Fill();
}

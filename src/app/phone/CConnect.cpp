#include "CConnect.h"

#include "CCardStore.h"
#include "CConnectAnimeDlg.h"
#include "CConnectCellSelectDlg.h"
#include "CConnectCommands.h"
#include "CConnectConfDlg.h"
#include "CConnectDlg.h"
#include "CConnectPassDlg.h"
#include "CImportEngine.h"
#include "CPhoneImportAdapter.h"
#include "CPortTable.h"
#include "CProgress.h"
#include "CSettings.h"
#include "CUdevDeviceLister.h"
#include "CWindowOverwriteConfirm.h"
#include "CWorkFolder.h"
#include "IMessageBox.h"
#include "ImportOptions.h"
#include "ImportSummary.h"
#include "PhoneTexts.h"
#include "ShowUserMessage.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

CConnect::CConnect(QWidget *parent, CCardStore &store, CSettings &settings, IMessageBox &messages,
                   std::function<bool()> writeSettings, QObject *owner)
    : QObject(owner), m_parent(parent), m_store(store), m_settings(settings), m_messages(messages),
      m_writeSettings(std::move(writeSettings)), m_asker(parent)
{
    m_chooseFolder = [](QWidget *parentWindow, const QString &title) {
        return QFileDialog::getExistingDirectory(parentWindow, title, QString(), QFileDialog::ShowDirsOnly);
    };
}

CConnect::~CConnect() = default;

IDeviceLister &CConnect::Lister()
{
    if (m_lister)
        return *m_lister;
    if (!m_systemLister)
        m_systemLister = std::make_unique<CUdevDeviceLister>();
    return *m_systemLister;
}

void CConnect::Warn(QWidget *parent, const QString &text) const
{
    m_messages.Show(parent, text, PhoneTexts::Caption(), QMessageBox::Warning);
}

void CConnect::Run()
{
    if (!m_doc) {
        m_doc = std::make_unique<CConnectDoc>(QString());
        m_doc->SetOverwriteAsker(&m_asker);
    }
    if (!ShowConfirmation(0, QString(), m_parent) || !ChoosePort())
        return;
    m_doc->SetWorkFolder(CWorkFolder::Make(QDir::tempPath()));
    if (m_doc->Kind() == PortKind::FolderBrowsing)
        FolderFlow();
    else
        PhoneBookFlow();
    m_doc->StopWorker(true);
    m_doc->DeleteWorkFolder();
}

bool CConnect::ShowConfirmation(int operation, const QString &operationName, QWidget *parent)
{
    bool &show = m_settings.showConnectConf[size_t(operation)];
    if (!show)
        return true;
    CConnectConfDlg dialog(operationName, parent);
    // The choice is in the settings file as soon as the box changes.
    connect(&dialog, &CConnectConfDlg::DontShowToggled, this, [this, &show](bool dontShow) {
        show = !dontShow;
        if (m_writeSettings)
            m_writeSettings();
    });
    const bool ok = dialog.exec() == QDialog::Accepted;
    show = !dialog.DontShowAgain();
    return ok;
}

bool CConnect::Confirm(int operation, QWidget *parent)
{
    static const char *const names[] = {"", "インポート", "コピー", "移動", "削除"};
    if (operation < 1 || operation >= CSettings::ConnectConfCount)
        return false;
    return ShowConfirmation(operation, QString::fromUtf8(names[operation]), parent);
}

bool CConnect::ChoosePort()
{
    QList<CSerialPortInfo> ports;
    if (!CPortTable::RefreshPorts(Lister()) || !CPortTable::GetPhonePorts(ports)) {
        Warn(m_parent, PhoneTexts::NoPhone());
        return false;
    }
    int selected = 0;
    const int configured = m_settings.options.serialPort;
    if (configured != 0) {
        QString missing;
        selected = CPortTable::FindConfiguredPort(configured, ports, &missing);
        if (selected < 0) {
            Warn(m_parent, PhoneTexts::PortMissing(missing));
            return false;
        }
    } else if (ports.size() > 1) {
        QStringList names;
        for (const CSerialPortInfo &port : std::as_const(ports))
            names.append(port.friendlyName);
        CConnectCellSelectDlg dialog(names, m_messages, m_parent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        selected = dialog.Chosen();
    }
    m_doc->SetPorts(ports, selected);
    return true;
}

bool CConnect::CheckPhonePresent(QWidget *parent)
{
    if (m_doc->CheckPhonePresent(Lister()))
        return true;
    Warn(parent, PhoneTexts::NoPhone());
    return false;
}

bool CConnect::ConnectPhone(QWidget *parent)
{
    CConnectAnimeDlg dialog(*m_doc, parent);
    dialog.exec();
    switch (dialog.Result()) {
    case CConnectAnimeDlg::Connected:
        return true;
    case CConnectAnimeDlg::Failed:
        Warn(parent, PhoneTexts::ConnectFailed());
        break;
    case CConnectAnimeDlg::Stopped:
        Warn(parent, PhoneTexts::ConnectStopped());
        break;
    }
    return false;
}

QString CConnect::ChooseFolder(QWidget *parent, const QString &title) const
{
    const QString folder = m_chooseFolder ? m_chooseFolder(parent, title) : QString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void CConnect::RunImport(QWidget *parent, CConnectDoc::Operation operation)
{
    ImportOptions options;
    options.autoYomi = m_settings.options.autoYomi;
    options.skipCheckFixedData = m_settings.options.skipCheckFixedData;
    CWindowOverwriteConfirm confirm(parent);
    CImportEngine engine(m_store, options, &confirm);
    CPhoneImportAdapter adapter(engine);
    m_doc->SetImporter(&adapter);
    bool stopped = false;
    {
        // The worker owns the store until it is done: the views let go of
        // every card meanwhile and show the store anew afterwards.
        CCardStore::BulkChange bulk(m_store);
        engine.BeginRun();
        CProgress progress(*m_doc, operation, QString::fromUtf8("インポート"),
                           QString::fromUtf8("インポート中..."), parent);
        progress.exec();
        stopped = progress.Stopped();
        engine.EndRun();
    }
    m_doc->SetImporter(nullptr);
    ImportCounters counts = CPhoneImportAdapter::ToImportCounters(m_doc->Counters());
    counts.failure = engine.Failure();
    ShowUserMessage(m_messages, parent, ImportSummary::VCard(counts, stopped));
}

void CConnect::PhoneBookFlow()
{
    CConnectPassDlg password(m_messages, m_parent);
    if (password.exec() != QDialog::Accepted)
        return;
    m_doc->SetPassword(password.Password());
    if (ConnectPhone(m_parent))
        RunImport(m_parent, CConnectDoc::ImportPhoneBook);
}

void CConnect::FolderFlow()
{
    if (!ConnectPhone(m_parent))
        return;
    if (!m_doc->ListNameCards()) {
        Warn(m_parent, PhoneTexts::NameCardListFailed());
        return;
    }
    CConnectDlg window(*m_doc, m_parent);
    CConnectCommands commands(*this, *m_doc, window);
    connect(&window, &CConnectDlg::CommandRequested, &commands, &CConnectCommands::Run);
    window.exec();
}

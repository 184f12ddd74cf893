#include "CTessalyApp.h"

#include "CMainFrame.h"

#include "AppPaths.h"
#include "CCardStore.h"
#include "CManagementFileChooser.h"
#include "CMeCabReading.h"
#include "CSettings.h"
#include "CSingleInstance.h"
#include "CSkin.h"
#include "CSplashWnd.h"
#include "CTessalyDlg.h"
#include "IMessageBox.h"
#include "ReadingService.h"

#include <QApplication>

CTessalyApp::CTessalyApp(IMessageBox &messages) : m_messages(messages)
{
}

CTessalyApp::~CTessalyApp()
{
    m_window.reset();
    SetReadingService(nullptr);
}

bool CTessalyApp::Start()
{
    m_instance = std::make_unique<CSingleInstance>();
    switch (m_instance->Acquire()) {
    case CSingleInstance::HeldByOtherUser:
        m_messages.Show(nullptr,
                        QString::fromUtf8("別のログオンユーザーが使用中のため、起動することができません。"),
                        QString::fromUtf8("２重起動エラー"), QMessageBox::Critical);
        return false;
    case CSingleInstance::HeldBySameUser:
        CSingleInstance::AskToRaise();
        return false;
    case CSingleInstance::Failed:
        // No lock file can be had (an unusable temporary folder): run unguarded rather than not at all.
        break;
    case CSingleInstance::Acquired:
        m_instance->Listen();
        break;
    }

    m_settings = std::make_unique<CSettings>();
    m_settings->ReadAll(AppPaths::SettingsFilePath());
    AppPaths::DataFolder();
    m_reading = CreateReadingService();
    SetReadingService(m_reading.get());

    CSkin::Apply(m_settings->options.SkinColorValue());

    m_store = std::make_unique<CCardStore>(&m_settings->store);
    CManagementFileChooser chooser(*m_store, m_messages);
    return chooser.Choose(m_settings->LastLoadedFile(), AppPaths::DefaultManagementFile());
}

int CTessalyApp::Run()
{
    if (!Start())
        return 0;
    if (!m_settings->options.opening)
        CSplashWnd().exec();
    m_window = std::make_unique<CTessalyDlg>(*m_settings, *m_store, m_messages);
    m_window->Frame()->AttachPanes(AppPaths::SettingsFilePath());
    QObject::connect(m_instance.get(), &CSingleInstance::RaiseRequested, m_window.get(), &CTessalyDlg::Raise);
    m_window->show();
    const int code = QApplication::exec();
    m_window->SaveState();
    m_settings->WriteAll(AppPaths::SettingsFilePath());
    return code;
}

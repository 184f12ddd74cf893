#pragma once

#include <memory>

class CCardStore;
class CImeLanguage;
class CSettings;
class CSingleInstance;
class CTessalyDlg;
class IMessageBox;

// The program from start to end: one instance, the settings, the reading service, the
// skin, the management file, the main window, and the settings written back at the end.
class CTessalyApp
{
public:
    explicit CTessalyApp(IMessageBox &messages);
    ~CTessalyApp();

    // Runs the program; the value is the process exit code.
    int Run();

private:
    // The steps before the main window; false ends the program without writing settings.
    bool Start();

    IMessageBox &m_messages;
    std::unique_ptr<CSingleInstance> m_instance;
    std::unique_ptr<CSettings> m_settings;
    std::unique_ptr<CImeLanguage> m_reading;
    std::unique_ptr<CCardStore> m_store;
    std::unique_ptr<CTessalyDlg> m_window;
};

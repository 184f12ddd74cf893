#pragma once

#include <QMainWindow>

class CMainFrame;
class CSettings;
class CCardStore;
class IMessageBox;

// The main window: title with the open file's name, placement, status bar, and the frame.
class CTessalyDlg : public QMainWindow
{
    Q_OBJECT
public:
    CTessalyDlg(CSettings &settings, CCardStore &store, IMessageBox &messages, QWidget *parent = nullptr);

    static QString Caption();
    // Keeps the text before the first "  -  " and appends the file name.
    static QString TitleFor(const QString &current, const QString &path);
    CMainFrame *Frame() const { return m_frame; }
    // Brings the window back from minimised and to the front (a second start asked for it).
    void Raise();
    // Stores placement, status bar and pane state into the settings (done on close).
    void SaveState();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    CSettings &m_settings;
    CMainFrame *m_frame;
    bool m_saved = false;
};

#pragma once

#include "CConnectDoc.h"
#include "CWindowOverwriteAsker.h"

#include <QObject>
#include <functional>
#include <memory>

class CCardStore;
class CSettings;
class IDeviceLister;
class IMessageBox;
class QWidget;

// The main window's 携帯電話 command: finds the phone port, asks what is
// needed, and reads the phone book or opens the connection window for a phone
// whose files are browsed in folders. The work folder is deleted afterwards.
//
// Wiring: give the settings and a function that writes the settings file (the
// "以後表示しない" boxes are kept at once); imports change the card store in
// a bulk change, so the views follow it by themselves.
class CConnect : public QObject
{
    Q_OBJECT
public:
    using FolderChooser = std::function<QString(QWidget *parent, const QString &title)>;

    CConnect(QWidget *parent, CCardStore &store, CSettings &settings, IMessageBox &messages,
             std::function<bool()> writeSettings, QObject *owner = nullptr);
    ~CConnect() override;

    void Run();

    // Tests feed their own device listing and folder choice.
    void SetDeviceLister(IDeviceLister *lister) { m_lister = lister; }
    void SetFolderChooser(FolderChooser choose) { m_chooseFolder = std::move(choose); }
    CConnectDoc *Document() const { return m_doc.get(); }

    // The steps the connection window's commands share.
    // The confirmation of operation 1-4 unless its box switched it off.
    bool Confirm(int operation, QWidget *parent);
    // The selected port must still lead to the phone; else the no-phone message.
    bool CheckPhonePresent(QWidget *parent);
    // The connect worker behind CConnectAnimeDlg; a failure or stop is told.
    bool ConnectPhone(QWidget *parent);
    // An existing folder, or empty when the user cancelled.
    QString ChooseFolder(QWidget *parent, const QString &title) const;
    // An import worker behind CProgress, then the import summary.
    void RunImport(QWidget *parent, CConnectDoc::Operation operation);
    void Warn(QWidget *parent, const QString &text) const;
    IMessageBox &Messages() const { return m_messages; }

private:
    // Operation 0 is the connection itself (no operation name).
    bool ShowConfirmation(int operation, const QString &operationName, QWidget *parent);
    bool ChoosePort();
    void PhoneBookFlow();
    void FolderFlow();
    IDeviceLister &Lister();

    QWidget *m_parent;
    CCardStore &m_store;
    CSettings &m_settings;
    IMessageBox &m_messages;
    std::function<bool()> m_writeSettings;
    std::unique_ptr<CConnectDoc> m_doc;
    std::unique_ptr<IDeviceLister> m_systemLister;
    IDeviceLister *m_lister = nullptr;
    CWindowOverwriteAsker m_asker;
    FolderChooser m_chooseFolder;
};

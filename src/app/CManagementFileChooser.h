#pragma once

#include <QString>

class CCardStore;
class IMessageBox;

// Start-up choice of the management file: the last one used, else the default one,
// created when missing. A file that is not a management file is kept under the first
// free "<file>.bak<n>" name before a new empty file takes its place; a file that
// cannot be read for another reason (a folder, a FIFO, no permission) is left alone.
class CManagementFileChooser
{
public:
    CManagementFileChooser(CCardStore &store, IMessageBox &messages);

    // False when the program must end (the messages have been shown).
    bool Choose(const QString &last, const QString &defaultFile);
    // The name the damaged file was kept under, or empty.
    QString KeptBackup() const { return m_keptBackup; }

    // First "<path>.bak<n>" (n = 0 … 255) that does not exist; empty when all are taken.
    static QString FreeBackupName(const QString &path);

private:
    void Warn(const QString &text);
    bool OpenOrReplace(const QString &path, const QString &defaultFile);

    CCardStore &m_store;
    IMessageBox &m_messages;
    QString m_keptBackup;
};

#include "CManagementFileChooser.h"

#include "CCardStore.h"
#include "FolderSync.h"
#include "IMessageBox.h"
#include "StoreError.h"

#include <QFile>
#include <QFileInfo>

CManagementFileChooser::CManagementFileChooser(CCardStore &store, IMessageBox &messages)
    : m_store(store), m_messages(messages)
{
}

QString CManagementFileChooser::FreeBackupName(const QString &path)
{
    for (int n = 0; n <= 255; ++n) {
        const QString name = QStringLiteral("%1.bak%2").arg(path).arg(n);
        if (!QFileInfo::exists(name) && !QFileInfo(name).isSymLink())
            return name;
    }
    return {};
}

void CManagementFileChooser::Warn(const QString &text)
{
    m_messages.Show(nullptr, text, QString(), QMessageBox::Warning);
}

namespace {
bool SamePath(const QString &a, const QString &b)
{
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}
} // namespace

bool CManagementFileChooser::Choose(const QString &lastSetting, const QString &defaultFile)
{
    QString last = lastSetting.isEmpty() ? defaultFile : lastSetting;
    const QFileInfo info(last);
    if (!info.exists() && !info.isSymLink()) {
        if (!SamePath(last, defaultFile)) {
            Warn(QString::fromUtf8("前回使用した管理ファイルが見つかりません。"));
            last = defaultFile;
        } else {
            if (!m_store.CreateNew(last)) {
                Warn(QString::fromUtf8("管理ファイルの作成に失敗しました。"));
                return false;
            }
        }
    }
    return OpenOrReplace(last, defaultFile);
}

bool CManagementFileChooser::OpenOrReplace(const QString &path, const QString &defaultFile)
{
    if (m_store.Open(path))
        return true;
    const StoreError error = m_store.LastError();
    if (error != StoreError::NotManagementFile && error != StoreError::Missing) {
        // A folder, a FIFO, a file without read permission or a failing disk is
        // not ours to replace: say what it is and carry on with the default file.
        Warn(StoreErrorText(error));
        return !SamePath(path, defaultFile) && Choose(defaultFile, defaultFile);
    }

    Warn(QString::fromUtf8("管理ファイルが不正です。"));
    if (QFileInfo::exists(path)) {
        // The user's data must survive: keep the unreadable file before replacing it.
        const QString keep = FreeBackupName(path);
        if (keep.isEmpty() || !QFile::rename(path, keep)) {
            Warn(QString::fromUtf8("管理ファイルの作成に失敗しました。"));
            return false;
        }
        m_keptBackup = keep;
        FolderSync::SyncParentOf(keep);
    }
    if (!m_store.CreateNew(path)) {
        Warn(QString::fromUtf8("管理ファイルの作成に失敗しました。"));
        return false;
    }
    return true;
}

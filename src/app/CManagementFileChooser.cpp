#include "CManagementFileChooser.h"

#include "ICardSource.h"
#include "IMessageBox.h"

#include <QFile>
#include <QFileInfo>

CManagementFileChooser::CManagementFileChooser(ICardSource &store, IMessageBox &messages)
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

bool CManagementFileChooser::Choose(const QString &lastSetting, const QString &defaultFile)
{
    QString last = lastSetting.isEmpty() ? defaultFile : lastSetting;
    if (!QFileInfo(last).isFile()) {
        if (QFileInfo(last).absoluteFilePath() != QFileInfo(defaultFile).absoluteFilePath()) {
            Warn(QString::fromUtf8("前回使用した管理ファイルが見つかりません。"));
            last = defaultFile;
        } else {
            if (!m_store.CreateNew(last)) {
                Warn(QString::fromUtf8("管理ファイルの作成に失敗しました。"));
                return false;
            }
        }
    }
    if (m_store.Open(last))
        return true;

    Warn(QString::fromUtf8("管理ファイルが不正です。"));
    if (QFileInfo::exists(last)) {
        // The user's data must survive: keep the unreadable file before replacing it.
        const QString keep = FreeBackupName(last);
        if (keep.isEmpty() || !QFile::rename(last, keep)) {
            Warn(QString::fromUtf8("管理ファイルの作成に失敗しました。"));
            return false;
        }
        m_keptBackup = keep;
    }
    if (!m_store.CreateNew(last)) {
        Warn(QString::fromUtf8("管理ファイルの作成に失敗しました。"));
        return false;
    }
    return true;
}

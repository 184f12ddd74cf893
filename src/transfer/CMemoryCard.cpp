#include "CMemoryCard.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QStorageInfo>
#include <algorithm>

namespace {
QMutex &TableLock()
{
    static QMutex lock;
    return lock;
}

QList<CDriveInfo> &Table()
{
    static QList<CDriveInfo> table;
    return table;
}

CMemoryCard::VolumeLister &Lister()
{
    static CMemoryCard::VolumeLister lister;
    return lister;
}

const QString kCaption = QString::fromUtf8("メモリーカード");

bool RefreshLocked()
{
    QList<CDriveInfo> volumes = Lister() ? Lister()() : QList<CDriveInfo>();
    std::stable_sort(volumes.begin(), volumes.end(),
                     [](const CDriveInfo &a, const CDriveInfo &b) { return a.root < b.root; });
    Table() = volumes;
    return true;
}
} // namespace

void CMemoryCard::SetVolumeLister(VolumeLister lister)
{
    QMutexLocker locker(&TableLock());
    Lister() = lister ? std::move(lister) : VolumeLister(&CMemoryCard::PlatformVolumes);
}

QList<CDriveInfo> CMemoryCard::PlatformVolumes()
{
    QList<CDriveInfo> volumes;
    for (const QStorageInfo &storage : QStorageInfo::mountedVolumes()) {
        if (!storage.isValid() || !storage.isReady())
            continue;
        CDriveInfo info;
        info.root = storage.rootPath();
        info.volumeName = QString::fromLocal8Bit(storage.device());
        volumes.append(info);
    }
    return volumes;
}

bool CMemoryCard::RefreshVolumes()
{
    QMutexLocker locker(&TableLock());
    if (!Lister())
        Lister() = &CMemoryCard::PlatformVolumes;
    try {
        return RefreshLocked();
    } catch (...) {
        Table().clear();
        return false;
    }
}

QList<CDriveInfo> CMemoryCard::Volumes()
{
    QMutexLocker locker(&TableLock());
    return Table();
}

QStringList CMemoryCard::CardFolderPaths()
{
    return {QStringLiteral("PRIVATE/MYFOLDER/My Items/Other Documents/NameCard/"),
            QStringLiteral("PRIVATE/VODAFONE/My Items/Other Documents/NameCard/"),
            QStringLiteral("PRIVATE/ORVANE/MOBILE/NAMECARD/")};
}

QString CMemoryCard::ResolveFolder(const QString &root, const QString &relative)
{
    const QStringList components = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    // Depth first over every spelling that matches; the exact one is tried first.
    std::function<QString(const QDir &, int)> walk = [&](const QDir &dir, int index) -> QString {
        if (index == components.size()) {
            QString path = dir.path();
            return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
        }
        const QString &component = components[index];
        QStringList candidates;
        if (QFileInfo(dir.filePath(component)).isDir())
            candidates.append(component);
        for (const QString &entry :
             dir.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)) {
            if (entry != component && entry.compare(component, Qt::CaseInsensitive) == 0)
                candidates.append(entry);
        }
        for (const QString &candidate : candidates) {
            QDir next(dir);
            if (next.cd(candidate)) {
                const QString found = walk(next, index + 1);
                if (!found.isEmpty())
                    return found;
            }
        }
        return {};
    };
    const QDir base(root);
    return base.exists() ? walk(base, 0) : QString();
}

int CMemoryCard::FindCardFolders(QStringList &folders)
{
    folders.clear();
    QMutexLocker locker(&TableLock());
    if (!Lister())
        Lister() = &CMemoryCard::PlatformVolumes;
    try {
        RefreshLocked();
        for (const CDriveInfo &volume : Table()) {
            for (const QString &relative : CardFolderPaths()) {
                const QString folder = ResolveFolder(volume.root, relative);
                if (!folder.isEmpty())
                    folders.append(folder);
            }
        }
    } catch (...) {
        folders.clear();
        return 0;
    }
    return int(folders.size());
}

int CMemoryCard::ListCardFiles(const QString &folder, QStringList &files)
{
    files.clear();
    QMutexLocker locker(&TableLock());
    try {
        const QDir dir(folder);
        const QFileInfoList entries =
            dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
        for (const QFileInfo &entry : entries) {
            if (entry.isFile() && entry.fileName().endsWith(QStringLiteral(".vcf"), Qt::CaseInsensitive))
                files.append(entry.absoluteFilePath());
        }
    } catch (...) {
        files.clear();
        return 0;
    }
    return int(files.size());
}

UserMessage CMemoryCard::ConfirmMessage()
{
    return {kCaption, QString::fromUtf8("メモリーカードからデータをインポートします。"),
            UserMessage::Question};
}

UserMessage CMemoryCard::NoFolderMessage()
{
    return {kCaption, QString::fromUtf8("名刺フォルダがありません。"), UserMessage::Warning};
}

UserMessage CMemoryCard::SelectFolderMessage()
{
    return {kCaption, QString::fromUtf8("フォルダを選択してください。"), UserMessage::Warning};
}

UserMessage CMemoryCard::NoFilesMessage()
{
    return {kCaption, QString::fromUtf8("名刺ファイルがありません。"), UserMessage::Warning};
}

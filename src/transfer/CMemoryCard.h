#pragma once

#include "CDriveInfo.h"
#include "UserMessage.h"

#include <QList>
#include <QStringList>
#include <functional>

// Finds the folders where phones keep business cards on their memory cards.
// The volume table is one process-wide object behind one lock.
class CMemoryCard
{
public:
    using VolumeLister = std::function<QList<CDriveInfo>()>;

    // Replaces the platform's list of mounted volumes (tests); an empty
    // function restores it.
    static void SetVolumeLister(VolumeLister lister);

    // Rebuilds the volume table, ordered by root.
    static bool RefreshVolumes();
    static QList<CDriveInfo> Volumes();
    // Refreshes, then lists root + card-folder path for every volume and every
    // card-folder path that exists; each path component matches in any letter case.
    static int FindCardFolders(QStringList &folders);
    // Regular files directly in folder whose name ends in ".vcf" in any case.
    static int ListCardFiles(const QString &folder, QStringList &files);

    // The card-folder paths, in the order they are searched.
    static QStringList CardFolderPaths();
    // root joined with relative ("/"-separated), matching each component
    // exactly or else in any case; empty when some component is missing.
    static QString ResolveFolder(const QString &root, const QString &relative);

    static UserMessage ConfirmMessage();
    static UserMessage NoFolderMessage();
    static UserMessage SelectFolderMessage();
    static UserMessage NoFilesMessage();

private:
    static QList<CDriveInfo> PlatformVolumes();
};

#pragma once

#include <QDate>
#include <QString>
#include <functional>

// The backup of a management file and its image folder (no windows: the caller asks
// for the target and shows the progress and the result).
class CBackup
{
public:
    // Reports done/total file counts; returning false cancels the folder copy.
    using Progress = std::function<bool(int done, int total)>;

    // "<path without extension>YYYYMMDD.ovd"
    static QString ProposedName(const QString &managementFile, const QDate &utcDate);
    // The image folder that goes with a backup file: its path without extension + "_Image".
    static QString ImageFolderFor(const QString &file);
    static bool IsSameFile(const QString &a, const QString &b);

    // Copies the file over the target, replacing it only once the copy is complete.
    static bool CopyFile(const QString &from, const QString &to);
    // Copies every file and sub-folder, replacing files of the same name; a missing source
    // folder copies nothing and succeeds. False on a failure or when cancelled.
    static bool CopyFolder(const QString &from, const QString &to, const Progress &progress = {});

    // Both copies; false when either failed or was cancelled.
    static bool Run(const QString &managementFile, const QString &imageFolder, const QString &target,
                    const Progress &progress = {});
};

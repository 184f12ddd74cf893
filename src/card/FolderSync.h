#pragma once

#include <QString>

// Makes a rename or a new file in a folder survive a power cut: the folder's
// own entry list is synced to disk.
namespace FolderSync {
bool Sync(const QString &folder);
// The folder a file lives in, synced.
bool SyncParentOf(const QString &file);
} // namespace FolderSync

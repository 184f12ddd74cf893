#pragma once

#include "ImportCounters.h"

#include <QStringList>
#include <functional>

class CCardStore;
class IMessageBox;
class QWidget;
struct ImportOptions;

// The memory-card command: confirm, find the card folders on the mounted
// volumes, let the user pick one when there are several, and import its vCard
// files behind the progress dialog.
class CMemoryCardImport
{
public:
    // Picks one of several folders: its index, or -1 to end the command.
    using FolderChooser = std::function<int(const QStringList &folders)>;

    // false when the command ended before importing.
    static bool Run(QWidget *parent, CCardStore &store, const ImportOptions &options, IMessageBox &messages,
                    const FolderChooser &choose);
};

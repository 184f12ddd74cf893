#pragma once

#include "ImportCounters.h"

#include <QStringList>

class CCardStore;
class IMessageBox;
class QWidget;
struct ImportOptions;

// Imports vCard files handed to the program (dropped on the card list): the
// file run goes to a worker thread behind a modal progress dialog, the overwrite
// question is asked on this thread while the worker waits, and the summary
// message follows.
class CDropImport
{
public:
    static ImportCounters Run(QWidget *parent, CCardStore &store, const ImportOptions &options,
                              IMessageBox &messages, const QStringList &paths);
};

#pragma once

#include "ImportCounters.h"

#include <QString>
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
    // caption: the progress dialog's ("インポート", or "メモリーカード" for a memory card).
    static ImportCounters Run(QWidget *parent, CCardStore &store, const ImportOptions &options,
                              IMessageBox &messages, const QStringList &paths,
                              const QString &caption = QString::fromUtf8("インポート"));
};

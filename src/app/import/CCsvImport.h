#pragma once

#include "ImportCounters.h"
#include "MappingEntry.h"

#include <QList>
#include <QString>

class CCardStore;
class IMessageBox;
class QWidget;
struct ImportOptions;

// Runs the CSV import of one file on a worker thread behind a small progress
// dialog ("中断" stops it between rows), asking the overwrite question on this
// thread, then shows the summary.
class CCsvImport
{
public:
    static ImportCounters Run(QWidget *parent, CCardStore &store, const ImportOptions &options,
                              IMessageBox &messages, const QString &path, const QList<MappingEntry> &columns,
                              bool skipFirstRow);
};

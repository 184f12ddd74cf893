#pragma once

#include <QString>
#include <QTextStream>

class CCardStore;

// Opens a management file the way the program does (repairing it if needed);
// on failure writes the program's message to err.
bool CliOpenStore(CCardStore &store, const QString &path, QTextStream &err);

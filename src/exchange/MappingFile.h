#pragma once

#include "MappingEntry.h"

#include <QList>
#include <QString>

// Column-mapping settings files (extension "cor", magic "CCOR", little-endian).

// Writes the file whole; false when it cannot be written or its length afterwards
// is not 20 + 5 × entry count.
bool SaveMapping(const QString &path, const QList<MappingEntry> &entries, bool firstRowIsHeader);
// Reads a file of version 100..200; false (outputs unchanged) for a bad file, whose
// message is MappingInvalidMessage(). An item id outside the item table makes the file bad.
bool LoadMapping(const QString &path, QList<MappingEntry> &entries, bool &firstRowIsHeader);

QString MappingInvalidMessage();
// Shown when a settings file cannot be written.
QString MappingSaveFailedMessage();
QString MappingFileFilter();

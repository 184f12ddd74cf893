#pragma once

#include "VCardData.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Text form of entries for comparing with the expected files in tests/data/exchange.
QString DumpEntries(const QList<VCARD_DATA> &entries);
QByteArray Sjis(const QString &text);
QString DataPath(const QString &name);

#pragma once

#include "CSerialPortInfo.h"
#include "CSoftbankObexObject.h"
#include "PhoneCounters.h"
#include "PortKind.h"

#include <QList>
#include <QString>

class IOverwriteAsker;
class IPhoneImporter;

// One worker run's own copy of the document state it reads, and the values it
// changes. The document takes those back once the worker has ended, so the GUI
// thread and the worker never share a mutable value.
struct PhoneJob
{
    CSerialPortInfo port;
    PortKind kind = PortKind::NotPhone;
    QString password;
    QString workFolder;
    QString destinationFolder;
    CSoftbankObexObjectArray entries;
    QList<int> selection;
    IPhoneImporter *importer = nullptr;
    IOverwriteAsker *asker = nullptr;

    // Changed by the worker.
    PhoneCounters counters{};
    QList<int> present;
};

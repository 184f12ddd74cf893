#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The state of a printer as the print dialog's 状態 field shows it: a set of
// condition bits.
namespace PrinterStatus {

enum Bit : quint32
{
    Paused = 1u << 0,
    Error = 1u << 1,
    PendingDeletion = 1u << 2,
    PaperJam = 1u << 3,
    PaperOut = 1u << 4,
    ManualFeed = 1u << 5,
    PaperProblem = 1u << 6,
    Offline = 1u << 7,
    IoActive = 1u << 8,
    Busy = 1u << 9,
    Printing = 1u << 10,
    OutputBinFull = 1u << 11,
    NotAvailable = 1u << 12,
    Waiting = 1u << 13,
    Processing = 1u << 14,
    Initializing = 1u << 15,
    WarmingUp = 1u << 16,
    TonerLow = 1u << 17,
    NoToner = 1u << 18,
    PagePunt = 1u << 19,
    UserIntervention = 1u << 20,
    OutOfMemory = 1u << 21,
    DoorOpen = 1u << 22,
    ServerUnknown = 1u << 23,
    PowerSave = 1u << 24,
};

// The text of a status. Several conditions at once show the first of them
// that has a text (in bit order); a status with none shows "準備完了".
QString Text(quint32 status);

// The status of a CUPS printer from its "printer-state" (3 idle,
// 4 processing, 5 stopped; 0 for none) and "printer-state-reasons".
quint32 FromCups(int printerState, const QStringList &reasons);

} // namespace PrinterStatus

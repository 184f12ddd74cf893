#pragma once

#include <QString>
#include <QStringList>

// The status of a print job as the print dialog's 状態 field shows it.
namespace JobStatus {

enum Value : int
{
    Paused = 1,
    Error = 2,
    Deleting = 4,
    Spooling = 8,
    Printing = 16,
    Offline = 32,
    PaperOut = 64,
    Printed = 128,
    Deleted = 256,
    BlockedDevq = 512,
    UserIntervention = 1024,
    Restart = 2048,
};

// The text of a status value; empty for any other value.
QString Text(int status);

// A CUPS job's status from its "job-state" (3 pending … 9 completed), its
// "job-state-reasons" and the "printer-state-reasons" of its printer: what
// stops a job on its way comes first, then the job's own state.
int FromCups(int jobState, const QStringList &jobReasons, const QStringList &printerReasons);

} // namespace JobStatus

#pragma once

#include <QString>
#include <QStringList>

// What CUPS tells about a destination and a job.
namespace CupsQuery {

struct Destination
{
    bool found = false;
    QString deviceUri;
    int state = 0; // "printer-state": 3 idle, 4 processing, 5 stopped
    QStringList reasons;
};

// `name` may carry an instance ("printer/instance").
Destination Find(const QString &name);

// "job-state" and "job-state-reasons" of a job; false when CUPS does not answer.
bool JobState(int jobId, int *state, QStringList *reasons);

// The queue a destination name prints to (the name without its instance).
QByteArray QueueName(const QString &name);

} // namespace CupsQuery

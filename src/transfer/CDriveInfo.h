#pragma once

#include <QString>

// One mounted volume. The root stands where a drive letter stands elsewhere.
struct CDriveInfo
{
    QString root;           // mount point, e.g. "/media/user/CARD"
    QString volumeName;     // the device the platform reports for the root
    QString volumeDeviceId; // empty when not known
    QString parentDeviceId;
    QString grandparentDeviceId;

    bool operator==(const CDriveInfo &) const = default;
};

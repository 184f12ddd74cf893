#pragma once

#include <QString>

// The phone link's work folder under the temporary folder, which other users
// share: a name taken by a link or by another user's folder is never used,
// and never emptied.
class CWorkFolder
{
public:
    // tempFolder/TessalyTemp/, made private to this user when missing. When
    // that name is taken by anything but this user's own folder, a new private
    // folder tempFolder/TessalyTemp-XXXXXX/ instead; empty if none can be made.
    static QString Make(const QString &tempFolder);
    // A real folder (not a link to one) that belongs to this user.
    static bool IsOwnFolder(const QString &path);
    // Deletes the folder with all its content, but only an own folder; the
    // links inside are removed, not followed.
    static bool Remove(const QString &path);
};

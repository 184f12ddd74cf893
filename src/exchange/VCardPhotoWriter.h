#pragma once

#include <QByteArray>
#include <QString>

// Writes decoded photos into one folder as "_0", "_1", … plus extension. Names
// come only from this counter; each file is created exclusively, so a file that
// is already there is never overwritten.
class VCardPhotoWriter
{
public:
    explicit VCardPhotoWriter(const QString &folder);

    bool HasFolder() const { return !m_folder.isEmpty(); }
    // The written file's name (without folder), or an empty text on failure.
    QString Write(const QByteArray &bytes, const QString &extension);

private:
    QString m_folder;
    bool m_folderReady = false;
    int m_counter = 0;
};

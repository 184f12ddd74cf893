#pragma once

#include <QByteArray>
#include <QString>

// Writes decoded photos into one folder as "_0", "_1", … plus extension. Names
// come only from this counter; each file is created exclusively, so a file that
// is already there is never overwritten.
class VCardPhotoWriter
{
public:
    enum Mode
    {
        Writing,
        // Writes nothing and remembers that a photo was to be written.
        Refuse
    };

    explicit VCardPhotoWriter(const QString &folder, Mode mode = Writing);

    bool HasFolder() const { return !m_folder.isEmpty(); }
    bool Refused() const { return m_refused; }
    // The written file's name (without folder), or an empty text on failure.
    QString Write(const QByteArray &bytes, const QString &extension);

private:
    QString m_folder;
    Mode m_mode;
    bool m_refused = false;
    bool m_folderReady = false;
    int m_counter = 0;
};

#include "VCardPhotoWriter.h"

#include <QDir>
#include <QFile>

namespace {
// Gives up rather than probe a folder full of old photos for ever.
constexpr int MaxAttempts = 100000;
} // namespace

VCardPhotoWriter::VCardPhotoWriter(const QString &folder, Mode mode) : m_folder(folder), m_mode(mode)
{
}

QString VCardPhotoWriter::Write(const QByteArray &bytes, const QString &extension)
{
    if (m_folder.isEmpty())
        return QString();
    if (m_mode == Refuse) {
        m_refused = true;
        return QString();
    }
    if (!m_folderReady) {
        if (!QDir().mkpath(m_folder))
            return QString();
        m_folderReady = true;
    }
    const QDir dir(m_folder);
    for (int attempt = 0; attempt < MaxAttempts; ++attempt) {
        const QString name = QStringLiteral("_%1").arg(m_counter++) + extension;
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (file.exists())
                continue;
            return QString();
        }
        const bool written = file.write(bytes) == bytes.size() && file.flush();
        file.close();
        if (!written || file.error() != QFileDevice::NoError) {
            file.remove();
            return QString();
        }
        return name;
    }
    return QString();
}

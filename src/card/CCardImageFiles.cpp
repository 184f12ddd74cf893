#include "CCardImageFiles.h"

#include "FolderSync.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {
constexpr char Extension[] = ".ovi";
} // namespace

CCardImageFiles::CCardImageFiles(const QString &folder) : m_folder(folder)
{
}

QString CCardImageFiles::FileName(const QString &id, int picture)
{
    if (id.isEmpty())
        return QString();
    return (picture == CardImage ? QStringLiteral("Card_") : QStringLiteral("Photo_")) + id +
           QLatin1String(Extension);
}

QString CCardImageFiles::PathOf(const QString &id, int picture) const
{
    if (id.isEmpty() || m_folder.isEmpty())
        return QString();
    return QDir(m_folder).filePath(FileName(id, picture));
}

QString CCardImageFiles::ParkedPath(const QString &id, int picture) const
{
    return PathOf(id, picture) + QStringLiteral(".deleting");
}

QString CCardImageFiles::AsidePath(const QString &id, int picture) const
{
    return PathOf(id, picture) + QStringLiteral(".merging");
}

bool CCardImageFiles::Exists(const QString &id, int picture) const
{
    const QString path = PathOf(id, picture);
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool CCardImageFiles::Replace(const QString &id, int picture, const QString &source) const
{
    const QString target = PathOf(id, picture);
    if (target.isEmpty() || source.isEmpty() || !QDir().mkpath(m_folder))
        return false;
    const QString fresh = target + QStringLiteral(".new");
    QFile::remove(fresh);
    if (!QFile::copy(source, fresh) || QFileInfo(fresh).size() != QFileInfo(source).size()) {
        QFile::remove(fresh);
        return false;
    }
    // rename(2) replaces the old picture in one step.
    if (::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(target).constData()) != 0) {
        QFile::remove(fresh);
        return false;
    }
    FolderSync::Sync(m_folder);
    return true;
}

bool CCardImageFiles::Remove(const QString &id, int picture) const
{
    const QString path = PathOf(id, picture);
    if (path.isEmpty())
        return false;
    return !QFileInfo::exists(path) || QFile::remove(path);
}

bool CCardImageFiles::Swap(const QString &id) const
{
    const QString card = PathOf(id, CardImage);
    const QString photo = PathOf(id, PersonPhoto);
    if (card.isEmpty())
        return false;
    const bool hasCard = QFileInfo::exists(card);
    const bool hasPhoto = QFileInfo::exists(photo);
    if (hasCard && hasPhoto) {
        const QString parked = card + QStringLiteral(".swap");
        QFile::remove(parked);
        if (!QFile::rename(card, parked))
            return false;
        if (!QFile::rename(photo, card)) {
            QFile::rename(parked, card);
            return false;
        }
        if (!QFile::rename(parked, photo)) {
            QFile::rename(card, photo);
            QFile::rename(parked, card);
            return false;
        }
    } else if (hasCard) {
        if (!QFile::rename(card, photo))
            return false;
    } else if (hasPhoto) {
        if (!QFile::rename(photo, card))
            return false;
    } else {
        return false;
    }
    FolderSync::Sync(m_folder);
    return true;
}

bool CCardImageFiles::Park(const QString &id) const
{
    for (int picture : {CardImage, PersonPhoto}) {
        const QString path = PathOf(id, picture);
        if (path.isEmpty() || !QFileInfo::exists(path))
            continue;
        const QString parked = ParkedPath(id, picture);
        QFile::remove(parked);
        if (!QFile::rename(path, parked)) {
            Unpark(id);
            return false;
        }
    }
    return true;
}

bool CCardImageFiles::Unpark(const QString &id) const
{
    bool ok = true;
    for (int picture : {CardImage, PersonPhoto}) {
        const QString parked = ParkedPath(id, picture);
        if (!parked.isEmpty() && QFileInfo::exists(parked))
            ok = QFile::rename(parked, PathOf(id, picture)) && ok;
    }
    return ok;
}

void CCardImageFiles::Drop(const QString &id) const
{
    for (int picture : {CardImage, PersonPhoto}) {
        const QString parked = ParkedPath(id, picture);
        if (!parked.isEmpty())
            QFile::remove(parked);
    }
}

bool CCardImageFiles::Adopt(const QString &id, int picture, const QString &parkedId) const
{
    const QString target = PathOf(id, picture);
    const QString source = ParkedPath(parkedId, picture);
    if (target.isEmpty() || parkedId.isEmpty())
        return false;
    const QString aside = AsidePath(id, picture);
    QFile::remove(aside);
    if (QFileInfo::exists(target) && !QFile::rename(target, aside))
        return false;
    if (QFileInfo::exists(source) && !Replace(id, picture, source)) {
        QFile::rename(aside, target);
        return false;
    }
    FolderSync::Sync(m_folder);
    return true;
}

bool CCardImageFiles::Unadopt(const QString &id, int picture) const
{
    const QString target = PathOf(id, picture);
    if (target.isEmpty() || (QFileInfo::exists(target) && !QFile::remove(target)))
        return false;
    const QString aside = AsidePath(id, picture);
    const bool ok = !QFileInfo::exists(aside) || QFile::rename(aside, target);
    FolderSync::Sync(m_folder);
    return ok;
}

void CCardImageFiles::KeepAdopted(const QString &id, int picture) const
{
    const QString aside = AsidePath(id, picture);
    if (!aside.isEmpty())
        QFile::remove(aside);
}

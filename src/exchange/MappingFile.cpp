#include "MappingFile.h"

#include "CCheckArray.h"
#include "CsvItem.h"
#include "FolderSync.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

namespace {

constexpr char Magic[4] = {'C', 'C', 'O', 'R'};
constexpr qsizetype HeaderSize = 20;
constexpr qsizetype EntrySize = 5;
constexpr qint32 CurrentVersion = 200;
constexpr qint32 OldVersion = 100;
// Far more columns than any CSV file has; a larger count is a broken file.
constexpr qint32 MaxEntries = 1 << 20;
// The item table: the fixed items and one per possible check-list item.
constexpr qint32 LastItemId = CsvItemCheckBase + CCheckArray::MaxItems - 1;

void AppendLe32(QByteArray &bytes, qint32 value)
{
    char buffer[4];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, 4);
}

qint32 Le32(const char *data)
{
    return qFromLittleEndian<qint32>(data);
}

} // namespace

bool SaveMapping(const QString &path, const QList<MappingEntry> &entries, bool firstRowIsHeader)
{
    if (entries.size() > MaxEntries)
        return false;
    const qint32 count = qint32(entries.size());
    QByteArray bytes;
    bytes.reserve(HeaderSize + EntrySize * count);
    bytes.append(Magic, 4);
    AppendLe32(bytes, qint32(EntrySize) * count);
    AppendLe32(bytes, CurrentVersion);
    AppendLe32(bytes, firstRowIsHeader ? 1 : 0);
    AppendLe32(bytes, count);
    for (const MappingEntry &entry : entries) {
        AppendLe32(bytes, entry.itemId);
        bytes.append(char(entry.flag));
    }
    // Written to a temporary file and renamed, so a failed write leaves the old file intact.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit() ||
        !FolderSync::SyncParentOf(path))
        return false;
    return QFileInfo(path).size() == HeaderSize + EntrySize * count;
}

bool LoadMapping(const QString &path, QList<MappingEntry> &entries, bool &firstRowIsHeader)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(HeaderSize);
    if (header.size() != HeaderSize || !header.startsWith(QByteArrayView(Magic, 4)))
        return false;
    const qint32 version = Le32(header.constData() + 8);
    const qint32 count = Le32(header.constData() + 16);
    if (version < OldVersion || version > CurrentVersion || count < 0 || count > MaxEntries)
        return false;
    const QByteArray body = file.read(EntrySize * count);
    if (body.size() != EntrySize * count)
        return false;

    QList<MappingEntry> loaded;
    loaded.reserve(count);
    for (qint32 i = 0; i < count; ++i) {
        MappingEntry entry;
        const qint32 stored = Le32(body.constData() + EntrySize * i);
        // Version 100 had no importance item (45), so its check-list ids started at 45.
        const qint32 shift = version == OldVersion && stored > CsvItemPrint ? 1 : 0;
        // Checked before the shift: an id past the table is a broken file, not a column.
        if (stored < CsvItemEmpty || stored > LastItemId - shift)
            return false;
        entry.itemId = stored + shift;
        entry.flag = quint8(body.at(EntrySize * i + 4));
        loaded.append(entry);
    }
    entries = loaded;
    firstRowIsHeader = Le32(header.constData() + 12) != 0;
    return true;
}

QString MappingInvalidMessage()
{
    return QStringLiteral("設定ファイルが不正です。");
}

QString MappingSaveFailedMessage()
{
    return QStringLiteral("設定ファイルを保存できませんでした。");
}

QString MappingFileFilter()
{
    return QStringLiteral("設定ファイル (*.cor)");
}

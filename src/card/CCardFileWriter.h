#pragma once

#include "CPosixFile.h"
#include "StoreError.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <memory>

// The management file opened for reading and writing for one change or a batch
// of card writes. The writes are ordered so that a crash or a full disk at any
// point leaves a file whose every card is there once, in its old or new state:
//
//   1. new records are appended past the length the header states;
//   2. Commit() syncs them, then marks the superseded records dead, syncs, and
//      only then rewrites the header to count the new records, and syncs.
//
// Until step 2 a reopen finds the new records past the stated length and lets
// them replace the older records of the same card. A change that failed is
// undone by RollBack(). The destructor commits what is pending.
class CCardFileWriter
{
public:
    CCardFileWriter() = default;
    // Opens at once; check IsOpen().
    explicit CCardFileWriter(const QString &path, std::unique_ptr<CPosixFile> file = nullptr);
    ~CCardFileWriter();
    CCardFileWriter(const CCardFileWriter &) = delete;
    CCardFileWriter &operator=(const CCardFileWriter &) = delete;

    // Created if missing, never truncated; an empty file gets an empty header
    // in memory. With a known expected identity, a file that is no longer in
    // that state is refused (ChangedElsewhere).
    bool Open(const QString &path, const FileIdentity &expected = FileIdentity(),
              std::unique_ptr<CPosixFile> file = nullptr);
    bool IsOpen() const { return m_file && m_file->IsOpen(); }
    QString Path() const { return m_path; }
    void Close();
    StoreError Error() const { return m_error; }
    // Without syncing, a power cut may lose what was committed (tests, benchmarks).
    void SetSync(bool sync) { m_sync = sync; }

    // Writes a card chunk over the payload of the record at recordOffset.
    bool OverwritePayload(qint32 recordOffset, const QByteArray &chunk);
    // Appends a live record holding the chunk; gives the new record's offset.
    bool AppendRecord(const QByteArray &chunk, qint32 *recordOffset);
    // Turns the record at recordOffset into a dead one when the batch commits.
    bool MarkDead(qint32 recordOffset);
    // Whether recordOffset can be a record of this file (MarkDead accepts it).
    bool HasRecordAt(qint32 recordOffset) const;
    // Makes everything written since the last commit durable and counted.
    bool Commit();
    // Puts the file back as the last commit left it; false when that failed too.
    bool RollBack();
    bool HasPending() const;

    // The file as this writer left it (after the last successful commit).
    FileIdentity Identity() const { return m_identity; }

private:
    bool Fail(int error);
    bool SyncNow();
    bool WriteHeader(quint32 length, quint32 count);

    struct Overwritten
    {
        qint64 position;
        QByteArray before;
    };

    std::unique_ptr<CPosixFile> m_file;
    QString m_path;
    StoreError m_error = StoreError::None;
    bool m_sync = true;
    FileIdentity m_identity;
    // The file as the header states it after the last commit.
    qint64 m_committedSize = 0;
    quint32 m_committedCount = 0;
    bool m_headerOnDisk = false; // an empty file has no header yet
    // Written since the last commit.
    qint64 m_size = 0;
    quint32 m_count = 0;
    bool m_dirty = false;
    bool m_headerCounts = false; // the header on disk already counts what is not committed
    QList<qint32> m_pendingDead;
    QList<qint32> m_writtenDead;
    QList<Overwritten> m_overwritten;
};

#include "VCardFileReader.h"

#include "LineCursor.h"
#include "Utf8Detect.h"
#include "VCardParser.h"
#include "VCardPhotoWriter.h"

#include <climits>
#include <thread>
#include <vector>

namespace {
#ifdef TESSALY_TINY_BLOCKS
// The fuzzing build splits small files too, so both halves are read with small inputs.
constexpr qint64 MinSplitSize = 64;
constexpr qint64 SplitWindow = 256;
#else
// Below this size a second thread costs more than it saves.
constexpr qint64 MinSplitSize = 4 << 20;
// How far past the middle a card boundary is looked for.
constexpr qint64 SplitWindow = 1 << 20;
#endif
constexpr int SecondHalfBatch = 2048;
// Fewer bytes than a card from a phone takes: name, reading, a number or two.
constexpr qint64 TypicalCardBytes = 256;

// The offset of a "BEGIN:VCARD" line whose previous line is "END:VCARD", or -1.
// Nothing can carry over such a boundary: "END:VCARD" ends no quoted-printable
// value, and only lines starting with a space continue a photo.
qsizetype CardBoundary(QByteArrayView bytes)
{
    const QByteArrayView end("\nEND:VCARD");
    const QByteArrayView begin("BEGIN:VCARD");
    for (qsizetype at = bytes.indexOf(end); at >= 0; at = bytes.indexOf(end, at + 1)) {
        qsizetype next = at + end.size();
        if (next < bytes.size() && bytes[next] == '\r')
            ++next;
        if (next >= bytes.size() || bytes[next] != '\n')
            continue;
        ++next;
        if (bytes.sliced(next).startsWith(begin))
            return next;
    }
    return -1;
}
} // namespace

VCardFileReader::VCardFileReader() = default;

VCardFileReader::~VCardFileReader() = default;

bool VCardFileReader::Open(const QString &path, const QString &photoFolder)
{
    m_cursor.reset();
    m_parser.reset();
    m_done = false;
    m_file.close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly))
        return false;
    // The encoding test looks at the mapped file (Shift_JIS is told apart in the
    // first bytes); the reading then goes block by block, never holding the whole file.
    bool bom = false;
    m_utf8 = Utf8Detect::IsUtf8File(m_file, &Utf8Detect::IsUtf8VCard, bom);
    m_start = m_utf8 && bom ? 3 : 0;
    m_photoFolder = photoFolder;
    m_photos = std::make_unique<VCardPhotoWriter>(photoFolder);
    m_parser = std::make_unique<VCardParser>(m_utf8, *m_photos);
    StartCursor(m_start, -1);
    return m_file.pos() == m_start;
}

void VCardFileReader::StartCursor(qint64 from, qint64 length)
{
    m_cursor.reset();
    m_file.seek(from);
    m_cursor = std::make_unique<LineCursor>(&m_file, m_utf8, LineCursor::Breaks::Lf, length);
}

int VCardFileReader::Read(QList<VCARD_DATA> &entries, int limit)
{
    if (!m_parser || m_done)
        return 0;
    const int read = m_parser->Parse(*m_cursor, entries, limit);
    m_done = read < limit;
    return read;
}

qint64 VCardFileReader::SplitPoint()
{
    const qint64 size = m_file.size();
    if (size < MinSplitSize || std::thread::hardware_concurrency() < 2)
        return -1;
    const qint64 middle = m_start + (size - m_start) / 2;
    if (!m_file.seek(middle))
        return -1;
    const QByteArray window = m_file.read(SplitWindow);
    const qsizetype found = CardBoundary(window);
    return found < 0 ? -1 : middle + found;
}

int VCardFileReader::ReadAll(QList<VCARD_DATA> &entries)
{
    if (!m_parser || m_done)
        return 0;
    const qint64 split = SplitPoint();
    if (split < 0) {
        StartCursor(m_start, -1);
        return Read(entries, INT_MAX);
    }
    // The second half's photos would have to be numbered after the first
    // half's: it refuses to write any, and is then read again in order.
    VCardPhotoWriter refusing(m_photoFolder, VCardPhotoWriter::Refuse);
    // In batches, each freed as soon as it has been moved over: one list of the
    // whole half would double its memory while being appended.
    std::vector<QList<VCARD_DATA>> second;
    bool secondOpened = false;
    const QString path = m_file.fileName();
    std::thread other([&] {
        QFile file(path);
        secondOpened = file.open(QIODevice::ReadOnly) && file.seek(split);
        if (!secondOpened)
            return;
        VCardParser parser(m_utf8, refusing);
        LineCursor cursor(&file, m_utf8, LineCursor::Breaks::Lf);
        while (true) {
            QList<VCARD_DATA> &batch = second.emplace_back();
            if (parser.Parse(cursor, batch, SecondHalfBatch) < SecondHalfBatch)
                break;
        }
    });
    // Room for the whole file up front (pages never written cost nothing), so
    // that appending the second half does not copy the first one.
    entries.reserve(entries.size() + (m_file.size() - m_start) / TypicalCardBytes);
    StartCursor(m_start, split - m_start);
    int read = m_parser->Parse(*m_cursor, entries);
    other.join();
    m_done = true;
    if (m_parser->PhotoFailed())
        return read; // in order, the reading would have ended here too
    if (!secondOpened || refusing.Refused()) {
        second.clear();
        StartCursor(split, -1);
        return read + m_parser->Parse(*m_cursor, entries);
    }
    for (QList<VCARD_DATA> &batch : second) {
        read += int(batch.size());
        entries.append(std::move(batch));
        batch = QList<VCARD_DATA>();
    }
    return read;
}

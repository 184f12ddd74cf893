#include "Csv.h"

#include "Cp932.h"
#include "LineCursor.h"
#include "TextScan.h"
#include "Utf8Detect.h"

#include <QFileInfo>

Csv::Csv(const QString &fileName) : m_fileName(fileName)
{
}

Csv::~Csv()
{
    Close();
}

bool Csv::OpenFile(const QString &fileName)
{
    Close();
    Reset();
    m_fileName = fileName;
    return !fileName.isEmpty();
}

void Csv::Reset()
{
    m_separator = u',';
    m_quote = u'"';
    m_columnCount = 0;
    m_cursor.reset();
    m_in.close();
    m_loaded = false;
    m_readFailed = false;
    m_skipped = 0;
    m_byteSize = 0;
    m_writeFailed = false;
    m_lossless = true;
}

bool Csv::LoadForReading()
{
    m_loaded = true;
    m_in.setFileName(m_fileName);
    if (!m_in.open(QIODevice::ReadOnly)) {
        m_readFailed = true;
        return false;
    }
    m_byteSize = m_in.size();
    // The encoding test needs the whole file; the mapping is dropped before reading.
    bool bom = false;
    const bool utf8 = Utf8Detect::IsUtf8File(m_in, &Utf8Detect::IsUtf8Csv, bom);
    m_skipped = bom ? 3 : 0;
    if (!m_in.seek(m_skipped)) {
        m_readFailed = true;
        return false;
    }
    // Read as the C library does in text mode: lines end at "\n", "\r\n" reads as "\n".
    m_cursor = std::make_unique<LineCursor>(&m_in, utf8, LineCursor::Breaks::Lf);
    return true;
}

bool Csv::ReadLine(QStringView &line)
{
    return m_cursor->Next(line);
}

bool Csv::ReadRow(QStringList &fields)
{
    fields.clear();
    if (!m_loaded && !LoadForReading())
        return false;
    if (m_readFailed)
        return false;
    QStringView line;
    if (!ReadLine(line))
        return false;
    qsizetype pos = 0;
    while (true) {
        QString field;
        if (pos < line.size() && line[pos] == m_quote) {
            qsizetype i = pos + 1;
            while (true) {
                const qsizetype quote = TextScan::Find(line, m_quote.unicode(), i);
                if (quote < 0) {
                    // The quoted field goes on in the next line.
                    field += line.mid(i);
                    field += QLatin1StringView("\r\n");
                    if (!ReadLine(line)) {
                        fields.append(field);
                        return false;
                    }
                    i = 0;
                    continue;
                }
                field += line.mid(i, quote - i);
                if (quote + 1 < line.size() && line[quote + 1] == m_quote) {
                    field += m_quote;
                    i = quote + 2;
                    continue;
                }
                pos = quote + 1;
                break;
            }
        }
        // Plain text, or what follows a closing quote, runs to the next separator.
        // A plain field is made in one piece, at its size.
        const qsizetype separator = TextScan::Find(line, m_separator.unicode(), pos);
        const QStringView rest = separator < 0 ? line.sliced(pos) : line.sliced(pos, separator - pos);
        if (field.isNull())
            fields.append(rest.toString());
        else
            fields.append(field += rest);
        if (separator < 0)
            return true;
        pos = separator + 1;
        if (pos == line.size()) {
            fields.append(QString());
            return true;
        }
    }
}

bool Csv::WriteRow(const QStringList &fields)
{
    if (m_writeFailed)
        return false;
    if (!m_out.isOpen()) {
        m_out.setFileName(m_fileName);
        if (!m_out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            m_writeFailed = true;
            return false;
        }
    }
    if (m_columnCount == 0)
        m_columnCount = int(fields.size());

    // Each field is encoded straight into the row's bytes, sized once for the
    // worst case: two bytes a character (a doubled quote or an added "\r" included),
    // the quotes and the separator. The buffer keeps its memory from row to row.
    const char separator = char(m_separator.unicode()); // both are ASCII
    const char quote = char(m_quote.unicode());
    qsizetype bound = 2;
    for (int i = 0; i < m_columnCount; ++i)
        bound += 3 + (i < fields.size() ? fields.at(i).size() * 2 : 0);
    m_rowBytes.resize(bound);
    char *o = m_rowBytes.data();
    bool lossless = true;
    for (int i = 0; i < m_columnCount; ++i) {
        if (i > 0)
            *o++ = separator;
        const QStringView field = i < fields.size() ? QStringView(fields.at(i)) : QStringView();
        const bool quoted = std::any_of(field.begin(), field.end(), [this](QChar c) {
            return c == u'\n' || c == m_separator || c == m_quote;
        });
        if (!quoted) {
            o = Cp932::EncodeTo(field, o, lossless);
            continue;
        }
        *o++ = quote;
        qsizetype run = 0;
        QChar previous;
        for (qsizetype j = 0; j < field.size(); ++j) {
            const QChar c = field[j];
            // Line ends go to disk as "\r\n"; one already there is not doubled.
            const bool doubled = c == m_quote;
            const bool lineEnd = c == u'\n' && previous != u'\r';
            previous = c;
            if (!doubled && !lineEnd)
                continue;
            o = Cp932::EncodeTo(field.sliced(run, j - run), o, lossless);
            *o++ = doubled ? quote : '\r';
            *o++ = doubled ? quote : '\n';
            run = j + 1;
        }
        o = Cp932::EncodeTo(field.sliced(run), o, lossless);
        *o++ = quote;
    }
    *o++ = '\r';
    *o++ = '\n';
    m_rowBytes.truncate(o - m_rowBytes.constData());
    m_lossless = m_lossless && lossless;
    if (m_out.write(m_rowBytes) != m_rowBytes.size()) {
        m_writeFailed = true;
        return false;
    }
    return true;
}

bool Csv::Close()
{
    if (!m_out.isOpen())
        return !m_writeFailed;
    if (!m_out.flush())
        m_writeFailed = true;
    m_out.close();
    if (m_out.error() != QFileDevice::NoError)
        m_writeFailed = true;
    return !m_writeFailed;
}

qint64 Csv::FileSize() const
{
    if (m_out.isOpen())
        return m_out.size();
    if (m_loaded)
        return m_byteSize;
    return QFileInfo(m_fileName).size();
}

qint64 Csv::Position() const
{
    return m_cursor ? m_skipped + m_cursor->BytePosition() : 0;
}

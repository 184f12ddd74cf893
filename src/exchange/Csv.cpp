#include "Csv.h"

#include "Cp932.h"
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
    m_fileName = fileName;
    m_separator = u',';
    m_quote = u'"';
    m_columnCount = 0;
    m_loaded = false;
    m_readFailed = false;
    m_text.clear();
    m_pos = 0;
    m_byteSize = 0;
    m_writeFailed = false;
    m_lossless = true;
    return !fileName.isEmpty();
}

bool Csv::LoadForReading()
{
    m_loaded = true;
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_readFailed = true;
        return false;
    }
    const QByteArray bytes = file.readAll();
    m_byteSize = bytes.size();
    if (Utf8Detect::IsUtf8Csv(bytes))
        m_text = QString::fromUtf8(QByteArrayView(bytes).sliced(Utf8Detect::HasBom(bytes) ? 3 : 0));
    else
        m_text = Cp932::Decode(bytes);
    return true;
}

// One line as the C library reads it in text mode: up to "\n", with "\r\n" read as "\n".
bool Csv::ReadLine(QStringView &line)
{
    if (m_pos >= m_text.size())
        return false;
    const qsizetype newline = m_text.indexOf(u'\n', m_pos);
    const qsizetype end = newline < 0 ? m_text.size() : newline;
    line = QStringView(m_text).mid(m_pos, end - m_pos);
    if (line.endsWith(u'\r'))
        line.chop(1);
    m_pos = newline < 0 ? m_text.size() : newline + 1;
    return true;
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
                const qsizetype quote = line.indexOf(m_quote, i);
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
        const qsizetype separator = line.indexOf(m_separator, pos);
        if (separator < 0) {
            field += line.mid(pos);
            fields.append(field);
            return true;
        }
        field += line.mid(pos, separator - pos);
        fields.append(field);
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

    m_rowText.clear();
    for (int i = 0; i < m_columnCount; ++i) {
        if (i > 0)
            m_rowText += m_separator;
        const QString field = i < fields.size() ? fields.at(i) : QString();
        const bool quoted = field.contains(u'\n') || field.contains(m_separator) || field.contains(m_quote);
        if (!quoted) {
            m_rowText += field;
            continue;
        }
        m_rowText += m_quote;
        QChar previous;
        for (QChar c : field) {
            if (c == m_quote)
                m_rowText += m_quote;
            // Line ends go to disk as "\r\n"; one already there is not doubled.
            if (c == u'\n' && previous != u'\r')
                m_rowText += u'\r';
            m_rowText += c;
            previous = c;
        }
        m_rowText += m_quote;
    }
    m_rowText += QLatin1StringView("\r\n");

    bool lossless = true;
    const QByteArray bytes = Cp932::Encode(m_rowText, &lossless);
    m_lossless = m_lossless && lossless;
    if (m_out.write(bytes) != bytes.size()) {
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
    if (m_text.isEmpty())
        return 0;
    return qint64(double(m_pos) / double(m_text.size()) * double(m_byteSize));
}

#include "CINIFile.h"

#include "FolderSync.h"

#include <QFile>
#include <QSaveFile>

namespace {

// A settings file is a few kilobytes; anything far larger is not ours.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

QString OneLine(QString value)
{
    for (QChar &c : value) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar(0))
            c = QLatin1Char(' ');
    }
    return value;
}

} // namespace

bool CINIFile::Load(const QString &path)
{
    m_sections.clear();
    m_sectionIndex.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileSize)
        return false;
    // As many bytes as the file has: reading up to the limit would reserve all of it first.
    // A file that tells no size (a pipe) is read up to the limit.
    Parse(file.read(file.size() > 0 ? file.size() : MaxFileSize));
    return true;
}

void CINIFile::Parse(const QByteArray &bytes)
{
    m_sections.clear();
    m_sectionIndex.clear();
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    Section *current = nullptr;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QStringView trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('['))) {
            qsizetype close = trimmed.indexOf(QLatin1Char(']'));
            if (close < 0)
                close = trimmed.size();
            const QString name = trimmed.mid(1, close - 1).trimmed().toString();
            // A repeated section continues the first one of that name.
            current = &SectionFor(name);
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!current || eq < 0 || trimmed.startsWith(QLatin1Char(';')))
            continue;
        const QString key = line.left(eq).trimmed().toString();
        if (key.isEmpty())
            continue;
        Append(*current, key, line.mid(eq + 1).toString());
    }
}

CINIFile::Section &CINIFile::SectionFor(const QString &name)
{
    const QString folded = Fold(name);
    const auto it = m_sectionIndex.constFind(folded);
    if (it != m_sectionIndex.cend())
        return m_sections[*it];
    m_sectionIndex.insert(folded, m_sections.size());
    m_sections.append(Section{name, {}, {}});
    return m_sections.last();
}

void CINIFile::Append(Section &section, const QString &key, const QString &value)
{
    const QString folded = Fold(key);
    if (!section.index.contains(folded))
        section.index.insert(folded, section.entries.size());
    section.entries.append(Entry{key, OneLine(value)});
}

const CINIFile::Entry *CINIFile::FindEntry(const QString &section, const QString &key) const
{
    const auto s = m_sectionIndex.constFind(Fold(section));
    if (s == m_sectionIndex.cend())
        return nullptr;
    const Section &sec = m_sections[*s];
    const auto e = sec.index.constFind(Fold(key));
    return e == sec.index.cend() ? nullptr : &sec.entries[*e];
}

bool CINIFile::HasKey(const QString &section, const QString &key) const
{
    return FindEntry(section, key) != nullptr;
}

QString CINIFile::GetString(const QString &section, const QString &key, const QString &def) const
{
    const Entry *e = FindEntry(section, key);
    return e ? e->value : def;
}

int CINIFile::GetInt(const QString &section, const QString &key, int def) const
{
    const Entry *e = FindEntry(section, key);
    if (!e)
        return def;
    bool ok = false;
    const int v = QStringView(e->value).trimmed().toInt(&ok, 10);
    return ok ? v : def;
}

void CINIFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    Section &sec = SectionFor(section);
    const auto e = sec.index.constFind(Fold(key));
    if (e != sec.index.cend())
        sec.entries[*e].value = OneLine(value);
    else
        Append(sec, key, value);
}

void CINIFile::WriteInt(const QString &section, const QString &key, int value)
{
    WriteString(section, key, QString::number(value));
}

QByteArray CINIFile::ToBytes() const
{
    QString text;
    for (const Section &sec : m_sections) {
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += QLatin1Char('[') + sec.name + QStringLiteral("]\n");
        for (const Entry &e : sec.entries)
            text += e.key + QLatin1Char('=') + e.value + QLatin1Char('\n');
    }
    return text.toUtf8();
}

bool CINIFile::Save(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = ToBytes();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    // The file is synced by commit; the folder holds the rename.
    return file.commit() && FolderSync::SyncParentOf(path);
}

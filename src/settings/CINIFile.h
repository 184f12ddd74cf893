#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

// A small profile file ("[Section]" lines and "key=value" lines, UTF-8) held in
// memory. Lookups ignore the case of section and key names and take the first
// of repeated keys. Writing appends keys in call order, so a file built from
// scratch comes out exactly in the order its keys were written.
class CINIFile
{
public:
    // Replaces the content with the file's; a missing or unreadable file gives
    // an empty content and false.
    bool Load(const QString &path);
    void Parse(const QByteArray &bytes);

    bool HasKey(const QString &section, const QString &key) const;
    QString GetString(const QString &section, const QString &key, const QString &def = QString()) const;
    // A missing key or a value that is not a decimal integer gives def.
    int GetInt(const QString &section, const QString &key, int def) const;

    // Sets the key (appending section and key when new). Line breaks in the
    // value would split the line, so they are written as spaces.
    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInt(const QString &section, const QString &key, int value);

    QByteArray ToBytes() const;
    // Writes through a temporary file in the same folder that then replaces
    // the old one, so a crash half-way never leaves a truncated file.
    bool Save(const QString &path) const;

private:
    struct Entry
    {
        QString key;
        QString value;
    };
    struct Section
    {
        QString name;
        QList<Entry> entries;
        QHash<QString, qsizetype> index; // folded key → first entry with it
    };

    static QString Fold(const QString &name) { return name.toCaseFolded(); }
    Section &SectionFor(const QString &name); // appended when new
    void Append(Section &section, const QString &key, const QString &value);
    const Entry *FindEntry(const QString &section, const QString &key) const;

    QList<Section> m_sections;
    QHash<QString, qsizetype> m_sectionIndex; // folded name → first section with it
};

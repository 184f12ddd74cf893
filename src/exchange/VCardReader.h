#pragma once

#include "VCardData.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Reading vCard text into VCARD_DATA entries. Input is Shift_JIS unless it is
// recognisably UTF-8 (see Utf8Detect::IsUtf8VCard). Photos are written
// exclusively as "_0", "_1", … (plus extension) into photoFolder, created when missing.

// Reads a file (lines end at "\n" with an optional "\r"). Returns true when at
// least one entry was completed by an "END" line; entries are appended.
bool ReadVCardFile(const QString &path, const QString &photoFolder, QList<VCARD_DATA> &entries);

// Reads text split at "\r\n". Same result rule as ReadVCardFile.
bool ReadVCardText(const QByteArray &bytes, const QString &photoFolder, QList<VCARD_DATA> &entries);

// Splits text at "\r\n" and decodes it (Shift_JIS or UTF-8) into lines.
QStringList SplitVCardText(const QByteArray &bytes);

// Number of complete cards, or -1 for an "END" outside a card or text ending
// inside a card. beginLines receives the line number of every "BEGIN".
int CountVCards(const QByteArray &bytes, QList<int> &beginLines);
int CountVCards(const QStringList &lines, QList<int> &beginLines);

// Parses only card `index`: from its "BEGIN" line up to the next card's "BEGIN"
// (or the end). lines are those of SplitVCardText for the same text.
bool ReadVCardAt(int index, const QList<int> &beginLines, const QStringList &lines,
                 const QString &photoFolder, QList<VCARD_DATA> &entries);

// Post-processing for vCard files, memory cards and pushed objects.
void FinishCardFileEntry(VCARD_DATA &entry);
// Post-processing for phone-book data.
void FinishPhoneBookEntry(VCARD_DATA &entry);

// "\SEMICOLON" → ";", "\COMMA" → ",", "\YEN" → "\".
QString UnescapeValue(const QString &text);

// Accepts text holding "nnnn/nn/nn"; text holding only "nn/nn/nn" gets "20" in front.
bool NormaliseNoteDate(QString &text);

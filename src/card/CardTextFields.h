#pragma once

#include "CCardData.h"

#include <span>

// One line per plain text field of a card, in field-id order. The management-file codec,
// the CSV columns, the search and the copy of one field all walk this table, so a new
// text field is one line here (and one in the CSV item table when it gets a column).
struct CardTextField
{
    CardField field;
    quint32 tag;               // the management file's field tag (CChunk::Tag)
    bool shared;               // decoded through the text pool: values that many cards repeat
    bool searchable;           // a text search condition may name the field
    QString CCardData::*value; // the stored value, as the codec reads and writes it
    // Sets the field with its input rules; false when the text had to be changed.
    bool (*set)(CCardData &card, const QString &text, bool autoYomi);
};

std::span<const CardTextField> CardTextFields();
// The entry of a field id, or nullptr for a field that is not plain text.
const CardTextField *FindCardTextField(int field);

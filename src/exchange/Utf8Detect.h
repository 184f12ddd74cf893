#pragma once

#include <QByteArrayView>

class QFile;

// Tells UTF-8 input apart from Shift_JIS input. Shift_JIS text with kana or kanji is
// practically never valid UTF-8 with multi-byte sequences, so the test is safe.
class Utf8Detect
{
public:
    static bool HasBom(QByteArrayView bytes);
    // The whole input is valid UTF-8 and holds at least one multi-byte sequence.
    static bool IsMultiByteUtf8(QByteArrayView bytes);
    // vCard text: a byte-order mark, or multi-byte UTF-8 that also declares
    // "CHARSET=UTF-8" or "VERSION:3.0"/"VERSION:4.0".
    static bool IsUtf8VCard(QByteArrayView bytes);
    // CSV text: a byte-order mark, or multi-byte UTF-8.
    static bool IsUtf8Csv(QByteArrayView bytes);
    // Applies test to a whole opened file (mapped when it can be, so a large file is
    // not read twice); bom tells whether it starts with a byte-order mark.
    static bool IsUtf8File(QFile &file, bool (*test)(QByteArrayView), bool &bom);
};

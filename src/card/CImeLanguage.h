#pragma once

#include <QString>

// The phonetic-reading service: the Japanese reading of a text.
class CImeLanguage
{
public:
    virtual ~CImeLanguage() = default;
    virtual bool IsAvailable() const = 0;
    // The reading (katakana or hiragana, any width) of full-width hiragana/kanji
    // text; empty when unknown or unavailable.
    virtual QString Reading(const QString &text) = 0;
};

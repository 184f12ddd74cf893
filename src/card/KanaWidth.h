#pragma once

#include <QString>

// Width and kana mappings in the manner of the Japanese locale mapping:
// voiced half-width kana take two code units (ｶﾞ), full-width ASCII narrows to
// ASCII, and the ideographic space narrows to a half-width space.
namespace KanaWidth {

// Half-width → full-width (ASCII, space, kana, symbols), then katakana → hiragana.
QString ToFullWidthHiragana(const QString &text);

// Hiragana → katakana, then full-width → half-width.
QString ToHalfWidthKatakana(const QString &text);

// Half-width katakana (with their voiced marks and kana punctuation) → full-width
// katakana; every other character stays as it is.
QString ToFullWidthKatakana(const QString &text);

// True when the text is non-empty and holds nothing but kana of either width,
// the long vowel mark, voiced marks, the middle dot and spaces: a reading that
// can be converted without asking a reading service.
bool IsKanaOnly(const QString &text);

} // namespace KanaWidth

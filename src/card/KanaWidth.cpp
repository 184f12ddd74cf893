#include "KanaWidth.h"

#include <array>

namespace {

// Half-width forms U+FF61..U+FF9F and their full-width counterparts, in code order.
constexpr char16_t kHalfKanaFirst = 0xFF61;
constexpr char16_t kHalfKanaLast = 0xFF9F;
const char16_t kFullOfHalfKana[] = u"。「」、・"
                                   u"ヲァィゥェォャュョッー"
                                   u"アイウエオカキクケコサシスセソタチツテトナニヌネノ"
                                   u"ハヒフヘホマミムメモヤユヨラリルレロワン"
                                   u"゛゜";
static_assert(sizeof(kFullOfHalfKana) / sizeof(char16_t) == kHalfKanaLast - kHalfKanaFirst + 2);

constexpr char16_t kHalfVoiced = 0xFF9E;
constexpr char16_t kHalfSemiVoiced = 0xFF9F;
constexpr char16_t kCombiningVoiced = 0x3099;
constexpr char16_t kCombiningSemiVoiced = 0x309A;
constexpr char16_t kIdeographicSpace = 0x3000;

// Full-width symbols U+FFE0..U+FFE6 and the narrow characters they widen from.
const char16_t kNarrowOfWideSymbol[] = {0x00A2, 0x00A3, 0x00AC, 0x203E, 0x00A6, 0x00A5, 0x20A9};
// Half-width forms U+FFE8..U+FFEE and the wide characters they narrow from.
const char16_t kWideOfNarrowForm[] = {0x2502, 0x2190, 0x2191, 0x2192, 0x2193, 0x25A0, 0x25CB};

bool IsHiragana(char16_t c)
{
    return (c >= 0x3041 && c <= 0x3096) || c == 0x309D || c == 0x309E;
}

bool IsKatakanaWithHiragana(char16_t c)
{
    return (c >= 0x30A1 && c <= 0x30F6) || c == 0x30FD || c == 0x30FE;
}

constexpr char16_t kKanaShift = 0x60; // katakana − hiragana

// Lookup tables built once; read-only afterwards, so any thread may use them.
struct Tables
{
    // U+3000..U+30FF → half-width text of up to two units (0 = no half-width form).
    std::array<std::array<char16_t, 2>, 0x100> halfOfFull{};
    // Half-width kana U+FF61..U+FF9D → full-width with a following voiced / semi-voiced mark (0 = none).
    std::array<char16_t, 0x3D> voicedOf{};
    std::array<char16_t, 0x3D> semiVoicedOf{};

    Tables()
    {
        for (char16_t h = kHalfKanaFirst; h <= kHalfKanaLast; ++h)
            halfOfFull[kFullOfHalfKana[h - kHalfKanaFirst] - 0x3000] = {h, 0};
        halfOfFull[kCombiningVoiced - 0x3000] = {kHalfVoiced, 0};
        halfOfFull[kCombiningSemiVoiced - 0x3000] = {kHalfSemiVoiced, 0};
        // Voiced katakana narrow to their base plus a separate mark: ガ → ｶﾞ.
        for (char16_t c = 0x30A1; c <= 0x30FA; ++c) {
            const QString parts = QString(QChar(c)).normalized(QString::NormalizationForm_D);
            if (parts.size() != 2)
                continue;
            const char16_t base = parts[0].unicode();
            const char16_t mark = parts[1].unicode();
            const char16_t halfBase = halfOfFull[base - 0x3000][0];
            if (halfBase == 0 || halfBase > 0xFF9D)
                continue;
            const bool voiced = mark == kCombiningVoiced;
            halfOfFull[c - 0x3000] = {halfBase, voiced ? kHalfVoiced : kHalfSemiVoiced};
            (voiced ? voicedOf : semiVoicedOf)[halfBase - kHalfKanaFirst] = c;
        }
    }
};

const Tables &TheTables()
{
    static const Tables tables;
    return tables;
}

} // namespace

namespace KanaWidth {

QString ToFullWidthHiragana(const QString &text)
{
    const Tables &t = TheTables();
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text[i].unicode();
        if (c == 0x20) {
            c = kIdeographicSpace;
        } else if (c >= 0x21 && c <= 0x7E) {
            c = char16_t(c - 0x20 + 0xFF00);
        } else if (c >= kHalfKanaFirst && c <= kHalfKanaLast) {
            // A half-width kana followed by its voiced mark becomes one full-width kana.
            const char16_t next = i + 1 < text.size() ? text[i + 1].unicode() : 0;
            char16_t composed = 0;
            if (c <= 0xFF9D && next == kHalfVoiced)
                composed = t.voicedOf[c - kHalfKanaFirst];
            else if (c <= 0xFF9D && next == kHalfSemiVoiced)
                composed = t.semiVoicedOf[c - kHalfKanaFirst];
            if (composed != 0) {
                c = composed;
                ++i;
            } else {
                c = kFullOfHalfKana[c - kHalfKanaFirst];
            }
        } else if (c >= 0xFFE8 && c <= 0xFFEE) {
            c = kWideOfNarrowForm[c - 0xFFE8];
        } else {
            for (int k = 0; k < 7; ++k) {
                if (kNarrowOfWideSymbol[k] == c) {
                    c = char16_t(0xFFE0 + k);
                    break;
                }
            }
        }
        if (IsKatakanaWithHiragana(c))
            c = char16_t(c - kKanaShift);
        out.append(QChar(c));
    }
    return out;
}

QString ToHalfWidthKatakana(const QString &text)
{
    const Tables &t = TheTables();
    QString out;
    out.reserve(text.size() + text.size() / 4);
    for (const QChar ch : text) {
        char16_t c = ch.unicode();
        if (IsHiragana(c))
            c = char16_t(c + kKanaShift);
        if (c == kIdeographicSpace) {
            out.append(QChar(0x20));
        } else if (c >= 0xFF01 && c <= 0xFF5E) {
            out.append(QChar(char16_t(c - 0xFF00 + 0x20)));
        } else if (c >= 0xFFE0 && c <= 0xFFE6) {
            out.append(QChar(kNarrowOfWideSymbol[c - 0xFFE0]));
        } else if (c >= 0x3000 && c <= 0x30FF && t.halfOfFull[c - 0x3000][0] != 0) {
            const auto &half = t.halfOfFull[c - 0x3000];
            out.append(QChar(half[0]));
            if (half[1] != 0)
                out.append(QChar(half[1]));
        } else {
            bool narrowed = false;
            for (int k = 0; k < 7 && !narrowed; ++k) {
                if (kWideOfNarrowForm[k] == c) {
                    out.append(QChar(char16_t(0xFFE8 + k)));
                    narrowed = true;
                }
            }
            if (!narrowed)
                out.append(QChar(c));
        }
    }
    return out;
}

QString ToFullWidthKatakana(const QString &text)
{
    const Tables &t = TheTables();
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < kHalfKanaFirst || c > kHalfKanaLast) {
            out.append(QChar(c));
            continue;
        }
        const char16_t next = i + 1 < text.size() ? text[i + 1].unicode() : 0;
        char16_t composed = 0;
        if (c <= 0xFF9D && next == kHalfVoiced)
            composed = t.voicedOf[c - kHalfKanaFirst];
        else if (c <= 0xFF9D && next == kHalfSemiVoiced)
            composed = t.semiVoicedOf[c - kHalfKanaFirst];
        if (composed != 0)
            ++i;
        out.append(QChar(composed != 0 ? composed : kFullOfHalfKana[c - kHalfKanaFirst]));
    }
    return out;
}

bool IsKanaOnly(const QString &text)
{
    bool anyKana = false;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == 0x20 || c == kIdeographicSpace)
            continue;
        const bool kana = (c >= 0x3041 && c <= 0x3096) || (c >= 0x3099 && c <= 0x309E) ||
                          (c >= 0x30A1 && c <= 0x30FE) || (c >= 0xFF65 && c <= 0xFF9F);
        if (!kana)
            return false;
        anyKana = true;
    }
    return anyKana;
}

} // namespace KanaWidth

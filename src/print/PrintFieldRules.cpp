#include "PrintFieldRules.h"

#include <algorithm>

namespace PrintFieldRules {

namespace {

// The digits of a count, capped where the value stops mattering.
qint64 Digits(const QString &text, qint64 cap)
{
    qint64 v = 0;
    for (QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            v = std::min(cap, v * 10 + (c.unicode() - '0'));
    }
    return v;
}

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

Length ReadLength(const QString &typed, int caret)
{
    // Keep digits and the first point; note where the caret falls among them.
    QString kept;
    int keptCaret = 0;
    bool point = false;
    for (int i = 0; i < typed.size(); ++i) {
        const QChar c = typed.at(i);
        const bool keep = IsDigit(c) || (c == QLatin1Char('.') && !point);
        if (!keep)
            continue;
        point = point || c == QLatin1Char('.');
        kept += c;
        if (i < caret)
            ++keptCaret;
    }
    const int dot = kept.indexOf(QLatin1Char('.'));
    const QString whole = dot < 0 ? kept : kept.left(dot);
    const QString fraction = dot < 0 ? QString() : kept.mid(dot + 1);

    int leadingZeros = 0;
    while (leadingZeros < whole.size() - 1 && whole.at(leadingZeros) == QLatin1Char('0'))
        ++leadingZeros;
    qint64 value = Digits(whole, MaxLength) * 10;
    if (!fraction.isEmpty())
        value += fraction.at(0).unicode() - '0';
    Length r;
    r.value = int(std::min<qint64>(value, MaxLength));
    r.text = LengthText(r.value);

    // The caret stays beside the same digit: in the whole part (less the
    // zeros dropped before it) or in the first decimal.
    const int wholeLength = int(r.text.indexOf(QLatin1Char('.')));
    if (dot < 0 || keptCaret <= dot) {
        const int zerosBefore = std::min(keptCaret, leadingZeros);
        r.caret = std::clamp(keptCaret - zerosBefore, 0, wholeLength);
        // Before a lone 0 the next digit would make ten times the value.
        if (r.value < 10)
            r.caret = wholeLength;
    } else {
        r.caret = wholeLength + 1 + std::min(keptCaret - dot - 1, 1);
    }
    return r;
}

QString LengthText(int tenths)
{
    const int v = std::max(tenths, 0);
    return QStringLiteral("%1.%2").arg(v / 10).arg(v % 10);
}

int ReadCount(const QString &text)
{
    return int(std::max<qint64>(1, Digits(text, MaxLabels)));
}

int LimitGrid(int edited, int other)
{
    edited = std::max(edited, 1);
    other = std::max(other, 1);
    if (qint64(edited) * other <= MaxLabels)
        return edited;
    return std::max(1, MaxLabels / other);
}

int FromPage(const QString &from, const QString &to, int count)
{
    const int last = to.trimmed().isEmpty() ? count : int(Digits(to, qint64(INT_MAX)));
    const int first = from.trimmed().isEmpty() ? 1 : int(Digits(from, qint64(INT_MAX)));
    return std::max(1, std::min(first, last));
}

int ToPage(const QString &to, int from, int count)
{
    if (to.trimmed().isEmpty())
        return count;
    const int last = int(Digits(to, qint64(INT_MAX)));
    if (last < from)
        return from;
    return std::min(last, count);
}

} // namespace PrintFieldRules

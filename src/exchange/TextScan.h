#pragma once

#include <QStringView>

// Plain scans for the short lines of vCard and CSV text, where a simple loop
// beats the general library searches.
class TextScan
{
public:
    static qsizetype Find(QStringView text, char16_t c, qsizetype from = 0)
    {
        const char16_t *p = text.utf16();
        for (qsizetype i = from; i < text.size(); ++i)
            if (p[i] == c)
                return i;
        return -1;
    }

    static qsizetype Count(QStringView text, char16_t c)
    {
        const char16_t *p = text.utf16();
        qsizetype count = 0;
        for (qsizetype i = 0; i < text.size(); ++i)
            count += p[i] == c;
        return count;
    }

    // Case-sensitive ASCII prefix test.
    template <size_t N> static bool StartsWith(QStringView text, const char (&prefix)[N])
    {
        constexpr qsizetype length = N - 1;
        if (text.size() < length)
            return false;
        const char16_t *p = text.utf16();
        for (qsizetype i = 0; i < length; ++i)
            if (p[i] != char16_t(prefix[i]))
                return false;
        return true;
    }
};

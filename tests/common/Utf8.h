#pragma once

#include <QString>

// Japanese test texts are written as UTF-8 literals.
inline QString U(const char *text)
{
    return QString::fromUtf8(text);
}

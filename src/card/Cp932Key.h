#pragma once

#include <QByteArray>
#include <QString>

// The text in the Windows Japanese code page (CP932), for ordering by its
// bytes. A character the code page lacks becomes "?", as the system's own
// conversion does.
QByteArray Cp932Key(const QString &text);

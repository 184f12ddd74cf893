#include "CCupsJobStream.h"

#include <cups/cups.h>

CCupsJobStream::CCupsJobStream(http_t *http) : m_http(http)
{
}

qint64 CCupsJobStream::writeData(const char *data, qint64 size)
{
    if (m_discard)
        return size;
    if (m_failed)
        return -1;
    if (cupsWriteRequestData(m_http, data, size_t(size)) != HTTP_STATUS_CONTINUE) {
        m_failed = true;
        return -1;
    }
    return size;
}

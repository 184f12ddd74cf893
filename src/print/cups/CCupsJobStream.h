#pragma once

#include <QIODevice>

typedef struct _http_s http_t;

// The document of a CUPS job as a device to write to: every write goes
// straight into the job's open request. Once a write failed, or after
// Discard(), nothing more is sent.
class CCupsJobStream : public QIODevice
{
public:
    explicit CCupsJobStream(http_t *http);

    bool Failed() const { return m_failed; }
    void Discard() { m_discard = true; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    http_t *m_http;
    bool m_failed = false;
    bool m_discard = false;
};

#pragma once

#include "ThumbnailRequest.h"

#include <QImage>
#include <QList>
#include <QThread>

// Makes the thumbnails of one batch in the background. It owns copies of its requests,
// touches no card and no widget, and reports by queued signals tagged with its generation.
class CThumbnailWorker : public QThread
{
    Q_OBJECT
public:
    CThumbnailWorker(QList<ThumbnailRequest> requests, int generation, QSize size, int pauseMs,
                     QObject *parent = nullptr);

    // Decodes at reduced size (never enlarged), turns by the quarter turns and centres the
    // picture on white of exactly `size`. Null when the file cannot be read or decoded.
    static QImage MakeThumbnail(const QString &path, int rotation, QSize size);

signals:
    void Ready(int generation, int request, const QImage &image);
    void Failed(int generation, int request);

protected:
    void run() override;

private:
    const QList<ThumbnailRequest> m_requests;
    const int m_generation;
    const QSize m_size;
    const int m_pauseMs;
};

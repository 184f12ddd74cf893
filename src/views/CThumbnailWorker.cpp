#include "CThumbnailWorker.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QTransform>

CThumbnailWorker::CThumbnailWorker(QList<ThumbnailRequest> requests, int generation, QSize size, int pauseMs,
                                   QObject *parent)
    : QThread(parent), m_requests(std::move(requests)), m_generation(generation), m_size(size),
      m_pauseMs(pauseMs)
{
}

QImage CThumbnailWorker::MakeThumbnail(const QString &path, int rotation, QSize size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize full = reader.size();
    if (!full.isValid() || full.isEmpty())
        return {};
    rotation &= 3;
    // Fit the picture as it will stand after turning.
    const QSize box = (rotation % 2) ? size.transposed() : size;
    QSize scaled = full;
    if (scaled.width() > box.width() || scaled.height() > box.height())
        scaled = full.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    reader.setScaledSize(scaled);
    QImage picture = reader.read();
    if (picture.isNull())
        return {};
    if (rotation)
        picture = picture.transformed(QTransform().rotate(90 * rotation));

    QImage result(size, QImage::Format_RGB32);
    result.fill(Qt::white);
    QPainter painter(&result);
    painter.drawImage((size.width() - picture.width()) / 2, (size.height() - picture.height()) / 2, picture);
    return result;
}

void CThumbnailWorker::run()
{
    for (int i = 0; i < m_requests.size(); ++i) {
        if (isInterruptionRequested())
            return;
        const QImage image = MakeThumbnail(m_requests[i].path, m_requests[i].rotation, m_size);
        if (image.isNull())
            emit Failed(m_generation, i);
        else
            emit Ready(m_generation, i, image);
        if (m_pauseMs > 0 && i + 1 < m_requests.size())
            msleep(static_cast<unsigned long>(m_pauseMs));
    }
}

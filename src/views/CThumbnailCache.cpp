#include "CThumbnailCache.h"

#include "CCardData.h"
#include "CCardImageFiles.h"
#include "CCardStore.h"
#include "CThumbnailWorker.h"

#include <QFileInfo>
#include <QPainter>

CThumbnailCache::CThumbnailCache(QObject *parent) : QObject(parent)
{
    Reset();
}

CThumbnailCache::~CThumbnailCache()
{
    StopWorker();
}

void CThumbnailCache::SetSize(QSize size)
{
    if (size == m_size)
        return;
    m_size = size;
    Reset();
}

void CThumbnailCache::Reset()
{
    StopWorker();
    m_pictures = {MakePlaceholder(NoImage), MakePlaceholder(Preparing), MakePlaceholder(Unreadable)};
    m_positions.clear();
    m_requests.clear();
    m_requestCards.clear();
    m_row = m_tab = -1;
}

void CThumbnailCache::StopWorker()
{
    if (!m_worker)
        return;
    m_worker->requestInterruption();
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
}

void CThumbnailCache::Forget(const QString &id)
{
    // The picture slot stays allocated; the card is examined again at the next Prepare.
    m_positions.remove(id);
}

void CThumbnailCache::Prepare(CCardStore *store, int row, int tab)
{
    if (!store)
        return;
    if (row != m_row || tab != m_tab) {
        Reset();
        m_row = row;
        m_tab = tab;
    }
    StopWorker();
    ++m_generation;
    m_requests.clear();
    m_requestCards.clear();

    const CCardImageFiles images = store->Images();
    const int n = store->TabSize(row, tab);
    for (int i = 0; i < n; ++i) {
        const CCardData *card = store->TabCard(row, tab, i);
        if (!card || card->Id().isEmpty())
            continue;
        const int known = m_positions.value(card->Id(), -1);
        if (known >= 0 && known != Preparing)
            continue;
        const QString path = images.PathOf(card->Id(), CCardImageFiles::CardImage);
        if (!QFileInfo::exists(path)) {
            m_positions.insert(card->Id(), NoImage);
            continue;
        }
        m_positions.insert(card->Id(), Preparing);
        m_requests.append({card->Id(), path, card->ImageRotationOf(0)});
        m_requestCards.append(card);
    }
    if (m_requests.isEmpty())
        return;
    m_worker = new CThumbnailWorker(m_requests, m_generation, m_size, m_pauseMs);
    connect(m_worker, &CThumbnailWorker::Ready, this, &CThumbnailCache::OnReady, Qt::QueuedConnection);
    connect(m_worker, &CThumbnailWorker::Failed, this, &CThumbnailCache::OnFailed, Qt::QueuedConnection);
    m_worker->start(QThread::LowPriority);
}

void CThumbnailCache::OnReady(int generation, int request, const QImage &image)
{
    if (generation != m_generation || request < 0 || request >= m_requests.size())
        return;
    const QString &id = m_requests[request].id;
    const int known = m_positions.value(id, -1);
    if (known >= FirstPicture) {
        m_pictures[known] = QPixmap::fromImage(image);
    } else {
        m_pictures.append(QPixmap::fromImage(image));
        m_positions.insert(id, static_cast<int>(m_pictures.size() - 1));
    }
    emit ThumbnailChanged(m_requestCards[request]);
}

void CThumbnailCache::OnFailed(int generation, int request)
{
    if (generation != m_generation || request < 0 || request >= m_requests.size())
        return;
    m_positions.insert(m_requests[request].id, Unreadable);
    emit ThumbnailChanged(m_requestCards[request]);
}

QPixmap CThumbnailCache::Picture(const CCardData *card) const
{
    const int position = card ? m_positions.value(card->Id(), NoImage) : NoImage;
    return m_pictures.value(position, m_pictures[NoImage]);
}

QPixmap CThumbnailCache::MakePlaceholder(int kind) const
{
    QPixmap pixmap(m_size);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A blank card outline, landscape like a business card.
    const int w = m_size.width() * 9 / 10;
    const int h = w * 55 / 91;
    const QRect card((m_size.width() - w) / 2, (m_size.height() - h) / 2, w, h);
    p.setPen(QPen(QColor(160, 160, 160), 1));
    p.setBrush(QColor(245, 245, 245));
    p.drawRect(card);
    p.setPen(QColor(190, 190, 190));
    for (int line = 1; line <= 3; ++line)
        p.drawLine(card.left() + w / 8, card.top() + line * h / 4, card.right() - w / 3,
                   card.top() + line * h / 4);
    if (kind == Preparing) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 130, 200));
        const int r = qMax(2, w / 30);
        for (int dot = -1; dot <= 1; ++dot)
            p.drawEllipse(card.center() + QPoint(dot * 4 * r, 0), r, r);
    } else if (kind == Unreadable) {
        p.setPen(QPen(QColor(200, 40, 40), qMax(2, w / 30)));
        const int d = h / 4;
        p.drawLine(card.center() + QPoint(-d, -d), card.center() + QPoint(d, d));
        p.drawLine(card.center() + QPoint(-d, d), card.center() + QPoint(d, -d));
    }
    return pixmap;
}

#pragma once

#include "ThumbnailRequest.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPixmap>

class CCardData;
class CThumbnailWorker;
class CCardStore;

// The thumbnails of the tab on show: three placeholders (0 no image, 1 being made,
// 2 unreadable) and the pictures made so far, found by card Id.
class CThumbnailCache : public QObject
{
    Q_OBJECT
public:
    enum Placeholder
    {
        NoImage = 0,
        Preparing = 1,
        Unreadable = 2,
        FirstPicture = 3
    };

    explicit CThumbnailCache(QObject *parent = nullptr);
    ~CThumbnailCache() override;

    void SetSize(QSize size);
    QSize Size() const { return m_size; }
    void SetPauseMs(int ms) { m_pauseMs = ms; }

    // Examines the cards of (row, tab): all of them when the tab changed, otherwise only those
    // without a picture yet; queues the existing image files for a new worker generation.
    void Prepare(CCardStore *store, int row, int tab);
    // Forgets everything (for example after another file was opened).
    void Reset();
    // Forgets one card's picture, to be made again at the next Prepare.
    void Forget(const QString &id);

    QPixmap Picture(const CCardData *card) const;
    int PositionOf(const QString &id) const { return m_positions.value(id, -1); }
    int Generation() const { return m_generation; }

public slots:
    void OnReady(int generation, int request, const QImage &image);
    void OnFailed(int generation, int request);

signals:
    void ThumbnailChanged(const CCardData *card);

private:
    void StopWorker();
    QPixmap MakePlaceholder(int kind) const;

    QSize m_size{100, 100};
    int m_pauseMs = 50;
    QList<QPixmap> m_pictures;
    QHash<QString, int> m_positions;
    QList<ThumbnailRequest> m_requests;
    QList<const CCardData *> m_requestCards;
    int m_generation = 0;
    int m_row = -1;
    int m_tab = -1;
    CThumbnailWorker *m_worker = nullptr;
};

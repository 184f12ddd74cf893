#include "CCardImageView.h"

#include "CCardStore.h"
#include "IMessageBox.h"
#include "StoreError.h"

#include <QAction>
#include <QActionGroup>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QLabel>
#include <QScrollBar>
#include <QTransform>

CCardImageView::CCardImageView(CCardStore *store, IMessageBox *messages, QWidget *parent)
    : QScrollArea(parent), m_store(store), m_messages(messages), m_label(new QLabel)
{
    m_label->setAlignment(Qt::AlignCenter);
    setWidget(m_label);
    setAlignment(Qt::AlignCenter);
    setWidgetResizable(false);

    const char *texts[CommandCount] = {"名刺画像",         "人物画像",     "画像拡大",
                                       "画像縮小",         "画像全体表示", "画像回転",
                                       "名刺人物画像入替", "画像追加変更", "画像削除"};
    for (int c = 0; c < CommandCount; ++c)
        m_actions[c] = new QAction(QString::fromUtf8(texts[c]), this);
    auto *which = new QActionGroup(this);
    for (Command c : {ShowCardImage, ShowPersonPhoto}) {
        m_actions[c]->setCheckable(true);
        which->addAction(m_actions[c]);
    }
    m_actions[ShowCardImage]->setChecked(true);
    connect(m_actions[ShowCardImage], &QAction::triggered, this, [this] { ShowPicture(CardImage); });
    connect(m_actions[ShowPersonPhoto], &QAction::triggered, this, [this] { ShowPicture(PersonPhoto); });
    connect(m_actions[ZoomIn], &QAction::triggered, this, &CCardImageView::ZoomInStep);
    connect(m_actions[ZoomOut], &QAction::triggered, this, &CCardImageView::ZoomOutStep);
    connect(m_actions[FitWhole], &QAction::triggered, this, &CCardImageView::Fit);
    connect(m_actions[Rotate], &QAction::triggered, this, &CCardImageView::RotateQuarter);
    connect(m_actions[SwapPictures], &QAction::triggered, this, &CCardImageView::Swap);
    connect(m_actions[DeletePicture], &QAction::triggered, this, &CCardImageView::Delete);
    connect(m_actions[AddOrChange], &QAction::triggered, this, [this] {
        const QString file =
            m_choose ? m_choose()
                     : QFileDialog::getOpenFileName(
                           this, QString(), QString(),
                           QStringLiteral("画像ファイル(*.jpg,*.jpeg,*.png,*.gif,*.bmp) (*.jpg *.jpeg "
                                          "*.png *.gif *.bmp)"));
        if (!file.isEmpty())
            ReplaceWith(file);
    });
    FollowStore();
    UpdateActions();
}

void CCardImageView::FollowStore()
{
    if (!m_store)
        return;
    connect(m_store, &CCardStore::AboutToReset, this, [this] { ShowCard(nullptr); });
    connect(m_store, &CCardStore::CardDeleted, this, [this](CCardData *card) {
        if (card == m_card)
            ShowCard(nullptr);
    });
    connect(m_store, &CCardStore::CardReplaced, this, [this](CCardData *card) {
        if (card != m_card || card->ImageRotationOf(m_picture) == m_rotation)
            return;
        m_rotation = card->ImageRotationOf(m_picture);
        Redraw();
    });
    connect(m_store, &CCardStore::PicturesChanged, this, [this](CCardData *card) {
        if (card == m_card)
            Load();
    });
}

void CCardImageView::ShowStoreError(const QString &caption)
{
    m_messages->Show(this, StoreErrorText(m_store->LastError()), caption, QMessageBox::Warning);
}

QList<QAction *> CCardImageView::Actions() const
{
    return QList<QAction *>(m_actions, m_actions + CommandCount);
}

QString CCardImageView::PicturePath(int picture) const
{
    if (!m_card)
        return QString();
    return m_store->Images().PathOf(m_card->Id(), picture);
}

void CCardImageView::ShowCard(CCardData *card)
{
    // The same card coming back after a save keeps its zoom.
    const QString id = card ? card->Id() : QString();
    const bool same = card == m_card && id == m_cardId;
    m_card = card;
    m_cardId = id;
    if (!same)
        Load();
}

void CCardImageView::ShowPicture(int picture)
{
    m_actions[picture == CardImage ? ShowCardImage : ShowPersonPhoto]->setChecked(true);
    if (picture == m_picture)
        return;
    m_picture = picture;
    Load();
}

void CCardImageView::Load()
{
    m_image = QImage();
    m_rotation = m_card ? m_card->ImageRotationOf(m_picture) : 0;
    const QString path = PicturePath(m_picture);
    QFile file(path);
    if (!path.isEmpty() && file.open(QIODevice::ReadOnly)) {
        // The stored bytes are the original picture file; its format is known only from its content.
        QByteArray bytes = file.readAll();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        m_image = reader.read();
    }
    m_zoom = 100;
    if (!m_image.isNull()) {
        const QSize turned = TurnedSize();
        if (turned.width() > viewport()->width() || turned.height() > viewport()->height())
            Fit();
    }
    Redraw();
}

QSize CCardImageView::TurnedSize() const
{
    const QSize size = m_image.size();
    return (m_rotation % 2 == 1) ? size.transposed() : size;
}

void CCardImageView::Redraw()
{
    if (m_image.isNull()) {
        m_label->setPixmap(QPixmap());
        m_label->resize(0, 0);
    } else {
        const QSize turned = TurnedSize();
        const QSize shown(qMax(1, turned.width() * m_zoom / 100), qMax(1, turned.height() * m_zoom / 100));
        const QImage image = m_image.transformed(QTransform().rotate(90.0 * m_rotation));
        m_label->setPixmap(
            QPixmap::fromImage(image.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
        m_label->resize(shown);
    }
    UpdateActions();
}

void CCardImageView::UpdateActions()
{
    const bool loaded = IsLoaded();
    for (Command c : {ZoomIn, ZoomOut, FitWhole, Rotate, DeletePicture})
        m_actions[c]->setEnabled(loaded);
    // A picture needs a card to belong to; swapping needs a picture file to move.
    m_actions[AddOrChange]->setEnabled(m_card != nullptr);
    m_actions[SwapPictures]->setEnabled(m_card != nullptr && (QFile::exists(PicturePath(CardImage)) ||
                                                              QFile::exists(PicturePath(PersonPhoto))));
}

void CCardImageView::ResetView()
{
    if (m_picture == CardImage)
        Load(); // the zoom starts again
    else
        ShowPicture(CardImage);
}

bool CCardImageView::SetZoom(int percent)
{
    if (!IsLoaded() || percent <= 0)
        return false;
    const QSize turned = TurnedSize();
    const qint64 width = qint64(turned.width()) * percent / 100;
    const qint64 height = qint64(turned.height()) * percent / 100;
    if (width > MaxSide || height > MaxSide || width < MinSide || height < MinSide)
        return false;
    m_zoom = percent;
    Redraw();
    return true;
}

void CCardImageView::ZoomInStep()
{
    SetZoom((m_zoom + 10) / 10 * 10);
}

void CCardImageView::ZoomOutStep()
{
    SetZoom((m_zoom - 10) / 10 * 10);
}

void CCardImageView::Fit()
{
    if (!IsLoaded())
        return;
    QSize client = viewport()->size();
    if (verticalScrollBar()->isVisible())
        client.rwidth() += verticalScrollBar()->width();
    if (horizontalScrollBar()->isVisible())
        client.rheight() += horizontalScrollBar()->height();
    const QSize turned = TurnedSize();
    const double ratio =
        qMin(double(client.width()) / turned.width(), double(client.height()) / turned.height());
    m_zoom = qMax(1, int(ratio * 100));
    Redraw();
}

void CCardImageView::RotateQuarter()
{
    if (!IsLoaded() || !m_card)
        return;
    CCardData changed = *m_card;
    changed.SetImageRotationOf(m_picture, (m_rotation + 1) % 4);
    // The store tells this view (and the list's thumbnail) when the turn is in the file.
    if (!m_store->Replace(changed, m_card))
        ShowStoreError(QStringLiteral("画像回転"));
}

void CCardImageView::Swap()
{
    if (!m_card || (!QFile::exists(PicturePath(CardImage)) && !QFile::exists(PicturePath(PersonPhoto))))
        return;
    if (!m_store->SwapPictures(m_card))
        ShowStoreError(QStringLiteral("名刺人物画像入替"));
}

bool CCardImageView::EnsureStored()
{
    if (m_card && !m_card->Id().isEmpty())
        return true;
    CCardData *stored = m_card ? m_store->Replace(*m_card, m_card) : m_store->AddCard(CCardData());
    if (!stored) {
        ShowStoreError(QStringLiteral("画像変更"));
        return false;
    }
    m_card = stored;
    m_cardId = stored->Id();
    emit CardCreated(stored);
    return true;
}

void CCardImageView::ReplaceWith(const QString &source)
{
    if (source.isEmpty() || !EnsureStored())
        return;
    const QString target = PicturePath(m_picture);
    if (QFile::exists(target) &&
        m_messages->Show(this, QStringLiteral("画像を変更してもよろしいですか？"), QStringLiteral("画像変更"),
                         QMessageBox::Question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    // The store copies beside the target first, so a failed copy leaves the old picture in place.
    if (!m_store->SetPicture(m_card, m_picture, source))
        ShowStoreError(QStringLiteral("画像変更"));
}

void CCardImageView::Delete()
{
    const QString path = PicturePath(m_picture);
    if (!IsLoaded() || path.isEmpty())
        return;
    if (m_messages->Show(this, QStringLiteral("この画像を削除してもよろしいですか？"),
                         QStringLiteral("画像削除"), QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No,
                         QMessageBox::No) != QMessageBox::Yes)
        return;
    if (!m_store->RemovePicture(m_card, m_picture))
        ShowStoreError(QStringLiteral("画像削除"));
}

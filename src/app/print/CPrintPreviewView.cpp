#include "CPrintPreviewView.h"

#include "CPrint.h"
#include "CPrintPreviewWnd.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace {

constexpr int Gap = 12; // pixels of background around the page

} // namespace

CPrintPreviewView::CPrintPreviewView(CPrint &print, CPrintPreviewWnd &pages, QWidget *parent)
    : QAbstractScrollArea(parent), m_print(print), m_pages(pages)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setCursor(Qt::ArrowCursor);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

void CPrintPreviewView::SetRange(int first, int last)
{
    m_first = first;
    m_last = std::max(first, last);
    m_page = m_first;
    m_imagePage = 0;
    m_image = QImage();
    UpdateBars();
    viewport()->update();
    emit StateChanged();
}

void CPrintPreviewView::SetPage(int page)
{
    page = std::clamp(page, m_first, m_last);
    if (page == m_page)
        return;
    m_page = page;
    if (m_zoom == 0) {
        const QSignalBlocker block(verticalScrollBar());
        verticalScrollBar()->setValue(m_page);
    }
    viewport()->update();
    emit StateChanged();
}

void CPrintPreviewView::SetZoom(int zoom)
{
    zoom = std::clamp(zoom, 0, MaxZoom);
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    UpdateBars();
    viewport()->update();
    emit StateChanged();
}

QSizeF CPrintPreviewView::PaperMillimetres() const
{
    const CPrintableArea a = m_print.Area();
    return QSizeF(std::max(a.paperWidth, 1) / 10.0, std::max(a.paperHeight, 1) / 10.0);
}

double CPrintPreviewView::Scale() const
{
    // Measured without the horizontal bar, which comes and goes with the zoom.
    const QSize room = maximumViewportSize() - QSize(verticalScrollBar()->sizeHint().width(), 0);
    const QSizeF paper = PaperMillimetres();
    const double whole = std::max(0.1, std::min((room.width() - 2.0 * Gap) / paper.width(),
                                                (room.height() - 2.0 * Gap) / paper.height()));
    if (m_zoom == 0)
        return whole;
    const double width = std::max((room.width() - 2.0 * Gap) / paper.width(), 1.5 * whole);
    return m_zoom == 1 ? width : 2.0 * width;
}

QSize CPrintPreviewView::PagePixels() const
{
    const QSizeF paper = PaperMillimetres() * Scale();
    return QSize(std::max(1, qRound(paper.width())), std::max(1, qRound(paper.height())));
}

void CPrintPreviewView::UpdateBars()
{
    m_configuring = true;
    QScrollBar *v = verticalScrollBar();
    QScrollBar *h = horizontalScrollBar();
    if (m_zoom == 0) {
        // One line is one page, one screen a tenth of the range.
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        v->setRange(m_first, m_last);
        v->setSingleStep(1);
        v->setPageStep(std::max(1, (m_last - m_first + 9) / 10));
        v->setValue(m_page);
    } else {
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        const QSize page = PagePixels() + QSize(2 * Gap, 2 * Gap);
        const QSize shown = viewport()->size();
        h->setRange(0, std::max(0, page.width() - shown.width()));
        h->setPageStep(shown.width());
        h->setSingleStep(24);
        v->setRange(0, std::max(0, page.height() - shown.height()));
        v->setPageStep(shown.height());
        v->setSingleStep(24);
    }
    m_configuring = false;
}

const QImage &CPrintPreviewView::PageImage()
{
    const qreal ratio = devicePixelRatioF();
    const QSize size = PagePixels() * ratio;
    if (m_imagePage != m_page || m_imageSize != size) {
        m_image = QImage(size, QImage::Format_RGB32);
        m_image.fill(Qt::white);
        QPainter p(&m_image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        m_pages.DrawPage(p, QRectF(QPointF(0, 0), QSizeF(size)), m_page);
        p.end();
        m_image.setDevicePixelRatio(ratio);
        m_imagePage = m_page;
        m_imageSize = size;
    }
    return m_image;
}

void CPrintPreviewView::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    const QImage &image = PageImage();
    const QSize page = PagePixels();
    QPoint origin;
    if (m_zoom == 0) {
        origin = QPoint((viewport()->width() - page.width()) / 2, (viewport()->height() - page.height()) / 2);
    } else {
        origin =
            QPoint(std::max(Gap, (viewport()->width() - page.width()) / 2) - horizontalScrollBar()->value(),
                   Gap - verticalScrollBar()->value());
    }
    p.fillRect(QRect(origin + QPoint(3, 3), page), QColor(0, 0, 0, 90)); // shadow
    p.drawImage(origin, image);
    p.setPen(QColor(0, 0, 0, 120));
    p.drawRect(QRect(origin, page).adjusted(0, 0, -1, -1));
}

void CPrintPreviewView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateBars();
}

void CPrintPreviewView::scrollContentsBy(int, int)
{
    if (m_configuring)
        return;
    if (m_zoom == 0) {
        const int page = verticalScrollBar()->value();
        if (page != m_page) {
            m_page = page;
            emit StateChanged();
        }
    }
    viewport()->update();
}

void CPrintPreviewView::wheelEvent(QWheelEvent *event)
{
    if (m_zoom != 0) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // A notch of the wheel is a page.
    m_wheel += event->angleDelta().y();
    const int pages = m_wheel / 120;
    if (pages != 0) {
        m_wheel -= pages * 120;
        SetPage(m_page - pages);
    }
    event->accept();
}

void CPrintPreviewView::keyPressEvent(QKeyEvent *event)
{
    if (m_zoom == 0 && (event->key() == Qt::Key_Home || event->key() == Qt::Key_End)) {
        SetPage(event->key() == Qt::Key_Home ? m_first : m_last);
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

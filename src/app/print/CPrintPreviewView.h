#pragma once

#include <QAbstractScrollArea>
#include <QImage>

class CPrint;
class CPrintPreviewWnd;

// The preview surface: one page at a time, drawn by the printing view, in
// one of three zoom states: 0 the whole page (the vertical scroll bar then
// turns pages), 1 the page's width filling the window, 2 twice that.
class CPrintPreviewView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    static constexpr int MaxZoom = 2;

    CPrintPreviewView(CPrint &print, CPrintPreviewWnd &pages, QWidget *parent = nullptr);

    // The pages that can be shown; goes to the first. Forgets drawn pages.
    void SetRange(int first, int last);
    int First() const { return m_first; }
    int Last() const { return m_last; }
    int Page() const { return m_page; }
    void SetPage(int page);
    int Zoom() const { return m_zoom; }
    void SetZoom(int zoom);
    // Screen pixels per millimetre of paper in the current state.
    double Scale() const;
    // The page shown, drawn at the current scale (kept until page or scale change).
    const QImage &PageImage();

signals:
    // Page or zoom changed.
    void StateChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QSizeF PaperMillimetres() const;
    QSize PagePixels() const;
    void UpdateBars();

    CPrint &m_print;
    CPrintPreviewWnd &m_pages;
    int m_first = 1;
    int m_last = 1;
    int m_page = 1;
    int m_zoom = 0;
    int m_wheel = 0; // wheel turn not yet a whole page
    bool m_configuring = false;
    QImage m_image; // the page drawn last
    int m_imagePage = 0;
    QSize m_imageSize;
};

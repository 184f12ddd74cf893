#pragma once

#include <QDialog>

// The borderless start-up picture, centred on the screen; it closes itself after 1000 ms.
class CSplashWnd : public QDialog
{
    Q_OBJECT
public:
    explicit CSplashWnd(QWidget *parent = nullptr, int showMs = 1000);
    static QPixmap Picture();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};

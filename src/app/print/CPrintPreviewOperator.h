#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The preview's tool bar: 印刷, プリンタの設定, 閉じる, ヘルプ, page turning
// with the page shown and the last page, and the zoom buttons.
class CPrintPreviewOperator : public QWidget
{
    Q_OBJECT

public:
    enum Command
    {
        Print,
        PrinterSetup,
        Close,
        Help,
        FirstPage,
        PreviousPage,
        NextPage,
        LastPage,
        ZoomIn,
        ZoomOut,
        CommandCount
    };

    explicit CPrintPreviewOperator(QWidget *parent = nullptr);

    // Shows the page numbers and enables the buttons for them.
    void Update(int page, int first, int last, int zoom, int maxZoom);

    QPushButton *ButtonOf(Command c) const { return m_buttons[c]; }
    QString PageText() const;
    QString LastPageText() const;

signals:
    void Triggered(CPrintPreviewOperator::Command command);

private:
    QPushButton *m_buttons[CommandCount];
    QLabel *m_page;
    QLabel *m_last;
};

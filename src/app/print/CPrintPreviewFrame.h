#pragma once

#include "CPrintPreviewOperator.h"
#include "CPrintPreviewWnd.h"

#include <QList>
#include <QWidget>

class CCardData;
class CPrint;
class CPrintPreviewView;

// The preview window: the tool bar above the page. Made hidden by the print
// dialog; shown over the main window by Start(). Its title, the management
// file's name, is also the print job's name. The print dialog carries out
// 印刷, プリンタの設定 and ヘルプ; the frame turns pages and zooms itself.
class CPrintPreviewFrame : public QWidget
{
    Q_OBJECT

public:
    CPrintPreviewFrame(CPrint &print, const QList<CCardData *> &cards, const QString &title,
                       QWidget *parent = nullptr);

    // Lays the pages out again and shows the first page of the range over
    // `over` (the main window), or where it was when there is none.
    void Start(QWidget *over);
    // Lays the pages out again and shows the range's first page, in the same zoom.
    void Restart();
    // Hides the window; Closed follows.
    void End();

    CPrintPreviewOperator *Operator() const { return m_operator; }
    CPrintPreviewView *View() const { return m_view; }

signals:
    void PrintRequested();
    void PrinterSetupRequested();
    void HelpRequested();
    // Hidden by 閉じる, by Escape or by the window's close button.
    void Closed();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void OnCommand(CPrintPreviewOperator::Command command);
    void ShowState();

    CPrint &m_print;
    QList<CCardData *> m_cards;
    CPrintPreviewWnd m_pages;
    CPrintPreviewOperator *m_operator;
    CPrintPreviewView *m_view;
};

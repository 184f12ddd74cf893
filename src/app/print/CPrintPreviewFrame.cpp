#include "CPrintPreviewFrame.h"

#include "CPrintPreviewView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

CPrintPreviewFrame::CPrintPreviewFrame(CPrint &print, const QList<CCardData *> &cards, const QString &title,
                                       QWidget *parent)
    : QWidget(parent, Qt::Window), m_print(print), m_cards(cards), m_pages(print),
      m_operator(new CPrintPreviewOperator), m_view(new CPrintPreviewView(print, m_pages))
{
    setWindowTitle(title);
    // Over a modal print dialog, the preview takes the input for itself.
    setWindowModality(Qt::ApplicationModal);
    auto *rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_operator);
    layout->addWidget(rule);
    layout->addWidget(m_view, 1);
    connect(m_operator, &CPrintPreviewOperator::Triggered, this, &CPrintPreviewFrame::OnCommand);
    connect(m_view, &CPrintPreviewView::StateChanged, this, &CPrintPreviewFrame::ShowState);
    resize(900, 700);
}

void CPrintPreviewFrame::Start(QWidget *over)
{
    if (over)
        setGeometry(over->geometry());
    Restart();
    show();
    raise();
    activateWindow();
}

void CPrintPreviewFrame::Restart()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PageRange range = m_pages.PreparePageRange(m_cards);
    QApplication::restoreOverrideCursor();
    m_view->SetRange(range.first, range.last);
    ShowState();
}

void CPrintPreviewFrame::End()
{
    if (isHidden())
        return;
    hide();
    emit Closed();
}

void CPrintPreviewFrame::ShowState()
{
    m_operator->Update(m_view->Page(), m_view->First(), m_view->Last(), m_view->Zoom(),
                       CPrintPreviewView::MaxZoom);
}

void CPrintPreviewFrame::OnCommand(CPrintPreviewOperator::Command command)
{
    switch (command) {
    case CPrintPreviewOperator::Print:
        hide();
        emit PrintRequested();
        break;
    case CPrintPreviewOperator::PrinterSetup:
        emit PrinterSetupRequested();
        break;
    case CPrintPreviewOperator::Close:
        End();
        break;
    case CPrintPreviewOperator::Help:
        emit HelpRequested();
        break;
    case CPrintPreviewOperator::FirstPage:
        m_view->SetPage(m_view->First());
        break;
    case CPrintPreviewOperator::PreviousPage:
        m_view->SetPage(m_view->Page() - 1);
        break;
    case CPrintPreviewOperator::NextPage:
        m_view->SetPage(m_view->Page() + 1);
        break;
    case CPrintPreviewOperator::LastPage:
        m_view->SetPage(m_view->Last());
        break;
    case CPrintPreviewOperator::ZoomIn:
        m_view->SetZoom(m_view->Zoom() + 1);
        break;
    case CPrintPreviewOperator::ZoomOut:
        m_view->SetZoom(m_view->Zoom() - 1);
        break;
    default:
        break;
    }
}

bool CPrintPreviewFrame::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) {
        QWidget *focus = focusWidget();
        if (!focus || !m_operator->isAncestorOf(focus))
            m_operator->ButtonOf(CPrintPreviewOperator::Print)->setFocus();
    }
    return QWidget::event(event);
}

void CPrintPreviewFrame::closeEvent(QCloseEvent *event)
{
    event->ignore();
    End();
}

void CPrintPreviewFrame::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        End();
        return;
    }
    QWidget::keyPressEvent(event);
}

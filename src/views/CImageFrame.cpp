#include "CImageFrame.h"

#include "CCardImageView.h"

#include <QToolBar>

namespace {
constexpr Qt::ToolBarArea Areas[4] = {Qt::TopToolBarArea, Qt::BottomToolBarArea, Qt::LeftToolBarArea,
                                      Qt::RightToolBarArea};
} // namespace

CImageFrame::CImageFrame(CCardImageView *view, QWidget *parent)
    : QMainWindow(parent), m_view(view), m_toolBar(new QToolBar(QStringLiteral("画像"), this))
{
    setWindowFlags(Qt::Widget); // a pane inside the main window, not a window of its own
    setCentralWidget(view);
    m_toolBar->setObjectName(QStringLiteral("ImageToolBar"));
    m_toolBar->setFloatable(false);
    for (CCardImageView::Command c :
         {CCardImageView::ShowCardImage, CCardImageView::ShowPersonPhoto, CCardImageView::ZoomIn,
          CCardImageView::ZoomOut, CCardImageView::FitWhole, CCardImageView::Rotate}) {
        m_toolBar->addAction(view->Action(c));
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
}

void CImageFrame::SetToolBarPos(int pos)
{
    removeToolBar(m_toolBar);
    addToolBar(Areas[(pos >= 0 && pos < 4) ? pos : 0], m_toolBar);
    m_toolBar->show();
}

void CImageFrame::ResetView()
{
    SetToolBarPos(0);
    m_view->ResetView();
}

int CImageFrame::ToolBarPos() const
{
    const Qt::ToolBarArea area = toolBarArea(m_toolBar);
    for (int pos = 0; pos < 4; ++pos) {
        if (Areas[pos] == area)
            return pos;
    }
    return 0;
}

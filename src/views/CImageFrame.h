#pragma once

#include <QMainWindow>

class CCardImageView;
class QToolBar;

// The frame of the image pane: the image view with its own tool bar, which the
// user can dock on any side ("ImageToolBarPos": 0 top, 1 bottom, 2 left, 3 right).
class CImageFrame : public QMainWindow
{
    Q_OBJECT
public:
    CImageFrame(CCardImageView *view, QWidget *parent = nullptr);

    void SetToolBarPos(int pos);
    // The tool bar back on top and the view at its starting state.
    void ResetView();
    int ToolBarPos() const;
    CCardImageView *View() const { return m_view; }
    QToolBar *ToolBar() const { return m_toolBar; }

private:
    CCardImageView *m_view;
    QToolBar *m_toolBar;
};

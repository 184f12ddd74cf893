#include "CTessalyDlg.h"

#include "CCardStore.h"
#include "CMainFrame.h"
#include "CSettings.h"
#include "CToolIcons.h"
#include "CWindowPlacement.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QStatusBar>

namespace {
const char TitleSeparator[] = "  -  ";
}

CTessalyDlg::CTessalyDlg(CSettings &settings, CCardStore &store, IMessageBox &messages, QWidget *parent)
    : QMainWindow(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("TessalyMainWindow"));
    setWindowIcon(CToolIcons::Make(CToolIcons::AppIcon));
    setMinimumSize(640, 480);
    statusBar();
    m_frame = new CMainFrame(this, settings, store, messages);
    setCentralWidget(m_frame);
    setWindowTitle(TitleFor(Caption(), store.Path()));
    connect(m_frame, &CMainFrame::FileChanged, this,
            [this](const QString &path) { setWindowTitle(TitleFor(windowTitle(), path)); });
    CWindowPlacement::Apply(*this, settings.mainWndPlacement);
    statusBar()->setVisible(settings.showStatusBar);
}

QString CTessalyDlg::Caption()
{
    return QString::fromUtf8("Tessaly 名刺管理");
}

QString CTessalyDlg::TitleFor(const QString &current, const QString &path)
{
    const qsizetype cut = current.indexOf(QLatin1String(TitleSeparator));
    const QString head = cut < 0 ? current : current.left(cut);
    return head + QLatin1String(TitleSeparator) + QFileInfo(path).fileName();
}

void CTessalyDlg::Raise()
{
    if (isMinimized())
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void CTessalyDlg::SaveState()
{
    if (m_saved)
        return;
    m_saved = true;
    m_settings.showStatusBar = !statusBar()->isHidden();
    m_settings.mainWndPlacement = CWindowPlacement::FromWindow(*this);
    m_frame->SaveState();
}

void CTessalyDlg::closeEvent(QCloseEvent *event)
{
    SaveState();
    event->accept();
}

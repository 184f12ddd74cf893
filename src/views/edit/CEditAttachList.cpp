#include "CEditAttachList.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

CEditAttachList::CEditAttachList(QWidget *parent) : QListWidget(parent)
{
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { emit OpenRequested(row(item)); });
}

void CEditAttachList::SetFiles(const QStringList &paths)
{
    const int keep = currentRow();
    clear();
    QFileIconProvider icons;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        auto *item = new QListWidgetItem(icons.icon(info), info.fileName(), this);
        item->setToolTip(path);
    }
    if (keep >= 0 && keep < count())
        setCurrentRow(keep);
}

void CEditAttachList::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CEditAttachList::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CEditAttachList::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    event->acceptProposedAction();
    if (!paths.isEmpty())
        emit FilesDropped(paths);
}

void CEditAttachList::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete && currentRow() >= 0) {
        emit DeleteRequested();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void CEditAttachList::contextMenuEvent(QContextMenuEvent *event)
{
    const int row = currentRow();
    if (row < 0)
        return;
    QMenu menu(this);
    menu.addAction(QStringLiteral("開く"), this, [this, row] { emit OpenRequested(row); });
    menu.addAction(QStringLiteral("削除"), this, &CEditAttachList::DeleteRequested);
    menu.exec(event->globalPos());
}

#include "CConnectTreeView.h"

#include "KeepSelectionColours.h"

#include <QHeaderView>

CConnectTreeView::CConnectTreeView(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setIndentation(14); // a narrow pane: the folder name needs the room
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    KeepSelectionColours(this);
    SetFolderName(QString());
}

void CConnectTreeView::SetFolderName(const QString &folderName)
{
    clear();
    auto *root = new QTreeWidgetItem(this, QStringList{QString::fromUtf8("携帯電話")});
    auto *folder = new QTreeWidgetItem(root, QStringList{folderName});
    root->setExpanded(true);
    setCurrentItem(folder);
}

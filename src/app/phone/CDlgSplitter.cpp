#include "CDlgSplitter.h"

#include "CConnectListView.h"
#include "CConnectTreeView.h"

CDlgSplitter::CDlgSplitter(QWidget *parent)
    : QSplitter(Qt::Horizontal, parent), m_tree(new CConnectTreeView(this)),
      m_list(new CConnectListView(this))
{
    addWidget(m_tree);
    addWidget(m_list);
    setChildrenCollapsible(false);
    setStretchFactor(0, 0);
    setStretchFactor(1, 1);
    setSizes({120, 400});
}

#include "CDlgSplitter.h"

#include "CConnectListView.h"
#include "CConnectTreeView.h"

#include <algorithm>

namespace {
constexpr int TreeWidth = 120;
}

CDlgSplitter::CDlgSplitter(QWidget *parent)
    : QSplitter(Qt::Horizontal, parent), m_tree(new CConnectTreeView(this)),
      m_list(new CConnectListView(this))
{
    addWidget(m_tree);
    addWidget(m_list);
    setChildrenCollapsible(false);
    setStretchFactor(0, 0);
    setStretchFactor(1, 1);
    setSizes({TreeWidth, 400});
}

void CDlgSplitter::FitTree()
{
    m_tree->resizeColumnToContents(0);
    const int needed = m_tree->columnWidth(0) + 2 * m_tree->frameWidth() + 4;
    const int total = std::max(sizes().value(0) + sizes().value(1), 520);
    const int tree = std::max(TreeWidth, needed);
    setSizes({tree, total - tree});
}

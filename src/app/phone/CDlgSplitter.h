#pragma once

#include <QSplitter>

class CConnectListView;
class CConnectTreeView;

// The connection window's frame: the folder tree (120 pixels) beside the file list.
class CDlgSplitter : public QSplitter
{
    Q_OBJECT
public:
    explicit CDlgSplitter(QWidget *parent = nullptr);

    CConnectTreeView *Tree() const { return m_tree; }
    // The tree keeps 120 pixels, or more when its folder name would be cut.
    void FitTree();
    CConnectListView *List() const { return m_list; }

private:
    CConnectTreeView *m_tree;
    CConnectListView *m_list;
};

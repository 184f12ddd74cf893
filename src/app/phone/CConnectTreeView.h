#pragma once

#include <QTreeWidget>

// The left side of the connection window: "携帯電話" and the phone's documents
// folder below it, expanded and selected. Choosing an item changes nothing.
class CConnectTreeView : public QTreeWidget
{
    Q_OBJECT
public:
    explicit CConnectTreeView(QWidget *parent = nullptr);

    void SetFolderName(const QString &folderName);
};

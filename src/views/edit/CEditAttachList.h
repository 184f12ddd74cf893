#pragma once

#include <QListWidget>

// The attached-file list: file names with the desktop's small icons; takes files
// dropped from the file manager and offers 開く and 削除.
class CEditAttachList : public QListWidget
{
    Q_OBJECT
public:
    explicit CEditAttachList(QWidget *parent = nullptr);

    // Full paths, shown by file name.
    void SetFiles(const QStringList &paths);

signals:
    void FilesDropped(const QStringList &paths);
    void OpenRequested(int row);
    void DeleteRequested();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
};

#pragma once

#include <QWidget>

class CEditAttachList;
class QComboBox;
class QListWidget;
class QPushButton;

// Page 3 of the edit view: check list, importance and attached files.
class CEdit3Sheet : public QWidget
{
    Q_OBJECT
public:
    explicit CEdit3Sheet(QWidget *parent = nullptr);

    QListWidget *checkList; // one checkable item per check-list item, its slot in Qt::UserRole
    QPushButton *checkEdit;
    QComboBox *importance;
    CEditAttachList *attachments;
    QPushButton *attach;
    QPushButton *attachDelete;
};

#pragma once

#include <QDialog>

class CCardStore;
class QListWidget;
class QListWidgetItem;

// "グループ名編集": names and icons of groups 1–15, written to the store on OK.
class CEditGroupDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int MaxNameLength = 16;

    CEditGroupDlg(CCardStore *store, QWidget *parent = nullptr);

    void EditName();
    void ChangeIcon();
    // Sets the chosen icon of the selected group (what the icon grid hands back).
    void SetIcon(int icon);
    void Apply();

    QListWidget *List() const { return m_list; }

private:
    void OnItemChanged(QListWidgetItem *item);

    CCardStore *m_store;
    QListWidget *m_list;
};

#pragma once

#include <QDialog>

class QListWidget;

// "グループアイコン選択": a grid of the 20 group icons; a double click chooses one.
class CGroupIconDlg : public QDialog
{
    Q_OBJECT
public:
    CGroupIconDlg(int current, QWidget *parent = nullptr);

    // The chosen icon number (1–20), or the one given when nothing was chosen.
    int Chosen() const;
    QListWidget *Grid() const { return m_grid; }

private:
    int m_initial;
    QListWidget *m_grid;
};

#pragma once

#include <QStringList>
#include <QWidget>

class QComboBox;
class QTabBar;

// The tab strip above the list: a choice of listing (ヨミ, 会社名, グループ) and the tabs
// すべて, the index or group tabs, and 検索結果.
class CTabView : public QWidget
{
    Q_OBJECT
public:
    explicit CTabView(QWidget *parent = nullptr);

    // Store tab number of a strip position: position 0 (すべて) is the last store tab.
    static int StoreTabOf(int position, int tabCount);
    // Captions for a row: 12 index tabs for rows 0 and 1, the 16 group names for row 2.
    static QStringList Captions(int row, const QStringList &groupNames);

    void Rebuild(int row, const QStringList &groupNames);
    int Row() const { return m_row; }
    int StoreTab() const;
    int TabCount() const;
    void SelectPosition(int position);
    QTabBar *Bar() const { return m_bar; }
    QComboBox *RowChoice() const { return m_rowChoice; }

signals:
    void RowChosen(int row);
    void TabChanged(int row, int storeTab);

private:
    QComboBox *m_rowChoice;
    QTabBar *m_bar;
    int m_row = 0;
    bool m_rebuilding = false;
};

#pragma once

#include "LabelSheet.h"

#include <QDialog>
#include <QList>
#include <optional>

class QLineEdit;
class QTableWidget;

// "用紙を選ぶ": the makers' label sheets in a list that a word narrows down
// (maker, product number, description or paper).
class CLabelSheetDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CLabelSheetDlg(const QList<LabelSheet> &sheets, QWidget *parent = nullptr);

    // The sheet of the selected row, after OK. Enter in the search box
    // selects the first sheet found when none is.
    std::optional<LabelSheet> Chosen() const;

    QLineEdit *SearchBox() const { return m_search; }
    QTableWidget *Table() const { return m_table; }
    // Rows the search leaves on show.
    int ShownCount() const;

    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Filter(const QString &text);
    int FirstShownRow() const;

    QList<LabelSheet> m_sheets;
    QLineEdit *m_search;
    QTableWidget *m_table;
    std::optional<LabelSheet> m_chosen;
};

#pragma once

#include "CsvItem.h"
#include "SearchCondition.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class IMessageBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QRadioButton;
class QStackedWidget;

// "検索": up to three field conditions combined with AND or OR.
class CSearchDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int RowCount = 3;

    // checks: the check-list items in list order with their mark slots.
    CSearchDlg(const QStringList &groupNames, const CheckListItems &checks, IMessageBox &messages,
               QWidget *parent = nullptr);

    QList<SearchCondition> Conditions() const;
    SearchCombination Combination() const;

    QComboBox *FieldChoice(int row) const { return m_rows[row].field; }
    QLineEdit *TextBox(int row) const { return m_rows[row].text; }
    QDateEdit *FromDate(int row) const { return m_rows[row].from; }
    QDateEdit *ToDate(int row) const { return m_rows[row].to; }
    QComboBox *ValueChoice(int row) const { return m_rows[row].choice; }
    QRadioButton *AnyButton() const { return m_any; }

public Q_SLOTS:
    void accept() override;

private:
    struct Row
    {
        QComboBox *field = nullptr;
        QStackedWidget *values = nullptr;
        QLineEdit *text = nullptr;
        QDateEdit *from = nullptr;
        QDateEdit *to = nullptr;
        QComboBox *choice = nullptr;
    };
    // Shows the value controls of the row's field kind.
    void Adapt(int row);

    QStringList m_groupNames;
    CheckListItems m_checks;
    IMessageBox &m_messages;
    Row m_rows[RowCount];
    QRadioButton *m_any;
};

#pragma once

#include <QList>
#include <QStringList>
#include <QWidget>

class IMessageBox;
class QPushButton;
class QTableWidget;

// The phone or e-mail list of the edit view: rows of (kind, text) edited in
// place, with ▲, ▼, 追加, 編集, 削除 and, for e-mail, 送信 beside it.
class CEditKindList : public QWidget
{
    Q_OBJECT
public:
    struct Row
    {
        QString kindText;
        QString text;
    };

    static constexpr int MinVisibleRows = 3;

    // title heads the text column; deleteQuestion is asked (caption "削除確認") before a row is removed.
    CEditKindList(const QString &title, const QStringList &kindNames, const QString &deleteQuestion,
                  bool withSend, IMessageBox *messages, QWidget *parent = nullptr);

    // Shows the card's entries; the selected row stays where it was when it still exists.
    void SetRows(const QList<Row> &rows);
    QList<Row> Rows() const;
    int CurrentRow() const;
    void SetCurrentRow(int row);
    QStringList KindNames() const { return m_kindNames; }

    void MoveUp();
    void MoveDown();
    void AddRow();
    void EditRow();
    void DeleteRow();

    QTableWidget *Table() const { return m_table; }
    QPushButton *SendButton() const { return m_send; }

signals:
    // A row's editing ended, or rows were moved or removed: write the list back.
    void RowsEdited();
    void SendRequested(const QString &text);

private:
    void Move(int delta);
    void ShowMenu(const QPoint &pos);
    void UpdateButtons();

    QStringList m_kindNames;
    QString m_deleteQuestion;
    IMessageBox *m_messages;
    QTableWidget *m_table;
    QPushButton *m_up;
    QPushButton *m_down;
    QPushButton *m_edit;
    QPushButton *m_delete;
    QPushButton *m_send = nullptr;
};

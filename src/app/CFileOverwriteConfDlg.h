#pragma once

#include <QDialog>

class QPushButton;

// "上書確認": asks before a file is overwritten. With a batch in progress it offers
// はい, すべて上書き, いいえ, キャンセル; otherwise only はい and いいえ.
class CFileOverwriteConfDlg : public QDialog
{
    Q_OBJECT
public:
    enum Answer
    {
        Yes,
        YesToAll,
        No,
        Cancel
    };

    CFileOverwriteConfDlg(const QString &path, bool batch, QWidget *parent = nullptr);
    Answer Result() const { return m_answer; }
    static QString Text(const QString &path);
    QList<QPushButton *> Buttons() const { return m_buttons; }

private:
    Answer m_answer = Cancel;
    QList<QPushButton *> m_buttons;
};

#pragma once

#include <QDialog>

class QPushButton;

// The question asked when a margin lies where the printer cannot print:
// 修正 (the dialog's result is Accepted) or 無視 (Rejected, as is closing it).
class CPrintMarginConfirmDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CPrintMarginConfirmDlg(QWidget *parent = nullptr);

    static QString Text();
    QPushButton *FixButton() const { return m_fix; }
    QPushButton *IgnoreButton() const { return m_ignore; }

private:
    QPushButton *m_fix;
    QPushButton *m_ignore;
};

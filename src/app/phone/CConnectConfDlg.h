#pragma once

#include <QDialog>

class QCheckBox;

// "接続確認": what to do before the phone is read, with "以後表示しない". With an
// operation name the title names it ("接続確認 - コピー").
class CConnectConfDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CConnectConfDlg(const QString &operationName = QString(), QWidget *parent = nullptr);

    bool DontShowAgain() const;
    QCheckBox *DontShowBox() const { return m_dontShow; }

signals:
    // The box changed: the caller keeps the choice at once.
    void DontShowToggled(bool dontShow);

private:
    QCheckBox *m_dontShow;
};

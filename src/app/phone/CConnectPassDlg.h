#pragma once

#include <QDialog>

class IMessageBox;
class QLineEdit;

// "携帯電話接続": the phone's four-digit authentication password.
class CConnectPassDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CConnectPassDlg(IMessageBox &messages, QWidget *parent = nullptr);

    QString Password() const;
    QLineEdit *Edit() const { return m_edit; }

    // Anything but exactly four digits 0-9 is refused and the dialog stays open.
    void accept() override;
    static bool IsValid(const QString &password);

private:
    IMessageBox &m_messages;
    QLineEdit *m_edit;
};

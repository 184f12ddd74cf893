#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// "印刷中": shown while a job runs, with the document, the page being
// printed, the printer and its port, and キャンセル.
class CPrintingDialog : public QDialog
{
    Q_OBJECT

public:
    CPrintingDialog(const QString &document, const QString &printer, const QString &port,
                    QWidget *parent = nullptr);

    void ShowPage(int page);
    QString PageText() const;
    QPushButton *CancelButton() const { return m_cancel; }

signals:
    void CancelRequested();
    void PageShown(int page);

public Q_SLOTS:
    // Escape and the close button cancel; the window goes when the job ends.
    void reject() override;

private:
    QLabel *m_page;
    QPushButton *m_cancel;
    bool m_cancelled = false;
};

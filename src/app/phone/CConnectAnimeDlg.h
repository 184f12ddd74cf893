#pragma once

#include <QDialog>

class CConnectDoc;
class QProgressBar;
class QPushButton;

// "携帯電話と接続中": runs the document's connect worker for the selected port
// and follows its steps; キャンセル stops it.
class CConnectAnimeDlg : public QDialog
{
    Q_OBJECT
public:
    enum Outcome
    {
        Connected = 0,
        Failed = 1,
        Stopped = 2
    };

    explicit CConnectAnimeDlg(CConnectDoc &doc, QWidget *parent = nullptr);

    Outcome Result() const { return m_outcome; }
    QProgressBar *Bar() const { return m_bar; }
    QPushButton *CancelButton() const { return m_cancel; }

    // Closing the window is キャンセル.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Finish(Outcome outcome, bool stopWorker);

    CConnectDoc &m_doc;
    QProgressBar *m_bar;
    QPushButton *m_cancel;
    Outcome m_outcome = Failed;
    bool m_started = false;
    bool m_finished = false;
};

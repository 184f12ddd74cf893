#pragma once

#include "CConnectDoc.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The progress window of a phone operation: runs the document's worker and
// shows what it reports. "中断" asks the worker to stop; the window stays
// until the worker says it is done.
class CProgress : public QDialog
{
    Q_OBJECT
public:
    CProgress(CConnectDoc &doc, CConnectDoc::Operation operation, const QString &title, const QString &text,
              QWidget *parent = nullptr);

    // The user pressed "中断" (or closed the window).
    bool Stopped() const { return m_stopped; }
    QLabel *OperationLabel() const { return m_operation; }
    QLabel *ItemLabel() const { return m_item; }
    QLabel *CounterLabel() const { return m_counter; }
    QProgressBar *Bar() const { return m_bar; }
    QPushButton *StopButton() const { return m_stop; }

    // Closing the window is "中断".
    void reject() override;

signals:
    // A file was copied, moved or deleted.
    void ItemChanged(PhoneItemChange change, int entry);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void OnPosition(int position, ProgressTarget target);
    void OnRange(int range, ProgressTarget target);
    void ShowPosition(ProgressTarget target);
    void Finish();

    CConnectDoc &m_doc;
    CConnectDoc::Operation m_operationKind;
    QLabel *m_operation;
    QLabel *m_item;
    QLabel *m_counter;
    QProgressBar *m_bar;
    QPushButton *m_stop;
    int m_position = 0;
    int m_range = 0;
    bool m_started = false;
    bool m_stopped = false;
    bool m_finished = false;
};

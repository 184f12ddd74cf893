#include "CConnectAnimeDlg.h"

#include "CConnectDoc.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

CConnectAnimeDlg::CConnectAnimeDlg(CConnectDoc &doc, QWidget *parent)
    : QDialog(parent), m_doc(doc), m_bar(new QProgressBar(this)),
      m_cancel(new QPushButton(QString::fromUtf8("キャンセル"), this))
{
    setWindowTitle(QString::fromUtf8("携帯電話と接続中"));
    m_bar->setRange(0, 1);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_bar->setMinimumWidth(320);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8("接続中・・・"), this));
    layout->addWidget(m_bar);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(m_cancel, &QPushButton::clicked, this, &CConnectAnimeDlg::reject);
    // The worker reports from its own thread: its signals arrive queued, in order.
    connect(&m_doc, &CConnectDoc::ConnectStarted, this, [this](int steps) {
        if (m_finished)
            return;
        m_bar->setRange(0, std::max(steps, 1));
        m_bar->setValue(0);
    });
    connect(&m_doc, &CConnectDoc::ConnectStep, this, [this](int step) {
        if (!m_finished)
            m_bar->setValue(step);
    });
    connect(&m_doc, &CConnectDoc::Connected, this, [this] {
        if (m_finished)
            return;
        // The session stays connected for the next worker.
        m_doc.StopWorker(false);
        Finish(Connected, false);
    });
    connect(&m_doc, &CConnectDoc::ConnectFailed, this, [this](PhoneFailure failure) {
        if (!m_finished)
            Finish(failure == PhoneFailure::StoppedByUser ? Stopped : Failed, true);
    });
}

void CConnectAnimeDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    if (!m_doc.StartWorker(CConnectDoc::ConnectPhone))
        QTimer::singleShot(0, this, [this] { Finish(Failed, false); }); // another worker still runs
}

void CConnectAnimeDlg::reject()
{
    if (!m_finished)
        Finish(Stopped, true);
}

void CConnectAnimeDlg::Finish(Outcome outcome, bool stopWorker)
{
    m_finished = true;
    m_outcome = outcome;
    if (stopWorker)
        m_doc.StopWorker(true); // raises the flags while it runs, waits, closes the connection
    done(outcome);
}

#include "CProgress.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

CProgress::CProgress(CConnectDoc &doc, CConnectDoc::Operation operation, const QString &title,
                     const QString &text, QWidget *parent)
    : QDialog(parent), m_doc(doc), m_operationKind(operation), m_operation(new QLabel(text, this)),
      m_item(new QLabel(this)), m_counter(new QLabel(this)), m_bar(new QProgressBar(this)),
      m_stop(new QPushButton(QString::fromUtf8("中断"), this))
{
    setWindowTitle(title);
    m_bar->setRange(0, 1);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_bar->setFixedWidth(360);
    // Long file names must not widen the window while it runs.
    m_item->setFixedWidth(360);
    m_item->setTextFormat(Qt::PlainText);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_stop);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_operation);
    layout->addWidget(m_item);
    layout->addWidget(m_counter);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(m_stop, &QPushButton::clicked, this, &CProgress::reject);
    // The worker reports from its own thread: its signals arrive queued, in order;
    // once the window has finished they change nothing.
    connect(&m_doc, &CConnectDoc::Position, this, &CProgress::OnPosition);
    connect(&m_doc, &CConnectDoc::Range, this, &CProgress::OnRange);
    connect(&m_doc, &CConnectDoc::OperationText, this, [this](const QString &text) {
        if (!m_finished)
            m_operation->setText(text);
    });
    connect(&m_doc, &CConnectDoc::ItemText, this, [this](const QString &name) {
        if (!m_finished)
            m_item->setText(m_item->fontMetrics().elidedText(name, Qt::ElideMiddle, m_item->width()));
    });
    connect(&m_doc, &CConnectDoc::StopButton, this, [this](bool enabled) {
        if (!m_finished)
            m_stop->setEnabled(enabled);
    });
    connect(&m_doc, &CConnectDoc::ItemChanged, this, [this](PhoneItemChange change, int entry) {
        if (!m_finished)
            emit ItemChanged(change, entry);
    });
    connect(&m_doc, &CConnectDoc::Done, this, [this] {
        if (!m_finished)
            Finish();
    });
}

void CProgress::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    if (!m_doc.StartWorker(m_operationKind))
        QTimer::singleShot(0, this, &CProgress::Finish); // another worker still runs
}

void CProgress::ShowPosition(ProgressTarget target)
{
    if (target == ProgressTarget::Both || target == ProgressTarget::BarOnly) {
        m_bar->setRange(0, std::max(m_range, 1));
        m_bar->setValue(std::clamp(m_position, 0, std::max(m_range, 1)));
    }
    if (target == ProgressTarget::Both || target == ProgressTarget::CounterOnly)
        m_counter->setText(m_range == 0 ? QString() : QStringLiteral("(%1/%2)").arg(m_position).arg(m_range));
}

void CProgress::OnPosition(int position, ProgressTarget target)
{
    if (m_finished)
        return;
    m_position = position;
    ShowPosition(target);
}

void CProgress::OnRange(int range, ProgressTarget target)
{
    if (m_finished)
        return;
    m_range = range;
    ShowPosition(target);
}

void CProgress::reject()
{
    if (m_finished)
        return;
    m_stopped = true;
    if (m_doc.IsWorkerRunning()) {
        // The worker ends its loop before the next item; a read in progress
        // ends within its polling slice. Its done message closes the window.
        m_doc.RequestStop();
        return;
    }
    Finish();
}

void CProgress::Finish()
{
    m_finished = true;
    m_doc.StopWorker(false);
    m_doc.CloseConnection();
    done(m_stopped ? QDialog::Rejected : QDialog::Accepted);
}

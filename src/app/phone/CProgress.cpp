#include "CProgress.h"

#include "PhoneMessage.h"

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
    connect(&m_doc, &CConnectDoc::Message, this, &CProgress::OnMessage);
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

void CProgress::ShowPosition(int target)
{
    if (target == PhoneMessage::Both || target == PhoneMessage::BarOnly) {
        m_bar->setRange(0, std::max(m_range, 1));
        m_bar->setValue(std::clamp(m_position, 0, std::max(m_range, 1)));
    }
    if (target == PhoneMessage::Both || target == PhoneMessage::CounterOnly)
        m_counter->setText(m_range == 0 ? QString() : QStringLiteral("(%1/%2)").arg(m_position).arg(m_range));
}

void CProgress::OnMessage(int message, int param1, int param2, const QString &text)
{
    if (m_finished)
        return;
    switch (message) {
    case PhoneMessage::Position:
        m_position = param1;
        ShowPosition(param2);
        break;
    case PhoneMessage::Range:
        m_range = param1;
        ShowPosition(param2);
        break;
    case PhoneMessage::OperationText:
        m_operation->setText(text);
        break;
    case PhoneMessage::ItemText:
        m_item->setText(m_item->fontMetrics().elidedText(text, Qt::ElideMiddle, m_item->width()));
        break;
    case PhoneMessage::StopButton:
        m_stop->setEnabled(param1 == 1);
        break;
    case PhoneMessage::ItemChanged:
        emit ItemChanged(param1, param2);
        break;
    case PhoneMessage::Done:
        Finish();
        break;
    default:
        break;
    }
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

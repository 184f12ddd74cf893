#include "CSearchBar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

CSearchBar::CSearchBar(QWidget *parent) : QWidget(parent), m_box(new QComboBox(this))
{
    m_box->setEditable(true);
    m_box->setInsertPolicy(QComboBox::NoInsert); // the history decides what is listed
    m_box->lineEdit()->setMaxLength(MaxWordLength);
    m_box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto *find = new QPushButton(QString::fromUtf8("検索"), this);
    find->setAutoDefault(false); // Enter in the box must not press it a second time
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_box, 1);
    layout->addWidget(find);
    connect(find, &QPushButton::clicked, this, [this] { Q_EMIT FindRequested(m_box->currentText()); });
    // Enter is taken here: the box would otherwise hand the key to its line
    // edit a second time, and the search would run twice.
    m_box->lineEdit()->installEventFilter(this);
}

bool CSearchBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_box->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Q_EMIT FindRequested(m_box->currentText());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CSearchBar::ShowHistory(const QStringList &history)
{
    const QString typed = m_box->currentText();
    m_box->clear();
    m_box->addItems(history);
    m_box->setEditText(typed);
}

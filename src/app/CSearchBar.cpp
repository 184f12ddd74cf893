#include "CSearchBar.h"

#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

CSearchBar::CSearchBar(QWidget *parent) : QWidget(parent), m_box(new QComboBox(this))
{
    m_box->setEditable(true);
    m_box->setInsertPolicy(QComboBox::NoInsert); // the history decides what is listed
    m_box->lineEdit()->setMaxLength(MaxWordLength);
    m_box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // The recent words are offered in a list below the box; they never replace what is typed.
    m_box->completer()->setCompletionMode(QCompleter::PopupCompletion);
    m_box->completer()->setFilterMode(Qt::MatchContains);
    auto *find = new QPushButton(QString::fromUtf8("検索"), this);
    find->setAutoDefault(false);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_box, 1);
    layout->addWidget(find);
    connect(find, &QPushButton::clicked, this, [this] { Q_EMIT FindRequested(m_box->currentText()); });
    // Enter reaches the line edit through the box (or the word list), not as a key event
    // of its own, so the line edit's signal is the one place to take it.
    connect(m_box->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { Q_EMIT FindRequested(m_box->currentText()); });
}

void CSearchBar::ShowHistory(const QStringList &history)
{
    const QString typed = m_box->currentText();
    m_box->clear();
    m_box->addItems(history);
    m_box->setEditText(typed);
}

#include "CEditDateBox.h"

#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QHBoxLayout>

CEditDateBox::CEditDateBox(QWidget *parent)
    : QWidget(parent), m_tick(new QCheckBox(this)), m_picker(new QDateEdit(this))
{
    m_picker->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    m_picker->setCalendarPopup(true);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tick);
    layout->addWidget(m_picker, 1);
    connect(m_tick, &QCheckBox::toggled, this, [this](bool on) {
        m_picker->setEnabled(on);
        emit DateEdited();
    });
    connect(m_picker, &QDateEdit::dateChanged, this, [this] {
        if (m_tick->isChecked())
            emit DateEdited();
    });
}

void CEditDateBox::SetDate(const CardDate &date)
{
    const QSignalBlocker blockTick(m_tick);
    const QSignalBlocker blockPicker(m_picker);
    const QDate day(date.year, date.month, date.day);
    m_picker->setDate(day.isValid() ? day : QDate::currentDate());
    m_tick->setChecked(date.IsSet());
    m_picker->setEnabled(date.IsSet());
}

CardDate CEditDateBox::Date() const
{
    const QDate day = m_picker->date();
    CardDate date;
    date.year = quint16(day.year());
    date.month = quint16(day.month());
    date.dayOfWeek = quint16(day.dayOfWeek() % 7); // Sunday is 0 in the stored record
    date.day = quint16(day.day());
    date.second = m_tick->isChecked() ? 1 : 0;
    return date;
}

#pragma once

#include "CardDate.h"

#include <QWidget>

class QCheckBox;
class QDateEdit;

// An optional date: a tick box and a date picker. Unticked means "not set";
// the picker still shows the stored day.
class CEditDateBox : public QWidget
{
    Q_OBJECT
public:
    explicit CEditDateBox(QWidget *parent = nullptr);

    void SetDate(const CardDate &date);
    CardDate Date() const;

    QCheckBox *Tick() const { return m_tick; }
    QDateEdit *Picker() const { return m_picker; }

signals:
    void DateEdited();

private:
    QCheckBox *m_tick;
    QDateEdit *m_picker;
};

#pragma once

#include <QLineEdit>

// A millimetre field of the print setting pages. Every change is read by the
// length rule at once: only digits and the first "." stay, and the field
// shows the value as "%.1f".
class CLengthEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit CLengthEdit(QWidget *parent = nullptr);

    // Shows a value (0.1 mm) without signalling.
    void SetValue(int tenths);

signals:
    void ValueEdited(int tenths);

private:
    void OnEdited(const QString &text);
};

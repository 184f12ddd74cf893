#include "CLengthEdit.h"

#include "PrintFieldRules.h"

CLengthEdit::CLengthEdit(QWidget *parent) : QLineEdit(parent)
{
    setText(PrintFieldRules::LengthText(0));
    // Room for "9999.9" and a little more.
    setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000.0")) + 16);
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000.0")) + 16);
    connect(this, &QLineEdit::textEdited, this, &CLengthEdit::OnEdited);
}

void CLengthEdit::SetValue(int tenths)
{
    setText(PrintFieldRules::LengthText(qBound(0, tenths, PrintFieldRules::MaxLength)));
}

void CLengthEdit::OnEdited(const QString &text)
{
    const PrintFieldRules::Length r = PrintFieldRules::ReadLength(text, cursorPosition());
    if (r.text != text) {
        setText(r.text);
        setCursorPosition(r.caret);
    }
    emit ValueEdited(r.value);
}

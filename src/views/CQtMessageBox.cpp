#include "CQtMessageBox.h"

#include <QAbstractButton>
#include <QCoreApplication>

QMessageBox::StandardButton CQtMessageBox::Show(QWidget *parent, const QString &text, const QString &caption,
                                                QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, caption.isEmpty() ? QCoreApplication::applicationName() : caption, text, buttons,
                    parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    const std::pair<QMessageBox::StandardButton, const char *> texts[] = {
        {QMessageBox::Yes, "はい(&Y)"}, {QMessageBox::No, "いいえ(&N)"}, {QMessageBox::Cancel, "キャンセル"}};
    for (const auto &[button, text] : texts)
        if (QAbstractButton *b = box.button(button))
            b->setText(QString::fromUtf8(text));
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

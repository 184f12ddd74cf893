#include "OkCancelButtons.h"

#include <QDialog>
#include <QDialogButtonBox>

QDialogButtonBox *OkCancelButtons(QDialog *dialog, const std::function<void()> &beforeAccept)
{
    auto *buttons = new QDialogButtonBox(dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QString::fromUtf8("キャンセル"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, [dialog, beforeAccept] {
        if (beforeAccept)
            beforeAccept();
        dialog->accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

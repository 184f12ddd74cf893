#pragma once

#include <functional>

class QDialog;
class QDialogButtonBox;

// "OK" and "キャンセル" for a dialog: OK runs beforeAccept (when given) and then
// the dialog's accept() (which a dialog may override to check its input),
// キャンセル its reject().
QDialogButtonBox *OkCancelButtons(QDialog *dialog, const std::function<void()> &beforeAccept = {});

#pragma once

class QDialog;
class QDialogButtonBox;

// "OK" and "キャンセル" for a dialog: OK calls the dialog's accept() (which a
// dialog may override to check its input), キャンセル its reject().
QDialogButtonBox *OkCancelButtons(QDialog *dialog);

#pragma once

class QWidget;

// Paints a view's selection in the highlight colours also while another
// window or control has the focus.
void KeepSelectionColours(QWidget *view);

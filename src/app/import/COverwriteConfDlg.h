#pragma once

#include "OverwriteAnswer.h"

#include <QDialog>

class CCardData;
class QTextEdit;

// Asks what to do with an incoming card whose name is stored already with
// other telephone numbers; the two cards are shown side by side, with what
// differs in bold. Closing the window skips the card.
class COverwriteConfDlg : public QDialog
{
    Q_OBJECT

public:
    COverwriteConfDlg(const CCardData &stored, const CCardData &incoming, const QString &sourceName,
                      QWidget *parent = nullptr);

    OverwriteAnswer Answer() const { return m_answer; }
    // The pane of the stored card (0) or the incoming one (1).
    QTextEdit *Pane(int which) const { return m_panes[which]; }

private:
    static QTextEdit *MakePane(const CCardData &card, const CCardData &other);

    OverwriteAnswer m_answer = AnswerSkip;
    QTextEdit *m_panes[2] = {};
};

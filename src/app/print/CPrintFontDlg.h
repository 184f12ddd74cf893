#pragma once

#include "CLogFont.h"

#include <QColor>
#include <QDialog>

class QComboBox;
class QFontDialog;

// "フォントの設定": Qt's font chooser (any installed face, size, style and
// the effects 取り消し線 and 下線) with the text colour beside it.
class CPrintFontDlg : public QDialog
{
    Q_OBJECT

public:
    CPrintFontDlg(const CLogFont &font, const QColor &color, QWidget *parent = nullptr);

    // After OK: the chosen font (the fields the chooser does not show kept
    // from the font given) and colour.
    CLogFont Font() const;
    QColor Color() const;

    QFontDialog *Chooser() const { return m_chooser; }
    QComboBox *ColorChoice() const { return m_color; }

private:
    CLogFont m_base;
    qreal m_shownSize; // the size the chooser made of the stored one
    QFontDialog *m_chooser;
    QComboBox *m_color;
};

#pragma once

#include <QList>
#include <QWidget>

class CCardData;
class CLengthEdit;
class CPrint;
class CPrintItemWidthSetView;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The "リスト" page of the print dialog: header and footer texts, column
// widths, margins, shrinking and wrapping, and the printed items.
class CPrintSetListPage : public QWidget
{
    Q_OBJECT

public:
    CPrintSetListPage(CPrint &print, const QList<CCardData *> &cards, QWidget *parent = nullptr);

    // Shows the values of the CPrint.
    void Load();
    // Redraws the width strip from the settings (after a font or paper change).
    void RefreshStrip();

    enum Side
    {
        Left,
        Top,
        Right,
        Bottom
    };
    CLengthEdit *MarginField(Side side) const { return m_margins[side]; }
    QLineEdit *HeaderField(int i) const { return m_header[i]; }
    QLineEdit *FooterField(int i) const { return m_footer[i]; }
    QCheckBox *FitPaperBox() const { return m_fitPaper; }
    QCheckBox *TurnDownBox() const { return m_turnDown; }
    QPushButton *AutoFitButton() const { return m_autoFit; }
    QPushButton *EditItemsButton() const { return m_editItems; }
    CPrintItemWidthSetView *WidthStrip() const { return m_strip; }

signals:
    // Something that can move a page break changed.
    void LayoutChanged();
    // Wrapping was switched: the printer is to be selected again.
    void TurnDownChanged();
    void ItemsChanged();

private:
    void EditItems();
    void AutoFit();
    void UpdateEnabling();

    CPrint &m_print;
    QList<CCardData *> m_cards;
    QLineEdit *m_header[3];
    QLineEdit *m_footer[3];
    CLengthEdit *m_margins[4];
    QCheckBox *m_fitPaper;
    QCheckBox *m_turnDown;
    QPushButton *m_autoFit;
    QPushButton *m_editItems;
    CPrintItemWidthSetView *m_strip;
};

#pragma once

#include "CLogFont.h"

#include <QFont>
#include <QString>

// The font everything is printed in, made from the stored font description
// and sized in the 0.1 mm units pages are laid out in. Measuring does not
// depend on the device drawn on, so a page breaks the same way on a printer,
// in a PDF file and in the preview.
class CPrintFont
{
public:
    explicit CPrintFont(const CLogFont &logFont);

    const QFont &Font() const { return m_font; }
    // Character height plus external leading: the pitch of printed lines.
    int LineHeight() const { return m_lineHeight; }

    // The face drawn for a stored face name: that face when it is installed,
    // else an installed Mincho face. The stored name itself never changes.
    static QString FamilyFor(const QString &faceName);

    // The font the font dialog starts from: the face drawn, sized in points.
    static QFont ScreenFont(const CLogFont &logFont);
    // A font chosen in the font dialog as a stored description: face, size,
    // weight, italic, underline and strike-out; the other fields from `base`.
    static CLogFont FromScreenFont(const QFont &font, const CLogFont &base);

private:
    QFont m_font;
    int m_lineHeight = 1;
};

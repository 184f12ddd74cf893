#include "CPrintFont.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>
#include <QtMath>
#include <cstdlib>

namespace {

constexpr int DefaultEm = 27; // 2.7 mm, the height of the default print font
constexpr int MaxEm = 3000;   // 30 cm: anything larger is damage, not a choice
constexpr double TenthsPerPoint = 254.0 / 72.0;

QFont Base(const CLogFont &lf)
{
    QFont f(CPrintFont::FamilyFor(lf.faceName));
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    f.setWeight(QFont::Weight(lf.weight <= 0 ? 400 : qMin(lf.weight, 1000)));
    f.setItalic(lf.italic != 0);
    f.setUnderline(lf.underline != 0);
    f.setStrikeOut(lf.strikeOut != 0);
    return f;
}

} // namespace

CPrintFont::CPrintFont(const CLogFont &lf) : m_font(Base(lf))
{
    // A negative height is the character height, a positive one the cell
    // height (character plus internal leading), 0 the default size.
    qint64 em = lf.height < 0 ? -qint64(lf.height) : DefaultEm;
    if (lf.height > 0) {
        QFont probe = m_font;
        probe.setPixelSize(100);
        const QFontMetricsF m(probe);
        const qreal cell = m.ascent() + m.descent();
        em = cell > 0 ? qRound64(lf.height * 100.0 / cell) : lf.height;
    }
    m_font.setPixelSize(int(qBound<qint64>(1, em, qint64(MaxEm))));
    const QFontMetricsF m(m_font);
    m_lineHeight = qMax(1, qCeil(m.ascent()) + qCeil(m.descent()) + qMax(0, qRound(m.leading())));
}

QString CPrintFont::FamilyFor(const QString &faceName)
{
    const QStringList installed = QFontDatabase::families();
    if (!faceName.isEmpty() && installed.contains(faceName, Qt::CaseInsensitive))
        return faceName;
    for (const char *mincho : {"IPAMincho", "Noto Serif CJK JP"}) {
        const QString family = QString::fromLatin1(mincho);
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    }
    return faceName;
}

QFont CPrintFont::ScreenFont(const CLogFont &lf)
{
    QFont f = Base(lf);
    const int em = lf.height == 0 ? DefaultEm : std::abs(lf.height);
    f.setPointSizeF(qBound(1.0, em / TenthsPerPoint, MaxEm / TenthsPerPoint));
    return f;
}

CLogFont CPrintFont::FromScreenFont(const QFont &font, const CLogFont &base)
{
    CLogFont lf = base;
    lf.faceName = font.family().left(CLogFont::FaceNameMax);
    const qreal points = font.pointSizeF() > 0 ? font.pointSizeF() : DefaultEm / TenthsPerPoint;
    lf.height = -qBound(1, qRound(points * TenthsPerPoint), MaxEm);
    lf.width = 0;
    lf.weight = int(font.weight());
    lf.italic = font.italic() ? 1 : 0;
    lf.underline = font.underline() ? 1 : 0;
    lf.strikeOut = font.strikeOut() ? 1 : 0;
    return lf;
}

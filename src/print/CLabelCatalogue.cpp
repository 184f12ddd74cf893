#include "CLabelCatalogue.h"

#include "PaperCode.h"
#include "PrintFieldRules.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QRegularExpression>
#include <QSizeF>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 MaxFileSize = 16 * 1024 * 1024; // the largest catalogue file is under 1 MB
constexpr double Slack = 0.05;                   // mm a grid may overhang the paper by rounding

QString Key(const QString &brand, const QString &part)
{
    return brand + QLatin1Char('\n') + part;
}

int Tenths(double mm)
{
    return int(std::lround(mm * 10.0));
}

bool Sane(double mm)
{
    return mm >= 0.0 && mm * 10.0 <= PrintFieldRules::MaxLength;
}

QString Attribute(const QXmlStreamAttributes &a, const char *name)
{
    return a.value(QLatin1String(name)).toString();
}

// What one <Template> says, before it becomes a sheet.
struct TemplateText
{
    QString brand, part, size, description, width, height, equiv;
    int rectangles = 0;
    int otherShapes = 0;
    int layouts = 0;
    QString labelWidth, labelHeight;
    QString nx, ny, x0, y0, dx, dy;
};

void ReadLabel(QXmlStreamReader &r, TemplateText &t)
{
    const QXmlStreamAttributes a = r.attributes();
    t.labelWidth = Attribute(a, "width");
    t.labelHeight = Attribute(a, "height");
    while (r.readNextStartElement()) {
        if (r.name() == QLatin1String("Layout")) {
            const QXmlStreamAttributes l = r.attributes();
            ++t.layouts;
            t.nx = Attribute(l, "nx");
            t.ny = Attribute(l, "ny");
            t.x0 = Attribute(l, "x0");
            t.y0 = Attribute(l, "y0");
            t.dx = Attribute(l, "dx");
            t.dy = Attribute(l, "dy");
        }
        r.skipCurrentElement();
    }
}

TemplateText ReadTemplate(QXmlStreamReader &r)
{
    TemplateText t;
    const QXmlStreamAttributes a = r.attributes();
    t.brand = Attribute(a, "brand");
    t.part = Attribute(a, "part");
    t.size = Attribute(a, "size");
    t.description = Attribute(a, "_description");
    if (t.description.isEmpty())
        t.description = Attribute(a, "description");
    t.width = Attribute(a, "width");
    t.height = Attribute(a, "height");
    t.equiv = Attribute(a, "equiv");
    while (r.readNextStartElement()) {
        if (r.name() == QLatin1String("Label-rectangle")) {
            ++t.rectangles;
            ReadLabel(r, t);
        } else {
            if (r.name().startsWith(QLatin1String("Label-")))
                ++t.otherShapes;
            r.skipCurrentElement();
        }
    }
    return t;
}

std::optional<int> Count(const QString &text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok && n >= 1 && n <= PrintFieldRules::MaxLabels ? std::optional<int>(n) : std::nullopt;
}

// The grid of a one-grid rectangle template on its paper (mm), or none when
// the numbers do not make one.
std::optional<LabelSheet> Build(const TemplateText &t, const QString &paperName, double pw, double ph)
{
    const std::optional<int> nx = Count(t.nx), ny = Count(t.ny);
    const auto w = CLabelCatalogue::Distance(t.labelWidth), h = CLabelCatalogue::Distance(t.labelHeight);
    const auto x0 = CLabelCatalogue::Distance(t.x0), y0 = CLabelCatalogue::Distance(t.y0);
    const auto dx = CLabelCatalogue::Distance(t.dx), dy = CLabelCatalogue::Distance(t.dy);
    if (!nx || !ny || !w || !h || !x0 || !y0 || !dx || !dy)
        return std::nullopt;
    if (*nx * *ny > PrintFieldRules::MaxLabels || *w <= 0 || *h <= 0)
        return std::nullopt;
    const double gapX = *nx > 1 ? *dx - *w : 0.0;
    const double gapY = *ny > 1 ? *dy - *h : 0.0;
    if (gapX < -Slack || gapY < -Slack || !Sane(*w) || !Sane(*h) || !Sane(*x0) || !Sane(*y0) ||
        !Sane(std::max(gapX, 0.0)) || !Sane(std::max(gapY, 0.0)))
        return std::nullopt;

    LabelSheet s;
    s.brand = t.brand;
    s.part = t.part;
    s.description = CLabelCatalogue::DescriptionText(t.description);
    s.paperName = paperName;
    s.paperWidth = Tenths(pw);
    s.paperHeight = Tenths(ph);
    const QPageSize size(QSizeF(pw, ph), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
    s.paperCode = size.id() == QPageSize::Custom ? 0 : PaperCode::FromPageSizeId(size.id());
    s.columns = *nx;
    s.rows = *ny;
    s.labelWidth = Tenths(*w);
    s.labelHeight = Tenths(*h);
    s.gapX = std::max(0, Tenths(gapX));
    s.gapY = std::max(0, Tenths(gapY));
    // The right and bottom margins are what the grid leaves of the paper.
    const int right = s.paperWidth - Tenths(*x0) - s.columns * s.labelWidth - (s.columns - 1) * s.gapX;
    const int bottom = s.paperHeight - Tenths(*y0) - s.rows * s.labelHeight - (s.rows - 1) * s.gapY;
    const int slack = Tenths(Slack) + 1;
    if (right < -slack || bottom < -slack)
        return std::nullopt; // labels beyond the paper
    s.margins = QMargins(Tenths(*x0), Tenths(*y0), std::max(right, 0), std::max(bottom, 0));
    return s;
}

} // namespace

QString CLabelCatalogue::DefaultFolder()
{
    return QStringLiteral("/usr/share/libglabels-3.0/templates");
}

std::optional<double> CLabelCatalogue::Distance(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*([+-]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][+-]?\\d+)?)\\s*(pt|in|mm|cm|pc)?\\s*$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = m.captured(1).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const QString unit = m.captured(2);
    double mm = value * 25.4 / 72.0;
    if (unit == QLatin1String("in"))
        mm = value * 25.4;
    else if (unit == QLatin1String("mm"))
        mm = value;
    else if (unit == QLatin1String("cm"))
        mm = value * 10.0;
    else if (unit == QLatin1String("pc"))
        mm = value * 12.0 * 25.4 / 72.0;
    if (!std::isfinite(mm))
        return std::nullopt;
    return mm;
}

QString CLabelCatalogue::DescriptionText(const QString &description)
{
    static const struct
    {
        const char *english;
        const char *japanese;
    } known[] = {
        {"Rectangular labels", "長方形ラベル"},
        {"Rounded rectangular labels", "角丸ラベル"},
        {"Address labels", "宛名ラベル"},
        {"Large address labels", "宛名ラベル (大)"},
        {"Return address labels", "差出人ラベル"},
        {"Shipping labels", "配送ラベル"},
        {"Mailing labels", "郵送用ラベル"},
        {"Square labels", "正方形ラベル"},
        {"Elliptical labels", "楕円ラベル"},
        {"Business cards", "名刺"},
        {"Full sheet labels", "全面ラベル"},
        {"Multipurpose labels", "多目的ラベル"},
        {"Allround labels", "汎用ラベル"},
        {"General labels", "汎用ラベル"},
        {"Name badges", "名札"},
        {"Filing labels", "ファイル用ラベル"},
        {"File folder labels", "ファイル用ラベル"},
        {"Divider labels", "インデックスラベル"},
        {"Barcode labels", "バーコードラベル"},
        {"Mini labels", "ミニラベル"},
    };
    const QString trimmed = description.trimmed();
    for (const auto &k : known) {
        if (trimmed.compare(QLatin1String(k.english), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(k.japanese);
    }
    // "Labels A4": a sheet of one paper-sized label.
    static const QRegularExpression paperLabels(QStringLiteral("^Labels (\\S+)$"),
                                                QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = paperLabels.match(trimmed);
    if (m.hasMatch())
        return m.captured(1) + QString::fromUtf8(" ラベル");
    return description;
}

bool CLabelCatalogue::ReadPaperSizes(const QByteArray &xml)
{
    QXmlStreamReader r(xml);
    if (!r.readNextStartElement() || r.name() != QLatin1String("Glabels-paper-sizes"))
        return false;
    while (r.readNextStartElement()) {
        if (r.name() == QLatin1String("Paper-size")) {
            const QXmlStreamAttributes a = r.attributes();
            const std::optional<double> w = Distance(Attribute(a, "width"));
            const std::optional<double> h = Distance(Attribute(a, "height"));
            QString name = Attribute(a, "_name");
            if (name.isEmpty())
                name = Attribute(a, "name");
            const QString id = Attribute(a, "id");
            if (!id.isEmpty() && w && h && *w > 0 && *h > 0 && Sane(*w) && Sane(*h))
                m_papers.insert(id.toLower(), Paper{name.isEmpty() ? id : name, *w, *h});
        }
        r.skipCurrentElement();
    }
    return !r.hasError();
}

bool CLabelCatalogue::ReadTemplates(const QByteArray &xml)
{
    QXmlStreamReader r(xml);
    if (!r.readNextStartElement() || r.name() != QLatin1String("Glabels-templates"))
        return false;
    while (r.readNextStartElement()) {
        if (r.name() != QLatin1String("Template")) {
            r.skipCurrentElement();
            continue;
        }
        const TemplateText t = ReadTemplate(r);
        if (r.hasError())
            break; // a template cut off is not taken
        if (t.brand.isEmpty() || t.part.isEmpty())
            continue;

        std::optional<LabelSheet> sheet;
        if (!t.equiv.isEmpty()) {
            const auto it = m_byPart.constFind(Key(t.brand, t.equiv));
            if (it != m_byPart.cend()) {
                sheet = *it;
                sheet->part = t.part;
                if (!t.description.isEmpty())
                    sheet->description = DescriptionText(t.description);
            }
        } else if (t.rectangles == 1 && t.otherShapes == 0 && t.layouts == 1) {
            QString name;
            std::optional<double> pw, ph;
            if (t.size.compare(QLatin1String("other"), Qt::CaseInsensitive) == 0) {
                name = QString::fromUtf8("その他");
                pw = Distance(t.width);
                ph = Distance(t.height);
            } else if (const auto paper = m_papers.constFind(t.size.toLower()); paper != m_papers.cend()) {
                name = paper->name;
                pw = paper->width;
                ph = paper->height;
            }
            if (pw && ph && *pw > 0 && *ph > 0 && Sane(*pw) && Sane(*ph))
                sheet = Build(t, name, *pw, *ph);
        }
        if (!sheet)
            continue;
        m_byPart.insert(Key(sheet->brand, sheet->part), *sheet);
        m_sheets << *sheet;
    }
    return !r.hasError();
}

bool CLabelCatalogue::Load(const QString &folder)
{
    const QDir dir(folder);
    const QStringList files = dir.entryList({QStringLiteral("*-templates.xml")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        return false;
    auto read = [&dir](const QString &name) {
        QFile f(dir.filePath(name));
        if (f.size() > MaxFileSize || !f.open(QIODevice::ReadOnly))
            return QByteArray();
        return f.readAll();
    };
    ReadPaperSizes(read(QStringLiteral("paper-sizes.xml")));
    for (const QString &name : files)
        ReadTemplates(read(name));

    QCollator collator(QLocale::c());
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(m_sheets.begin(), m_sheets.end(), [&collator](const LabelSheet &a, const LabelSheet &b) {
        const int brand = collator.compare(a.brand, b.brand);
        return brand != 0 ? brand < 0 : collator.compare(a.part, b.part) < 0;
    });
    return true;
}

#include "PrintTestSupport.h"

#include "CPdfFileDevice.h"
#include "CPrint.h"
#include "CPrintJob.h"
#include "CPrintPreviewWnd.h"
#include "IPrintTarget.h"
#include "IPrinterDevice.h"
#include "PrintSettings.h"

#include <QProcess>
#include <QXmlStreamReader>

CCardData &CardList::Add(const QString &name, bool marked)
{
    m_cards.push_back(std::make_unique<CCardData>());
    CCardData &c = *m_cards.back();
    c.SetName(name);
    c.SetPrint(marked);
    return c;
}

QList<CCardData *> CardList::Sequence() const
{
    QList<CCardData *> s;
    for (const auto &c : m_cards)
        s << c.get();
    return s;
}

QList<PdfWord> ReadPdfWords(const QString &pdfPath)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")});
    p.waitForFinished(60000);
    QXmlStreamReader xml(p.readAllStandardOutput());
    QList<PdfWord> words;
    int page = 0;
    constexpr double PointToTenthMm = 254.0 / 72.0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page")) {
            ++page;
        } else if (xml.name() == QLatin1String("word")) {
            const auto a = xml.attributes();
            PdfWord w;
            w.page = page;
            const double x0 = a.value(QLatin1String("xMin")).toDouble();
            const double y0 = a.value(QLatin1String("yMin")).toDouble();
            const double x1 = a.value(QLatin1String("xMax")).toDouble();
            const double y1 = a.value(QLatin1String("yMax")).toDouble();
            w.box = QRectF(QPointF(x0, y0) * PointToTenthMm, QPointF(x1, y1) * PointToTenthMm);
            w.text = xml.readElementText().normalized(QString::NormalizationForm_KC);
            words << w;
        }
    }
    return words;
}

int PdfPageCount(const QString &pdfPath)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdfPath});
    p.waitForFinished(60000);
    for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

QList<PdfWord> Find(const QList<PdfWord> &words, int page, const QString &part)
{
    const QString p = part.normalized(QString::NormalizationForm_KC);
    QList<PdfWord> found;
    for (const PdfWord &w : words) {
        if (w.page == page && w.text.contains(p))
            found << w;
    }
    return found;
}

QString PageText(const QList<PdfWord> &words, int page)
{
    QStringList t;
    for (const PdfWord &w : words) {
        if (w.page == page)
            t << w.text;
    }
    return t.join(QLatin1Char(' '));
}

bool PrintToPdf(CPrint &print, const QList<CCardData *> &cards, const QString &path)
{
    print.SetDevice(std::make_unique<CPdfFileDevice>(path, QPageSize(QPageSize::A4), QPageLayout::Portrait));
    CPrintPreviewWnd view(print);
    CPrintJob job(view);
    std::unique_ptr<IPrintTarget> target = print.Device()->NewJob();
    return job.Run(cards, *target, QStringLiteral("test")) == CPrintJob::Printed;
}

void LoadDefaults(CPrint &print)
{
    print.LoadFrom(PrintSettings::Defaults());
}

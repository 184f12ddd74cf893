#pragma once

#include "CCardData.h"

#include <QList>
#include <QRectF>
#include <QString>
#include <memory>
#include <vector>

class CPrint;

// Cards for the layout tests, in the order they were added.
class CardList
{
public:
    CCardData &Add(const QString &name, bool marked = true);
    QList<CCardData *> Sequence() const;

private:
    std::vector<std::unique_ptr<CCardData>> m_cards;
};

// A word of a PDF page as pdftotext reads it back: its text after NFKC and
// its box in 0.1 mm from the paper's top-left corner.
struct PdfWord
{
    int page = 0; // 1-based
    QString text;
    QRectF box;
};
QList<PdfWord> ReadPdfWords(const QString &pdfPath);
int PdfPageCount(const QString &pdfPath);
// The words of one page whose text contains `part` (compared after NFKC).
QList<PdfWord> Find(const QList<PdfWord> &words, int page, const QString &part);
QString PageText(const QList<PdfWord> &words, int page);

// Prints the cards with the settings of `print` to a PDF file on A4 portrait
// (the whole paper printable); true when every page was written.
bool PrintToPdf(CPrint &print, const QList<CCardData *> &cards, const QString &path);

// The settings the program starts with.
void LoadDefaults(CPrint &print);

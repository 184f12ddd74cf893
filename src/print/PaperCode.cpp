#include "PaperCode.h"

#include <array>

namespace PaperCode {

namespace {

struct Entry
{
    const char *name;
    QPageSize::PageSizeId id;
};

// Codes 1–41 in order. Codes without a page size of their own use the one
// of the same paper (Letter Small is Letter, the 11 × 17 sheet is Tabloid).
constexpr std::array<Entry, 41> Table = {{
    {"Letter     : 8 1/2 × 11 Inch", QPageSize::Letter},
    {"Letter Small : 8 1/2 × 11 Inch", QPageSize::LetterSmall},
    {"Tabloid    : 11 × 17 Inch", QPageSize::Tabloid},
    {"Ledger     : 17 × 11 Inch", QPageSize::Ledger},
    {"Legal      : 8 1/2 × 14 Inch", QPageSize::Legal},
    {"Statement  : 5 1/2 × 8 1/2 Inch", QPageSize::Statement},
    {"Executive  : 7 1/4 × 10 1/2 Inch", QPageSize::ExecutiveStandard},
    {"A3         : 297 × 420 mm", QPageSize::A3},
    {"A4         : 210 × 297 mm", QPageSize::A4},
    {"A4 small   : 210 × 297 mm", QPageSize::A4Small},
    {"A5         : 148 × 210 mm", QPageSize::A5},
    {"B4         : 250 × 354 mm", QPageSize::B4},
    {"B5         : 182 × 257 mm", QPageSize::JisB5},
    {"Folio      : 8 1/2 × 13 Inch", QPageSize::Folio},
    {"Quarto     : 215 × 275 mm", QPageSize::Quarto},
    {"10 × 14 Inch シート", QPageSize::Imperial10x14},
    {"11 × 17 Inch シート", QPageSize::Tabloid},
    {"Note : 8 1/2 × 11 Inch", QPageSize::Note},
    {"#9  Envelope : 3 7/8 × 8 7/8 Inch", QPageSize::Envelope9},
    {"#10 Envelope : 4 1/8 × 9 1/2 Inch", QPageSize::Envelope10},
    {"#11 Envelope : 4 1/2 × 10 3/8 Inch", QPageSize::Envelope11},
    {"#12 Envelope : 4 3/4 × 11 Inch", QPageSize::Envelope12},
    {"#14 Envelope : 5 × 11 1/2 Inch", QPageSize::Envelope14},
    {"C シート   : 17 × 22 Inch", QPageSize::AnsiC},
    {"D シート   : 22 × 34 Inch", QPageSize::AnsiD},
    {"E シート   : 34 × 44 Inch", QPageSize::AnsiE},
    {"DL    Enve : 110 × 220 mm", QPageSize::EnvelopeDL},
    {"C5    Enve : 162 × 229 mm", QPageSize::EnvelopeC5},
    {"C3    Enve : 162 × 458 mm", QPageSize::EnvelopeC3},
    {"C4    Enve : 229 × 324 mm", QPageSize::EnvelopeC4},
    {"C6    Enve : 114 × 162 mm", QPageSize::EnvelopeC6},
    {"C65   Enve : 114 × 229 mm", QPageSize::EnvelopeC65},
    {"B4    Enve : 250 × 353 mm", QPageSize::EnvelopeB4},
    {"B5    Enve : 176 × 250 mm", QPageSize::EnvelopeB5},
    {"B6    Enve : 176 × 125 mm", QPageSize::EnvelopeB6},
    {"Italy Enve : 110 × 230 mm", QPageSize::EnvelopeItalian},
    {"Monarch Envelope : 3 7/8 × 7 1/2 Inch", QPageSize::EnvelopeMonarch},
    {"6 3/4 Envelope : 3 5/8 × 6 1/2 Inch", QPageSize::EnvelopePersonal},
    {"US Std Fanfold : 14 7/8 × 11 Inch", QPageSize::FanFoldUS},
    {"German Std Fanfold : 8 1/2 × 12 Inch", QPageSize::FanFoldGerman},
    {"German Legal Fanfold : 8 1/2 × 13 Inch", QPageSize::FanFoldGermanLegal},
}};

bool Known(int code)
{
    return code >= 1 && code <= int(Table.size());
}

} // namespace

QString Name(int code)
{
    return Known(code) ? QString::fromUtf8(Table[code - 1].name) : QString();
}

QPageSize::PageSizeId ToPageSizeId(int code)
{
    return Known(code) ? Table[code - 1].id : QPageSize::Custom;
}

int FromPageSizeId(QPageSize::PageSizeId id)
{
    for (int i = 0; i < int(Table.size()); ++i) {
        if (Table[i].id == id)
            return i + 1;
    }
    return 0;
}

} // namespace PaperCode

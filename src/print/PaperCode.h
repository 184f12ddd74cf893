#pragma once

#include <QPageSize>
#include <QString>

// The printer paper size codes the print settings store (9 = A4, 13 = B5, …)
// and the page sizes they stand for.
namespace PaperCode {

constexpr int A4 = 9;
constexpr int User = 256; // a size given by width and length, not by a code

// The text the print dialog shows for a code; empty for a code outside 1–41.
QString Name(int code);

// The page size of a code; QPageSize::Custom for a code without one.
QPageSize::PageSizeId ToPageSizeId(int code);

// The first code whose page size is `id`; 0 when no code has it.
int FromPageSizeId(QPageSize::PageSizeId id);

} // namespace PaperCode

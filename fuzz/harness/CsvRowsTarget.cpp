#include "FuzzTargets.h"

#include "CCsvImportRun.h"
#include "CheckListColumns.h"
#include "Cp932.h"
#include "Csv.h"
#include "FuzzCheck.h"
#include "ImportBench.h"
#include "ImportMapping.h"
#include "ScratchFolder.h"
#include "Utf8Detect.h"

namespace Fuzz {

namespace {

// Rows are read as the import dialog reads them; a quoted field still open at the
// end gives a last row and false.
QList<QStringList> ReadRows(const QString &path, qint64 *lastPosition = nullptr)
{
    Csv csv(path);
    QList<QStringList> rows;
    QStringList row;
    while (csv.ReadRow(row)) {
        rows << row;
        Check(csv.Position() <= csv.FileSize(), "the read position stays inside the file");
    }
    if (!row.isEmpty())
        rows << row;
    if (lastPosition)
        *lastPosition = csv.Position();
    return rows;
}

// What a written row reads back as: cut or padded to the first row's columns, line
// ends inside a field as "\r\n", every character as the code page gives it back.
QStringList AsWritten(QStringList row, qsizetype columns)
{
    row.resize(columns);
    for (QString &field : row) {
        QString text;
        for (qsizetype i = 0; i < field.size(); ++i) {
            if (field[i] == u'\n' && (i == 0 || field[i - 1] != u'\r'))
                text += u'\r';
            text += field[i];
        }
        field = Cp932::Decode(Cp932::Encode(text));
    }
    return row;
}

// Export and import again: the rows come back (when the code page holds every character
// and the written bytes do not happen to read as UTF-8).
void CheckRoundTrip(const ScratchFolder &folder, const QList<QStringList> &rows)
{
    if (rows.isEmpty())
        return;
    const QString path = folder.File(QStringLiteral("written.csv"));
    Csv out(path);
    for (const QStringList &row : rows)
        Check(out.WriteRow(row), "a row can be written");
    Check(out.Close(), "the written file closes");
    if (!out.Lossless() || Utf8Detect::IsUtf8Csv(ScratchFolder::Read(path)))
        return;
    QList<QStringList> expected;
    for (const QStringList &row : rows)
        expected << AsWritten(row, rows.first().size());
    Check(ReadRows(path) == expected, "written rows read back as they were");
}

// The dialog's preselection when it gives a valid mapping; otherwise each column takes
// the next offered item that keeps the mapping valid, so that every item is reached.
QList<MappingEntry> ChooseColumns(const QStringList &firstRow, const CheckListItems &checks)
{
    QList<MappingEntry> columns = ImportMapping::PrepareColumns(firstRow, checks);
    if (ImportMapping::ValidateImportMapping(columns, checks, nullptr))
        return columns;
    const QList<int> offered = ImportMapping::OfferedItems(checks);
    columns.clear();
    qsizetype next = 0;
    for (qsizetype i = 0; i < firstRow.size(); ++i) {
        columns.append({CsvItemEmpty, 0});
        for (qsizetype tries = 0; tries < offered.size(); ++tries) {
            columns.last() = {offered[next++ % offered.size()], 1};
            if (ImportMapping::ValidateImportMapping(columns, checks, nullptr))
                break;
            columns.last() = {CsvItemEmpty, 0};
        }
    }
    return columns;
}

} // namespace

void CsvRows(QByteArrayView input)
{
    const ScratchFolder folder(QStringLiteral("csv_rows"));
    const QString path = folder.Write(QStringLiteral("cards.csv"), input);
    qint64 end = 0;
    const QList<QStringList> rows = ReadRows(path, &end);
    Check(end <= input.size(), "the read position stays inside the file");
    for (const QStringList &row : rows)
        Check(!row.isEmpty(), "a row has at least one field");
    CheckRoundTrip(folder, rows);
    if (rows.isEmpty())
        return;

    ImportBench bench(folder);
    const CheckListItems checks = CheckListColumns(bench.Store().GetCheckList());
    const QList<MappingEntry> columns = ChooseColumns(rows.first(), checks);
    if (!ImportMapping::ValidateImportMapping(columns, checks, nullptr))
        return; // the dialog would not start the import
    CCsvImportRun run(bench.Engine(), path, columns, true);
    Check(run.Run() == CsvImportState::Completed, "an import of a readable file completes");
    const ImportCounters counters = run.Counters();
    Check(counters.added + counters.overwritten + counters.skipped <= rows.size() - 1,
          "no more cards are imported than there are rows after the heading");
    bench.CheckStored(counters);
}

} // namespace Fuzz

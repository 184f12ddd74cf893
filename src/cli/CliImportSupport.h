#pragma once

#include "IOverwriteConfirm.h"
#include "ImportCounters.h"
#include "ImportOptions.h"
#include "UserMessage.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

class CCardData;
class CCardStore;

// Answers every same-name question of a run with the answer given on the command line.
class CliSameNameAnswer : public IOverwriteConfirm
{
public:
    explicit CliSameNameAnswer(OverwriteAnswer answer) : m_answer(answer) {}
    OverwriteAnswer AskOverwrite(const CCardData &, const CCardData &, const QString &) override
    {
        return m_answer;
    }

private:
    OverwriteAnswer m_answer;
};

// The import options of the user's settings file, as the program would import; the
// program's defaults when it has written none.
ImportOptions CliImportOptions();
// "overwrite", "add" or "skip" → the matching answer for the whole run.
bool CliParseSameName(const QString &text, OverwriteAnswer *answer);
// Opens the management file, or creates it when there is none yet.
bool CliOpenOrCreateStore(CCardStore &store, const QString &path, QTextStream &err);
// A message box as text: the caption on one line, then the message.
void CliPrintMessage(const UserMessage &message, QTextStream &out);
// Text for one tab-separated field: tabs and line breaks become spaces.
QString CliField(QString text);
// One card per line, tab-separated, as `list` prints it.
void CliPrintCard(const CCardStore &store, const CCardData &card, QTextStream &out);
// Imports vCard files through the file run; prints its summary.
ImportCounters CliImportVCardFiles(CCardStore &store, const QStringList &paths, OverwriteAnswer sameName,
                                   QTextStream &out);

#pragma once

#include "IOverwriteConfirm.h"
#include "Utf8.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class CCardData;

namespace transfer_test {

using ::U;

// A vCard file body from UTF-8 lines, written as code page 932 with CR LF.
QByteArray VCard(const QStringList &lines);
// BEGIN…END around the given property lines (older form, no FN).
QStringList Card(const QStringList &properties);
bool WriteFile(const QString &path, const QByteArray &bytes);

// Answers the overwrite question from a script and records every question.
class ScriptedConfirm : public IOverwriteConfirm
{
public:
    QList<OverwriteAnswer> answers; // taken from the front; AnswerSkip when empty
    QStringList askedNames;
    QStringList askedSources;
    std::function<void()> onAsk;

    OverwriteAnswer AskOverwrite(const CCardData &stored, const CCardData &incoming,
                                 const QString &sourceName) override;
};

} // namespace transfer_test

#include "TransferTestSupport.h"

#include "CCardData.h"
#include "Cp932.h"

#include <QFile>

namespace transfer_test {

QByteArray VCard(const QStringList &lines)
{
    return Cp932::Encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

QStringList Card(const QStringList &properties)
{
    return QStringList{QStringLiteral("BEGIN:VCARD"), QStringLiteral("VERSION:2.1")} + properties +
           QStringList{QStringLiteral("END:VCARD")};
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

OverwriteAnswer ScriptedConfirm::AskOverwrite(const CCardData &stored, const CCardData &incoming,
                                              const QString &sourceName)
{
    Q_UNUSED(stored);
    askedNames.append(incoming.Name());
    askedSources.append(sourceName);
    if (onAsk)
        onAsk();
    return answers.isEmpty() ? AnswerSkip : answers.takeFirst();
}

} // namespace transfer_test

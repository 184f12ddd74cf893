#include "ImportSummary.h"

namespace {
QString Line(const char *format, int count)
{
    return QString::fromUtf8(format).arg(count);
}
} // namespace

QString ImportSummary::CounterLines(const ImportCounters &counters, bool withNotCards)
{
    QString text;
    if (counters.added > 0)
        text += Line("%1 件、新規登録しました。\n", counters.added);
    if (counters.overwritten > 0)
        text += Line("%1 件、同名データに上書登録しました。\n", counters.overwritten);
    if (counters.skipped > 0)
        text += Line("%1 件、同一データが存在したため登録をスキップしました。\n", counters.skipped);
    if (withNotCards && counters.notCards > 0)
        text += Line("%1 件、名刺データではないためスキップしました。\n", counters.notCards);
    return text;
}

UserMessage ImportSummary::VCard(const ImportCounters &counters, bool cancelled)
{
    UserMessage message;
    const bool failed = !counters.failure.isEmpty();
    message.caption = QString::fromUtf8(cancelled || failed ? "インポート中断" : "インポート完了");
    message.icon = cancelled || failed ? UserMessage::Warning : UserMessage::Information;
    if (failed)
        message.text =
            QString::fromUtf8("インポートを中止しました。\n") + counters.failure + QStringLiteral("\n\n");
    else if (cancelled)
        message.text = QString::fromUtf8("インポートを中断しました。\n\n");
    if (counters.filesImported > 0)
        message.text += Line("%1 ファイル インポートしました。\n\n", counters.filesImported);
    if (failed) {
        // What was stored before the failure stays; nothing else is claimed.
        message.text += CounterLines(counters, true);
    } else if (counters.added == 0 && counters.overwritten == 0 && counters.skipped == 0) {
        message.text += QString::fromUtf8("有効な名刺データがありませんでした。\n");
        message.icon = UserMessage::Warning;
    } else {
        message.text += CounterLines(counters, true);
    }
    return message;
}

UserMessage ImportSummary::Csv(const ImportCounters &counters, CsvImportState state)
{
    UserMessage message;
    message.caption = QString::fromUtf8("インポート");
    const bool anyCounted = counters.added > 0 || counters.overwritten > 0 || counters.skipped > 0;
    switch (state) {
    case CsvImportState::Cancelled:
        message.text = QString::fromUtf8("中断しました。");
        message.icon = UserMessage::Warning;
        break;
    case CsvImportState::Completed:
        message.icon = UserMessage::Information;
        if (counters.added + counters.overwritten > 0)
            message.text = Line("%1 ファイル インポートしました。", counters.added + counters.overwritten);
        if (!anyCounted) {
            message.text += QString::fromUtf8("\n\n有効な名刺データがありませんでした。\n");
            message.icon = UserMessage::Warning;
        }
        break;
    case CsvImportState::Error:
        message.text = QString::fromUtf8("エラーが発生しました。");
        if (!counters.failure.isEmpty())
            message.text += QStringLiteral("\n") + counters.failure;
        message.icon = UserMessage::Error;
        break;
    }
    if (anyCounted)
        message.text += QStringLiteral("\n\n") + CounterLines(counters, false);
    return message;
}

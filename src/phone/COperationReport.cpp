#include "COperationReport.h"

namespace {

struct Texts
{
    const char *stopCaption, *stopText, *partCaption, *doneLine, *failLine, *doneCaption, *failCaption,
        *failText;
};

const Texts &TextsOf(COperationReport::Operation operation)
{
    static const Texts copy{"コピー中断",
                            "コピーを中断しました。\n\n",
                            "コピー一部完了",
                            "%1件 コピーしました。",
                            "%1件 コピーに失敗しました。",
                            "コピー完了",
                            "コピー失敗",
                            "コピーに失敗しました。"};
    static const Texts move{"移動中断",
                            "移動を中断しました。\n\n",
                            "移動一部完了",
                            "%1件 移動しました。",
                            "%1件 移動に失敗しました。",
                            "移動完了",
                            "移動失敗",
                            "移動に失敗しました。"};
    static const Texts remove{"削除中断",           "削除を中断しました。\n\n", "削除一部完了",
                              "%1件削除しました。", "%1件削除に失敗しました。", "削除完了",
                              "削除失敗",           "削除に失敗しました。"};
    switch (operation) {
    case COperationReport::Copy:
        return copy;
    case COperationReport::Move:
        return move;
    default:
        return remove;
    }
}

} // namespace

COperationReport COperationReport::Make(Operation operation, const PhoneCounters &counters, bool stopped)
{
    const Texts &t = TextsOf(operation);
    const int ok = counters[PhoneCounter::Succeeded];
    const int failed = counters[PhoneCounter::Failed];
    const QString stopText = stopped ? QString::fromUtf8(t.stopText) : QString();
    COperationReport report;
    if (ok > 0 && failed > 0) {
        report.caption = QString::fromUtf8(t.partCaption);
        report.text = stopText + QString::fromUtf8(t.doneLine).arg(ok) + QLatin1Char('\n') +
                      QString::fromUtf8(t.failLine).arg(failed);
        report.icon = Warning;
    } else if (ok > 0) {
        report.caption = QString::fromUtf8(t.doneCaption);
        report.text = QString::fromUtf8(t.doneLine).arg(ok);
        report.icon = Information;
    } else if (failed > 0) {
        report.caption = QString::fromUtf8(t.failCaption);
        report.text = QString::fromUtf8(t.failText);
        report.icon = Error;
    } else {
        // Stopped before anything happened; an operation that had nothing to
        // do is reported the same way.
        report.caption = QString::fromUtf8(t.stopCaption);
        report.text = QString::fromUtf8(t.stopText);
        report.icon = Warning;
    }
    return report;
}

#include "JobStatus.h"

#include "PrinterStatus.h"

namespace JobStatus {

namespace {

// IPP job states.
enum
{
    Pending = 3,
    Held = 4,
    Processing = 5,
    Stopped = 6,
    Canceled = 7,
    Aborted = 8,
    Completed = 9,
};

bool HasAny(const QStringList &reasons, std::initializer_list<const char *> keywords)
{
    for (const char *k : keywords) {
        if (reasons.contains(QLatin1String(k)))
            return true;
    }
    return false;
}

} // namespace

QString Text(int status)
{
    switch (status) {
    case Paused:
        return QStringLiteral("一時停止");
    case Error:
        return QStringLiteral("異常");
    case Deleting:
        return QStringLiteral("削除中");
    case Spooling:
        return QStringLiteral("スプール中");
    case Printing:
        return QStringLiteral("印刷中");
    case Offline:
        return QStringLiteral("オフライン");
    case PaperOut:
        return QStringLiteral("紙切れ");
    case Printed:
        return QStringLiteral("印刷完了");
    case Deleted:
        return QStringLiteral("削除完了");
    case BlockedDevq:
        return QStringLiteral("ドライバ異常");
    case UserIntervention:
        return QStringLiteral("User InterVention");
    case Restart:
        return QStringLiteral("印刷再開");
    default:
        return QString();
    }
}

int FromCups(int jobState, const QStringList &jobReasons, const QStringList &printerReasons)
{
    switch (jobState) {
    case Canceled:
        return Deleted;
    case Aborted:
        return HasAny(jobReasons, {"document-format-error", "document-unprintable-error",
                                   "unsupported-document-format", "document-format-not-supported"})
                   ? BlockedDevq
                   : Error;
    case Completed:
        return Printed;
    default:
        break;
    }
    if (jobReasons.contains(QLatin1String("processing-to-stop-point")))
        return Deleting;
    // A live job waits for what its printer lacks.
    const quint32 printer = PrinterStatus::FromCups(0, printerReasons);
    if (printer & PrinterStatus::Offline)
        return Offline;
    if (printer & PrinterStatus::PaperOut)
        return PaperOut;
    if (printer & (PrinterStatus::PaperJam | PrinterStatus::DoorOpen))
        return UserIntervention;
    switch (jobState) {
    case Pending:
        return Spooling;
    case Held:
    case Stopped:
        return Paused;
    case Processing:
        return Printing;
    default:
        return 0;
    }
}

} // namespace JobStatus

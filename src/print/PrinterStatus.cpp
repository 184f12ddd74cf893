#include "PrinterStatus.h"

#include <array>
#include <utility>

namespace PrinterStatus {

namespace {

const char *BitText(int bit)
{
    static const std::array<const char *, 25> texts = {
        "一時停止",
        "エラー",
        "Pending Deletion",
        "紙詰まり",
        "紙切れ",
        "Manual Feed",
        "Paper Problem",
        "オフライン",
        "IO Active",
        "ビジー",
        "印刷中",
        "Output Bin Full",
        "Not Avilable",
        "待機中",
        "Processing",
        "初期化中",
        "ウォーミングアップ中",
        "インク減少",
        nullptr,
        "Page Punt",
        "User Intervention",
        "Out of Memory",
        "ドアオープン",
        "Server Unknown",
        "パワーセーブ中",
    };
    return bit >= 0 && bit < int(texts.size()) ? texts[bit] : nullptr;
}

// A reason keyword without its severity ("media-empty-error" → "media-empty").
QString Keyword(const QString &reason, bool *isError)
{
    *isError = reason.endsWith(QLatin1String("-error"));
    for (const char *suffix : {"-error", "-warning", "-report"}) {
        if (reason.endsWith(QLatin1String(suffix)))
            return reason.left(reason.size() - qsizetype(qstrlen(suffix)));
    }
    return reason;
}

quint32 ReasonBits(const QString &keyword)
{
    static const std::pair<const char *, quint32> table[] = {
        {"paused", Paused},
        {"moving-to-paused", Paused},
        {"media-jam", PaperJam},
        {"media-empty", PaperOut},
        {"media-needed", PaperOut},
        {"input-tray-missing", PaperProblem},
        {"offline", Offline},
        {"shutdown", Offline},
        {"connecting-to-device", Waiting},
        {"output-area-full", OutputBinFull},
        {"toner-low", TonerLow},
        {"marker-supply-low", TonerLow},
        // Nothing names an empty supply, so it shows as the supply running low.
        {"toner-empty", TonerLow | NoToner},
        {"marker-supply-empty", TonerLow | NoToner},
        {"door-open", DoorOpen},
        {"cover-open", DoorOpen},
        {"interlock-open", DoorOpen},
        {"spool-area-full", OutOfMemory},
        {"deactivated", NotAvailable},
        {"cups-missing-filter", Error},
    };
    for (const auto &[name, bits] : table) {
        if (keyword == QLatin1String(name))
            return bits;
    }
    return 0;
}

} // namespace

QString Text(quint32 status)
{
    for (int bit = 0; bit < 32; ++bit) {
        if (status & (1u << bit)) {
            if (const char *text = BitText(bit))
                return QString::fromUtf8(text);
        }
    }
    return QStringLiteral("準備完了");
}

quint32 FromCups(int printerState, const QStringList &reasons)
{
    quint32 status = 0;
    if (printerState == 4)
        status |= Printing;
    else if (printerState == 5)
        status |= Paused;
    for (const QString &reason : reasons) {
        bool isError = false;
        const quint32 bits = ReasonBits(Keyword(reason, &isError));
        status |= bits ? bits : (isError ? quint32(Error) : 0u);
    }
    return status;
}

} // namespace PrinterStatus

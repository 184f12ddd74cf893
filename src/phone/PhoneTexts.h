#pragma once

#include <QString>

// Fixed texts of the phone connection messages (caption "携帯電話接続").
namespace PhoneTexts {
inline QString Caption()
{
    return QStringLiteral("携帯電話接続");
}
inline QString NoPhone()
{
    return QStringLiteral("携帯電話が接続されていません。\nKDDI向けの携帯電話はファイルメニューのメモリーカー"
                          "ドあるいはメモリーカー"
                          "ドアイコンを選択してください。\n");
}
// The configured "SerialPort" names a port that leads to no phone.
inline QString PortMissing(const QString &portName)
{
    return portName + QStringLiteral(" ポートに携帯電話が接続されていません。\n"
                                     "ポートが異なる場合は、オプション設定のシリアルポートを\n"
                                     "正しいポートに変更するか、「自動取得」に設定してください。");
}
inline QString ConnectFailed()
{
    return QStringLiteral("携帯電話との接続に失敗しました\n");
}
inline QString ConnectStopped()
{
    return QStringLiteral("携帯電話との接続を中断しました\n");
}
inline QString NameCardListFailed()
{
    return QStringLiteral("名刺データの取得に失敗しました\n");
}
inline QString DeleteQuestion()
{
    return QStringLiteral("選択されたデータを携帯電話から削除します。よろしいですか？\n");
}
} // namespace PhoneTexts

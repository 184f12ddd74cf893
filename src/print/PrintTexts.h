#pragma once

#include <QString>

// The messages of printing, shown with the caption "印刷".
namespace PrintTexts {

inline QString Caption()
{
    return QStringLiteral("印刷");
}
inline QString NoMarkedCard()
{
    return QStringLiteral(
        "印刷対象となる名刺データがありません。\n印刷したい名刺データにチェックをつけてください。\n");
}
inline QString NoPrinter()
{
    return QStringLiteral("プリンタがインストールされていないため、印刷することができません。\n");
}
inline QString PrinterInfoFailed()
{
    return QStringLiteral("プリンタ情報の取得に失敗しました。\n");
}
inline QString MarginTooLarge()
{
    return QStringLiteral("用紙サイズに対して余白の値が大きすぎます。");
}

} // namespace PrintTexts

#pragma once

#include <QColor>
#include <QString>

// The values the options dialog edits (settings section "Option").
struct OptionRecord
{
    static constexpr int CustomSkinColor = 7; // SkinColorType of a user-chosen colour

    bool opening = false; // true = do not show the splash window
    bool autoYomi = true; // fill readings automatically
    bool mailCompany = false;
    bool mailDepartment = false;
    bool mailName = false;
    QString mailHonorific = QStringLiteral("様");
    bool separateAddress = false;
    bool separateName = false;
    bool exportNameCompany = false;
    bool exportNameDate = false;
    bool skipCheckFixedData = true;
    int serialPort = 0;        // 0 = automatic, n = the n-th port of the port table
    int thumbnailSizeType = 1; // 0 small, 1 medium, 2 large
    int skinColorType = 0;     // 0..6 preset, 7 custom
    QColor skinColor{0, 0, 0}; // the custom colour
    // 地図検索: empty = Google Maps' search page; otherwise the address of a service that
    // takes REF and ADDR (EUC-JP) parameters. Key "MapSearchService", not on the page.
    QString mapSearchService;
    // The options dialog's "接続確認画面を表示しない" box: not a key of its own but
    // all of the ShowConnectConf flags (see CSettings::SetConnectConfHidden).
    bool hideConnectConf = false;

    // Thumbnail width and height in pixels for a size type: 50, 100 or 150
    // (100 for an unknown type).
    static int ThumbnailPixels(int sizeType);
    int ThumbnailPixels() const { return ThumbnailPixels(thumbnailSizeType); }

    // The colour a theme stands for: its preset, or skinColor for any other type.
    QColor SkinColorFor(int colorType) const;
    QColor SkinColorValue() const { return SkinColorFor(skinColorType); }

    bool operator==(const OptionRecord &other) const = default;
};

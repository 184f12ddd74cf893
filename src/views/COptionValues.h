#pragma once

#include <QColor>
#include <QString>

// The option values the views read and the options dialog edits (settings
// section "Option"); the application copies them to and from its settings.
struct COptionValues
{
    bool opening = false; // true = do not show the splash window
    bool autoYomi = true;
    bool mailCompany = false;
    bool mailDepartment = false;
    bool mailName = false;
    QString mailHonorific = QStringLiteral("様");
    bool separateAddress = false;
    bool separateName = false;
    bool exportNameCompany = false;
    bool exportNameDate = false;
    bool skipCheckFixedData = true;
    int serialPort = 0; // 0 = automatic, n = COMn
    bool hideConnectConf = false;
    int thumbnailSizeType = 1; // 0 small, 1 medium, 2 large
    int skinColorType = 0;
    QColor skinColor{0, 0, 0}; // the custom colour for a type outside the presets

    // Thumbnail side in pixels; an unknown type counts as medium.
    static int ThumbnailPixels(int sizeType)
    {
        switch (sizeType) {
        case 0:
            return 50;
        case 2:
            return 150;
        default:
            return 100;
        }
    }

    // The colour a theme stands for: one of the seven presets, or the custom colour.
    QColor SkinColorFor(int colorType) const
    {
        static const QColor presets[7] = {{170, 202, 251}, {177, 196, 197}, {200, 186, 209}, {252, 167, 180},
                                          {244, 185, 96},  {209, 214, 33},  {147, 236, 104}};
        return colorType >= 0 && colorType < 7 ? presets[colorType] : skinColor;
    }

    bool operator==(const COptionValues &) const = default;
};

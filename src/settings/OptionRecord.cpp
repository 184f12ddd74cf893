#include "OptionRecord.h"

int OptionRecord::ThumbnailPixels(int sizeType)
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

QColor OptionRecord::SkinColorFor(int colorType) const
{
    static const int presets[7][3] = {
        {170, 202, 251}, // blue
        {177, 196, 197}, // grey
        {200, 186, 209}, // violet
        {252, 167, 180}, // pink
        {244, 185, 96},  // orange
        {209, 214, 33},  // yellow
        {147, 236, 104}, // green
    };
    if (colorType < 0 || colorType >= CustomSkinColor)
        return skinColor;
    const int *c = presets[colorType];
    return QColor(c[0], c[1], c[2]);
}

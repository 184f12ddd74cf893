#pragma once

#include <QString>

// One card image to turn into a thumbnail; a copy travels to the worker thread.
struct ThumbnailRequest
{
    QString id;       // card Id
    QString path;     // the card image file
    int rotation = 0; // quarter turns, 0–3
};

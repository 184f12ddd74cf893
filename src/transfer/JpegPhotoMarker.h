#pragma once

#include <QByteArray>
#include <QString>

// Phones mark the pictures of business-card entries with a JPEG comment
// holding "photo"; entries without one are ordinary phone-book entries.
class JpegPhotoMarker
{
public:
    static bool HasPhotoComment(const QByteArray &jpeg);
    static bool FileHasPhotoComment(const QString &path);
};

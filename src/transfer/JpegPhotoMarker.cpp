#include "JpegPhotoMarker.h"

#include <QFile>

bool JpegPhotoMarker::HasPhotoComment(const QByteArray &jpeg)
{
    const auto byteAt = [&jpeg](qsizetype at) { return quint8(jpeg[at]); };
    qsizetype at = 0;
    while (at + 1 < jpeg.size()) {
        if (byteAt(at) != 0xFF)
            return false;
        const quint8 marker = byteAt(at + 1);
        if (marker == 0xD8) { // start of image
            at += 2;
            continue;
        }
        if (marker == 0xD9 || at + 3 >= jpeg.size()) // end of image, or no room for a length
            return false;
        const qsizetype length = (qsizetype(byteAt(at + 2)) << 8) | byteAt(at + 3);
        if (length < 2)
            return false;
        if (marker == 0xFE) {
            const QByteArray comment = jpeg.mid(at + 4, length - 2);
            return comment.contains("photo");
        }
        at += 2 + length;
    }
    return false;
}

bool JpegPhotoMarker::FileHasPhotoComment(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return HasPhotoComment(file.readAll());
}

#include "JpegPhotoMarker.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

TEST(JpegPhotoMarker, FirstCommentDecides)
{
    EXPECT_TRUE(JpegPhotoMarker::HasPhotoComment(QByteArray::fromHex("FFD8FFFE0007"
                                                                     "70686F746F"
                                                                     "FFD9")));
    // An APP0 segment before the comment is skipped by its length.
    EXPECT_TRUE(
        JpegPhotoMarker::HasPhotoComment(QByteArray::fromHex("FFD8FFE000047068FFFE00087870686F746F")));
    // Only the first comment counts.
    EXPECT_FALSE(JpegPhotoMarker::HasPhotoComment(QByteArray::fromHex("FFD8FFFE00046162FFFE000770686F746F")));
    // "photo" inside another segment does not count; EOI ends the walk.
    EXPECT_FALSE(JpegPhotoMarker::HasPhotoComment(QByteArray::fromHex("FFD8FFE1000770686F746FFFD9")));
    EXPECT_FALSE(JpegPhotoMarker::HasPhotoComment(QByteArray::fromHex("FFD8FFD9FFFE000770686F746F")));
    EXPECT_FALSE(JpegPhotoMarker::HasPhotoComment(QByteArray("photo")));
}

TEST(JpegPhotoMarker, SurvivesTruncatedAndRandomInput)
{
    const QByteArray good = QByteArray::fromHex("FFD8FFE000047068FFFE00087870686F746F");
    for (qsizetype n = 0; n < good.size(); ++n)
        EXPECT_FALSE(JpegPhotoMarker::HasPhotoComment(good.left(n))) << n;
    // A length running past the end keeps only what is there.
    EXPECT_FALSE(JpegPhotoMarker::HasPhotoComment(QByteArray::fromHex("FFD8FFFEFFFF7068")));
    EXPECT_FALSE(JpegPhotoMarker::HasPhotoComment(QByteArray::fromHex("FFD8FFFE0001")));
    QRandomGenerator random(7);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes(int(random.bounded(64)), '\0');
        for (char &b : bytes)
            b = char(random.bounded(256));
        if (round % 2)
            bytes.prepend(QByteArray::fromHex("FFD8"));
        JpegPhotoMarker::HasPhotoComment(bytes); // must simply return
    }
}

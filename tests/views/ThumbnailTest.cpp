#include "CCardData.h"
#include "CThumbnailCache.h"
#include "CThumbnailWorker.h"
#include "TempDir.h"
#include "TestStore.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// A 40 × 20 picture: left half red, right half blue.
QString WritePicture(const TempDir &dir, const QString &name, int w = 40, int h = 20)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w / 2; ++x)
            image.setPixelColor(x, y, Qt::red);
    const QString path = dir.File(name);
    image.save(path, "PNG");
    return path;
}
} // namespace

TEST(ThumbnailWorker, SmallPictureIsCentredOnWhiteNotEnlarged)
{
    TempDir dir;
    const QImage t = CThumbnailWorker::MakeThumbnail(WritePicture(dir, "a.png"), 0, QSize(100, 100));
    ASSERT_EQ(t.size(), QSize(100, 100));
    EXPECT_EQ(t.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(t.pixelColor(35, 45), QColor(Qt::red)); // 40 × 20 placed at (30, 40)
    EXPECT_EQ(t.pixelColor(65, 45), QColor(Qt::blue));
    EXPECT_EQ(t.pixelColor(50, 35), QColor(Qt::white));
}

TEST(ThumbnailWorker, LargePictureIsScaledToFitAndTurned)
{
    TempDir dir;
    const QString path = WritePicture(dir, "b.png", 400, 200);
    const QImage flat = CThumbnailWorker::MakeThumbnail(path, 0, QSize(100, 100));
    EXPECT_EQ(flat.pixelColor(50, 20), QColor(Qt::white)); // 100 × 50 band in the middle
    EXPECT_EQ(flat.pixelColor(10, 50).red(), 255);
    // One quarter turn clockwise: the red left half ends up on top.
    const QImage turned = CThumbnailWorker::MakeThumbnail(path, 1, QSize(100, 100));
    ASSERT_EQ(turned.size(), QSize(100, 100));
    EXPECT_EQ(turned.pixelColor(50, 10).red(), 255);
    EXPECT_EQ(turned.pixelColor(50, 90).blue(), 255);
    EXPECT_EQ(turned.pixelColor(10, 50), QColor(Qt::white));
}

TEST(ThumbnailWorker, UnreadableFilesGiveNoPicture)
{
    TempDir dir;
    EXPECT_TRUE(CThumbnailWorker::MakeThumbnail(dir.File("missing.png"), 0, QSize(50, 50)).isNull());
    TempDir::WriteAll(dir.File("junk.ovi"), QByteArray("not a picture at all"));
    EXPECT_TRUE(CThumbnailWorker::MakeThumbnail(dir.File("junk.ovi"), 0, QSize(50, 50)).isNull());
    TempDir::WriteAll(dir.File("empty.ovi"), QByteArray());
    EXPECT_TRUE(CThumbnailWorker::MakeThumbnail(dir.File("empty.ovi"), 2, QSize(50, 50)).isNull());
}

TEST(ThumbnailCache, MissingImageCostsNoWorkAndStaleResultsAreIgnored)
{
    TestStore source;
    CCardData *withImage = source.Add(QStringLiteral("A"));
    CCardData *without = source.Add(QStringLiteral("B"));
    CCardData *junk = source.Add(QStringLiteral("C"));
    const QImage picture = QImage(WritePicture(source.dir, QStringLiteral("a.png")));
    ASSERT_TRUE(
        picture.save(source.store.Images().PathOf(withImage->Id(), CCardImageFiles::CardImage), "PNG"));
    TempDir::WriteAll(source.store.Images().PathOf(junk->Id(), CCardImageFiles::CardImage), "junk");

    CThumbnailCache cache;
    cache.SetPauseMs(0);
    cache.Prepare(&source.store, 0, 13);
    const int first = cache.Generation();
    EXPECT_EQ(cache.PositionOf(without->Id()), CThumbnailCache::NoImage);
    EXPECT_EQ(cache.PositionOf(withImage->Id()), CThumbnailCache::Preparing);

    // Switching the tab before the results arrive: the old batch's answers change nothing.
    cache.Prepare(&source.store, 0, 11);
    EXPECT_GT(cache.Generation(), first);
    QImage fake(100, 100, QImage::Format_RGB32);
    fake.fill(Qt::green);
    cache.OnReady(first, 0, fake);
    cache.OnFailed(first, 1);
    EXPECT_EQ(cache.PositionOf(withImage->Id()), CThumbnailCache::Preparing);

    QSignalSpy changed(&cache, &CThumbnailCache::ThumbnailChanged);
    ASSERT_TRUE(changed.wait(5000));
    while (changed.size() < 2)
        ASSERT_TRUE(changed.wait(5000));
    EXPECT_GE(cache.PositionOf(withImage->Id()), CThumbnailCache::FirstPicture);
    EXPECT_EQ(cache.PositionOf(junk->Id()), CThumbnailCache::Unreadable);
    EXPECT_EQ(cache.Picture(withImage).size(), QSize(100, 100));
}

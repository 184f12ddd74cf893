#include "CCardImageView.h"
#include "CCardStore.h"
#include "CImageFrame.h"
#include "EditMessageRecorder.h"
#include "TempDir.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

class ImageViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(store.CreateNew(dir.File(QStringLiteral("cards.ovd"))));
        CCardData card;
        card.SetName(QStringLiteral("Yamada"));
        stored = store.AddCard(card);
        ASSERT_NE(stored, nullptr);
        view = std::make_unique<CCardImageView>(&store, &messages);
        view->resize(300, 200);
    }

    QString PathOf(int picture) const { return store.Images().PathOf(stored->Id(), picture); }

    // Picture files keep the original bytes under the ".ovi" name; the format comes from the content.
    void WritePicture(int picture, int width, int height, Qt::GlobalColor color = Qt::red)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(color);
        ASSERT_TRUE(image.save(PathOf(picture), "PNG"));
    }

    TempDir dir;
    CCardStore store;
    CCardData *stored = nullptr;
    EditMessageRecorder messages;
    std::unique_ptr<CCardImageView> view;
};

} // namespace

TEST_F(ImageViewTest, ZoomInGoesToTheNextMultipleOfTen)
{
    WritePicture(CCardImageView::CardImage, 200, 100);
    view->ShowCard(stored);
    ASSERT_TRUE(view->IsLoaded());
    ASSERT_TRUE(view->SetZoom(95));
    view->ZoomInStep();
    EXPECT_EQ(view->Zoom(), 100);
    view->ZoomInStep();
    EXPECT_EQ(view->Zoom(), 110);
    view->ZoomOutStep();
    EXPECT_EQ(view->Zoom(), 100);
}

TEST_F(ImageViewTest, ZoomStopsAtTheTwentyPixelFloorAndTheUpperLimit)
{
    WritePicture(CCardImageView::CardImage, 30, 30);
    view->ShowCard(stored);
    ASSERT_TRUE(view->SetZoom(70)); // 21 pixels
    view->ZoomOutStep();            // 60 percent would give 18 pixels
    EXPECT_EQ(view->Zoom(), 70);
    EXPECT_FALSE(view->SetZoom(66));
    EXPECT_TRUE(view->SetZoom(13333)); // 3999 pixels
    EXPECT_FALSE(view->SetZoom(13400));
    EXPECT_EQ(view->Zoom(), 13333);
}

TEST_F(ImageViewTest, CommandsNeedALoadedPicture)
{
    view->ShowCard(stored);
    EXPECT_FALSE(view->IsLoaded());
    EXPECT_FALSE(view->Action(CCardImageView::ZoomIn)->isEnabled());
    EXPECT_FALSE(view->Action(CCardImageView::DeletePicture)->isEnabled());
    EXPECT_TRUE(view->Action(CCardImageView::AddOrChange)->isEnabled());
    EXPECT_FALSE(view->Action(CCardImageView::SwapPictures)->isEnabled()); // nothing to swap
    EXPECT_FALSE(view->SetZoom(100));

    // A file that is not a picture shows nothing.
    ASSERT_TRUE(TempDir::WriteAll(PathOf(CCardImageView::CardImage), QByteArray(500, 'x')));
    view->ShowCard(nullptr);
    view->ShowCard(stored);
    EXPECT_FALSE(view->IsLoaded());
}

// Adding needs a card; swapping needs a card with at least one picture file.
TEST_F(ImageViewTest, ImageCommandsFollowTheCardAndItsFiles)
{
    view->ShowCard(nullptr);
    EXPECT_FALSE(view->Action(CCardImageView::AddOrChange)->isEnabled());
    EXPECT_FALSE(view->Action(CCardImageView::SwapPictures)->isEnabled());
    WritePicture(CCardImageView::PersonPhoto, 40, 20);
    view->ShowCard(stored); // the card image is shown, and it has none: the photo can still swap
    EXPECT_FALSE(view->IsLoaded());
    EXPECT_TRUE(view->Action(CCardImageView::AddOrChange)->isEnabled());
    EXPECT_TRUE(view->Action(CCardImageView::SwapPictures)->isEnabled());
    view->Swap();
    EXPECT_TRUE(view->IsLoaded());
    messages.answer = QMessageBox::Yes;
    view->Delete();
    EXPECT_FALSE(view->Action(CCardImageView::SwapPictures)->isEnabled());
    EXPECT_FALSE(view->Action(CCardImageView::DeletePicture)->isEnabled());
}

TEST_F(ImageViewTest, ResetShowsTheCardImageAtItsStartingZoom)
{
    WritePicture(CCardImageView::CardImage, 100, 50);
    WritePicture(CCardImageView::PersonPhoto, 40, 20);
    CImageFrame frame(view.release());
    CCardImageView *shown = frame.View();
    shown->ShowCard(stored);
    shown->ShowPicture(CCardImageView::PersonPhoto);
    ASSERT_TRUE(shown->SetZoom(250));
    frame.SetToolBarPos(3);
    frame.ResetView();
    EXPECT_EQ(shown->ShownPicture(), CCardImageView::CardImage);
    EXPECT_TRUE(shown->Action(CCardImageView::ShowCardImage)->isChecked());
    EXPECT_EQ(shown->Zoom(), 100);
    EXPECT_EQ(frame.ToolBarPos(), 0);
}

TEST_F(ImageViewTest, RotationIsStoredInThePicturesNibble)
{
    WritePicture(CCardImageView::PersonPhoto, 40, 20);
    view->ShowPicture(CCardImageView::PersonPhoto);
    view->ShowCard(stored);
    ASSERT_TRUE(view->IsLoaded());
    // The list's thumbnail follows the store's notice of the change.
    QSignalSpy replaced(&store, &CCardStore::CardReplaced);
    view->RotateQuarter();
    EXPECT_EQ(view->Rotation(), 1);
    EXPECT_EQ(stored->ImageRotationOf(1), 1);
    EXPECT_EQ(stored->ImageRotationOf(0), 0); // untouched slot still reads as no turn
    EXPECT_EQ((stored->ImageRotation() >> 4) & 0xF, 1);
    EXPECT_EQ(replaced.size(), 1);
    for (int i = 0; i < 3; ++i)
        view->RotateQuarter();
    EXPECT_EQ(stored->ImageRotationOf(1), 0);

    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(store.Path()));
    EXPECT_EQ((reopened.CardAt(0)->ImageRotation() >> 4) & 0xF, 0);
}

TEST_F(ImageViewTest, SwapWithOnlyAPhotoMakesItTheCardImage)
{
    WritePicture(CCardImageView::PersonPhoto, 40, 20);
    const QByteArray photo = TempDir::ReadAll(PathOf(CCardImageView::PersonPhoto));
    view->ShowCard(stored);
    EXPECT_FALSE(view->IsLoaded());
    view->Swap();
    EXPECT_EQ(TempDir::ReadAll(PathOf(CCardImageView::CardImage)), photo);
    EXPECT_FALSE(QFile::exists(PathOf(CCardImageView::PersonPhoto)));
    EXPECT_TRUE(view->IsLoaded());
}

TEST_F(ImageViewTest, SwapWithBothExchangesFilesAndTheirTurns)
{
    WritePicture(CCardImageView::CardImage, 40, 20, Qt::red);
    WritePicture(CCardImageView::PersonPhoto, 20, 40, Qt::blue);
    const QByteArray card = TempDir::ReadAll(PathOf(CCardImageView::CardImage));
    const QByteArray photo = TempDir::ReadAll(PathOf(CCardImageView::PersonPhoto));
    view->ShowCard(stored);
    view->RotateQuarter(); // the card image is turned once
    view->Swap();
    EXPECT_EQ(TempDir::ReadAll(PathOf(CCardImageView::CardImage)), photo);
    EXPECT_EQ(TempDir::ReadAll(PathOf(CCardImageView::PersonPhoto)), card);
    EXPECT_EQ(stored->ImageRotationOf(0), 0);
    EXPECT_EQ(stored->ImageRotationOf(1), 1);
}

TEST_F(ImageViewTest, ChangingAnExistingPictureAsksFirst)
{
    WritePicture(CCardImageView::CardImage, 40, 20);
    const QByteArray old = TempDir::ReadAll(PathOf(CCardImageView::CardImage));
    const QString source = dir.File(QStringLiteral("new.jpg"));
    QImage image(50, 30, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(source, "JPEG"));
    view->ShowCard(stored);

    messages.answer = QMessageBox::No;
    view->ReplaceWith(source);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("画像を変更してもよろしいですか？"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("画像変更"));
    EXPECT_EQ(messages.shown[0].icon, QMessageBox::Question);
    EXPECT_EQ(TempDir::ReadAll(PathOf(CCardImageView::CardImage)), old);

    messages.answer = QMessageBox::Yes;
    view->ReplaceWith(source);
    EXPECT_EQ(TempDir::ReadAll(PathOf(CCardImageView::CardImage)), TempDir::ReadAll(source));
    EXPECT_TRUE(view->IsLoaded());

    // A source that cannot be copied leaves the picture as it was.
    const QByteArray current = TempDir::ReadAll(PathOf(CCardImageView::CardImage));
    view->ReplaceWith(dir.File(QStringLiteral("missing.png")));
    EXPECT_EQ(TempDir::ReadAll(PathOf(CCardImageView::CardImage)), current);
}

TEST_F(ImageViewTest, AddingAPictureWithoutACardStoresACardFirst)
{
    const QString source = dir.File(QStringLiteral("p.png"));
    QImage image(50, 30, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(source, "PNG"));
    view->ShowCard(nullptr);
    CCardData *announced = nullptr;
    QObject::connect(view.get(), &CCardImageView::CardCreated, [&](CCardData *card) { announced = card; });
    view->ReplaceWith(source);
    ASSERT_NE(announced, nullptr);
    EXPECT_EQ(store.LiveCount(), 2);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(store.Images().Exists(announced->Id(), CCardImageFiles::CardImage));
}

TEST_F(ImageViewTest, DeleteAsksWithNoPreselected)
{
    WritePicture(CCardImageView::CardImage, 40, 20);
    view->ShowCard(stored);
    messages.answer = QMessageBox::No;
    view->Delete();
    EXPECT_TRUE(QFile::exists(PathOf(CCardImageView::CardImage)));
    messages.answer = QMessageBox::Yes;
    view->Delete();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[1].text, QStringLiteral("この画像を削除してもよろしいですか？"));
    EXPECT_EQ(messages.shown[1].caption, QStringLiteral("画像削除"));
    EXPECT_EQ(messages.shown[1].icon, QMessageBox::Warning);
    EXPECT_EQ(messages.shown[1].defaultButton, QMessageBox::No);
    EXPECT_FALSE(QFile::exists(PathOf(CCardImageView::CardImage)));
    EXPECT_FALSE(view->IsLoaded());
}

TEST(ImageFrameTest, ToolBarSideRoundTripsAndUnknownSidesGoToTheTop)
{
    TempDir dir;
    CCardStore store;
    EditMessageRecorder messages;
    CImageFrame frame(new CCardImageView(&store, &messages));
    EXPECT_EQ(frame.ToolBarPos(), 0);
    for (int pos : {3, 1, 2, 0}) {
        frame.SetToolBarPos(pos);
        EXPECT_EQ(frame.ToolBarPos(), pos);
    }
    frame.SetToolBarPos(9);
    EXPECT_EQ(frame.ToolBarPos(), 0);
    EXPECT_EQ(frame.ToolBar()->actions().size(), 6);
}

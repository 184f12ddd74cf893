#pragma once

#include <QImage>
#include <QScrollArea>
#include <functional>

class CCardData;
class CCardStore;
class IMessageBox;
class QAction;
class QLabel;

// The image pane ("画像表示画面"): the card image or the person photo of the
// focused card, zoomed and turned; replaces, swaps and deletes the picture files.
//
// Wiring: call ShowCard with the list's focused card; put Actions() into the
// 表示/編集 menus. It follows the store's signals for the card it shows; the
// picture files and turns are changed through the store. CardCreated says a
// picture given with no card shown made a new card (the list may select it).
class CCardImageView : public QScrollArea
{
    Q_OBJECT
public:
    enum Picture
    {
        CardImage = 0,
        PersonPhoto = 1
    };
    enum Command
    {
        ShowCardImage,
        ShowPersonPhoto,
        ZoomIn,
        ZoomOut,
        FitWhole,
        Rotate,
        SwapPictures,
        AddOrChange,
        DeletePicture,
        CommandCount
    };
    static constexpr int MinSide = 20;
    static constexpr int MaxSide = 4000;

    CCardImageView(CCardStore *store, IMessageBox *messages, QWidget *parent = nullptr);

    // The stored card to show (null for none); the shown picture stays the same kind.
    void ShowCard(CCardData *card);
    void ShowPicture(int picture);
    // Back to the card image at its starting zoom (表示状態初期化).
    void ResetView();
    QAction *Action(Command command) const { return m_actions[command]; }
    QList<QAction *> Actions() const;

    // Zoom to an exact percentage; refused (false) when a side would leave 20–4000 pixels.
    bool SetZoom(int percent);
    void ZoomInStep();
    void ZoomOutStep();
    void Fit();
    void RotateQuarter();
    void Swap();
    // Stores the given file as the shown picture, asking first when one exists.
    void ReplaceWith(const QString &source);
    void Delete();

    int Zoom() const { return m_zoom; }
    int Rotation() const { return m_rotation; }
    int ShownPicture() const { return m_picture; }
    bool IsLoaded() const { return !m_image.isNull(); }
    QString PicturePath(int picture) const;
    // Tests replace the file dialog.
    void SetFileChooser(std::function<QString()> chooser) { m_choose = std::move(chooser); }

signals:
    void CardCreated(CCardData *card);

private:
    void FollowStore();
    void ShowStoreError(const QString &caption);
    void Load();
    void Redraw();
    void UpdateActions();
    QSize TurnedSize() const;
    bool EnsureStored();

    CCardStore *m_store;
    IMessageBox *m_messages;
    CCardData *m_card = nullptr;
    QString m_cardId;
    int m_picture = CardImage;
    int m_zoom = 100;
    int m_rotation = 0;
    QImage m_image;
    QLabel *m_label;
    QAction *m_actions[CommandCount];
    std::function<QString()> m_choose;
};

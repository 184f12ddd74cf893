#pragma once

#include <QString>

// The two picture files of every card in the image folder beside the
// management file: the card image "Card_<Id>.ovi" and the person photo
// "Photo_<Id>.ovi", byte-for-byte copies of the files the user chose. Every
// change is made so that a failure leaves the old pictures in place.
class CCardImageFiles
{
public:
    enum Picture
    {
        CardImage = 0,
        PersonPhoto = 1
    };

    explicit CCardImageFiles(const QString &folder);

    // The file name of a picture; empty for a card without an Id.
    static QString FileName(const QString &id, int picture);
    QString Folder() const { return m_folder; }
    // The full path of a picture; empty for a card without an Id.
    QString PathOf(const QString &id, int picture) const;
    bool Exists(const QString &id, int picture) const;

    // Copies source over the picture: beside it first, then renamed over it.
    bool Replace(const QString &id, int picture, const QString &source) const;
    // False when the picture exists and could not be removed.
    bool Remove(const QString &id, int picture) const;
    // The card image becomes the person photo and the other way round.
    bool Swap(const QString &id) const;

    // A card's deletion in two steps around writing it: Park moves both
    // pictures aside, then Drop removes them once the deletion is in the file,
    // or Unpark puts them back when it is not.
    bool Park(const QString &id) const;
    bool Unpark(const QString &id) const;
    void Drop(const QString &id) const;

    // A merge gives a card the picture of a card whose pictures are parked:
    // Adopt sets the card's own picture aside and copies the parked one in (the
    // card has none afterwards when that card had none); then KeepAdopted
    // removes the set-aside picture once the merge is in the file, or Unadopt
    // puts it back when it is not.
    bool Adopt(const QString &id, int picture, const QString &parkedId) const;
    bool Unadopt(const QString &id, int picture) const;
    void KeepAdopted(const QString &id, int picture) const;

private:
    QString ParkedPath(const QString &id, int picture) const;
    QString AsidePath(const QString &id, int picture) const;

    QString m_folder;
};

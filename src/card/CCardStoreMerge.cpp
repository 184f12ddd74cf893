#include "CCardFileWriter.h"
#include "CCardStore.h"

#include <QSet>

// The merge of several cards into one, apart from the store's other changes:
// one written batch (the main card's new version and the others' deaths), with
// the picture files moved around it so that a refused batch leaves them too.

bool CCardStore::MergeCards(const Merge &merge)
{
    if (!m_usable)
        return Fail(StoreError::NoFile);
    if (!IsStored(merge.main) || !Indexable(merge.data) || merge.others.isEmpty())
        return Fail(StoreError::WriteFailed);
    QSet<const CCardData *> group{merge.main};
    for (const CCardData *other : merge.others) {
        if (!IsStored(other) || group.contains(other))
            return Fail(StoreError::WriteFailed);
        group.insert(other);
    }
    const CCardData *sources[] = {merge.cardImageFrom, merge.photoFrom};
    for (const CCardData *source : sources) {
        if (source && !group.contains(source))
            return Fail(StoreError::WriteFailed);
    }

    // Ids, not pointers: a refused commit reads the file again and replaces every card.
    const QString mainId = merge.main->Id();
    QStringList parked;
    QList<int> adopted;
    const CCardImageFiles images = Images();
    const auto putPicturesBack = [&] {
        for (int picture : std::as_const(adopted))
            images.Unadopt(mainId, picture);
        for (const QString &id : std::as_const(parked))
            images.Unpark(id);
    };
    for (const CCardData *other : merge.others) {
        if (!images.Park(other->Id())) {
            putPicturesBack();
            return Fail(StoreError::ImageFiles);
        }
        parked << other->Id();
    }
    for (int picture : {CCardImageFiles::CardImage, CCardImageFiles::PersonPhoto}) {
        const CCardData *source = sources[picture];
        if (!source || source == merge.main)
            continue;
        if (!images.Adopt(mainId, picture, source->Id())) {
            putPicturesBack();
            return Fail(StoreError::ImageFiles);
        }
        adopted << picture;
    }

    CCardData version(merge.data);
    version.Stamp();
    version.SetId(mainId);
    std::unique_ptr<CCardFileWriter> writer = OpenWriter();
    const RecordPlace old = RecordOf(merge.main);
    RecordPlace record;
    bool ok =
        writer && WriteVersion(version, old.offset, old.length, *writer, &record.offset, &record.length);
    for (const CCardData *other : merge.others)
        ok = ok && (RecordOf(other).offset <= 0 || writer->MarkDead(RecordOf(other).offset));
    if (ok) {
        ok = CommitWriter(*writer);
    } else if (writer) {
        Abandon(*writer);
    }
    if (!ok) {
        SettlePictures(parked, mainId, adopted);
        return false;
    }

    for (const QString &id : std::as_const(parked))
        images.Drop(id);
    for (int picture : std::as_const(adopted))
        images.KeepAdopted(mainId, picture);
    Apply(merge.main, std::move(version), record);
    for (CCardData *other : merge.others) {
        Forget(other);
        if (Notifying())
            emit CardDeleted(other);
    }
    if (!adopted.isEmpty() && Notifying())
        emit PicturesChanged(merge.main);
    m_error = StoreError::None;
    return true;
}

void CCardStore::SettlePictures(const QStringList &parked, const QString &mainId, const QList<int> &adopted)
{
    // Undone batches leave every card alive. On a disk that refused even the
    // undoing, the file may hold part of the merge: the main card's new version
    // is made durable before any other card is marked dead, so a card that is
    // gone is in the merged card, which then keeps the pictures chosen for it.
    // Whatever the file holds, no picture of a card that is still there is lost.
    QSet<QString> alive;
    const QSet<QString> wanted(parked.cbegin(), parked.cend());
    for (const auto &card : m_cards) {
        if (wanted.contains(card->Id()))
            alive.insert(card->Id());
    }
    bool landed = false;
    const CCardImageFiles images = Images();
    for (const QString &id : parked) {
        if (m_usable && !alive.contains(id)) {
            images.Drop(id);
            landed = true;
        } else {
            images.Unpark(id);
        }
    }
    for (int picture : adopted) {
        if (landed)
            images.KeepAdopted(mainId, picture);
        else
            images.Unadopt(mainId, picture);
    }
}

#pragma once

#include "CardExportContext.h"
#include "VCardForm.h"

#include <QByteArray>

class CCardData;

// Writes one card as one vCard (BEGIN…END) in either form.
//
// 3.0 is for other address books: N, FN, readings in full-width katakana
// (X-PHONETIC-*, SORT-STRING) and as SOUND, ORG, X-PHONETIC-ORG, TITLE, TEL and
// EMAIL with TYPE lists, ADR (LABEL when only the one-line address exists), URL,
// NOTE, BDAY, CATEGORIES (group and marked check items), REV, UID, and with photos
// the person photo as PHOTO and the card image as LOGO.
//
// 2.1 is the form this program's own import reads completely: no FN (so that the
// address is read by its parts and every phone kind is told apart), SOUND with the
// half-width readings, the company reading inside ORG as "<…>", and the memo with
// the marker block "OV-Original" carrying the print mark, the received date and the
// marked check items; with photos the card image and then the person photo as PHOTO.
class VCardCardWriter
{
public:
    VCardCardWriter(VCardForm form, bool photos, const CardExportContext &context);

    // Appends the card; false when a picture it should carry exists but cannot be read.
    bool Write(const CCardData &card, QByteArray &out) const;

    // The TYPE of a picture by its first bytes ("JPEG", "PNG", "GIF", "BMP"), or
    // null when it is none of them.
    static const char *PictureType(const QByteArray &bytes);

private:
    void Write30(const CCardData &card, QByteArray &out) const;
    void Write21(const CCardData &card, QByteArray &out) const;
    // The marker block of the 2.1 memo: print mark, marked items, received date.
    QStringList MarkerBlock(const CCardData &card) const;
    QStringList MarkedItems(const CCardData &card) const;
    bool WritePictures(const CCardData &card, QByteArray &out) const;

    VCardForm m_form;
    bool m_photos;
    CardExportContext m_context;
};

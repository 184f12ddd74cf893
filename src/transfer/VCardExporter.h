#pragma once

#include "CardExportContext.h"
#include "VCardForm.h"

#include <QList>
#include <QString>

class CCardData;

// Writes cards to vCard files: one file for many cards, or one file per card.
class VCardExporter
{
public:
    // photos: the card image and the person photo go with each card.
    VCardExporter(VCardForm form, bool photos, const CardExportContext &context);

    // The file is replaced only once it is complete: a failure leaves what was there.
    bool WriteFile(const QString &path, const QList<const CCardData *> &cards) const;
    // Name[-Company][-updated date].vcf per card, in order, distinct within the run
    // (as for CSV); stops at the first file that cannot be written (those before stay).
    bool WriteSeparately(const QString &folder, const QList<const CCardData *> &cards, bool nameCompany,
                         bool nameDate) const;

private:
    VCardForm m_form;
    bool m_photos;
    CardExportContext m_context;
};

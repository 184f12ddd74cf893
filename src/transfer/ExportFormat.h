#pragma once

#include "VCardForm.h"

// What an export writes: CSV through the column mapping, or vCard in one of its
// two forms, optionally with the card image and the person photo.
struct ExportFormat
{
    enum Kind
    {
        Csv,
        VCard30,
        VCard21
    };

    Kind kind = Csv;
    bool photos = false; // vCard only ("写真を含める")

    bool IsVCard() const { return kind != Csv; }
    VCardForm Form() const { return kind == VCard21 ? VCardForm::V21 : VCardForm::V30; }
    // The extension of the files written: "csv" or "vcf".
    const char *Extension() const { return IsVCard() ? "vcf" : "csv"; }
};

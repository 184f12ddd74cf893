#pragma once

#include "OverwriteAnswer.h"

#include <QString>

class CCardData;

// Asks the user whether a card of the same name is to be replaced. Called on
// the import worker thread; a window-based implementation must show its dialog
// on the user-interface thread and wait for it.
class IOverwriteConfirm
{
public:
    virtual ~IOverwriteConfirm() = default;
    // sourceName: file name, "電話帳", or empty for CSV rows.
    virtual OverwriteAnswer AskOverwrite(const CCardData &stored, const CCardData &incoming,
                                         const QString &sourceName) = 0;
};

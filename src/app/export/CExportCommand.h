#pragma once

#include "CardExportContext.h"
#include "ExportFormat.h"
#include "ExportMapping.h"

#include <QList>
#include <QString>
#include <functional>

class CCardData;
class IMessageBox;
class QWidget;

// The export commands: check that there is something to export, let the user
// choose the format, set the columns (CSV), ask for the file (or the folder for
// one file per card) and write; failures are told in a message.
class CExportCommand
{
public:
    // What the user is asked; a false or empty answer ends the command.
    struct Questions
    {
        // Not set: CSV, as before there was a choice.
        std::function<bool(ExportFormat &format)> chooseFormat;
        std::function<bool(ExportMapping &mapping)> editMapping;
        std::function<QString(const ExportFormat &format)> chooseFile;
        std::function<QString()> chooseFolder;
    };

    // separately: one file per card in a folder; nameCompany and nameDate shape those names.
    // true when files were written.
    static bool Run(const QList<const CCardData *> &cards, bool separately, const CardExportContext &context,
                    bool nameCompany, bool nameDate, IMessageBox &messages, QWidget *parent,
                    const Questions &ask);
};

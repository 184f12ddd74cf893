#include "CExportCommand.h"

#include "CardExporter.h"
#include "ShowUserMessage.h"
#include "VCardExporter.h"

#include <QDir>

bool CExportCommand::Run(const QList<const CCardData *> &cards, bool separately,
                         const CardExportContext &context, bool nameCompany, bool nameDate,
                         IMessageBox &messages, QWidget *parent, const Questions &ask)
{
    if (cards.isEmpty()) {
        ShowUserMessage(messages, parent, CardExporter::NothingToExportMessage());
        return false;
    }
    ExportFormat format;
    if (ask.chooseFormat && !ask.chooseFormat(format))
        return false;
    ExportMapping mapping = ExportMapping::Default();
    if (!format.IsVCard() && !ask.editMapping(mapping))
        return false;
    const QString target = separately ? ask.chooseFolder() : ask.chooseFile(format);
    if (target.isEmpty())
        return false;
    bool written = false;
    if (format.IsVCard()) {
        const VCardExporter exporter(format.Form(), format.photos, context);
        written = separately ? exporter.WriteSeparately(target, cards, nameCompany, nameDate)
                             : exporter.WriteFile(target, cards);
    } else {
        written = separately ? CardExporter::WriteSeparately(target, cards, mapping, context.checks,
                                                             nameCompany, nameDate)
                             : CardExporter::WriteFile(target, cards, mapping, context.checks);
    }
    ShowUserMessage(messages, parent,
                    written ? CardExporter::DoneMessage(int(cards.size()), QDir::toNativeSeparators(target))
                            : CardExporter::FailedMessage());
    return written;
}

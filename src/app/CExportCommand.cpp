#include "CExportCommand.h"

#include "CardExporter.h"
#include "ShowUserMessage.h"

bool CExportCommand::Run(const QList<const CCardData *> &cards, bool separately, const CheckListItems &checks,
                         bool nameCompany, bool nameDate, IMessageBox &messages, QWidget *parent,
                         const Questions &ask)
{
    if (cards.isEmpty()) {
        ShowUserMessage(messages, parent, CardExporter::NothingToExportMessage());
        return false;
    }
    ExportMapping mapping = ExportMapping::Default();
    if (!ask.editMapping(mapping))
        return false;
    bool written = false;
    if (separately) {
        const QString folder = ask.chooseFolder();
        if (folder.isEmpty())
            return false;
        written = CardExporter::WriteSeparately(folder, cards, mapping, checks, nameCompany, nameDate);
    } else {
        const QString path = ask.chooseFile();
        if (path.isEmpty())
            return false;
        written = CardExporter::WriteFile(path, cards, mapping, checks);
    }
    if (!written)
        ShowUserMessage(messages, parent, CardExporter::FailedMessage());
    return written;
}

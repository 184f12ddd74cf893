#include "CExportCommand.h"

#include "CardExporter.h"
#include "ShowUserMessage.h"

#include <QDir>

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
    QString target;
    if (separately) {
        target = ask.chooseFolder();
        if (target.isEmpty())
            return false;
        written = CardExporter::WriteSeparately(target, cards, mapping, checks, nameCompany, nameDate);
    } else {
        target = ask.chooseFile();
        if (target.isEmpty())
            return false;
        written = CardExporter::WriteFile(target, cards, mapping, checks);
    }
    ShowUserMessage(messages, parent,
                    written ? CardExporter::DoneMessage(int(cards.size()), QDir::toNativeSeparators(target))
                            : CardExporter::FailedMessage());
    return written;
}

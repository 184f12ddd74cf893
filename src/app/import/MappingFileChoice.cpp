#include "MappingFileChoice.h"

#include "IMessageBox.h"
#include "MappingFile.h"

bool SaveChosenMapping(QWidget *parent, IMessageBox &messages, const QString &caption,
                       const std::function<QString(bool save)> &choose, const QList<MappingEntry> &entries,
                       bool firstRowIsHeader)
{
    const QString path = choose(true);
    if (path.isEmpty())
        return false;
    if (SaveMapping(path, entries, firstRowIsHeader))
        return true;
    messages.Show(parent, MappingSaveFailedMessage(), caption, QMessageBox::Warning);
    return false;
}

bool LoadChosenMapping(QWidget *parent, IMessageBox &messages, const QString &caption,
                       const std::function<QString(bool save)> &choose, QList<MappingEntry> &entries,
                       bool &firstRowIsHeader)
{
    const QString path = choose(false);
    if (path.isEmpty())
        return false;
    if (LoadMapping(path, entries, firstRowIsHeader))
        return true;
    messages.Show(parent, MappingInvalidMessage(), caption, QMessageBox::Warning);
    return false;
}

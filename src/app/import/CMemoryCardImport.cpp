#include "CMemoryCardImport.h"

#include "CDropImport.h"
#include "CMemoryCard.h"
#include "ShowUserMessage.h"

#include <QApplication>

namespace {
// The wait cursor while the volumes are searched.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};
} // namespace

bool CMemoryCardImport::Run(QWidget *parent, CCardStore &store, const ImportOptions &options,
                            IMessageBox &messages, const FolderChooser &choose)
{
    if (ShowUserMessage(messages, parent, CMemoryCard::ConfirmMessage(),
                        QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return false;
    QStringList folders;
    {
        WaitCursor wait;
        CMemoryCard::FindCardFolders(folders);
    }
    if (folders.isEmpty()) {
        ShowUserMessage(messages, parent, CMemoryCard::NoFolderMessage());
        return false;
    }
    const int chosen = folders.size() == 1 ? 0 : choose(folders);
    if (chosen < 0 || chosen >= folders.size())
        return false;
    QStringList files;
    {
        WaitCursor wait;
        CMemoryCard::ListCardFiles(folders[chosen], files);
    }
    if (files.isEmpty()) {
        ShowUserMessage(messages, parent, CMemoryCard::NoFilesMessage());
        return false;
    }
    CDropImport::Run(parent, store, options, messages, files, QString::fromUtf8("メモリーカード"));
    return true;
}

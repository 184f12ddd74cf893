#include "CWindowOverwriteAsker.h"

#include "CFileOverwriteConfDlg.h"

#include <QApplication>
#include <QThread>

IOverwriteAsker::Answer CWindowOverwriteAsker::AskOverwrite(const QString &path, bool batch)
{
    Answer answer = No;
    auto ask = [&] {
        // Over the progress window when one is up, so the question is not hidden behind it.
        QWidget *parent = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : m_parent;
        CFileOverwriteConfDlg dialog(path, batch, parent);
        dialog.exec();
        switch (dialog.Result()) {
        case CFileOverwriteConfDlg::Yes:
            answer = Yes;
            break;
        case CFileOverwriteConfDlg::YesToAll:
            answer = YesToAll;
            break;
        case CFileOverwriteConfDlg::No:
            answer = No;
            break;
        case CFileOverwriteConfDlg::Cancel:
            // Closing a single question (which has no キャンセル) keeps the file.
            answer = batch ? Cancel : No;
            break;
        }
    };
    if (QThread::currentThread() == qApp->thread())
        ask();
    else
        QMetaObject::invokeMethod(qApp, ask, Qt::BlockingQueuedConnection);
    return answer;
}

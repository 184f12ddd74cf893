#include "CWindowOverwriteConfirm.h"

#include "COverwriteConfDlg.h"

#include <QApplication>

OverwriteAnswer CWindowOverwriteConfirm::AskOverwrite(const CCardData &stored, const CCardData &incoming,
                                                      const QString &sourceName)
{
    OverwriteAnswer answer = AnswerSkip;
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            COverwriteConfDlg dialog(stored, incoming, sourceName, m_parent);
            dialog.exec();
            answer = dialog.Answer();
        },
        Qt::BlockingQueuedConnection);
    return answer;
}

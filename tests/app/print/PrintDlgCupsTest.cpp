// Printing from the print dialog through the real CUPS server and its
// cups-pdf printer, which the test fixture "cups" prepares.
#include "../../print/PrintTestSupport.h"
#include "../../views/RecordingMessageBox.h"
#include "CCupsPrintSystem.h"
#include "CPrintDlg.h"
#include "CPrintingDialog.h"
#include "PrintSettings.h"
#include "TempDir.h"

#include <QDir>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <cups/cups.h>
#include <gtest/gtest.h>

namespace {

const QString Printer = QStringLiteral(TESSALY_CUPS_PRINTER);

// The newest job of that title on the test printer, 0 when there is none.
int JobIdOf(const QString &title, int *state = nullptr)
{
    cups_job_t *jobs = nullptr;
    const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, Printer.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    int id = 0;
    for (int i = 0; i < n; ++i) {
        if (QString::fromUtf8(jobs[i].title) == title && jobs[i].id > id) {
            id = jobs[i].id;
            if (state)
                *state = jobs[i].state;
        }
    }
    cupsFreeJobs(n, jobs);
    return id;
}

// The state the job ends in (7 cancelled, 8 aborted, 9 completed), 0 when it does not end.
int FinalState(const QString &title)
{
    int state = 0;
    const bool ended =
        QTest::qWaitFor([&] { return JobIdOf(title, &state) != 0 && state >= IPP_JSTATE_CANCELED; }, 60000);
    return ended ? state : 0;
}

class PrintDlgCups : public ::testing::Test
{
protected:
    void AddCards(int n)
    {
        for (int i = 0; i < n; ++i)
            cards.Add(QStringLiteral("山田 太郎%1").arg(i))
                .SetAddress(QStringLiteral("東京都千代田区%1").arg(i));
    }
    // A dialog on the test printer whose jobs carry a title of this test alone.
    std::unique_ptr<CPrintDlg> Dialog(const QString &name)
    {
        title = QStringLiteral("%1-%2").arg(name).arg(QCoreApplication::applicationPid());
        settings.PrinterName = Printer;
        auto d = std::make_unique<CPrintDlg>(settings, cards.Sequence(), &system, messages, title, QString());
        EXPECT_TRUE(d->Prepare());
        d->show();
        return d;
    }
    QString PdfOf(int job) const
    {
        const QDir out(QStringLiteral(TESSALY_CUPS_PDF_OUT));
        const QStringList found = out.entryList({QStringLiteral("*job_%1.pdf").arg(job)});
        return found.isEmpty() ? QString() : out.filePath(found.first());
    }

    CCupsPrintSystem system;
    RecordingMessageBox messages;
    PrintSettings settings = PrintSettings::Defaults();
    CardList cards;
    QString title;
};

} // namespace

TEST_F(PrintDlgCups, ALabelJobAndAListJobArriveWithTheirPages)
{
    AddCards(7); // two 2 × 2 sheets
    auto dialog = Dialog(QStringLiteral("labels"));
    dialog->Tabs()->setCurrentIndex(1);
    ASSERT_EQ(dialog->PageCount(), 2);
    dialog->PrintButton()->click();
    EXPECT_TRUE(messages.shown.isEmpty());
    ASSERT_EQ(FinalState(title), IPP_JSTATE_COMPLETED);
    const int labelJob = JobIdOf(title);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !PdfOf(labelJob).isEmpty(); }, 60000));
    EXPECT_EQ(PdfPageCount(PdfOf(labelJob)), 2);

    AddCards(90); // a list of more than one page
    auto list = Dialog(QStringLiteral("list"));
    const int pages = list->PageCount();
    ASSERT_GE(pages, 2);
    list->PrintButton()->click();
    ASSERT_EQ(FinalState(title), IPP_JSTATE_COMPLETED);
    const int listJob = JobIdOf(title);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !PdfOf(listJob).isEmpty(); }, 60000));
    EXPECT_EQ(PdfPageCount(PdfOf(listJob)), pages);
}

TEST_F(PrintDlgCups, CancellingAfterTheFirstPageAbortsTheJobAndSendsNothingMore)
{
    AddCards(20); // five sheets
    auto dialog = Dialog(QStringLiteral("cancelled"));
    dialog->Tabs()->setCurrentIndex(1);
    QList<int> shown;
    QObject::connect(dialog.get(), &CPrintDlg::PrintingStarted, [&](CPrintingDialog *w) {
        QObject::connect(w, &CPrintingDialog::PageShown, w, [w, &shown](int page) {
            shown << page;
            if (page == 1)
                w->CancelButton()->click();
        });
    });
    dialog->PrintButton()->click();
    EXPECT_EQ(shown, QList<int>({1}));
    const int state = FinalState(title);
    EXPECT_TRUE(state == IPP_JSTATE_CANCELED || state == IPP_JSTATE_ABORTED) << state;
    EXPECT_TRUE(PdfOf(JobIdOf(title)).isEmpty());
    EXPECT_TRUE(messages.shown.isEmpty());
}

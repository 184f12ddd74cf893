#include "CPrint.h"
#include "CPrintJob.h"
#include "CPrintPreviewWnd.h"
#include "IPrintTarget.h"
#include "JobStatus.h"
#include "PrintTestSupport.h"
#include "RecordingTarget.h"

#include <gtest/gtest.h>

namespace {

class PrintJob : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LoadDefaults(print);
        print.Mode = CPrint::ModeLabel; // four cards a sheet
        for (int i = 0; i < 18; ++i)
            cards.Add(QString::number(i));
    }
    CPrint print;
    CardList cards;
    CPrintPreviewWnd view{print};
    CPrintJob job{view};
    RecordingTarget target;
};

} // namespace

TEST_F(PrintJob, EveryPageOfTheRangeThenTheEnd)
{
    QList<int> heard;
    EXPECT_EQ(job.Run(cards.Sequence(), target, QStringLiteral("cards"), nullptr, [&](int p) { heard << p; }),
              CPrintJob::Printed);
    EXPECT_EQ(heard, QList<int>({1, 2, 3, 4, 5}));
    EXPECT_EQ(target.calls, QStringList({"start cards", "page", "page", "page", "page", "page last", "end"}));
    EXPECT_EQ(job.PagesSent(), 5);

    print.FromPage = 2;
    print.ToPage = 3;
    heard.clear();
    target.calls.clear();
    EXPECT_EQ(job.Run(cards.Sequence(), target, QStringLiteral("cards"), nullptr, [&](int p) { heard << p; }),
              CPrintJob::Printed);
    EXPECT_EQ(heard, QList<int>({2, 3}));
    EXPECT_EQ(target.calls.size(), 4);
}

TEST_F(PrintJob, ARefusedDocumentSendsNothing)
{
    target.refuse = true;
    EXPECT_EQ(job.Run(cards.Sequence(), target, QStringLiteral("cards")), CPrintJob::NotStarted);
    EXPECT_EQ(target.calls, QStringList({"start cards"}));
    EXPECT_EQ(CPrintJob::NotStartedMessage(), QStringLiteral("Could not start print job."));
}

TEST_F(PrintJob, CancellingStopsBeforeTheNextPageAndDropsTheDocument)
{
    std::atomic_bool cancel{false};
    const auto result = job.Run(cards.Sequence(), target, QStringLiteral("cards"), &cancel, [&](int page) {
        if (page == 2)
            cancel = true; // pressed while page 2 is drawn
    });
    EXPECT_EQ(result, CPrintJob::Cancelled);
    EXPECT_EQ(target.calls, QStringList({"start cards", "page", "page", "abort"}));
    EXPECT_EQ(job.PagesSent(), 2);
}

TEST_F(PrintJob, AFailedPageReadsTheStatusAndAbortsTheJob)
{
    target.failPage = 3;
    EXPECT_EQ(job.Run(cards.Sequence(), target, QStringLiteral("cards")), CPrintJob::Failed);
    EXPECT_EQ(target.calls, QStringList({"start cards", "page", "page", "page", "status", "abort"}));
    EXPECT_EQ(job.Status(), JobStatus::Deleted);
    EXPECT_EQ(job.PagesSent(), 2);
}

TEST_F(PrintJob, ARestartingJobGoesOn)
{
    target.failPage = 2;
    target.failStatus = JobStatus::Restart;
    EXPECT_EQ(job.Run(cards.Sequence(), target, QStringLiteral("cards")), CPrintJob::Printed);
    EXPECT_EQ(target.calls.count(QStringLiteral("page")) + target.calls.count(QStringLiteral("page last")),
              5);
    EXPECT_EQ(target.calls.last(), QStringLiteral("end"));
}

TEST_F(PrintJob, AFailedEndAbortsTheDocument)
{
    target.failEnd = true;
    EXPECT_EQ(job.Run(cards.Sequence(), target, QStringLiteral("cards")), CPrintJob::Failed);
    EXPECT_EQ(target.calls.mid(target.calls.size() - 3), QStringList({"end", "status", "abort"}));
}

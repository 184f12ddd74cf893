#include "CPrint.h"
#include "CPrintJobRunner.h"
#include "PrintTestSupport.h"
#include "RecordingTarget.h"

#include <QSignalSpy>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// What a job's target saw, kept after the target is gone.
struct TargetLog
{
    QStringList calls;
    QThread *drawnOn = nullptr;
    QThread *destroyedOn = nullptr;
};

// A target that says which thread the pages were drawn on and which let it go.
class ThreadTarget : public RecordingTarget
{
public:
    explicit ThreadTarget(TargetLog &log) : m_log(log) {}
    ~ThreadTarget() override
    {
        m_log.calls = calls;
        m_log.destroyedOn = QThread::currentThread();
    }
    QPainter *StartPage() override
    {
        m_log.drawnOn = QThread::currentThread();
        return RecordingTarget::StartPage();
    }

private:
    TargetLog &m_log;
};

class PrintJobRunner : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LoadDefaults(print);
        print.Mode = CPrint::ModeLabel; // four cards a sheet
        for (int i = 0; i < 18; ++i)
            cards.Add(QString::number(i));
    }
    // A runner over a target the test keeps looking at.
    std::unique_ptr<CPrintJobRunner> Runner()
    {
        auto target = std::make_unique<ThreadTarget>(log);
        this->target = target.get();
        return std::make_unique<CPrintJobRunner>(print, cards.Sequence(), std::move(target),
                                                 QStringLiteral("job"));
    }

    CPrint print;
    CardList cards;
    TargetLog log;
    ThreadTarget *target = nullptr; // until the job starts
};

} // namespace

TEST_F(PrintJobRunner, PagesAreDrawnOnAThreadOfTheirOwnAndAnnouncedInOrder)
{
    auto runner = Runner();
    QList<int> pages;
    QObject::connect(runner.get(), &CPrintJobRunner::PageStarting, [&](int page) {
        EXPECT_EQ(QThread::currentThread(), qApp->thread());
        pages << page;
    });
    QSignalSpy finished(runner.get(), &CPrintJobRunner::Finished);
    runner->Start();
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_EQ(runner->Result(), CPrintJob::Printed);
    EXPECT_EQ(pages, QList<int>({1, 2, 3, 4, 5}));
    EXPECT_EQ(runner->PagesSent(), 5);
    EXPECT_NE(log.drawnOn, qApp->thread());
    EXPECT_EQ(log.destroyedOn, log.drawnOn); // the writer goes with the thread it was made on
}

TEST_F(PrintJobRunner, ACancelWhilePageOneShowsSendsThatPageAndNothingMore)
{
    auto runner = Runner();
    QObject::connect(runner.get(), &CPrintJobRunner::PageStarting, [&](int page) {
        if (page == 1)
            runner->Cancel();
    });
    QSignalSpy finished(runner.get(), &CPrintJobRunner::Finished);
    runner->Start();
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_EQ(runner->Result(), CPrintJob::Cancelled);
    EXPECT_EQ(runner->PagesSent(), 1);
    EXPECT_EQ(log.calls, QStringList({"start job", "page", "abort"}));
}

TEST_F(PrintJobRunner, AFailedPageGivesTheStatus)
{
    auto runner = Runner();
    target->failPage = 2;
    target->failStatus = JobStatus::PaperOut;
    QSignalSpy finished(runner.get(), &CPrintJobRunner::Finished);
    runner->Start();
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_EQ(runner->Result(), CPrintJob::Failed);
    EXPECT_EQ(runner->Status(), JobStatus::PaperOut);
}

TEST_F(PrintJobRunner, DestroyedWhileTheJobWaitsForItsPageToShow)
{
    auto runner = Runner();
    runner->Start();
    // The first page's number is never taken (no event loop runs); the
    // runner must still come down, cancelling the job.
    runner.reset();
    SUCCEED();
}

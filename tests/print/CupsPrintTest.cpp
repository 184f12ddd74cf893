// Printing through the real CUPS server that the test fixture starts, with
// the cups-pdf printer it adds and printers the tests add for themselves.
#include "CCupsPrintSystem.h"
#include "CCupsPrintTarget.h"
#include "CDevMode.h"
#include "CPrint.h"
#include "CPrintJob.h"
#include "CPrintPreviewWnd.h"
#include "CupsQuery.h"
#include "IPrinterDevice.h"
#include "JobStatus.h"
#include "PaperCode.h"
#include "PrintTestSupport.h"
#include "PrinterStatus.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPrinterInfo>
#include <QProcess>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString Printer = QStringLiteral(TESSALY_CUPS_PRINTER);

// Runs a CUPS command; its chatter is dropped.
bool Shell(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

class CupsPrint : public ::testing::Test
{
protected:
    void TearDown() override
    {
        for (const QString &name : m_added)
            Shell(QStringLiteral("lpadmin"), {QStringLiteral("-x"), name});
    }
    // A printer of this test alone, on the same cups-pdf device.
    QString AddPrinter()
    {
        const QString name =
            QStringLiteral("TessalyTest%1_%2").arg(QCoreApplication::applicationPid()).arg(m_added.size());
        EXPECT_TRUE(Shell(QStringLiteral("lpadmin"),
                          {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                           QStringLiteral("cups-pdf:/tessaly"), QStringLiteral("-m"),
                           QStringLiteral("lsb/usr/cups-pdf/CUPS-PDF_opt.ppd")}));
        m_added << name;
        return name;
    }
    void AddCards(int n)
    {
        for (int i = 0; i < n; ++i)
            cards.Add(QStringLiteral("山田 太郎%1").arg(i))
                .SetAddress(QStringLiteral("東京都千代田区%1").arg(i));
    }

    CCupsPrintSystem system;
    CPrint print{&system};
    CardList cards;

private:
    QStringList m_added;
};

int FinalJobState(int job)
{
    int state = 0;
    QStringList reasons;
    const bool done =
        QTest::qWaitFor([&] { return CupsQuery::JobState(job, &state, &reasons) && state >= 7; }, 60000);
    return done ? state : 0;
}

} // namespace

TEST_F(CupsPrint, PrintersComeFromTheServer)
{
    QStringList names;
    ASSERT_TRUE(print.EnumPrinterNames(names));
    EXPECT_TRUE(names.contains(Printer));
    EXPECT_EQ(names, QPrinterInfo::availablePrinterNames());
    const QString fallback =
        QPrinterInfo::defaultPrinterName().isEmpty() ? names.first() : QPrinterInfo::defaultPrinterName();
    EXPECT_EQ(system.DefaultPrinterName(), fallback);

    // No printer name stored: the system's default printer.
    ASSERT_TRUE(print.SetPrinter(QString(), false));
    EXPECT_EQ(print.PrinterName, fallback);
}

TEST_F(CupsPrint, OpeningAPrinterGivesItsPortPaperAndPrintableArea)
{
    ASSERT_TRUE(print.SetPrinter(Printer, false));
    EXPECT_EQ(print.PortName, QStringLiteral("cups-pdf:/tessaly"));
    EXPECT_TRUE(print.DriverName.contains(QStringLiteral("CUPS-PDF"))) << qPrintable(print.DriverName);
    CDevMode d;
    ASSERT_TRUE(CDevMode::Decode(print.DevMode, &d));
    EXPECT_EQ(d.model, print.DriverName.toUtf8());
    const QPageSize paper = QPrinterInfo::printerInfo(Printer).defaultPageSize();
    EXPECT_EQ(print.PaperSize(), PaperCode::FromPageSizeId(paper.id()));
    EXPECT_EQ(print.Orientation(), 1);
    const CPrintableArea a = print.Area();
    EXPECT_EQ(a.paperWidth, qRound(paper.size(QPageSize::Millimeter).width() * 10));
    EXPECT_GT(a.offsetX, 0); // the cups-pdf description keeps a strip on every side
    EXPECT_EQ(a.paperWidth - a.printableWidth - a.offsetX, a.offsetX);
}

TEST_F(CupsPrint, DeviceSettingsAreKeptOnlyForTheirOwnPrinter)
{
    ASSERT_TRUE(print.SetPrinter(Printer, false));
    const QString model = print.DriverName;
    print.DevMode = CDevMode::ForPage(QPageSize(QPageSize::A5), QPageLayout::Landscape, model).Encode();
    ASSERT_TRUE(print.SetPrinter(Printer, true));
    EXPECT_EQ(print.PaperSize(), 11);
    EXPECT_EQ(print.Orientation(), 2);
    EXPECT_EQ(print.Area().paperWidth, 2100);

    // Made for another model: the printer's defaults instead.
    print.DevMode = CDevMode::ForPage(QPageSize(QPageSize::A5), QPageLayout::Landscape, "Other").Encode();
    ASSERT_TRUE(print.SetPrinter(Printer, true));
    EXPECT_EQ(print.Orientation(), 1);
    EXPECT_NE(print.PaperSize(), 11);
    // Not kept: the defaults too.
    print.DevMode = CDevMode::ForPage(QPageSize(QPageSize::A5), QPageLayout::Landscape, model).Encode();
    ASSERT_TRUE(print.SetPrinter(Printer, false));
    EXPECT_EQ(print.Orientation(), 1);
}

TEST_F(CupsPrint, APausedPrinterShowsItsState)
{
    const QString name = AddPrinter();
    EXPECT_EQ(PrinterStatus::Text(system.PrinterStatus(name)), QStringLiteral("準備完了"));
    ASSERT_TRUE(Shell(QStringLiteral("cupsdisable"), {name}));
    ASSERT_TRUE(print.SetPrinter(name, false));
    EXPECT_EQ(PrinterStatus::Text(print.PrinterState()), QStringLiteral("一時停止"));
}

TEST_F(CupsPrint, APrinterDeletedAfterTheListingCannotBeUsed)
{
    const QString name = AddPrinter();
    QStringList names;
    ASSERT_TRUE(print.EnumPrinterNames(names));
    ASSERT_TRUE(names.contains(name));
    ASSERT_TRUE(print.SetPrinter(name, false));

    // Deleted while its device is open: the job is refused.
    ASSERT_TRUE(Shell(QStringLiteral("lpadmin"), {QStringLiteral("-x"), name}));
    AddCards(3);
    CPrintPreviewWnd view(print);
    CPrintJob job(view);
    auto target = print.Device()->NewJob();
    EXPECT_EQ(job.Run(cards.Sequence(), *target, QStringLiteral("gone")), CPrintJob::NotStarted);
    // And it cannot be selected again.
    EXPECT_FALSE(print.SetPrinter(name, true));
    EXPECT_EQ(system.PrinterStatus(name), quint32(PrinterStatus::NotAvailable));
}

TEST_F(CupsPrint, APrinterThatRejectsJobsDoesNotStartOne)
{
    const QString name = AddPrinter();
    ASSERT_TRUE(Shell(QStringLiteral("cupsreject"), {name}));
    ASSERT_TRUE(print.SetPrinter(name, false));
    AddCards(2);
    CPrintPreviewWnd view(print);
    CPrintJob job(view);
    auto target = print.Device()->NewJob();
    EXPECT_EQ(job.Run(cards.Sequence(), *target, QStringLiteral("rejected")), CPrintJob::NotStarted);
}

TEST_F(CupsPrint, AJobCancelledFromOutsideStopsWithItsStatus)
{
    ASSERT_TRUE(print.SetPrinter(Printer, false));
    print.Mode = CPrint::ModeLabel;
    AddCards(20); // five sheets
    CPrintPreviewWnd view(print);
    CPrintJob job(view);
    auto target = print.Device()->NewJob();
    auto *cups = dynamic_cast<CCupsPrintTarget *>(target.get());
    ASSERT_NE(cups, nullptr);
    QList<int> pages;
    const auto result =
        job.Run(cards.Sequence(), *target, QStringLiteral("cancelled"), nullptr, [&](int page) {
            pages << page;
            if (page == 2) // someone runs `cancel` while page 2 is on its way
                Shell(QStringLiteral("cancel"), {QString::number(cups->JobId())});
        });
    EXPECT_EQ(result, CPrintJob::Failed);
    EXPECT_EQ(pages, QList<int>({1, 2}));
    EXPECT_EQ(JobStatus::Text(job.Status()), QStringLiteral("削除完了"));
    EXPECT_EQ(FinalJobState(cups->JobId()), 7);
    EXPECT_TRUE(QDir(QStringLiteral(TESSALY_CUPS_PDF_OUT))
                    .entryList({QStringLiteral("*job_%1.pdf").arg(cups->JobId())})
                    .isEmpty());
}

TEST_F(CupsPrint, CancellingAJobDropsItAtTheServer)
{
    ASSERT_TRUE(print.SetPrinter(Printer, false));
    print.Mode = CPrint::ModeLabel;
    AddCards(20);
    CPrintPreviewWnd view(print);
    CPrintJob job(view);
    auto target = print.Device()->NewJob();
    auto *cups = dynamic_cast<CCupsPrintTarget *>(target.get());
    std::atomic_bool cancel{false};
    EXPECT_EQ(job.Run(cards.Sequence(), *target, QStringLiteral("stopped"), &cancel,
                      [&](int page) { cancel = page == 3; }),
              CPrintJob::Cancelled);
    EXPECT_EQ(FinalJobState(cups->JobId()), 7);
}

namespace {

// Runs `answer` on the paper dialog once it is shown.
void WhenTheDialogShows(const std::function<void(QDialog &)> &answer)
{
    QTimer::singleShot(0, [answer] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
}

} // namespace

TEST_F(CupsPrint, ThePaperDialogWritesOnlyAConfirmedChoice)
{
    ASSERT_TRUE(print.SetPrinter(Printer, false));
    const QByteArray before = print.DevMode;
    WhenTheDialogShows([](QDialog &d) {
        d.findChild<QRadioButton *>(QStringLiteral("landscape"))->click();
        d.reject();
    });
    EXPECT_FALSE(print.EditPrinterProperties(Printer, nullptr));
    EXPECT_EQ(print.DevMode, before);

    WhenTheDialogShows([](QDialog &d) {
        d.findChild<QRadioButton *>(QStringLiteral("landscape"))->click();
        d.accept();
    });
    EXPECT_TRUE(print.EditPrinterProperties(Printer, nullptr));
    EXPECT_EQ(print.Orientation(), 2);
    CDevMode was;
    ASSERT_TRUE(CDevMode::Decode(before, &was));
    EXPECT_EQ(print.PaperSize(), was.paperSize);
    ASSERT_TRUE(print.SetPrinter(Printer, true));
    EXPECT_GT(print.Area().paperWidth, print.Area().paperHeight);
}

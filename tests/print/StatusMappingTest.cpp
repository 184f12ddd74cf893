#include "JobStatus.h"
#include "PrinterStatus.h"

#include <gtest/gtest.h>

namespace {
QStringList R(std::initializer_list<const char *> reasons)
{
    QStringList l;
    for (const char *r : reasons)
        l << QString::fromLatin1(r);
    return l;
}
} // namespace

TEST(JobStatusMapping, TextsOfTheValues)
{
    EXPECT_EQ(JobStatus::Text(1), QStringLiteral("一時停止"));
    EXPECT_EQ(JobStatus::Text(8), QStringLiteral("スプール中"));
    EXPECT_EQ(JobStatus::Text(256), QStringLiteral("削除完了"));
    EXPECT_EQ(JobStatus::Text(1024), QStringLiteral("User InterVention"));
    EXPECT_EQ(JobStatus::Text(2048), QStringLiteral("印刷再開"));
    EXPECT_EQ(JobStatus::Text(0), QString());
    EXPECT_EQ(JobStatus::Text(3), QString());
    EXPECT_EQ(JobStatus::Text(4096), QString());
}

TEST(JobStatusMapping, CupsJobStates)
{
    EXPECT_EQ(JobStatus::FromCups(3, R({"job-incoming"}), {}), JobStatus::Spooling);
    EXPECT_EQ(JobStatus::FromCups(4, R({"job-hold-until-specified"}), {}), JobStatus::Paused);
    EXPECT_EQ(JobStatus::FromCups(5, R({"job-printing"}), {}), JobStatus::Printing);
    EXPECT_EQ(JobStatus::FromCups(6, R({"printer-stopped"}), R({"paused"})), JobStatus::Paused);
    EXPECT_EQ(JobStatus::FromCups(7, R({"job-canceled-by-user"}), {}), JobStatus::Deleted);
    EXPECT_EQ(JobStatus::FromCups(5, R({"processing-to-stop-point"}), {}), JobStatus::Deleting);
    EXPECT_EQ(JobStatus::FromCups(8, R({"aborted-by-system"}), {}), JobStatus::Error);
    EXPECT_EQ(JobStatus::FromCups(8, R({"document-format-error"}), {}), JobStatus::BlockedDevq);
    EXPECT_EQ(JobStatus::FromCups(9, R({"job-completed-successfully"}), {}), JobStatus::Printed);
    EXPECT_EQ(JobStatus::FromCups(0, {}, {}), 0);
}

TEST(JobStatusMapping, WhatThePrinterLacksStopsALiveJob)
{
    EXPECT_EQ(JobStatus::FromCups(5, {}, R({"media-empty-error"})), JobStatus::PaperOut);
    EXPECT_EQ(JobStatus::FromCups(6, {}, R({"offline-report"})), JobStatus::Offline);
    EXPECT_EQ(JobStatus::FromCups(5, {}, R({"media-jam-error"})), JobStatus::UserIntervention);
    EXPECT_EQ(JobStatus::FromCups(3, {}, R({"cover-open-warning"})), JobStatus::UserIntervention);
    // A finished job keeps its own state whatever the printer does now.
    EXPECT_EQ(JobStatus::FromCups(9, {}, R({"media-empty-error"})), JobStatus::Printed);
    EXPECT_EQ(JobStatus::FromCups(7, {}, R({"offline-report"})), JobStatus::Deleted);
}

TEST(PrinterStatusMapping, TextsOfSingleConditions)
{
    EXPECT_EQ(PrinterStatus::Text(0), QStringLiteral("準備完了"));
    EXPECT_EQ(PrinterStatus::Text(PrinterStatus::Paused), QStringLiteral("一時停止"));
    EXPECT_EQ(PrinterStatus::Text(PrinterStatus::PendingDeletion), QStringLiteral("Pending Deletion"));
    EXPECT_EQ(PrinterStatus::Text(PrinterStatus::NotAvailable), QStringLiteral("Not Avilable"));
    EXPECT_EQ(PrinterStatus::Text(PrinterStatus::WarmingUp), QStringLiteral("ウォーミングアップ中"));
    EXPECT_EQ(PrinterStatus::Text(PrinterStatus::PowerSave), QStringLiteral("パワーセーブ中"));
    EXPECT_EQ(PrinterStatus::Text(PrinterStatus::NoToner), QStringLiteral("準備完了"));
    EXPECT_EQ(PrinterStatus::Text(1u << 25), QStringLiteral("準備完了"));
}

TEST(PrinterStatusMapping, SeveralConditionsShowTheFirst)
{
    // A paused printer with a jam is not "ready".
    EXPECT_EQ(PrinterStatus::Text(PrinterStatus::Paused | PrinterStatus::PaperJam),
              QStringLiteral("一時停止"));
    EXPECT_EQ(PrinterStatus::Text(PrinterStatus::Printing | PrinterStatus::PaperOut),
              QStringLiteral("紙切れ"));
    EXPECT_EQ(PrinterStatus::Text(PrinterStatus::NoToner | PrinterStatus::DoorOpen),
              QStringLiteral("ドアオープン"));
}

TEST(PrinterStatusMapping, CupsStatesAndReasons)
{
    using namespace PrinterStatus;
    EXPECT_EQ(FromCups(3, {}), 0u);
    EXPECT_EQ(FromCups(4, {}), quint32(Printing));
    EXPECT_EQ(FromCups(5, R({"paused"})), quint32(Paused));
    EXPECT_EQ(FromCups(3, R({"media-jam-error"})), quint32(PaperJam));
    EXPECT_EQ(FromCups(3, R({"media-empty-error", "media-needed"})), quint32(PaperOut));
    EXPECT_EQ(FromCups(3, R({"door-open-report"})), quint32(DoorOpen));
    EXPECT_EQ(FromCups(3, R({"toner-low-warning"})), quint32(TonerLow));
    EXPECT_EQ(FromCups(3, R({"marker-supply-low-report"})), quint32(TonerLow));
    EXPECT_EQ(Text(FromCups(3, R({"toner-empty-error"}))), QStringLiteral("インク減少"));
    EXPECT_EQ(FromCups(3, R({"offline-report"})), quint32(Offline));
    EXPECT_EQ(FromCups(3, R({"connecting-to-device"})), quint32(Waiting));
    EXPECT_EQ(FromCups(3, R({"something-new-error"})), quint32(Error));
    EXPECT_EQ(FromCups(3, R({"something-new-warning"})), 0u);
    EXPECT_EQ(Text(FromCups(4, R({"media-empty-error"}))), QStringLiteral("紙切れ"));
    EXPECT_EQ(Text(FromCups(3, {})), QStringLiteral("準備完了"));
}

#include "CConnectDoc.h"
#include "CConnectPassDlg.h"
#include "CProgress.h"
#include "SerialPortChoice.h"
#include "Utf8.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(PhoneWindowsTest, ProgressShowsWhatTheWorkerReports)
{
    CConnectDoc doc{QString()};
    // Not shown, so no worker runs: the messages are sent by hand.
    CProgress progress(doc, CConnectDoc::Copy, U("コピー"), U("コピー中..."));
    EXPECT_EQ(progress.windowTitle(), U("コピー"));
    EXPECT_EQ(progress.OperationLabel()->text(), U("コピー中..."));
    EXPECT_EQ(progress.CounterLabel()->text(), QString()); // no range yet

    emit doc.Range(200, ProgressTarget::BarOnly);
    emit doc.Position(50, ProgressTarget::BarOnly);
    EXPECT_EQ(progress.Bar()->maximum(), 200);
    EXPECT_EQ(progress.Bar()->value(), 50);
    EXPECT_EQ(progress.CounterLabel()->text(), QString()); // the bar alone moved

    emit doc.Range(3, ProgressTarget::CounterOnly);
    emit doc.Position(2, ProgressTarget::CounterOnly);
    EXPECT_EQ(progress.CounterLabel()->text(), QStringLiteral("(2/3)"));
    EXPECT_EQ(progress.Bar()->maximum(), 200);

    emit doc.Position(3, ProgressTarget::Both);
    EXPECT_EQ(progress.CounterLabel()->text(), QStringLiteral("(3/3)"));
    EXPECT_EQ(progress.Bar()->maximum(), 3);
    EXPECT_EQ(progress.Bar()->value(), 3);

    emit doc.OperationText(U("解析中..."));
    emit doc.ItemText(QStringLiteral("a.vcf"));
    EXPECT_EQ(progress.OperationLabel()->text(), U("解析中..."));
    EXPECT_EQ(progress.ItemLabel()->text(), QStringLiteral("a.vcf"));

    emit doc.StopButton(false);
    EXPECT_FALSE(progress.StopButton()->isEnabled());
    emit doc.StopButton(true);
    EXPECT_TRUE(progress.StopButton()->isEnabled());

    QList<QPair<PhoneItemChange, int>> changed;
    QObject::connect(&progress, &CProgress::ItemChanged, [&](PhoneItemChange change, int entry) {
        changed.append({change, entry});
    });
    emit doc.ItemChanged(PhoneItemChange::Deleted, 4);
    EXPECT_EQ(changed, (QList<QPair<PhoneItemChange, int>>{{PhoneItemChange::Deleted, 4}}));

    // Without a worker "中断" closes at once, as stopped.
    progress.StopButton()->click();
    EXPECT_TRUE(progress.Stopped());
    EXPECT_EQ(progress.result(), QDialog::Rejected);
}

TEST(PhoneWindowsTest, PasswordIsExactlyFourAsciiDigits)
{
    for (const char *ok : {"0000", "1234", "9999"})
        EXPECT_TRUE(CConnectPassDlg::IsValid(U(ok))) << ok;
    for (const char *refused : {"", "123", "12345", "12a4", "12 4", "１２３４", "١٢٣٤"})
        EXPECT_FALSE(CConnectPassDlg::IsValid(U(refused))) << refused;
}

TEST(PhoneWindowsTest, SerialPortChoicesPutThePortFirst)
{
    CSerialPortInfo phone;
    phone.portName = QStringLiteral("ttyACM0");
    phone.friendlyName = QStringLiteral("920OV OBEX Port (ttyACM0)");
    CSerialPortInfo plain;
    plain.portName = QStringLiteral("ttyS0");
    plain.friendlyName = QStringLiteral("ttyS0 (ttyS0)");
    EXPECT_EQ(SerialPortChoice::Texts({plain, phone}),
              (QStringList{QStringLiteral("1: ttyS0"), QStringLiteral("2: ttyACM0 (920OV OBEX Port)")}));
}

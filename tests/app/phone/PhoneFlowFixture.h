#pragma once

#include "CConnect.h"
#include "CSettings.h"
#include "DialogDriver.h"
#include "IDeviceLister.h"
#include "PhoneTestUtil.h"
#include "RecordingMessageBox.h"
#include "TempDir.h"
#include "TestStore.h"
#include "Utf8.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <memory>

// The system's serial devices as the tests want them.
class FakeLister : public IDeviceLister
{
public:
    QList<SerialDeviceRecord> devices;
    int listed = 0;
    bool ListDevices(QList<SerialDeviceRecord> &out) override
    {
        ++listed;
        out = devices;
        return true;
    }
};

// A USB record of the handset maker; interface 5 of an "OV" model is a
// phone browsed in folders, a "FOMA" name a phone-book phone.
inline SerialDeviceRecord PhoneDevice(const QString &model, const QString &port, int interfaceNumber,
                                      const QString &path)
{
    const QString id = QStringLiteral("USB\\VID_%1&PID_0001&MI_%2\\X")
                           .arg(PhoneMakerVendorId, 4, 16, QLatin1Char('0'))
                           .arg(interfaceNumber, 2, 10, QLatin1Char('0'));
    return {id, model + QStringLiteral(" OBEX Port (") + port + QLatin1Char(')'), path};
}

inline SerialDeviceRecord FolderPhone(const QString &path)
{
    return PhoneDevice(QStringLiteral("920OV"), QStringLiteral("ttyACM0"), 5, path);
}

inline SerialDeviceRecord PhoneBookPhone(const QString &path, const QString &port = QStringLiteral("ttyACM1"))
{
    return PhoneDevice(QStringLiteral("FOMA N905i"), port, 1, path);
}

inline SerialDeviceRecord PlainPort(int n)
{
    const QString port = QStringLiteral("ttyS%1").arg(n);
    return {QStringLiteral("PNP0501\\") + port, port + QStringLiteral(" (") + port + QLatin1Char(')'), {}};
}

// The connect command on a real card store, with every dialog answered by
// the driver and every message recorded. The temporary folder is the test's
// own, so the work folder of one test is never another's.
class PhoneFlowTest : public ::testing::Test
{
protected:
    TempDir temp;
    QString tmp = temp.File("tmp");
    QString settingsPath = temp.File("Tessaly.ini");
    QByteArray oldTmp = qgetenv("TMPDIR");
    TestStore cards;
    CSettings settings;
    RecordingMessageBox messages;
    FakeLister lister;
    DialogDriver driver;
    std::unique_ptr<CConnect> connect;

    void SetUp() override
    {
        QDir().mkpath(tmp);
        qputenv("TMPDIR", tmp.toLocal8Bit());
        connect = std::make_unique<CConnect>(nullptr, cards.store, settings, messages,
                                             [this] { return settings.WriteAll(settingsPath); });
        connect->SetDeviceLister(&lister);
    }

    void TearDown() override
    {
        connect.reset();
        EXPECT_EQ(driver.Pending(), 0) << "dialogs that never came";
        EXPECT_TRUE(driver.Unexpected().isEmpty()) << driver.Unexpected().join(' ').toStdString();
        if (oldTmp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", oldTmp);
    }

    QString WorkFolder() const { return QDir(tmp).filePath(QStringLiteral("TessalyTemp")); }

    // Switches the confirmation of operation 0-4 off.
    void NoConfirmation(std::initializer_list<int> operations)
    {
        for (int op : operations)
            settings.showConnectConf[size_t(op)] = false;
    }

    void ExpectConfirmation(const QString &title)
    {
        driver.Expect("CConnectConfDlg", [title](QDialog *d) {
            EXPECT_EQ(d->windowTitle(), title);
            DialogDriver::Click(d, QStringLiteral("OK"));
        });
    }
};

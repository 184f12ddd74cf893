#include "CConnectCellSelectDlg.h"
#include "CConnectPassDlg.h"
#include "Cp932.h"
#include "PhoneFlowFixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>

namespace {

// A JPEG whose first comment marks it as a business-card photo.
const QByteArray MarkedJpeg = QByteArray::fromHex("FFD8FFE000040000FFFE00092070686F746F20FFD9");

QByteArray PhoneBookCard(const QString &name, const QString &tel)
{
    return Cp932::Encode(QStringLiteral("BEGIN:VCARD\r\nVERSION:2.1\r\nN:") + name +
                         QStringLiteral("\r\nTEL;CELL:") + tel +
                         QStringLiteral("\r\nPHOTO;ENCODING=BASE64;TYPE=JPEG:") +
                         QString::fromLatin1(MarkedJpeg.toBase64()) + QStringLiteral("\r\nEND:VCARD\r\n"));
}

class PhoneBookFlowTest : public PhoneFlowTest
{
protected:
    QString served = temp.File("served");

    void ServeThreeCards()
    {
        QDir().mkpath(served);
        ASSERT_TRUE(TempDir::WriteAll(served + "/card0", PhoneBookCard(U("持ち主"), "09000000000")));
        ASSERT_TRUE(TempDir::WriteAll(served + "/card1", PhoneBookCard(U("山田太郎"), "09011112222")));
        ASSERT_TRUE(TempDir::WriteAll(served + "/card2", PhoneBookCard(U("佐藤花子"), "09033334444")));
    }

    void EnterPassword(const QString &password)
    {
        driver.Expect("CConnectPassDlg", [password](QDialog *d) {
            static_cast<CConnectPassDlg *>(d)->Edit()->setText(password);
            DialogDriver::Click(d, QStringLiteral("OK"));
        });
    }

    QStringList StoredNames()
    {
        QStringList names;
        for (int i = 0; i < cards.store.Count(); ++i)
            if (const CCardData *card = cards.store.CardAt(i); card && !card->Name().isEmpty())
                names << card->Name();
        names.sort();
        return names;
    }
};

} // namespace

TEST_F(PhoneBookFlowTest, PasswordThenConnectThenTheSecondAndThirdCardsAreImported)
{
    ServeThreeCards();
    SimulatedPhone phone({"--serve-dir", served, "--mode", "phonebook", "--cards", "3", "--pb-packets", "2"});
    lister.devices = {PhoneBookPhone(phone.Path())};
    QSignalSpy reset(&cards.store, &CCardStore::Reset);

    ExpectConfirmation(U("接続確認"));
    driver.Expect("CConnectPassDlg", [this](QDialog *d) {
        auto *dialog = static_cast<CConnectPassDlg *>(d);
        EXPECT_EQ(dialog->Edit()->maxLength(), 4);
        for (const char *refused : {"12a4", "123", "１２３４"}) {
            dialog->Edit()->setText(U(refused));
            DialogDriver::Click(d, QStringLiteral("OK"));
            EXPECT_TRUE(d->isVisible()) << refused;
        }
        ASSERT_EQ(messages.shown.size(), 3);
        for (const RecordingMessageBox::Shown &s : messages.shown) {
            EXPECT_EQ(s.text, U("4桁の数字を入力してください。"));
            EXPECT_EQ(s.caption, U("認証パスワード"));
            EXPECT_EQ(s.icon, QMessageBox::Warning);
        }
        dialog->Edit()->setText(QStringLiteral("1234"));
        DialogDriver::Click(d, QStringLiteral("OK"));
    });
    connect->Run();

    EXPECT_EQ(driver.Shown(),
              (QStringList{"CConnectConfDlg", "CConnectPassDlg", "CConnectAnimeDlg", "CProgress"}));
    ASSERT_EQ(messages.shown.size(), 4);
    EXPECT_EQ(messages.shown[3].caption, U("インポート完了"));
    EXPECT_EQ(messages.shown[3].text, U("2 件、新規登録しました。\n"));
    EXPECT_EQ(messages.shown[3].icon, QMessageBox::Information);
    // The owner's own entry, the first of the phone book, is never taken.
    EXPECT_EQ(StoredNames(), (QStringList{U("佐藤花子"), U("山田太郎")}));
    EXPECT_GE(reset.size(), 1); // the views were told to read the store again
    EXPECT_FALSE(connect->Document()->Session().IsOpen());
    EXPECT_FALSE(QFileInfo::exists(WorkFolder()));
}

TEST_F(PhoneBookFlowTest, AWrongPasswordFailsTheConnection)
{
    NoConfirmation({0});
    SimulatedPhone phone({"--mode", "phonebook", "--password", "1234"});
    lister.devices = {PhoneBookPhone(phone.Path())};
    EnterPassword(QStringLiteral("9999"));
    connect->Run();

    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, U("携帯電話との接続に失敗しました\n"));
    EXPECT_EQ(messages.shown[0].caption, U("携帯電話接続"));
    EXPECT_EQ(messages.shown[0].icon, QMessageBox::Warning);
    EXPECT_FALSE(driver.Shown().contains("CProgress"));
    EXPECT_EQ(cards.store.LiveCount(), 0);
    EXPECT_FALSE(connect->Document()->Session().IsOpen());
}

TEST_F(PhoneBookFlowTest, CancelWhileConnectingStopsTheSilentPhone)
{
    NoConfirmation({0});
    SimulatedPhone phone({"--mode", "phonebook", "--silent-after", "0"});
    lister.devices = {PhoneBookPhone(phone.Path())};
    EnterPassword(QStringLiteral("1234"));
    driver.Expect("CConnectAnimeDlg", [this](QDialog *d) {
        EXPECT_TRUE(connect->Document()->IsWorkerRunning());
        DialogDriver::Click(d, U("キャンセル"));
        // キャンセル waits for the worker: the port is closed when the dialog is.
        EXPECT_FALSE(connect->Document()->IsWorkerRunning());
        EXPECT_FALSE(d->isVisible());
    });
    connect->Run();

    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, U("携帯電話との接続を中断しました\n"));
    EXPECT_EQ(messages.shown[0].caption, U("携帯電話接続"));
    EXPECT_FALSE(connect->Document()->Session().IsOpen());
    EXPECT_FALSE(QFileInfo::exists(WorkFolder()));
}

TEST_F(PhoneBookFlowTest, TwoPhonePortsAreChosenFromByFriendlyName)
{
    NoConfirmation({0});
    lister.devices = {PlainPort(0), FolderPhone(QStringLiteral("/nonexistent/folder-phone")),
                      PhoneBookPhone(QStringLiteral("/nonexistent/phone-book"))};
    driver.Expect("CConnectCellSelectDlg", [this](QDialog *d) {
        auto *dialog = static_cast<CConnectCellSelectDlg *>(d);
        ASSERT_EQ(dialog->List()->count(), 2);
        EXPECT_EQ(dialog->List()->item(0)->text(), U("920OV OBEX Port (ttyACM0)"));
        EXPECT_EQ(dialog->List()->item(1)->text(), U("FOMA N905i OBEX Port (ttyACM1)"));
        DialogDriver::Click(d, QStringLiteral("OK")); // no row chosen yet
        EXPECT_TRUE(d->isVisible());
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].text, U("接続するポートを選択してください\n"));
        EXPECT_EQ(messages.shown[0].caption, U("携帯電話接続"));
        dialog->List()->setCurrentRow(1);
        DialogDriver::Click(d, QStringLiteral("OK"));
    });
    // The chosen port is a phone-book phone: its password is asked next.
    driver.Expect("CConnectPassDlg", [](QDialog *d) { DialogDriver::Click(d, U("キャンセル")); });
    connect->Run();

    EXPECT_EQ(connect->Document()->SelectedPort(), 1);
    EXPECT_EQ(connect->Document()->Kind(), PortKind::Foma);
    EXPECT_EQ(messages.shown.size(), 1);
}

TEST_F(PhoneBookFlowTest, AConfiguredPortThatIsNoPhoneConnectsNothing)
{
    NoConfirmation({0});
    settings.options.serialPort = 7;
    lister.devices = {PhoneBookPhone(QStringLiteral("/nonexistent/phone-book"))};
    connect->Run();
    const QString rest = U(" ポートに携帯電話が接続されていません。\n"
                           "ポートが異なる場合は、オプション設定のシリアルポートを\n"
                           "正しいポートに変更するか、「自動取得」に設定してください。");
    ASSERT_EQ(messages.shown.size(), 1);
    // There is no seventh port: the message names the number.
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("#7") + rest);
    EXPECT_EQ(messages.shown[0].caption, U("携帯電話接続"));
    EXPECT_TRUE(driver.Shown().isEmpty());

    // Seven plain ports before the phone: the seventh is named; the eighth is the phone.
    lister.devices.clear();
    for (int n = 0; n < 7; ++n)
        lister.devices.append(PlainPort(n));
    lister.devices.append(PhoneBookPhone(QStringLiteral("/nonexistent/phone-book")));
    connect->Run();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[1].text, QStringLiteral("ttyS6") + rest);
    EXPECT_TRUE(driver.Shown().isEmpty());

    settings.options.serialPort = 8;
    driver.Expect("CConnectPassDlg", [](QDialog *d) { DialogDriver::Click(d, U("キャンセル")); });
    connect->Run();
    EXPECT_EQ(messages.shown.size(), 2);
}

TEST_F(PhoneBookFlowTest, NoPhonePortShowsTheNoPhoneMessage)
{
    NoConfirmation({0});
    lister.devices = {PlainPort(0)};
    connect->Run();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text,
              U("携帯電話が接続されていません。\nKDDI向けの携帯電話はファイルメニューのメモリー"
                "カードあるいはメモリーカードアイコンを選択してください。\n"));
    EXPECT_EQ(messages.shown[0].icon, QMessageBox::Warning);
}

TEST_F(PhoneBookFlowTest, TheConfirmationBoxIsInTheSettingsFileAtOnce)
{
    driver.Expect("CConnectConfDlg", [this](QDialog *d) {
        DialogDriver::Click(d, U("以後表示しない"));
        // Written while the dialog is still open: a crash now keeps the choice.
        EXPECT_TRUE(TempDir::ReadAll(settingsPath).contains("ShowConnectConf0=0\r\n") ||
                    TempDir::ReadAll(settingsPath).contains("ShowConnectConf0=0\n"));
        EXPECT_TRUE(TempDir::ReadAll(settingsPath).contains("ShowConnectConf1=1"));
        DialogDriver::Click(d, U("キャンセル"));
    });
    connect->Run();
    EXPECT_FALSE(settings.showConnectConf[0]);
    EXPECT_TRUE(settings.showConnectConf[1]);
    EXPECT_EQ(lister.listed, 0); // cancelled before any port was looked for

    // The next connection goes straight to the ports.
    lister.devices = {PlainPort(0)};
    connect->Run();
    EXPECT_EQ(driver.Shown(), QStringList{"CConnectConfDlg"});
    EXPECT_EQ(lister.listed, 1);
}

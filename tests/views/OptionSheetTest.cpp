#include "COptionPage1.h"
#include "COptionSheet.h"
#include "EditMessageRecorder.h"
#include "TempDir.h"
#include "Utf8.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

TEST(OptionSheetTest, OkWritesTheSettingsAndHandsTheNewValuesOn)
{
    TempDir dir;
    const QString file = dir.File(QStringLiteral("settings.ini"));
    OptionRecord values;
    EditMessageRecorder messages;
    int writes = 0;
    COptionSheet sheet(
        values,
        [&] {
            ++writes;
            // Stands in for the settings file writer: it sees the values already copied back.
            return TempDir::WriteAll(file, QStringLiteral("MailName=%1\nMailHonorific=%2\n")
                                               .arg(int(values.mailName))
                                               .arg(values.mailHonorific)
                                               .toUtf8());
        },
        &messages);
    QList<int> sizes;
    OptionRecord applied;
    QObject::connect(&sheet, &COptionSheet::ThumbnailSizeChanged, [&](int pixels) { sizes << pixels; });
    QObject::connect(&sheet, &COptionSheet::Applied, [&](const OptionRecord &v) { applied = v; });

    COptionPage1 *page = sheet.Page();
    sheet.show();
    QTest::mouseClick(page->mailName, Qt::LeftButton);
    page->honorific->setCurrentText(U("御中"));
    page->thumbnailSize->setCurrentIndex(2);
    EXPECT_TRUE(values == OptionRecord{}); // the sheet works on a copy

    sheet.Apply();
    EXPECT_EQ(writes, 1);
    EXPECT_TRUE(values.mailName);
    EXPECT_EQ(values.mailHonorific, U("御中"));
    EXPECT_EQ(values.thumbnailSizeType, 2);
    EXPECT_TRUE(applied == values);
    EXPECT_EQ(sizes, QList<int>{150});
    EXPECT_EQ(TempDir::ReadAll(file), U("MailName=1\nMailHonorific=御中\n").toUtf8());

    sheet.Apply(); // same size again: no thumbnail rebuild
    EXPECT_EQ(sizes.size(), 1);
}

TEST(OptionSheetTest, MailBoxesEnableDepartmentAndHonorific)
{
    EditMessageRecorder messages;
    OptionRecord values;
    values.mailDepartment = true;
    COptionPage1 page(values, &messages);
    page.show();
    EXPECT_FALSE(page.mailDepartment->isEnabled());
    EXPECT_TRUE(page.mailDepartment->isChecked());
    EXPECT_FALSE(page.honorific->isEnabled());
    EXPECT_FALSE(page.honorificLabel->isEnabled());
    QTest::mouseClick(page.mailCompany, Qt::LeftButton);
    EXPECT_TRUE(page.mailDepartment->isEnabled());
    QTest::mouseClick(page.mailName, Qt::LeftButton);
    EXPECT_TRUE(page.honorific->isEnabled());
    QTest::mouseClick(page.mailCompany, Qt::LeftButton);
    EXPECT_FALSE(page.mailDepartment->isEnabled());
    EXPECT_TRUE(page.Values().mailDepartment); // the tick stays; the greeting ignores it without the company
}

TEST(OptionSheetTest, SeparatingBoxesAskBeforeChanging)
{
    EditMessageRecorder messages;
    OptionRecord values;
    values.separateName = true;
    COptionPage1 page(values, &messages);
    page.show();

    messages.answer = QMessageBox::No;
    QTest::mouseClick(page.separateAddress, Qt::LeftButton);
    EXPECT_FALSE(page.separateAddress->isChecked());
    QTest::mouseClick(page.separateName, Qt::LeftButton);
    EXPECT_TRUE(page.separateName->isChecked());

    messages.answer = QMessageBox::Yes;
    QTest::mouseClick(page.separateAddress, Qt::LeftButton);
    EXPECT_TRUE(page.separateAddress->isChecked());
    QTest::mouseClick(page.separateAddress, Qt::LeftButton);
    EXPECT_FALSE(page.separateAddress->isChecked());
    QTest::mouseClick(page.separateName, Qt::LeftButton);
    EXPECT_FALSE(page.separateName->isChecked());
    QTest::mouseClick(page.separateName, Qt::LeftButton);

    const QStringList expected = {
        U("既に統合された住所は分離できません。よろしいですか？"),
        U("再度、姓と名を分ける設定に戻した場合、正しく分離できない場合があります。よろしいですか？"),
        U("既に統合された住所は分離できません。よろしいですか？"),
        U("再度、住所を分ける設定に戻した場合、分離できない場合があります。よろしいですか？"),
        U("再度、姓と名を分ける設定に戻した場合、正しく分離できない場合があります。よろしいですか？"),
        U("姓と名を正しく分離できない場合があります。よろしいですか？"),
    };
    ASSERT_EQ(messages.shown.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(messages.shown[i].text, expected[i]) << i;
        EXPECT_EQ(messages.shown[i].caption, U("オプション"));
        EXPECT_EQ(messages.shown[i].icon, QMessageBox::Warning);
    }
}

TEST(OptionSheetTest, UnknownThumbnailTypeShowsMediumAndThemeSampleFollowsTheChoice)
{
    EditMessageRecorder messages;
    OptionRecord values;
    values.thumbnailSizeType = 7;
    values.skinColorType = 7;
    values.skinColor = QColor(1, 2, 3);
    COptionPage1 page(values, &messages);
    EXPECT_EQ(page.thumbnailSize->currentText(), U("中"));
    EXPECT_EQ(OptionRecord::ThumbnailPixels(7), 100);
    EXPECT_EQ(page.Values().skinColorType, 7); // a custom colour survives OK untouched
    EXPECT_EQ(page.colorSample->palette().color(QPalette::Window), QColor(1, 2, 3));

    QColor shown;
    QObject::connect(&page, &COptionPage1::ThemeColorChosen, [&](const QColor &c) { shown = c; });
    page.skinColor->setCurrentIndex(3);
    emit page.skinColor->activated(3);
    EXPECT_EQ(shown, QColor(252, 167, 180));
    EXPECT_EQ(page.colorSample->palette().color(QPalette::Window), QColor(252, 167, 180));
    EXPECT_EQ(page.Values().skinColorType, 3);
}

TEST(OptionSheetTest, SerialPortListNamesThePortsAndKeepsAStoredNumberWithoutAPort)
{
    EditMessageRecorder messages;
    OptionRecord values;
    values.serialPort = 2;
    COptionPage1 page(values, &messages);
    page.SetSerialPortTexts({U("1: ttyS0"), U("2: ttyACM0 (920OV OBEX Port)")});
    ASSERT_EQ(page.serialPort->count(), 3);
    EXPECT_EQ(page.serialPort->itemText(0), U("自動取得"));
    EXPECT_EQ(page.serialPort->currentText(), U("2: ttyACM0 (920OV OBEX Port)"));
    EXPECT_EQ(page.Values().serialPort, 2);
    page.serialPort->setCurrentIndex(0);
    EXPECT_EQ(page.Values().serialPort, 0);

    // The phone is unplugged: the stored number is shown and kept as it is.
    values.serialPort = 7;
    COptionPage1 unplugged(values, &messages);
    unplugged.SetSerialPortTexts({U("1: ttyS0")});
    ASSERT_EQ(unplugged.serialPort->count(), 3);
    EXPECT_EQ(unplugged.serialPort->currentText(), U("7: (ポートなし)"));
    EXPECT_EQ(unplugged.Values().serialPort, 7);
    unplugged.serialPort->setCurrentIndex(1);
    EXPECT_EQ(unplugged.Values().serialPort, 1);
}

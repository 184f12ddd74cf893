// The print dialog: opening, the printer, the range, the margin check and
// what 閉じる keeps.
#include "CLengthEdit.h"
#include "CPageSpin.h"
#include "CPrintMarginConfirmDlg.h"
#include "CPrintPreviewFrame.h"
#include "CPrintSetListPage.h"
#include "CPrintSetSealPage.h"
#include "PrintTexts.h"
#include "PrintWindowsFixture.h"
#include "PrinterStatus.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>

namespace {

using PrintDlg = PrintWindows;

} // namespace

TEST_F(PrintDlg, WithoutAMarkedCardItTellsAndNeverOpens)
{
    AddCards(3, false);
    EXPECT_FALSE(Open());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, PrintTexts::NoMarkedCard());
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("印刷"));
    EXPECT_EQ(messages.shown[0].icon, QMessageBox::Warning);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->PreviewFrame(), nullptr);
}

TEST_F(PrintDlg, WithoutAPrinterOrItsInformationItDoesNotOpen)
{
    AddCards(1);
    printers.names.clear();
    EXPECT_FALSE(Open());
    EXPECT_EQ(messages.Texts(),
              QStringList(
                  {QStringLiteral("プリンタがインストールされていないため、印刷することができません。\n")}));

    messages.shown.clear();
    printers.names = {QStringLiteral("Office")};
    printers.unusable = {QStringLiteral("Office")};
    EXPECT_FALSE(Open());
    EXPECT_EQ(messages.Texts(), QStringList({QStringLiteral("プリンタ情報の取得に失敗しました。\n")}));
}

TEST_F(PrintDlg, TheStoredPrinterInAnyCaseComesWithItsDeviceSettings)
{
    AddCards(1);
    settings.PrinterName = QStringLiteral("labels");
    settings.DevMode = CDevMode::ForPage(QPageSize(QPageSize::A4), QPageLayout::Landscape, "Labels").Encode();
    printers.status = PrinterStatus::Offline;
    ASSERT_TRUE(Open());
    EXPECT_EQ(dialog->Printers()->currentText(), QStringLiteral("Labels"));
    EXPECT_EQ(dialog->StateText()->text(), QStringLiteral("オフライン"));
    EXPECT_EQ(dialog->PaperText()->text(), QStringLiteral("A4         : 210 × 297 mm"));
    EXPECT_EQ(dialog->OrientationText()->text(), QStringLiteral("横"));
    EXPECT_EQ(dialog->FontText()->text(), QStringLiteral("ＭＳ 明朝"));
    EXPECT_TRUE(dialog->AllPages()->isChecked());
    EXPECT_FALSE(dialog->FromField()->isEnabled());
    EXPECT_EQ(dialog->Tabs()->tabText(0), QStringLiteral("リスト"));
    EXPECT_EQ(dialog->Tabs()->tabText(1), QStringLiteral("タックシール"));
    EXPECT_EQ(dialog->Tabs()->currentIndex(), 0);
    EXPECT_FALSE(dialog->PreviewFrame()->isVisible());
}

TEST_F(PrintDlg, AStoredPrinterThatIsGoneGivesWayToTheDefaultWithItsOwnSettings)
{
    AddCards(1);
    settings.PrinterName = QStringLiteral("Removed");
    settings.DevMode = CDevMode::ForPage(QPageSize(QPageSize::A4), QPageLayout::Landscape, "Office").Encode();
    ASSERT_TRUE(Open());
    EXPECT_EQ(Print().PrinterName, QStringLiteral("Office"));
    EXPECT_EQ(dialog->OrientationText()->text(), QStringLiteral("縦"));
}

TEST_F(PrintDlg, CloseAndEnterStoreTheSettingsEscapeDoesNot)
{
    AddCards(2);
    const PrintSettings before = settings;
    ASSERT_TRUE(Open());
    TypeText(dialog->ListPage()->HeaderField(1), QStringLiteral("社外秘"));
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(settings, before);

    ASSERT_TRUE(Open());
    TypeText(dialog->ListPage()->HeaderField(1), QStringLiteral("社外秘"));
    dialog->CloseButton()->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(settings.ListHeader, QStringList({QString(), QStringLiteral("社外秘"), QString()}));
    EXPECT_EQ(settings.PrinterName, QStringLiteral("Office"));
    EXPECT_FALSE(settings.DevMode.isEmpty());

    // Enter in a field is 閉じる.
    ASSERT_TRUE(Open());
    TypeText(dialog->ListPage()->FooterField(2), QStringLiteral("1/1"));
    QTest::keyClick(dialog->ListPage()->FooterField(2), Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(settings.ListFooter.value(2), QStringLiteral("1/1"));
}

TEST_F(PrintDlg, ATabIsTheModeWithItsOwnItemsAndPageCount)
{
    AddCards(9); // one list page, three 2 × 2 sheets
    settings.SealItemIndex.clear();
    ASSERT_TRUE(Open());
    EXPECT_EQ(dialog->PageCount(), 1);
    EXPECT_TRUE(dialog->PreviewButton()->isEnabled());
    dialog->Tabs()->setCurrentIndex(1);
    EXPECT_EQ(Print().Mode, CPrint::ModeLabel);
    EXPECT_EQ(dialog->PageCount(), 3);
    EXPECT_EQ(dialog->ToField()->value(), 3);
    EXPECT_EQ(Print().ToPage, 3);
    // No label lines: nothing to preview or print.
    EXPECT_FALSE(dialog->PreviewButton()->isEnabled());
    EXPECT_FALSE(dialog->PrintButton()->isEnabled());
    dialog->Tabs()->setCurrentIndex(0);
    EXPECT_EQ(Print().Mode, CPrint::ModeList);
    EXPECT_TRUE(dialog->PrintButton()->isEnabled());
}

TEST_F(PrintDlg, APrinterThatCannotBeOpenedLeavesThePreviousOneInUse)
{
    AddCards(1);
    ASSERT_TRUE(Open());
    printers.unusable = {QStringLiteral("Labels")};
    emit dialog->Printers()->activated(1);
    EXPECT_EQ(messages.Texts(), QStringList({QStringLiteral("プリンター情報の取得に失敗しました。")}));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("印刷"));
    EXPECT_EQ(Print().PrinterName, QStringLiteral("Office"));
    EXPECT_EQ(dialog->Printers()->currentText(), QStringLiteral("Office"));

    printers.unusable.clear();
    printers.status = PrinterStatus::PaperOut;
    dialog->Printers()->setCurrentIndex(1);
    emit dialog->Printers()->activated(1);
    EXPECT_EQ(Print().PrinterName, QStringLiteral("Labels"));
    EXPECT_EQ(dialog->StateText()->text(), QStringLiteral("紙切れ"));
}

TEST_F(PrintDlg, ConfirmedPropertiesChangeThePaperShown)
{
    AddCards(1);
    ASSERT_TRUE(Open());
    printers.confirmProperties = false;
    dialog->PropertiesButton()->click();
    EXPECT_EQ(dialog->OrientationText()->text(), QStringLiteral("縦"));
    printers.confirmProperties = true;
    dialog->PropertiesButton()->click();
    EXPECT_EQ(printers.propertiesShown, 2);
    EXPECT_EQ(dialog->OrientationText()->text(), QStringLiteral("横"));
    EXPECT_GT(Print().Area().paperWidth, Print().Area().paperHeight); // the device follows
}

TEST_F(PrintDlg, ThePageRangeFieldsFollowTheirRules)
{
    AddCards(18); // five 2 × 2 sheets
    ASSERT_TRUE(Open());
    dialog->Tabs()->setCurrentIndex(1);
    ASSERT_EQ(dialog->PageCount(), 5);
    dialog->SomePages()->click();
    CPageSpin *from = dialog->FromField();
    CPageSpin *to = dialog->ToField();
    EXPECT_TRUE(from->isEnabled());
    EXPECT_EQ(from->maximum(), 5);
    EXPECT_EQ(from->text(), QStringLiteral("1"));
    EXPECT_EQ(to->text(), QStringLiteral("5"));

    SelectAllAndType(to->lineEdit(), QStringLiteral("3"));
    EXPECT_EQ(Print().ToPage, 3);
    SelectAllAndType(from->lineEdit(), QStringLiteral("4")); // beyond to
    EXPECT_EQ(from->text(), QStringLiteral("3"));
    EXPECT_EQ(Print().FromPage, 3);
    SelectAllAndType(to->lineEdit(), QStringLiteral("2")); // below from
    EXPECT_EQ(to->text(), QStringLiteral("3"));
    SelectAllAndType(from->lineEdit(), QString()); // empty
    EXPECT_EQ(from->text(), QStringLiteral("1"));
    EXPECT_EQ(Print().FromPage, 1);
    SelectAllAndType(to->lineEdit(), QString());
    EXPECT_EQ(to->text(), QStringLiteral("5"));
    EXPECT_EQ(Print().ToPage, 5);

    // すべて again: the whole range, fields off.
    SelectAllAndType(to->lineEdit(), QStringLiteral("2"));
    dialog->AllPages()->click();
    EXPECT_FALSE(to->isEnabled());
    EXPECT_EQ(Print().FromPage, 1);
    EXPECT_EQ(Print().ToPage, 5);
}

TEST_F(PrintDlg, TheRangeFollowsAPageCountThatChanges)
{
    AddCards(18);
    ASSERT_TRUE(Open());
    dialog->Tabs()->setCurrentIndex(1);
    ASSERT_EQ(Print().ToPage, 5);
    // Three columns: 18 cards on three sheets; すべて is still every page.
    QLineEdit *columns = dialog->SealPage()->FieldOf(CPrintSetSealPage::Columns);
    SelectAllAndType(columns, QStringLiteral("3"));
    EXPECT_EQ(dialog->PageCount(), 3);
    EXPECT_EQ(Print().ToPage, 3);
    // A chosen range never reaches past the last page.
    SelectAllAndType(columns, QStringLiteral("1"));
    dialog->SomePages()->click();
    SelectAllAndType(dialog->FromField()->lineEdit(), QStringLiteral("7"));
    SelectAllAndType(columns, QStringLiteral("6")); // 18 cards on two sheets of 12
    EXPECT_EQ(Print().ToPage, 2);
    EXPECT_EQ(Print().FromPage, 2);
}

TEST_F(PrintDlg, MarginsInTheUnprintableStripAskFixOrIgnore)
{
    AddCards(1);
    ASSERT_TRUE(Open());
    CLengthEdit *left = dialog->ListPage()->MarginField(CPrintSetListPage::Left);
    SelectAllAndType(left, QStringLiteral("2")); // 2 mm, the printer leaves 5 mm
    ASSERT_EQ(Print().RectMargin.left(), 20);

    // 修正: raised to the strip, fields show it, no preview.
    WhenModal<CPrintMarginConfirmDlg>([](CPrintMarginConfirmDlg &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("印刷"));
        d.FixButton()->click();
    });
    dialog->PreviewButton()->click();
    EXPECT_EQ(Print().RectMargin.left(), 50);
    EXPECT_EQ(left->text(), QStringLiteral("5.0"));
    EXPECT_FALSE(dialog->PreviewFrame()->isVisible());

    // 無視: the preview opens with the margin as it is.
    SelectAllAndType(left, QStringLiteral("2"));
    WhenModal<CPrintMarginConfirmDlg>([](CPrintMarginConfirmDlg &d) { d.IgnoreButton()->click(); });
    dialog->PreviewButton()->click();
    EXPECT_TRUE(dialog->PreviewFrame()->isVisible());
    EXPECT_EQ(Print().RectMargin.left(), 20);
    dialog->PreviewFrame()->End();

    // 閉じる stores nothing after 修正.
    WhenModal<CPrintMarginConfirmDlg>([](CPrintMarginConfirmDlg &d) { d.FixButton()->click(); });
    dialog->CloseButton()->click();
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(settings.RectMargin, PrintSettings::Defaults().RectMargin);
}

TEST_F(PrintDlg, AMarginTooLargeIsToldAndTheFieldToMendGetsTheFocus)
{
    AddCards(1);
    ASSERT_TRUE(Open());
    CPrintSetListPage *page = dialog->ListPage();
    SelectAllAndType(page->MarginField(CPrintSetListPage::Right), QStringLiteral("250"));
    dialog->PrintButton()->click();
    EXPECT_EQ(messages.Texts(), QStringList({QStringLiteral("用紙サイズに対して余白の値が大きすぎます。")}));
    EXPECT_TRUE(printers.jobs.isEmpty());
    // left 10 < right 250: the right field.
    EXPECT_EQ(dialog->focusWidget(), page->MarginField(CPrintSetListPage::Right));

    SelectAllAndType(page->MarginField(CPrintSetListPage::Right), QStringLiteral("10"));
    SelectAllAndType(page->MarginField(CPrintSetListPage::Top), QStringLiteral("300"));
    dialog->CloseButton()->click();
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    // top 300 ≥ bottom 10: the top field.
    EXPECT_EQ(dialog->focusWidget(), page->MarginField(CPrintSetListPage::Top));
}

TEST_F(PrintDlg, HelpFromTheDialogAndFromThePreview)
{
    AddCards(1);
    ASSERT_TRUE(Open());
    QSignalSpy help(dialog.get(), &CPrintDlg::HelpRequested);
    dialog->HelpButton()->click();
    EXPECT_EQ(help.size(), 1);
    dialog->PreviewButton()->click();
    dialog->PreviewFrame()->Operator()->ButtonOf(CPrintPreviewOperator::Help)->click();
    EXPECT_EQ(help.size(), 2);
    EXPECT_TRUE(dialog->PreviewFrame()->isVisible());
}

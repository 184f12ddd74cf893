// The list and label setting pages and their dialogs.
#include "CLabelSheetDlg.h"
#include "CLengthEdit.h"
#include "CPrintFontDlg.h"
#include "CPrintItemEditDlg.h"
#include "CPrintItemWidthSetView.h"
#include "CPrintSetListPage.h"
#include "CPrintSetSealPage.h"
#include "PrintWindowsFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>

namespace {

using PrintPages = PrintWindows;

} // namespace

TEST_F(PrintPages, AMarginTypedWithASecondPointAndALetterKeepsTheDigitsAndTheFirstPoint)
{
    AddCards(1);
    ASSERT_TRUE(Open());
    CLengthEdit *top = dialog->ListPage()->MarginField(CPrintSetListPage::Top);
    SelectAllAndType(top, QStringLiteral("12.3.4x"));
    EXPECT_EQ(top->text(), QStringLiteral("12.3"));
    EXPECT_EQ(Print().RectMargin.top(), 123);
    SelectAllAndType(top, QString());
    EXPECT_EQ(top->text(), QStringLiteral("0.0"));
    EXPECT_EQ(Print().RectMargin.top(), 0);
    // The next digit typed replaces the 0.
    TypeText(top, QStringLiteral("7"));
    EXPECT_EQ(top->text(), QStringLiteral("7.0"));
    EXPECT_EQ(Print().RectMargin.top(), 70);

    dialog->Tabs()->setCurrentIndex(1);
    QLineEdit *width = dialog->SealPage()->FieldOf(CPrintSetSealPage::LabelWidth);
    SelectAllAndType(width, QStringLiteral("86.45"));
    EXPECT_EQ(Print().SizeSeal.width(), 864);
    EXPECT_EQ(width->text(), QStringLiteral("86.4"));
}

TEST_F(PrintPages, EditingTheListItemsSetsEveryWidthTo30mm)
{
    AddCards(2);
    settings.ListItemWidth = {100, 200, 300, 400, 500, 600, 700, 800};
    ASSERT_TRUE(Open());
    ASSERT_EQ(Print().ListItemWidth, settings.ListItemWidth);
    WhenModal<CPrintItemEditDlg>([](CPrintItemEditDlg &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("項目編集"));
        d.RightList()->setCurrentRow(0); // 名前
        d.ButtonOf(CPrintItemEditDlg::Remove)->click();
        ButtonNamed(d, QStringLiteral("OK"))->click();
    });
    dialog->ListPage()->EditItemsButton()->click();
    EXPECT_EQ(Print().ListItemIndex, QList<int>({6, 8, 9, 10, 20, 30, 31}));
    EXPECT_EQ(Print().ListItemWidth, QList<int>(7, 300));
    EXPECT_EQ(dialog->ListPage()->WidthStrip()->Edges().size(), 7);

    // Cancelled: nothing changes.
    WhenModal<CPrintItemEditDlg>([](CPrintItemEditDlg &d) {
        d.ButtonOf(CPrintItemEditDlg::RemoveAll)->click();
        d.reject();
    });
    dialog->ListPage()->EditItemsButton()->click();
    EXPECT_EQ(Print().ListItemIndex.size(), 7);

    // Every item taken away: no preview, no print, no 自動調整.
    WhenModal<CPrintItemEditDlg>([](CPrintItemEditDlg &d) {
        d.ButtonOf(CPrintItemEditDlg::RemoveAll)->click();
        ButtonNamed(d, QStringLiteral("OK"))->click();
    });
    dialog->ListPage()->EditItemsButton()->click();
    EXPECT_TRUE(Print().ListItemIndex.isEmpty());
    EXPECT_FALSE(dialog->PreviewButton()->isEnabled());
    EXPECT_FALSE(dialog->PrintButton()->isEnabled());
    EXPECT_FALSE(dialog->ListPage()->AutoFitButton()->isEnabled());
}

TEST(PrintItemEditDlg, TheSixButtonsMoveItemsAndTheLeftListKeepsItemOrder)
{
    const QStringList captions = {"A", "B", "C", "D", "E"};
    CPrintItemEditDlg d(captions, {3, 1});
    auto left = [&d] {
        QStringList t;
        for (int i = 0; i < d.LeftList()->count(); ++i)
            t << d.LeftList()->item(i)->text();
        return t;
    };
    EXPECT_EQ(left(), QStringList({"A", "C", "E"}));
    EXPECT_EQ(d.Chosen(), QList<int>({3, 1}));

    // Added before the selected right item, which stays selected.
    d.RightList()->setCurrentRow(1); // B
    d.LeftList()->setCurrentRow(0);  // A
    d.ButtonOf(CPrintItemEditDlg::Add)->click();
    d.ButtonOf(CPrintItemEditDlg::Add)->click(); // then C, which moved up to row 0
    EXPECT_EQ(d.Chosen(), QList<int>({3, 0, 2, 1}));
    EXPECT_EQ(left(), QStringList({"E"}));

    d.RightList()->setCurrentRow(3);
    d.ButtonOf(CPrintItemEditDlg::Up)->click();
    EXPECT_EQ(d.Chosen(), QList<int>({3, 0, 1, 2}));
    d.ButtonOf(CPrintItemEditDlg::Down)->click();
    EXPECT_EQ(d.Chosen(), QList<int>({3, 0, 2, 1}));

    d.RightList()->setCurrentRow(0);
    d.ButtonOf(CPrintItemEditDlg::Remove)->click();
    EXPECT_EQ(left(), QStringList({"D", "E"}));

    // すべて追加 with nothing selected on the right goes to the top, in item order.
    d.ButtonOf(CPrintItemEditDlg::RemoveAll)->click();
    EXPECT_EQ(left(), captions);
    EXPECT_TRUE(d.Chosen().isEmpty());
    d.ButtonOf(CPrintItemEditDlg::AddAll)->click();
    EXPECT_EQ(d.Chosen(), QList<int>({0, 1, 2, 3, 4}));
    EXPECT_TRUE(left().isEmpty());
    EXPECT_FALSE(d.ButtonOf(CPrintItemEditDlg::AddAll)->isEnabled());
}

TEST_F(PrintPages, ADragInTheWidthStripChangesOnlyTheDraggedColumn)
{
    AddCards(3);
    settings.ListItemWidth = {300, 250, 417, 300, 300, 300, 300, 300};
    ASSERT_TRUE(Open());
    CPrintItemWidthSetView *strip = dialog->ListPage()->WidthStrip();
    const QList<double> edges = strip->Edges();
    QWidget *surface = strip->viewport();
    // The second column's right edge, taken 3 pixels off it and moved 40 to the right.
    const int x = int(std::lround(edges[1])) + 4 + 3; // 4: the strip's padding
    const QPoint from(x, 20);
    const QPoint to(x + 40, 20);
    auto send = [surface](QEvent::Type type, const QPoint &at, Qt::MouseButton button,
                          Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(at), surface->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(surface, &e);
    };
    send(QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(surface->cursor().shape(), Qt::SplitHCursor);
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);

    const QList<int> widths = Print().ListItemWidth;
    EXPECT_EQ(widths[0], 300);
    EXPECT_NEAR(widths[1], 250 + 40 / strip->PixelsPerUnit(), 1.0);
    EXPECT_EQ(widths.mid(2), QList<int>({417, 300, 300, 300, 300, 300}));
    EXPECT_NEAR(strip->Edges()[7] - edges[7], 40.0, 0.5); // later columns moved along
}

TEST_F(PrintPages, AutoFitSetsTheWidthsFromTheMarkedCards)
{
    AddCards(3);
    ASSERT_TRUE(Open());
    dialog->ListPage()->AutoFitButton()->click();
    EXPECT_NE(Print().ListItemWidth, QList<int>(8, 300));
    CPrintPreviewWnd view(Print());
    EXPECT_EQ(Print().ListItemWidth, view.AutoFitWidths(cards.Sequence()));
}

TEST_F(PrintPages, ColumnsTwentyWithRowsSixBecomeSixteen)
{
    AddCards(1);
    ASSERT_TRUE(Open());
    dialog->Tabs()->setCurrentIndex(1);
    CPrintSetSealPage *page = dialog->SealPage();
    QLineEdit *columns = page->FieldOf(CPrintSetSealPage::Columns);
    QLineEdit *rows = page->FieldOf(CPrintSetSealPage::Rows);
    SelectAllAndType(rows, QStringLiteral("6"));
    SelectAllAndType(columns, QStringLiteral("20"));
    EXPECT_EQ(columns->text(), QStringLiteral("16"));
    EXPECT_EQ(Print().SizeAspects, QSize(16, 6));
    EXPECT_EQ(page->LabelCount()->text(), QStringLiteral("96"));
    SelectAllAndType(rows, QString());
    EXPECT_EQ(rows->text(), QStringLiteral("1"));
    SelectAllAndType(rows, QStringLiteral("0"));
    EXPECT_EQ(rows->text(), QStringLiteral("1"));
    EXPECT_EQ(Print().SizeAspects, QSize(16, 1));
}

TEST_F(PrintPages, ChoosingADefinitionTakesItsGridAndPaper)
{
    AddCards(30);
    ASSERT_TRUE(Open());
    dialog->Tabs()->setCurrentIndex(1);
    CPrintSetSealPage *page = dialog->SealPage();
    QComboBox *definitions = page->Definitions();
    ASSERT_EQ(definitions->count(), 5);
    EXPECT_FALSE(page->DeleteButton()->isEnabled()); // the first one
    definitions->setCurrentIndex(1);
    emit definitions->activated(1); // 設定1: 2 × 6
    EXPECT_EQ(Print().SizeAspects, QSize(2, 6));
    EXPECT_EQ(page->FieldOf(CPrintSetSealPage::LabelWidth)->text(), QStringLiteral("83.8"));
    EXPECT_EQ(page->FieldOf(CPrintSetSealPage::MarginBottom)->text(), QStringLiteral("22.9"));
    EXPECT_EQ(page->LabelCount()->text(), QStringLiteral("12"));
    EXPECT_EQ(dialog->PageCount(), 3);
    EXPECT_TRUE(page->DeleteButton()->isEnabled());
    definitions->setCurrentIndex(0);
    emit definitions->activated(0);
    EXPECT_FALSE(page->DeleteButton()->isEnabled());
    EXPECT_EQ(Print().SizeAspects, QSize(2, 2));
}

TEST_F(PrintPages, SavingUnderAnExistingNameInOtherLetterCaseAsksToOverwrite)
{
    AddCards(1);
    ASSERT_TRUE(Open());
    dialog->Tabs()->setCurrentIndex(1);
    CPrintSetSealPage *page = dialog->SealPage();
    QComboBox *definitions = page->Definitions();

    // No name: told.
    definitions->setEditText(QString());
    page->SaveButton()->click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("設定名を入力してください"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("タックシール用紙設定保存"));

    definitions->setEditText(QStringLiteral("Office A4"));
    page->SaveButton()->click();
    ASSERT_EQ(Print().SealPaperInfo.size(), 6);
    EXPECT_EQ(definitions->currentIndex(), 5);
    EXPECT_EQ(Print().SealPaperInfo[5].PaperSize, 9);
    EXPECT_EQ(Print().SealPaperInfo[5].Orientation, 1);

    SelectAllAndType(page->FieldOf(CPrintSetSealPage::Columns), QStringLiteral("3"));
    definitions->setEditText(QStringLiteral("office a4"));
    messages.shown.clear();
    messages.answers = {QMessageBox::No};
    page->SaveButton()->click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("同じ名前がすでに存在します。\n上書きしますか?"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("タックシール用紙設定上書き確認"));
    EXPECT_EQ(Print().SealPaperInfo[5].Columns, 2);

    messages.answers = {QMessageBox::Yes};
    page->SaveButton()->click();
    ASSERT_EQ(Print().SealPaperInfo.size(), 6);
    EXPECT_EQ(Print().SealPaperInfo[5].Columns, 3);
    EXPECT_EQ(Print().SealPaperInfo[5].DefinitionName, QStringLiteral("Office A4"));

    // Kept only by 閉じる.
    dialog->CloseButton()->click();
    EXPECT_EQ(settings.SealPaperInfo.size(), 6);
}

TEST_F(PrintPages, DeletingADefinitionAsksAndTakesTheOneBefore)
{
    AddCards(1);
    ASSERT_TRUE(Open());
    dialog->Tabs()->setCurrentIndex(1);
    CPrintSetSealPage *page = dialog->SealPage();
    QComboBox *definitions = page->Definitions();
    definitions->setCurrentIndex(3); // 設定3
    messages.answers = {QMessageBox::No};
    page->DeleteButton()->click();
    EXPECT_EQ(messages.Texts(), QStringList({QStringLiteral("設定3 を削除してもよろしいですか?")}));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("タックシール用紙設定削除確認"));
    EXPECT_EQ(Print().SealPaperInfo.size(), 5);

    page->DeleteButton()->click(); // Yes
    ASSERT_EQ(Print().SealPaperInfo.size(), 4);
    EXPECT_EQ(Print().SealPaperInfo[3].DefinitionName, QStringLiteral("設定4"));
    EXPECT_EQ(definitions->currentIndex(), 2);
    EXPECT_EQ(Print().SizeAspects, QSize(5, 4)); // 設定2 applied
    EXPECT_EQ(definitions->count(), 4);
}

TEST_F(PrintPages, AMakersSheetFillsThePageAsIfTypedAndCanBeSaved)
{
    AddCards(12);
    TempDir::WriteAll(catalogue.File(QStringLiteral("paper-sizes.xml")),
                      R"(<Glabels-paper-sizes><Paper-size id="A4" _name="A4" width="210mm" height="297mm"/>
                         <Paper-size id="US-Letter" _name="US Letter" width="8.5in" height="11in"/></Glabels-paper-sizes>)");
    TempDir::WriteAll(catalogue.File(QStringLiteral("test-templates.xml")), R"(<Glabels-templates>
      <Template brand="Hisago" part="ELM006" size="A4" _description="Rectangular labels">
        <Label-rectangle id="0" width="86.4mm" height="50.8mm"><Layout nx="2" ny="5" x0="18.6mm" y0="21.2mm" dx="86.4mm" dy="50.8mm"/></Label-rectangle></Template>
      <Template brand="Avery" part="5160" size="US-Letter" description="Address labels">
        <Label-rectangle id="0" width="189pt" height="72pt"><Layout nx="3" ny="10" x0="0.1875in" y0="0.5in" dx="2.75in" dy="1in"/></Label-rectangle></Template>
      </Glabels-templates>)");
    ASSERT_TRUE(Open());
    dialog->Tabs()->setCurrentIndex(1);
    CPrintSetSealPage *page = dialog->SealPage();

    WhenModal<CLabelSheetDlg>([](CLabelSheetDlg &d) {
        EXPECT_EQ(d.ShownCount(), 2);
        TypeText(d.SearchBox(), QStringLiteral("宛名"));
        EXPECT_EQ(d.ShownCount(), 1);
        d.SearchBox()->clear();
        TypeText(d.SearchBox(), QStringLiteral("hisago elm"));
        ASSERT_EQ(d.ShownCount(), 1);
        d.Table()->selectRow(1); // Hisago sorts after Avery
        d.accept();
    });
    page->CatalogueButton()->click();
    EXPECT_EQ(Print().SizeAspects, QSize(2, 5));
    EXPECT_EQ(Print().SizeSeal, QSize(864, 508));
    EXPECT_EQ(Print().RectSealMargin, QMargins(186, 212, 186, 2970 - 212 - 5 * 508));
    EXPECT_EQ(page->FieldOf(CPrintSetSealPage::MarginLeft)->text(), QStringLiteral("18.6"));
    EXPECT_EQ(page->LabelCount()->text(), QStringLiteral("10"));
    EXPECT_EQ(dialog->PageCount(), 2);
    EXPECT_EQ(page->Definitions()->currentText(), QStringLiteral("Hisago ELM006"));
    page->SaveButton()->click();
    EXPECT_EQ(Print().SealPaperInfo.last().DefinitionName, QStringLiteral("Hisago ELM006"));
    EXPECT_EQ(Print().SealPaperInfo.last().MarginTop, 212);

    // A Letter sheet brings its paper into the device settings.
    WhenModal<CLabelSheetDlg>([](CLabelSheetDlg &d) {
        d.Table()->selectRow(0);
        d.accept();
    });
    page->CatalogueButton()->click();
    EXPECT_EQ(Print().PaperSize(), 1);
    EXPECT_EQ(dialog->PaperText()->text(), QStringLiteral("Letter     : 8 1/2 × 11 Inch"));
}

TEST_F(PrintPages, WithoutTheMakersCatalogueTheButtonSaysSoAndNothingChanges)
{
    AddCards(1);
    ASSERT_TRUE(Open());
    dialog->Tabs()->setCurrentIndex(1);
    const QSize grid = Print().SizeAspects;
    dialog->SealPage()->CatalogueButton()->click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("glabels-data")));
    EXPECT_EQ(messages.shown[0].icon, QMessageBox::Information);
    EXPECT_EQ(Print().SizeAspects, grid);
}

TEST_F(PrintPages, TheHonorificAndWrappingGoIntoThePrintSettings)
{
    AddCards(1);
    ASSERT_TRUE(Open());
    dialog->ListPage()->TurnDownBox()->click();
    dialog->ListPage()->FitPaperBox()->click();
    dialog->Tabs()->setCurrentIndex(1);
    QComboBox *respect = dialog->SealPage()->Respect();
    EXPECT_EQ(respect->count(), 6);
    EXPECT_EQ(respect->itemText(5), QStringLiteral("なし"));
    respect->setCurrentIndex(2);
    emit respect->activated(2);
    dialog->CloseButton()->click();
    EXPECT_TRUE(settings.TurnDown);
    EXPECT_TRUE(settings.FitPaper);
    EXPECT_EQ(settings.Respect, 2);
}

TEST_F(PrintPages, TheFontDialogChangesOnlyWhatWasChosen)
{
    AddCards(1);
    ASSERT_TRUE(Open());
    // Confirmed as it came: the stored size stays 2.7 mm although the chooser shows whole points.
    WhenModal<CPrintFontDlg>([](CPrintFontDlg &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("フォントの設定"));
        ButtonNamed(d, QStringLiteral("OK"))->click();
    });
    dialog->FontButton()->click();
    EXPECT_EQ(Print().LogFont.height, -27);

    WhenModal<CPrintFontDlg>([](CPrintFontDlg &d) {
        QFont f(QStringLiteral("IPAGothic"));
        f.setPointSize(12);
        d.Chooser()->setCurrentFont(f);
        d.ColorChoice()->setCurrentIndex(9); // 赤
        ButtonNamed(d, QStringLiteral("OK"))->click();
    });
    dialog->FontButton()->click();
    EXPECT_EQ(Print().LogFont.faceName, QStringLiteral("IPAGothic"));
    EXPECT_EQ(Print().LogFont.height, -42); // 12 pt
    EXPECT_EQ(Print().FontColor, QColor(255, 0, 0));
    EXPECT_EQ(dialog->FontText()->text(), QStringLiteral("IPAGothic"));

    WhenModal<CPrintFontDlg>([](CPrintFontDlg &d) {
        d.ColorChoice()->setCurrentIndex(0);
        d.reject();
    });
    dialog->FontButton()->click();
    EXPECT_EQ(Print().FontColor, QColor(255, 0, 0));
}

TEST(LabelSheetDlg, TheKeyboardReachesASheetFromTheSearchBox)
{
    LabelSheet a, b;
    a.brand = b.brand = QStringLiteral("Hisago");
    a.part = QStringLiteral("ELM001");
    b.part = QStringLiteral("ELM006");
    {
        CLabelSheetDlg d({a, b});
        d.show();
        TypeText(d.SearchBox(), QStringLiteral("elm006"));
        QTest::keyClick(d.SearchBox(), Qt::Key_Return);
        ASSERT_TRUE(d.Chosen().has_value());
        EXPECT_EQ(d.Chosen()->part, QStringLiteral("ELM006"));
        EXPECT_EQ(d.result(), QDialog::Accepted);
    }
    CLabelSheetDlg d({a, b});
    d.show();
    QTest::keyClick(d.SearchBox(), Qt::Key_Down);
    EXPECT_EQ(d.Table()->selectedItems().value(0)->row(), 0);
    d.Table()->selectRow(1);
    QTest::keyClick(d.Table(), Qt::Key_Return);
    ASSERT_TRUE(d.Chosen().has_value());
    EXPECT_EQ(d.Chosen()->part, QStringLiteral("ELM006"));
}

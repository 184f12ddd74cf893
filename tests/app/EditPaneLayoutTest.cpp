#include "../views/RecordingMessageBox.h"
#include "CCardEditView.h"
#include "CCardStore.h"
#include "CEdit1Sheet.h"
#include "CEdit2Sheet.h"
#include "CEditKindList.h"
#include "CMainFrame.h"
#include "CSettings.h"
#include "CTessalyDlg.h"
#include "TempDir.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The main window at a given size, with the edit pane as the program shows it.
class EditPaneLayoutTest : public ::testing::TestWithParam<bool>
{
protected:
    void Show(QSize size)
    {
        settings.options.separateName = settings.options.separateAddress = GetParam();
        ASSERT_TRUE(store.CreateNew(dir.File("office.ovd")));
        window = std::make_unique<CTessalyDlg>(settings, store, messages);
        window->Frame()->AttachPanes(dir.File("settings.ini"));
        window->resize(size);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->size() == size; }));
        QApplication::processEvents(); // the pane sizes follow once the layout has settled
    }
    CCardEditView *Edit() { return window->Frame()->EditView(); }
    QScrollArea *Page(int index) { return qobject_cast<QScrollArea *>(Edit()->Tabs()->widget(index)); }

    // The part of w that shows through its page (its scroll area) without scrolling.
    static QRect Visible(QWidget *w, QScrollArea *page)
    {
        QWidget *shown = page ? page->viewport() : w->window();
        const QRect inPage(w->mapTo(shown, QPoint(0, 0)), w->size());
        return inPage & shown->rect();
    }

    // Rows of a phone or mail list that can be seen whole.
    static int VisibleRows(CEditKindList *list, QScrollArea *page)
    {
        QTableWidget *table = list->Table();
        const int shown = Visible(table->viewport(), page).height();
        return shown / table->verticalHeader()->defaultSectionSize();
    }

    TempDir dir;
    CSettings settings;
    CCardStore store{&settings.store};
    RecordingMessageBox messages;
    std::unique_ptr<CTessalyDlg> window;
};

} // namespace

TEST_P(EditPaneLayoutTest, BothListsShowThreeRowsAt1024x700)
{
    Show(QSize(1024, 700));
    QScrollArea *page = Page(0);
    ASSERT_NE(page, nullptr);
    EXPECT_GE(VisibleRows(Edit()->Sheet1()->phones, page), CEditKindList::MinVisibleRows);
    EXPECT_GE(VisibleRows(Edit()->Sheet1()->mails, page), CEditKindList::MinVisibleRows);
    EXPECT_FALSE(page->verticalScrollBar()->isVisible()); // the whole page fits
    QWidget *name = GetParam() ? Edit()->Sheet1()->lastName : Edit()->Sheet1()->name;
    EXPECT_GE(Visible(name, page).width(), CEdit1Sheet::MinBoxWidth);
}

// The memo stays a box of several lines in both address layouts.
TEST_P(EditPaneLayoutTest, MemoKeepsItsLinesAt1024x700)
{
    Show(QSize(1024, 700));
    Edit()->Tabs()->setCurrentIndex(1);
    QApplication::processEvents();
    QPlainTextEdit *memo = Edit()->Sheet2()->memo;
    const int lines = Visible(memo->viewport(), Page(1)).height() / memo->fontMetrics().lineSpacing();
    EXPECT_GE(lines, CEdit2Sheet::MinMemoLines);
}

// Below what the page needs it scrolls; its lists and boxes keep their size.
TEST_P(EditPaneLayoutTest, SmallestWindowScrollsInsteadOfSqueezing)
{
    Show(QSize(640, 480));
    QScrollArea *page = Page(0);
    EXPECT_TRUE(page->verticalScrollBar()->isVisible() || page->horizontalScrollBar()->isVisible());
    QTableWidget *phones = Edit()->Sheet1()->phones->Table();
    EXPECT_GE(phones->viewport()->height(),
              CEditKindList::MinVisibleRows * phones->verticalHeader()->defaultSectionSize());
    EXPECT_GE(Edit()->Sheet1()->company->width(), CEdit1Sheet::MinBoxWidth);
    EXPECT_GE(Edit()->Sheet2()->memo->height(),
              CEdit2Sheet::MinMemoLines * Edit()->Sheet2()->memo->fontMetrics().lineSpacing());
}

INSTANTIATE_TEST_SUITE_P(Layouts, EditPaneLayoutTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return info.param ? "Separate" : "Whole";
                         });

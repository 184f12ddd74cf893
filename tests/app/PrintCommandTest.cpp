// 印刷 in the main window: the print dialog over the shown tab's marked cards,
// and the settings file written as soon as the dialog is closed with 閉じる.
#include "../views/RecordingMessageBox.h"
#include "CCardStore.h"
#include "CMainFrame.h"
#include "CPrintDlg.h"
#include "CPrintSetListPage.h"
#include "CPrintSetSealPage.h"
#include "CSettings.h"
#include "CTessalyDlg.h"
#include "PrintTexts.h"
#include "TempDir.h"
#include "print/FakePrintSystem.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

struct PrintCommand : ::testing::Test
{
    TempDir dir;
    CSettings settings;
    CCardStore store{&settings.store};
    RecordingMessageBox messages;
    FakePrintSystem printers;
    std::unique_ptr<CTessalyDlg> window;

    void SetUp() override
    {
        ASSERT_TRUE(store.CreateNew(dir.File("顧客.ovd")));
        store.SetSyncWrites(false);
        window = std::make_unique<CTessalyDlg>(settings, store, messages);
        Frame()->AttachPanes(dir.File("settings.ini"));
        Frame()->SetPrintSystem(&printers);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    CMainFrame *Frame() { return window->Frame(); }
    void AddCard(const QString &name, bool print)
    {
        CCardData card;
        card.SetName(name);
        card.SetPrint(print);
        ASSERT_NE(store.AddCard(card), nullptr);
    }
    // Runs `act` on the print dialog when it shows; says whether it showed.
    std::shared_ptr<bool> WhenTheDialogShows(const std::function<void(CPrintDlg &)> &act)
    {
        auto shown = std::make_shared<bool>(false);
        QTimer::singleShot(0, [shown, act] {
            if (auto *d = qobject_cast<CPrintDlg *>(QApplication::activeModalWidget())) {
                *shown = true;
                act(*d);
            }
        });
        return shown;
    }
};

} // namespace

TEST_F(PrintCommand, TheCommandSitsInTheMenuAndToolBarWithCtrlP)
{
    QAction *print = Frame()->Action(MainAction::Print);
    ASSERT_NE(print, nullptr);
    EXPECT_TRUE(print->isEnabled());
    EXPECT_EQ(print->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    EXPECT_TRUE(Frame()->ToolBar()->actions().contains(print));
}

TEST_F(PrintCommand, WithoutAMarkedCardOnlyTheMessageShows)
{
    AddCard(QStringLiteral("未選択"), false);
    auto shown = WhenTheDialogShows([](CPrintDlg &d) { d.reject(); });
    Frame()->Action(MainAction::Print)->trigger();
    EXPECT_FALSE(*shown);
    EXPECT_EQ(messages.Texts(), QStringList({PrintTexts::NoMarkedCard()}));
}

TEST_F(PrintCommand, CloseWritesTheSettingsFileAtOnceAndEscapeDoesNot)
{
    AddCard(QStringLiteral("山田"), true);
    AddCard(QStringLiteral("佐藤"), false);
    auto shown = WhenTheDialogShows([](CPrintDlg &d) {
        EXPECT_EQ(d.Print().PrinterName, QStringLiteral("Office"));
        d.ListPage()->HeaderField(0)->setText(QStringLiteral("ignored"));
        d.reject();
    });
    Frame()->Action(MainAction::Print)->trigger();
    EXPECT_TRUE(*shown);
    EXPECT_FALSE(QFile::exists(dir.File("settings.ini")));

    shown = WhenTheDialogShows([](CPrintDlg &d) {
        d.Tabs()->setCurrentIndex(1);
        d.SealPage()->Definitions()->setEditText(QStringLiteral("宛名シール"));
        d.SealPage()->SaveButton()->click();
        d.CloseButton()->click();
    });
    Frame()->Action(MainAction::Print)->trigger();
    EXPECT_TRUE(*shown);
    CSettings written;
    written.ReadAll(dir.File("settings.ini"));
    EXPECT_EQ(written.print.PrinterName, QStringLiteral("Office"));
    ASSERT_EQ(written.print.SealPaperInfo.size(), 6);
    EXPECT_EQ(written.print.SealPaperInfo.last().DefinitionName, QStringLiteral("宛名シール"));
    EXPECT_EQ(settings.print, written.print);
}

TEST_F(PrintCommand, TheJobIsNamedAfterTheManagementFile)
{
    AddCard(QStringLiteral("山田"), true);
    WhenTheDialogShows([](CPrintDlg &d) {
        d.PrintButton()->click();
        d.reject();
    });
    Frame()->Action(MainAction::Print)->trigger();
    ASSERT_EQ(printers.jobs.size(), 1);
    EXPECT_EQ(printers.jobs[0].first(), QStringLiteral("start 顧客"));
}

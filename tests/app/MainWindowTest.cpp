#include "../views/RecordingMessageBox.h"
#include "../views/TestStore.h"
#include "CAboutDlg.h"
#include "CBackup.h"
#include "CCardListModel.h"
#include "CCardListView.h"
#include "CFileOverwriteConfDlg.h"
#include "CMainFrame.h"
#include "CSettings.h"
#include "CTabView.h"
#include "CTessalyDlg.h"
#include "CWindowPlacement.h"
#include "QtJapanese.h"
#include "StoreError.h"
#include "TempDir.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {
struct MainWindowFixture : ::testing::Test
{
    TestStore source{QStringLiteral("office.ovd")};
    TempDir &dir = source.dir;
    RecordingMessageBox messages;
    CSettings settings;
    std::unique_ptr<CTessalyDlg> window;

    void Make()
    {
        window = std::make_unique<CTessalyDlg>(settings, source.store, messages);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    CMainFrame *Frame() { return window->Frame(); }
};
} // namespace

TEST_F(MainWindowFixture, TitleSizeAndPanesFollowTheSettings)
{
    settings.listViewPaneWidth = 380;
    settings.showCardImageViewPane = false;
    settings.showStatusBar = false;
    settings.toolBarPos = 2;
    Make();
    EXPECT_EQ(window->windowTitle(), CTessalyDlg::Caption() + QStringLiteral("  -  office.ovd"));
    EXPECT_EQ(window->minimumSize(), QSize(640, 480));
    EXPECT_EQ(Frame()->Columns()->sizes().value(0), 380);
    EXPECT_TRUE(Frame()->ImagePane()->isHidden());
    EXPECT_FALSE(Frame()->Action(MainAction::ImagePane)->isChecked());
    EXPECT_TRUE(Frame()->Action(MainAction::EditPane)->isChecked());
    EXPECT_TRUE(window->statusBar()->isHidden());
    EXPECT_EQ(window->toolBarArea(Frame()->ToolBar()), Qt::LeftToolBarArea);
    EXPECT_EQ(CMainFrame::SearchBarHeight(96), 76);
    EXPECT_EQ(CMainFrame::SearchBarHeight(144), 114);
    EXPECT_EQ(CMainFrame::TabStripHeight(96), 28);
    EXPECT_EQ(CMainFrame::TabStripHeight(192), 46);
}

TEST_F(MainWindowFixture, ThePhoneCommandIsInTheMenuAndOnTheToolBar)
{
    Make();
    QAction *phone = Frame()->Action(MainAction::Phone);
    ASSERT_TRUE(phone);
    EXPECT_EQ(phone->text(), QString::fromUtf8("携帯電話(&C)..."));
    EXPECT_TRUE(phone->isEnabled());
    EXPECT_FALSE(phone->icon().isNull());
    EXPECT_TRUE(Frame()->ToolBar()->actions().contains(phone));
}

TEST_F(MainWindowFixture, ClipboardCommandsActOnlyOnATextBox)
{
    Make();
    auto *edit = new QLineEdit(QStringLiteral("hello world"), Frame()->EditPane());
    edit->show();
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    Frame()->List()->Table()->setFocus();
    QApplication::processEvents();
    Frame()->Action(MainAction::Cut)->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("kept"));

    edit->setFocus();
    edit->setSelection(0, 5);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), edit);
    Frame()->Action(MainAction::Cut)->trigger();
    EXPECT_EQ(edit->text(), QStringLiteral(" world"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("hello"));

    edit->setSelection(1, 5);
    Frame()->Action(MainAction::Copy)->trigger();
    EXPECT_EQ(edit->text(), QStringLiteral(" world"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("world"));
    edit->setCursorPosition(0);
    Frame()->Action(MainAction::Paste)->trigger();
    EXPECT_EQ(edit->text(), QStringLiteral("world world"));
}

TEST_F(MainWindowFixture, EveryCommandHasItsOwnMenuItem)
{
    Make();
    QSet<QString> texts;
    for (int i = 0; i < int(MainAction::Count); ++i) {
        QAction *action = Frame()->Action(MainAction(i));
        ASSERT_TRUE(action) << i;
        EXPECT_FALSE(action->text().isEmpty()) << i;
        texts.insert(action->text());
    }
    EXPECT_EQ(texts.size(), int(MainAction::Count));
}

TEST_F(MainWindowFixture, ResetViewStateRestoresPanesAndStoresDefaults)
{
    settings.listViewPaneWidth = 600;
    settings.cardEditViewPaneHeight = 250;
    settings.showCardEditViewPane = false;
    settings.toolBarPos = 3;
    Make();
    Frame()->SetListStyle(CCardListView::ThumbnailStyle);
    messages.answers = {QMessageBox::No};
    Frame()->Action(MainAction::ResetView)->trigger();
    EXPECT_EQ(messages.shown.last().text, QString::fromUtf8("表示状態を初期化しますか？"));
    EXPECT_EQ(messages.shown.last().icon, QMessageBox::Question);
    EXPECT_TRUE(Frame()->EditPane()->isHidden());

    Frame()->Action(MainAction::ResetView)->trigger(); // answered yes
    EXPECT_FALSE(Frame()->EditPane()->isHidden());
    EXPECT_FALSE(Frame()->ImagePane()->isHidden());
    EXPECT_EQ(Frame()->List()->CurrentStyle(), CCardListView::TableStyle);
    EXPECT_EQ(window->toolBarArea(Frame()->ToolBar()), Qt::TopToolBarArea);
    window->close();
    EXPECT_EQ(settings.listViewPaneWidth, 455);
    EXPECT_EQ(settings.cardEditViewPaneHeight, 400);
    EXPECT_EQ(settings.toolBarPos, 0);
    EXPECT_TRUE(settings.showCardEditViewPane);
    EXPECT_EQ(settings.listViewStyle, 0);
}

TEST_F(MainWindowFixture, HiddenEditPaneKeepsItsHeightForTheSettings)
{
    settings.cardEditViewPaneHeight = 300;
    Make();
    Frame()->ShowEditPane(false);
    window->close();
    EXPECT_EQ(settings.cardEditViewPaneHeight, 300);
    EXPECT_FALSE(settings.showCardEditViewPane);
}

TEST_F(MainWindowFixture, BackupRefusesTheOpenFileAndCopiesFileAndImages)
{
    Make();
    const QString path = source.Path();
    const QString images = source.store.ImageFolder();
    TempDir::WriteAll(path, "cards");
    QDir().mkpath(images + "/sub");
    TempDir::WriteAll(images + "/Card_1.ovi", "image");
    TempDir::WriteAll(images + "/sub/x", "nested");

    EXPECT_FALSE(Frame()->BackupTo(path));
    EXPECT_EQ(messages.shown.last().text, QString::fromUtf8("現在使用中の管理ファイルは指定できません。"));
    EXPECT_EQ(messages.shown.last().caption, QString::fromUtf8("バックアップ"));
    EXPECT_EQ(messages.shown.last().icon, QMessageBox::Warning);
    EXPECT_EQ(TempDir::ReadAll(path), QByteArray("cards"));

    const QString target = CBackup::ProposedName(path, QDate(2026, 3, 4));
    EXPECT_EQ(target, dir.File("office20260304.ovd"));
    TempDir::WriteAll(target, "an earlier backup of today");
    EXPECT_TRUE(Frame()->BackupTo(target));
    EXPECT_EQ(messages.shown.last().text, QString::fromUtf8("バックアップしました。"));
    EXPECT_EQ(messages.shown.last().icon, QMessageBox::Information);
    EXPECT_EQ(TempDir::ReadAll(target), QByteArray("cards"));
    EXPECT_EQ(TempDir::ReadAll(dir.File("office20260304_Image/Card_1.ovi")), QByteArray("image"));
    EXPECT_EQ(TempDir::ReadAll(dir.File("office20260304_Image/sub/x")), QByteArray("nested"));

    EXPECT_FALSE(Frame()->BackupTo(dir.File("no/such/folder/x.ovd")));
    EXPECT_EQ(messages.shown.last().text, QString::fromUtf8("バックアップを中断しました。"));
}

// A file that does not open leaves the window on the file it had, whole: title,
// status bar, list and editing all stay with it, and the bad file gets no image folder.
TEST_F(MainWindowFixture, AFailedOpenStaysOnTheOpenFile)
{
    source.Add(QStringLiteral("A"));
    source.Add(QStringLiteral("B"));
    Make();
    const QString bad = dir.File("bad.ovd");
    TempDir::WriteAll(bad, "not a management file");
    EXPECT_FALSE(Frame()->OpenFile(bad));
    EXPECT_EQ(messages.shown.last().text, QString::fromUtf8("管理ファイルが不正です。"));
    EXPECT_EQ(messages.shown.last().caption, QString::fromUtf8("開く"));
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral("office.ovd")));
    EXPECT_TRUE(Frame()->StatusText()->text().contains(QStringLiteral("office.ovd")));
    EXPECT_EQ(Frame()->List()->ItemCount(), 2);
    EXPECT_FALSE(QFileInfo::exists(dir.File("bad_Image")));
    ASSERT_NE(Frame()->NewCard(), nullptr);
    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(dir.File("office.ovd")));
    EXPECT_EQ(reopened.LiveCount(), 3);

    // A folder is named as one.
    QDir().mkpath(dir.File("folder.ovd"));
    EXPECT_FALSE(Frame()->OpenFile(dir.File("folder.ovd")));
    EXPECT_EQ(messages.shown.last().text, StoreErrorText(StoreError::Folder));
}

TEST_F(MainWindowFixture, CreateReportsFailuresAndRetitles)
{
    Make();
    TempDir::WriteAll(dir.File("file"), "x");
    EXPECT_FALSE(Frame()->CreateNewAt(dir.File("file/new.ovd")));
    EXPECT_TRUE(
        messages.shown.last().text.startsWith(QString::fromUtf8("管理ファイルの作成に失敗しました。")));
    EXPECT_EQ(messages.shown.last().caption, QString::fromUtf8("新規作成"));
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral("office.ovd")));

    EXPECT_TRUE(Frame()->CreateNewAt(dir.File("new.ovd")));
    EXPECT_EQ(window->windowTitle(), CTessalyDlg::Caption() + QStringLiteral("  -  new.ovd"));
    EXPECT_EQ(Frame()->List()->ItemCount(), 0);
    EXPECT_EQ(CTessalyDlg::TitleFor(QStringLiteral("A  -  b  -  c"), QStringLiteral("/x/y.ovd")),
              QStringLiteral("A  -  y.ovd"));
}

TEST_F(MainWindowFixture, NewCardIsAddedAndSelected)
{
    source.Add(QStringLiteral("A"));
    Make();
    Frame()->Action(MainAction::NewCard)->trigger();
    ASSERT_EQ(source.store.LiveCount(), 2);
    EXPECT_EQ(Frame()->List()->CurrentCard(), source.store.CardAt(1));
    EXPECT_TRUE(Frame()->StatusText()->text().startsWith(QString::fromUtf8("2 件")));
}

// The card count stays in the status bar while menus show (and clear) their tips.
TEST_F(MainWindowFixture, StatusBarCountOutlivesMenuTips)
{
    source.Add(QString::fromUtf8("山田 太郎"));
    source.Add(QString::fromUtf8("佐藤 花子"));
    Make();
    Frame()->Reload();
    const QString count = QString::fromUtf8("2 件  (office.ovd)");
    ASSERT_EQ(Frame()->StatusText()->text(), count);
    for (const QString &tip : {QString::fromUtf8("開く"), QString()}) {
        QStatusTipEvent event(tip); // what a menu item sends as the pointer moves over it
        QApplication::sendEvent(window.get(), &event);
    }
    EXPECT_TRUE(Frame()->StatusText()->isVisible());
    EXPECT_EQ(Frame()->StatusText()->text(), count);
}

TEST(WindowPlacement, MinimisedWindowsAreStoredTheWayTheyComeBack)
{
    WindowPlacement p;
    EXPECT_FALSE(p.HasNormalRect());
    p.showCmd = CWindowPlacement::ShowMinimized;
    EXPECT_FALSE(CWindowPlacement::OpensMaximized(p));
    p.flags = CWindowPlacement::RestoreToMaximized;
    EXPECT_TRUE(CWindowPlacement::OpensMaximized(p));
    EXPECT_EQ(CWindowPlacement::DefaultGeometry(QRect(0, 0, 1280, 800)), QRect(100, 20, 1080, 760));

    QWidget w;
    w.setGeometry(50, 60, 700, 500);
    w.setWindowState(Qt::WindowMinimized);
    const WindowPlacement stored = CWindowPlacement::FromWindow(w);
    EXPECT_EQ(stored.showCmd, CWindowPlacement::ShowNormal);
    w.setWindowState(Qt::WindowMinimized | Qt::WindowMaximized);
    const WindowPlacement maxed = CWindowPlacement::FromWindow(w);
    EXPECT_EQ(maxed.showCmd, CWindowPlacement::ShowMaximized);
    EXPECT_TRUE(CWindowPlacement::OpensMaximized(maxed));
}

TEST(SmallDialogs, VersionTextAndOverwriteButtons)
{
    EXPECT_EQ(CAboutDlg::VersionText(1, 0, 1), QStringLiteral("Ver. 1.01"));
    // Sized to its contents and wide enough for its caption beside the window buttons.
    CAboutDlg about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_GE(about.width(), CAboutDlg::MinimumWidth);
    EXPECT_GE(about.width(), about.fontMetrics().horizontalAdvance(about.windowTitle()) + 120);
    for (const QLabel *label : about.findChildren<QLabel *>())
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    EXPECT_EQ(CFileOverwriteConfDlg::Text(QStringLiteral("/a/b/名刺.vcf")),
              QString::fromUtf8("名刺.vcf は既に存在します。\n上書きしますか？"));
    CFileOverwriteConfDlg batch(QStringLiteral("/a/x"), true);
    QStringList texts;
    for (QPushButton *b : batch.Buttons())
        texts << b->text();
    EXPECT_EQ(texts, (QStringList{QString::fromUtf8("はい"), QString::fromUtf8("すべて上書き"),
                                  QString::fromUtf8("いいえ"), QString::fromUtf8("キャンセル")}));
    batch.Buttons()[1]->click();
    EXPECT_EQ(batch.Result(), CFileOverwriteConfDlg::YesToAll);
    CFileOverwriteConfDlg single(QStringLiteral("/a/x"), false);
    ASSERT_EQ(single.Buttons().size(), 2);
    single.Buttons()[1]->click();
    EXPECT_EQ(single.Result(), CFileOverwriteConfDlg::No);
}

TEST_F(MainWindowFixture, TabStripShowsItsTabsBesideTheListingChoice)
{
    source.Add(QStringLiteral("A"));
    Make();
    QTabBar *bar = Frame()->Tabs()->Bar();
    EXPECT_EQ(bar->count(), 14);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_GT(bar->width(), 100);
    EXPECT_GE(bar->height(), 20);
    // The table shows texts only; pictures belong to the thumbnails.
    EXPECT_FALSE(Frame()->List()->Model()->index(0, 0).data(Qt::DecorationRole).isValid());
}

// Qt's own dialogs and buttons speak Japanese with the rest of the program.
TEST(QtJapanese, StandardButtonsAndFileDialogsAreJapanese)
{
    const QLocale before;
    QTranslator *translator = InstallQtJapanese(qApp);
    ASSERT_NE(translator, nullptr);
    EXPECT_EQ(QLocale().language(), QLocale::Japanese);
    QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Yes | QDialogButtonBox::No |
                             QDialogButtonBox::Open | QDialogButtonBox::Save);
    QStringList texts;
    for (auto which : {QDialogButtonBox::Cancel, QDialogButtonBox::Yes, QDialogButtonBox::No,
                       QDialogButtonBox::Open, QDialogButtonBox::Save})
        texts << buttons.button(which)->text().remove(QLatin1Char('&'));
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QStringList labels;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        labels << label->text();
    delete translator;
    QLocale::setDefault(before);
    EXPECT_EQ(texts, QStringList({"キャンセル", "はい(Y)", "いいえ(N)", "開く", "保存"}));
    EXPECT_FALSE(labels.contains(QStringLiteral("Look in:"))) << labels.join('|').toStdString();
}

#include "CConnectDlg.h"
#include "CConnectTreeView.h"
#include "CDlgSplitter.h"
#include "CFileOverwriteConfDlg.h"
#include "CProgress.h"
#include "PhoneFlowFixture.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

class FolderFlowTest : public PhoneFlowTest
{
protected:
    QString dest = temp.File("dest");
    QString moved = temp.File("moved");

    void SetUp() override
    {
        PhoneFlowTest::SetUp();
        QDir().mkpath(dest);
        QDir().mkpath(moved);
        connect->SetFolderChooser([this](QWidget *, const QString &title) {
            chooserTitles << title;
            return title.startsWith(U("移動")) ? moved : dest;
        });
    }

    // Runs the flow; act gets the connection window once it shows.
    void RunWindow(const std::function<void(CConnectDlg *)> &act)
    {
        driver.Expect("CConnectDlg", [act](QDialog *d) {
            act(static_cast<CConnectDlg *>(d));
            if (d->isVisible())
                DialogDriver::Click(d, U("終了"));
        });
        connect->Run();
        EXPECT_TRUE(driver.Shown().contains("CConnectDlg"));
    }

    static QStringList Names(CConnectDlg *window)
    {
        QStringList names;
        for (int row = 0; row < window->List()->topLevelItemCount(); ++row)
            names << window->List()->topLevelItem(row)->text(0);
        return names;
    }

    static void Select(CConnectDlg *window, const QStringList &names)
    {
        CConnectListView *list = window->List();
        list->clearSelection();
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            if (names.contains(list->topLevelItem(row)->text(0)))
                list->topLevelItem(row)->setSelected(true);
    }

    static void ClickHeader(CConnectListView *list, int column)
    {
        QHeaderView *header = list->header();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

    QStringList chooserTitles;
};

const QStringList FiveFiles{"--file", "a.vcf:10", "--file", "b.vcf:9",  "--file", "c.vcf:100",
                            "--file", "d.vcf:9",  "--file", "e.vcf:20", "--file", "notes.txt"};

} // namespace

TEST_F(FolderFlowTest, TheWindowListsSortsImportsCopiesDeletesAndMoves)
{
    SimulatedPhone phone(QStringList{"--mode", "folder", "--fail-delete", "e.vcf"} + FiveFiles);
    lister.devices = {FolderPhone(phone.Path())};
    ExpectConfirmation(U("接続確認"));
    ASSERT_TRUE(TempDir::WriteAll(dest + "/b.vcf", "keep me"));

    RunWindow([&](CConnectDlg *window) {
        CConnectListView *list = window->List();
        // The folder tree: the phone and the documents folder it entered, chosen.
        QTreeWidgetItem *root = window->Splitter()->Tree()->topLevelItem(0);
        ASSERT_TRUE(root);
        EXPECT_EQ(root->text(0), U("携帯電話"));
        EXPECT_TRUE(root->isExpanded());
        ASSERT_EQ(root->childCount(), 1);
        EXPECT_EQ(root->child(0)->text(0), U("その他ファイル"));
        EXPECT_TRUE(root->child(0)->isSelected());
        EXPECT_GE(window->Splitter()->sizes().value(0), 120);

        // The ".vcf" files, in listing order, with sizes and dates.
        EXPECT_EQ(Names(window), (QStringList{"a.vcf", "b.vcf", "c.vcf", "d.vcf", "e.vcf"}));
        EXPECT_EQ(list->headerItem()->text(1), U("サイズ"));
        EXPECT_EQ(list->header()->sectionSize(0), 255);
        EXPECT_EQ(list->header()->sectionSize(1), 55);
        // At least the old widths; the date column also as wide as a date needs.
        EXPECT_GE(list->header()->sectionSize(2), 75);
        EXPECT_GE(list->header()->sectionSize(2), list->fontMetrics().horizontalAdvance("2007/01/02"));
        EXPECT_TRUE(list->header()->sectionsMovable());
        EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("10"));
        EXPECT_TRUE(list->topLevelItem(0)->textAlignment(1) & Qt::AlignRight);
        EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("2007/01/02"));

        // サイズ three times: ascending (9 before 10), descending, listing order.
        ClickHeader(list, 1);
        EXPECT_EQ(Names(window), (QStringList{"b.vcf", "d.vcf", "a.vcf", "e.vcf", "c.vcf"}));
        EXPECT_TRUE(list->header()->isSortIndicatorShown());
        EXPECT_EQ(list->header()->sortIndicatorSection(), 1);
        EXPECT_EQ(list->header()->sortIndicatorOrder(), Qt::AscendingOrder);
        ClickHeader(list, 1);
        EXPECT_EQ(Names(window), (QStringList{"c.vcf", "e.vcf", "a.vcf", "b.vcf", "d.vcf"}));
        EXPECT_EQ(list->header()->sortIndicatorOrder(), Qt::DescendingOrder);
        ClickHeader(list, 1);
        EXPECT_EQ(Names(window), (QStringList{"a.vcf", "b.vcf", "c.vcf", "d.vcf", "e.vcf"}));
        EXPECT_FALSE(list->header()->isSortIndicatorShown());

        // The context menu needs a selection.
        list->clearSelection();
        QContextMenuEvent none(QContextMenuEvent::Mouse, QPoint(5, 5),
                               list->viewport()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(list->viewport(), &none);
        EXPECT_FALSE(list->ContextMenu()->isVisible());
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        Select(window, {"a.vcf"});
        QContextMenuEvent some(QContextMenuEvent::Mouse, QPoint(5, 5),
                               list->viewport()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(list->viewport(), &some);
        EXPECT_TRUE(list->ContextMenu()->isVisible());
        QStringList items;
        for (QAction *action : list->ContextMenu()->actions())
            items << action->text();
        EXPECT_EQ(items, (QStringList{U("ｲﾝﾎﾟｰﾄ"), U("ｺﾋﾟｰ"), U("移動"), U("削除")}));
        list->ContextMenu()->close();

        // ｲﾝﾎﾟｰﾄ of two files: the import summary, and the cards in the store.
        Select(window, {"a.vcf", "b.vcf"});
        ExpectConfirmation(U("接続確認 - インポート"));
        DialogDriver::Click(window, U("ｲﾝﾎﾟｰﾄ"));
        ASSERT_FALSE(messages.shown.isEmpty());
        EXPECT_EQ(messages.shown.last().caption, U("インポート完了"));
        EXPECT_EQ(messages.shown.last().text,
                  U("2 ファイル インポートしました。\n\n2 件、新規登録しました。\n"));
        EXPECT_EQ(cards.store.LiveCount(), 2);

        // ｺﾋﾟｰ of three where the second exists and the answer is いいえ.
        Select(window, {"a.vcf", "b.vcf", "c.vcf"});
        ExpectConfirmation(U("接続確認 - コピー"));
        driver.Expect("CFileOverwriteConfDlg", [](QDialog *d) {
            EXPECT_EQ(static_cast<CFileOverwriteConfDlg *>(d)->Buttons().size(), 4); // a batch
            DialogDriver::Click(d, U("いいえ"));
        });
        DialogDriver::Click(window, U("ｺﾋﾟｰ"));
        EXPECT_EQ(chooserTitles.last(), U("コピー先のフォルダを選択してください"));
        EXPECT_EQ(messages.shown.last().caption, U("コピー完了"));
        EXPECT_EQ(messages.shown.last().text, U("2件 コピーしました。"));
        EXPECT_EQ(messages.shown.last().icon, QMessageBox::Information);
        EXPECT_EQ(TempDir::ReadAll(dest + "/a.vcf"), SimVCard("a.vcf"));
        EXPECT_EQ(TempDir::ReadAll(dest + "/b.vcf"), QByteArray("keep me"));
        EXPECT_EQ(TempDir::ReadAll(dest + "/c.vcf"), SimVCard("c.vcf"));
        EXPECT_EQ(list->topLevelItemCount(), 5); // a copy leaves the files on the phone

        // 削除 of two of five: the question, then three rows.
        Select(window, {"b.vcf", "d.vcf"});
        ExpectConfirmation(U("接続確認 - 削除"));
        const qsizetype before = messages.shown.size();
        DialogDriver::Click(window, U("削除"));
        ASSERT_EQ(messages.shown.size(), before + 2);
        EXPECT_EQ(messages.shown[before].text,
                  U("選択されたデータを携帯電話から削除します。よろしいですか？\n"));
        EXPECT_EQ(messages.shown[before].icon, QMessageBox::Warning);
        EXPECT_EQ(messages.shown.last().caption, U("削除完了"));
        EXPECT_EQ(messages.shown.last().text, U("2件削除しました。"));
        EXPECT_EQ(Names(window), (QStringList{"a.vcf", "c.vcf", "e.vcf"}));

        // 移動 of two whose second cannot be deleted on the phone: its copy goes again.
        NoConfirmation({3});
        Select(window, {"c.vcf", "e.vcf"});
        DialogDriver::Click(window, U("移動"));
        EXPECT_EQ(chooserTitles.last(), U("移動先のフォルダを選択してください"));
        EXPECT_EQ(messages.shown.last().caption, U("移動一部完了"));
        EXPECT_EQ(messages.shown.last().text, U("1件 移動しました。\n1件 移動に失敗しました。"));
        EXPECT_EQ(TempDir::ReadAll(moved + "/c.vcf"), SimVCard("c.vcf"));
        EXPECT_FALSE(QFileInfo::exists(moved + "/e.vcf"));
        EXPECT_EQ(Names(window), (QStringList{"a.vcf", "e.vcf"}));

        DialogDriver::Click(window, U("全選択"));
        EXPECT_EQ(list->SelectedEntries().size(), 2);

        // The phone is gone before the next command: nothing connects.
        lister.devices.clear();
        NoConfirmation({4});
        const qsizetype shownDialogs = driver.Shown().size();
        DialogDriver::Click(window, U("削除"));
        EXPECT_EQ(
            messages.shown.last().text,
            U("携帯電話が接続されていません。\nKDDI向けの携帯電話はファイルメニューのメモリーカードあるいは"
              "メモリーカードアイコンを選択してください。\n"));
        EXPECT_EQ(driver.Shown().size(), shownDialogs);
        EXPECT_EQ(list->topLevelItemCount(), 2);
    });
    EXPECT_FALSE(connect->Document()->Session().IsOpen());
    EXPECT_FALSE(QFileInfo::exists(WorkFolder()));
}

TEST_F(FolderFlowTest, StopWhileTheTransferWaitsOnASilentPhone)
{
    NoConfirmation({0, 2});
    SimulatedPhone phone({"--mode", "folder", "--file", "a.vcf", "--file", "b.vcf", "--silent-get", "b.vcf"});
    lister.devices = {FolderPhone(phone.Path())};
    bool visibleAtDone = true;
    bool stoppedBeforeDone = false;
    bool doneSeen = false;
    RunWindow([&](CConnectDlg *window) {
        Select(window, {"b.vcf"});
        driver.Expect("CProgress", [&](QDialog *d) {
            auto *progress = static_cast<CProgress *>(d);
            CConnectDoc *doc = connect->Document();
            // Connected after the dialog: this runs after the dialog has handled each message.
            // The document is the context, not the dialog: once the dialog has closed and been
            // deleted, a message queued to it would be dropped unseen.
            QPointer<CProgress> guard(progress);
            QObject::connect(doc, &CConnectDoc::Done, doc, [&, guard] {
                doneSeen = true;
                visibleAtDone = guard && guard->isVisible();
            });
            EXPECT_TRUE(QTest::qWaitFor(
                [&] { return progress->ItemLabel()->text() == QStringLiteral("b.vcf"); }, 60000));
            EXPECT_EQ(progress->OperationLabel()->text(), U("ファイル取得中..."));
            EXPECT_EQ(progress->CounterLabel()->text(), QStringLiteral("(0/1)"));
            ASSERT_TRUE(doc->IsWorkerRunning());
            DialogDriver::Click(d, U("中断"));
            // The window stays until the worker says it is done.
            stoppedBeforeDone = d->isVisible() && progress->Stopped();
        });
        DialogDriver::Click(window, U("ｺﾋﾟｰ"));
        EXPECT_EQ(messages.shown.last().caption, U("コピー中断"));
        EXPECT_EQ(messages.shown.last().text, U("コピーを中断しました。\n\n"));
        EXPECT_EQ(messages.shown.last().icon, QMessageBox::Warning);
    });
    EXPECT_TRUE(stoppedBeforeDone);
    // The copy of the done message queued to this test may still wait when the window returns.
    ASSERT_TRUE(QTest::qWaitFor([&] { return doneSeen; }, 60000));
    EXPECT_FALSE(visibleAtDone); // closed while handling the worker's done message
    EXPECT_TRUE(QDir(dest).isEmpty());
    EXPECT_TRUE(QDir(tmp).isEmpty()); // no fetched file and no work folder left
    EXPECT_FALSE(connect->Document()->Session().IsOpen());
}

#include "CCardListModel.h"
#include "CCardListView.h"
#include "CListColumnDlg.h"
#include "CPrintCheckDelegate.h"
#include "CTabView.h"
#include "RecordingMessageBox.h"
#include "TestStore.h"

#include "FailingFile.h"
#include "StoreError.h"

#include <QFile>
#include <QHeaderView>
#include <QListView>
#include <QListWidget>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {
struct ListFixture : ::testing::Test
{
    TestStore source;
    RecordingMessageBox messages;
    std::unique_ptr<CCardListView> view;

    void Make()
    {
        view = std::make_unique<CCardListView>(&source.store, &messages);
        view->resize(800, 400);
        view->SetTab(0, 13);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }
    QRect PrintCell(int item)
    {
        QTableView *t = view->Table();
        return t->visualRect(view->Model()->index(item, CCardListModel::ColPrint));
    }
};
} // namespace

TEST_F(ListFixture, ModelReadsTextsFromTheCardsOnDemand)
{
    CCardData data;
    data.SetName(QString::fromUtf8("山田太郎"));
    data.SetCompany(QString::fromUtf8("山田商事"), false);
    data.SetPhone(0, {QStringLiteral("03-1234-5678"), PhoneMobile});
    data.SetMail(0, {QStringLiteral("taro@example.jp"), MailMobile});
    data.SetTitle(QString::fromUtf8("部長"));
    data.SetDepartment(QString::fromUtf8("営業部"));
    CCardData *a = source.store.AddCard(data);
    CCardListModel model;
    model.SetStore(&source.store);
    model.SetTab(0, 13);
    ASSERT_EQ(model.rowCount(), 1);
    QStringList texts;
    for (int c = 0; c < 6; ++c)
        texts << model.index(0, c).data().toString();
    EXPECT_EQ(texts, (QStringList{QString::fromUtf8("山田太郎"), QString::fromUtf8("山田商事"),
                                  QStringLiteral("03-1234-5678"), QStringLiteral("taro@example.jp"),
                                  QString::fromUtf8("部長"), QString::fromUtf8("営業部")}));
    // The model follows the store: an edit shows, a new card and a deleted one come and go.
    QSignalSpy rowChanged(&model, &QAbstractItemModel::dataChanged);
    CCardData renamed = *a;
    renamed.SetName(QString::fromUtf8("山田花子"));
    ASSERT_NE(source.store.Replace(renamed, a), nullptr);
    EXPECT_EQ(rowChanged.size(), 1);
    EXPECT_EQ(model.index(0, 0).data().toString(), QString::fromUtf8("山田花子"));
    source.Add(QStringLiteral("B"));
    EXPECT_EQ(model.rowCount(), 2);
    ASSERT_TRUE(source.store.Delete(a));
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.index(0, 0).data().toString(), QStringLiteral("B"));
    EXPECT_EQ(model.headerData(6, Qt::Horizontal, Qt::DisplayRole).toString(), QString::fromUtf8("印刷"));
}

TEST_F(ListFixture, ClickInsideTheBoxTogglesAndSavesClickBesideOnlySelects)
{
    source.Add(QStringLiteral("A"));
    CCardData *b = source.Add(QStringLiteral("B"));
    Make();
    const QRect cell = PrintCell(1);
    const QRect box = CPrintCheckDelegate::BoxRect(cell);
    QTest::mouseClick(view->Table()->viewport(), Qt::LeftButton, {}, box.center());
    EXPECT_TRUE(b->Print());
    EXPECT_EQ(source.replaced.size(), 1);

    QTest::mouseClick(view->Table()->viewport(), Qt::LeftButton, {},
                      QPoint(box.right() + 3, cell.center().y()));
    EXPECT_TRUE(b->Print());
    EXPECT_EQ(source.replaced.size(), 1);
    EXPECT_EQ(view->CurrentCard(), b);
    // The mark is in the file.
    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(source.Path()));
    EXPECT_TRUE(reopened.CardAt(1)->Print());
}

TEST_F(ListFixture, CheckAllWritesOnlyTheCardsThatChange)
{
    source.Add(QStringLiteral("A"), {}, true);
    source.Add(QStringLiteral("B"), {}, false);
    source.Add(QStringLiteral("C"), {}, true);
    Make();
    EXPECT_EQ(view->SetPrintAll(true), 1);
    EXPECT_EQ(source.replaced.size(), 1);
    EXPECT_EQ(view->SetPrintAll(true), 0);
    EXPECT_EQ(source.replaced.size(), 1);
    EXPECT_EQ(view->SetPrintAll(false), 3);
    EXPECT_EQ(source.replaced.size(), 4);
    for (const CCardData *c : view->CurrentSequence())
        EXPECT_FALSE(c->Print());
    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(source.Path()));
    for (int s = 0; s < reopened.Count(); ++s)
        EXPECT_FALSE(reopened.CardAt(s)->Print());
}

TEST_F(ListFixture, SortingTwiceReversesAndKeepsTheSelection)
{
    // Readings in kana: the store sorts by them.
    const auto add = [this](const char *name, const char *yomi, const char *companyYomi) {
        CCardData card;
        card.SetName(QString::fromLatin1(name));
        card.SetYomiName(QString::fromUtf8(yomi));
        card.SetCompany(QString::fromLatin1(name) + QStringLiteral(" Co."), false);
        card.SetCompanyYomi(QString::fromUtf8(companyYomi));
        return source.store.AddCard(card);
    };
    add("C", "ｶｳ", "ｱ");
    CCardData *a = add("A", "ｶｱ", "ｳ");
    add("B", "ｶｲ", "ｲ");
    Make();
    view->SetTab(0, 1); // か: a card tab keeps its own sort
    view->SelectCard(a);
    view->Table()->horizontalHeader()->sectionClicked(1); // by company: C(x) B(y) A(z)
    EXPECT_EQ(view->CurrentCard(), a);
    EXPECT_EQ(view->SelectedCards(), QList<CCardData *>{a});
    EXPECT_EQ(view->Model()->index(2, 0).data().toString(), QStringLiteral("A"));
    view->Table()->horizontalHeader()->sectionClicked(1); // the same column again: descending
    EXPECT_TRUE(view->Model()->Descending());
    EXPECT_EQ(view->Model()->index(0, 0).data().toString(), QStringLiteral("A"));
    EXPECT_EQ(view->Model()->index(2, 0).data().toString(), QStringLiteral("C"));
    EXPECT_EQ(view->SelectedCards(), QList<CCardData *>{a});
    EXPECT_EQ(view->Table()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    view->Table()->horizontalHeader()->sectionClicked(0); // another column starts ascending
    EXPECT_FALSE(view->Model()->Descending());
    EXPECT_EQ(view->Model()->index(0, 0).data().toString(), QStringLiteral("A"));
}

TEST_F(ListFixture, ShiftClickSelectsOnlyTheRange)
{
    for (const char *n : {"A", "B", "C", "D", "E"})
        source.Add(QString::fromLatin1(n));
    Make();
    QTableView *t = view->Table();
    auto at = [&](int item) { return t->visualRect(view->Model()->index(item, 0)).center(); };
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, at(1));
    QTest::mouseClick(t->viewport(), Qt::LeftButton, Qt::ShiftModifier, at(3));
    EXPECT_EQ(view->SelectedCards().size(), 3);
    QTest::mouseClick(t->viewport(), Qt::LeftButton, Qt::ShiftModifier, at(2));
    EXPECT_EQ(view->SelectedCards().size(), 2);
}

TEST_F(ListFixture, DeleteAsksAndRemovesCardsAndTheirImages)
{
    source.Add(QStringLiteral("A"));
    CCardData *b = source.Add(QStringLiteral("B"));
    source.Add(QStringLiteral("C"));
    const QString picture = source.store.Images().PathOf(b->Id(), CCardImageFiles::PersonPhoto);
    ASSERT_TRUE(TempDir::WriteAll(picture, "photo"));
    Make();
    view->SelectCard(b);
    messages.answers = {QMessageBox::No};
    view->DeleteSelected();
    EXPECT_EQ(source.deleted.size(), 0);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QString::fromUtf8("データを削除してよろしいですか？"));
    EXPECT_EQ(messages.shown[0].caption, QString::fromUtf8("データ削除"));
    EXPECT_EQ(messages.shown[0].icon, QMessageBox::Warning);
    view->DeleteSelected();
    EXPECT_EQ(source.deleted.size(), 1);
    EXPECT_EQ(view->ItemCount(), 2);
    EXPECT_FALSE(QFile::exists(picture));
    // The card that took its place is the one selected now.
    EXPECT_EQ(view->CurrentCard()->Name(), QStringLiteral("C"));
    EXPECT_EQ(view->SelectedCards().size(), 1);
}

// With a full disk the store refuses: the user hears why, the card and its
// picture stay, in the list and in the file.
TEST_F(ListFixture, ARefusedDeleteSaysWhyAndKeepsTheCard)
{
    CCardData *a = source.Add(QStringLiteral("A"));
    const QString picture = source.store.Images().PathOf(a->Id(), CCardImageFiles::CardImage);
    ASSERT_TRUE(TempDir::WriteAll(picture, "card"));
    Make();
    view->SelectCard(a);
    FileFaultPlan plan;
    plan.failAt = 1;
    plan.persistent = true;
    plan.error = EIO;
    source.store.SetFileFactory(FailingFile::Factory(&plan));
    messages.answers = {QMessageBox::Yes};
    view->DeleteSelected();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[1].text, QString::fromUtf8("削除中にエラーが発生しました。\n") +
                                          StoreErrorText(StoreError::WriteFailed));
    EXPECT_EQ(view->ItemCount(), 1);
    EXPECT_TRUE(QFile::exists(picture));
    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(source.Path()));
    EXPECT_EQ(reopened.LiveCount(), 1);
}

// Keys as a user presses them in the list: Home and End reach the first and last card
// (not the first and last column), Delete asks the 削除 question.
TEST_F(ListFixture, HomeEndAndDeleteKeys)
{
    QList<CCardData *> cards;
    for (const char *n : {"A", "B", "C", "D", "E"})
        cards << source.Add(QString::fromLatin1(n));
    Make();
    QTableView *t = view->Table();
    t->setFocus();
    view->SelectCard(cards[2]);
    t->horizontalScrollBar()->setValue(t->horizontalScrollBar()->maximum());
    const int sideways = t->horizontalScrollBar()->value();
    QTest::keyClick(t, Qt::Key_End);
    EXPECT_EQ(view->CurrentCard(), cards[4]);
    EXPECT_EQ(view->SelectedCards(), QList<CCardData *>{cards[4]});
    EXPECT_EQ(t->horizontalScrollBar()->value(), sideways);
    QTest::keyClick(t, Qt::Key_Home);
    EXPECT_EQ(view->CurrentCard(), cards[0]);

    messages.answers = {QMessageBox::No};
    QTest::keyClick(t, Qt::Key_Delete);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QString::fromUtf8("データを削除してよろしいですか？"));
    EXPECT_EQ(source.deleted.size(), 0);
    QTest::keyClick(t, Qt::Key_Delete); // answered yes
    EXPECT_EQ(source.deleted.size(), 1);
    EXPECT_EQ(view->ItemCount(), 4);

    view->SetStyle(CCardListView::ThumbnailStyle);
    QTest::keyClick(view->Thumbnails(), Qt::Key_End);
    EXPECT_EQ(view->CurrentCard(), view->Model()->CardAt(view->ItemCount() - 1));
}

TEST_F(ListFixture, ColumnOrderIsTakenOnlyAsACompletePermutation)
{
    Make();
    view->SetColumnOrder({6, 0, 1, 2, 3, 4, 5});
    EXPECT_EQ(view->ColumnOrder(), (QList<int>{6, 0, 1, 2, 3, 4, 5}));
    view->SetColumnOrder({1, 1, 2}); // damaged setting: ignored
    EXPECT_EQ(view->ColumnOrder(), (QList<int>{6, 0, 1, 2, 3, 4, 5}));
    view->ResetPresentation();
    EXPECT_EQ(view->ColumnOrder(), (QList<int>{0, 1, 2, 3, 4, 5, 6}));

    CListColumnDlg dialog(view->ColumnTitles(), {0, 1, 2, 3, 4, 5, 6});
    dialog.List()->setCurrentRow(0);
    dialog.MoveSelected(-1); // already first: nothing moves
    dialog.MoveSelected(1);
    dialog.MoveSelected(1);
    EXPECT_EQ(dialog.Order(), (QList<int>{1, 2, 0, 3, 4, 5, 6}));
}

TEST(DropImport, VCardsWinAndACsvCountsOnlyAlone)
{
    using D = CCardListView;
    auto r = D::ChooseDropImport({"/a/x.VCF", "/a/y.csv", "/a/z.vcf", "/a/w.txt"});
    EXPECT_EQ(r.vcards, (QStringList{"/a/x.VCF", "/a/z.vcf"}));
    EXPECT_TRUE(r.csv.isEmpty());
    EXPECT_EQ(D::ChooseDropImport({"/a/y.Csv"}).csv, QStringLiteral("/a/y.Csv"));
    EXPECT_TRUE(D::ChooseDropImport({"/a/y.csv", "/a/z.csv"}).csv.isEmpty());
    EXPECT_TRUE(D::ChooseDropImport({"/a/y.txt"}).vcards.isEmpty());
}

TEST(TabStrip, PositionsMapToStoreTabsWithAllLast)
{
    EXPECT_EQ(CTabView::StoreTabOf(0, 14), 13);
    EXPECT_EQ(CTabView::StoreTabOf(1, 14), 0);
    EXPECT_EQ(CTabView::StoreTabOf(13, 14), 12); // 検索結果
    EXPECT_EQ(CTabView::StoreTabOf(0, 18), 17);
    const QStringList names = CTabView::Captions(0, {});
    ASSERT_EQ(names.size(), 14);
    EXPECT_EQ(names.first(), QString::fromUtf8("すべて"));
    EXPECT_EQ(names[11], QStringLiteral("ABC"));
    EXPECT_EQ(names.last(), QString::fromUtf8("検索結果"));
    QStringList groups;
    for (int g = 0; g < 16; ++g)
        groups << QStringLiteral("G%1").arg(g);
    EXPECT_EQ(CTabView::Captions(2, groups).size(), 18);

    CTabView strip;
    strip.Rebuild(2, groups);
    int row = -1, tab = -1;
    QObject::connect(&strip, &CTabView::TabChanged, [&](int r, int t) {
        row = r;
        tab = t;
    });
    strip.SelectPosition(4);
    EXPECT_EQ(row, 2);
    EXPECT_EQ(tab, 3);
}

#include "CCardEditView.h"
#include "CCardStore.h"
#include "CEdit1Sheet.h"
#include "CEdit2Sheet.h"
#include "CEdit3Sheet.h"
#include "CEditAttachList.h"
#include "CEditKindList.h"
#include "CImeLanguage.h"
#include "EditMessageRecorder.h"
#include "ReadingService.h"
#include "TempDir.h"
#include "Utf8.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class EditViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(store.CreateNew(dir.File(QStringLiteral("cards.ovd"))));
        view = std::make_unique<CCardEditView>(&store, &messages);
        view->show();
    }

    QByteArray FileBytes() const { return TempDir::ReadAll(store.Path()); }

    // Types into a text box and leaves it, as a user would.
    static void Type(QLineEdit *edit, const QString &text)
    {
        edit->setText(text);
        emit edit->editingFinished();
    }

    // The editor commits and closes through queued calls, and the write-back follows them.
    static void Settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    // Opens the in-place editor of a cell, replaces its text and presses Enter.
    static void EditCell(CEditKindList *list, int row, const QString &text)
    {
        QTableWidget *table = list->Table();
        table->selectRow(row);
        table->editItem(table->item(row, 1));
        auto *editor = table->findChild<QLineEdit *>();
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        Settle();
    }

    CCardData *StoredWithPhones(const QStringList &numbers)
    {
        CCardData card;
        card.SetName(U("山田 太郎"));
        for (int i = 0; i < numbers.size(); ++i)
            card.SetPhone(i, {numbers[i], PhoneKind(i)});
        return store.AddCard(card);
    }

    TempDir dir;
    CCardStore store;
    EditMessageRecorder messages;
    std::unique_ptr<CCardEditView> view;
};

} // namespace

TEST_F(EditViewTest, SameTextStoresNothingAndChangedTextIsStoredAtOnce)
{
    CCardData *stored = StoredWithPhones({});
    view->ShowCard(stored);
    const QByteArray before = FileBytes();
    const CardDate updated = stored->UpdatedDate();

    Type(view->Sheet1()->name, U("山田 太郎"));
    EXPECT_EQ(FileBytes(), before);
    EXPECT_EQ(stored->UpdatedDate(), updated);

    Type(view->Sheet1()->department, U("営業部"));
    EXPECT_NE(FileBytes(), before);
    EXPECT_EQ(stored->Department(), U("営業部"));
    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(store.Path()));
    ASSERT_EQ(reopened.LiveCount(), 1);
    EXPECT_EQ(reopened.CardAt(0)->Department(), U("営業部"));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(EditViewTest, NewCardWithoutTypingLeavesOneEmptyCardInStoreAndFile)
{
    CCardData *announced = nullptr;
    QObject::connect(view.get(), &CCardEditView::CardStored, [&](CCardData *card) { announced = card; });
    QTest::mouseClick(view->NewCardButton(), Qt::LeftButton);
    ASSERT_NE(view->StoredCard(), nullptr);
    EXPECT_EQ(announced, view->StoredCard());
    EXPECT_EQ(store.LiveCount(), 1);
    EXPECT_TRUE(view->StoredCard()->Name().isEmpty());
    EXPECT_EQ(view->StoredCard()->Id().size(), 36);

    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(store.Path()));
    EXPECT_EQ(reopened.LiveCount(), 1);
}

TEST_F(EditViewTest, TypingWithoutAStoredCardAddsOne)
{
    view->ShowCard(nullptr);
    Type(view->Sheet1()->company, U("山田商事"));
    ASSERT_NE(view->StoredCard(), nullptr);
    EXPECT_EQ(store.LiveCount(), 1);
    EXPECT_EQ(view->StoredCard()->Company(), U("山田商事"));
}

TEST_F(EditViewTest, PhoneRowEmptiedInTheMiddleMovesLaterRowsUp)
{
    CCardData *stored = StoredWithPhones({U("03-1111-1111"), U("03-2222-2222"), U("03-3333-3333")});
    view->ShowCard(stored);
    EditCell(view->Sheet1()->phones, 1, QString());
    ASSERT_EQ(stored->PhoneCount(), 2);
    EXPECT_EQ(stored->Phone(0), U("03-1111-1111"));
    EXPECT_EQ(stored->Phone(1), U("03-3333-3333"));
    EXPECT_EQ(stored->PhoneKindAt(1), 2u); // the kind moves with its number
    EXPECT_EQ(view->Sheet1()->phones->Table()->rowCount(), 2);
    EXPECT_TRUE(messages.shown.isEmpty());
}

// The kind editor: arrow keys step through the kinds and leave it open; Enter takes the kind.
TEST_F(EditViewTest, ArrowKeysStepThroughKindsAndEnterTakesTheKind)
{
    CCardData *stored = StoredWithPhones({U("03-1111-1111")}); // kind 0 携帯電話
    view->ShowCard(stored);
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    QTableWidget *table = view->Sheet1()->phones->Table();
    table->selectRow(0);
    table->setFocus();
    table->editItem(table->item(0, 0));
    auto *editor = table->findChild<QComboBox *>();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == editor; }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    Settle();
    ASSERT_EQ(table->findChild<QComboBox *>(), editor); // still editing
    EXPECT_EQ(editor->currentIndex(), 2);
    EXPECT_EQ(stored->PhoneKindAt(0), 0u);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    Settle();
    EXPECT_EQ(table->findChild<QComboBox *>(), nullptr);
    EXPECT_EQ(stored->PhoneKindAt(0), 1u);
    EXPECT_EQ(table->item(0, 0)->text(), view->Sheet1()->phones->KindNames().value(1));
}

TEST_F(EditViewTest, PhoneNumberCharacterRule)
{
    CCardData *stored = StoredWithPhones({U("03-1111-1111")});
    view->ShowCard(stored);
    EditCell(view->Sheet1()->phones, 0, U("090-1234-5678"));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(stored->Phone(0), U("090-1234-5678"));

    EditCell(view->Sheet1()->phones, 0, U("090ー1234"));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, U("0～9 # * - ( ) P p + 以外は入力できません。"));
    EXPECT_EQ(messages.shown[0].caption, U("入力エラー"));
    EXPECT_EQ(messages.shown[0].icon, QMessageBox::Warning);
    EXPECT_EQ(stored->Phone(0), U("0901234"));
}

TEST_F(EditViewTest, MailAndZipCodeShowTheHalfWidthMessage)
{
    CCardData *stored = StoredWithPhones({});
    view->ShowCard(stored);
    Type(view->Sheet2()->zipCode, U("〒100-0001"));
    view->Sheet1()->mails->AddRow();
    auto *editor = view->Sheet1()->mails->Table()->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    editor->setText(U("山田@example.jp"));
    QTest::keyClick(editor, Qt::Key_Return);
    Settle();
    ASSERT_EQ(messages.shown.size(), 2);
    for (const auto &m : messages.shown) {
        EXPECT_EQ(m.text, U("半角英数記号以外は入力できません。"));
        EXPECT_EQ(m.caption, U("入力エラー"));
    }
    EXPECT_EQ(stored->ZipCode(), U("100-0001"));
    EXPECT_EQ(stored->Mail(0), U("@example.jp"));
}

TEST_F(EditViewTest, ConnectEnablingRule)
{
    EXPECT_FALSE(CCardEditView::IsConnectable(QString()));
    EXPECT_FALSE(CCardEditView::IsConnectable(U("ab://example.jp")));
    EXPECT_FALSE(CCardEditView::IsConnectable(U("example.jp")));
    EXPECT_TRUE(CCardEditView::IsConnectable(U("ftp://example.jp")));
    EXPECT_TRUE(CCardEditView::IsConnectable(U("http://example.jp")));

    view->ShowCard(StoredWithPhones({}));
    EXPECT_FALSE(view->Sheet2()->connectButton->isEnabled());
    Type(view->Sheet2()->url, U("http://example.jp"));
    EXPECT_TRUE(view->Sheet2()->connectButton->isEnabled());
    Type(view->Sheet2()->url, U("ab://example.jp"));
    EXPECT_FALSE(view->Sheet2()->connectButton->isEnabled());
}

TEST_F(EditViewTest, RemovingAnAttachmentLeavesTheFileOnDisk)
{
    const QString file = dir.File(QStringLiteral("見積書.txt"));
    ASSERT_TRUE(TempDir::WriteAll(file, "quote"));
    CCardData *stored = StoredWithPhones({});
    view->ShowCard(stored);
    view->AttachFiles({file, QString(), dir.File(QStringLiteral("missing.txt"))});
    ASSERT_EQ(stored->AttachedFiles(), QStringList{file});
    EXPECT_EQ(view->Sheet3()->attachments->item(0)->text(), U("見積書.txt"));

    view->Sheet3()->attachments->setCurrentRow(0);
    messages.answer = QMessageBox::No;
    view->DeleteAttachment();
    EXPECT_EQ(stored->AttachedFiles().size(), 1);

    messages.answer = QMessageBox::Yes;
    view->DeleteAttachment();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[1].text, U("選択中の添付ファイルを削除してよろしいですか？"));
    EXPECT_EQ(messages.shown[1].caption, U("添付ファイル削除"));
    EXPECT_EQ(messages.shown[1].defaultButton, QMessageBox::No);
    EXPECT_TRUE(stored->AttachedFiles().isEmpty());
    EXPECT_TRUE(QFile::exists(file));
}

TEST_F(EditViewTest, AttachmentThatCannotBeOpenedShowsTheMessage)
{
    const QString file = dir.File(QStringLiteral("a.bin"));
    ASSERT_TRUE(TempDir::WriteAll(file, "x"));
    view->ShowCard(StoredWithPhones({}));
    view->AttachFiles({file});
    view->SetOpener([](const QUrl &) { return false; });
    emit view->Sheet3()->attachments->OpenRequested(0);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, U("このファイルは開けません。"));
    EXPECT_EQ(messages.shown[0].icon, QMessageBox::Warning);
}

// 接続 on a desktop without a browser says so instead of doing nothing.
TEST_F(EditViewTest, ConnectWithoutABrowserWarns)
{
    CCardData card;
    card.SetUrl(QStringLiteral("https://example.jp/"));
    view->ShowCard(store.AddCard(card));
    QStringList opened;
    view->SetOpener([&](const QUrl &url) {
        opened << url.toString();
        return true;
    });
    view->Sheet2()->connectButton->click();
    EXPECT_EQ(opened, QStringList{"https://example.jp/"});
    EXPECT_TRUE(messages.shown.isEmpty());
    view->SetOpener([](const QUrl &) { return false; });
    view->Sheet2()->connectButton->click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith(U("Webブラウザを起動できませんでした。")));
    EXPECT_EQ(messages.shown[0].caption, U("接続"));
    EXPECT_EQ(messages.shown[0].icon, QMessageBox::Warning);
}

TEST_F(EditViewTest, NameBoxesFollowTheSeparateNameOption)
{
    OptionRecord options;
    view->SetOptions(options);
    EXPECT_FALSE(view->Sheet1()->name->isHidden());
    EXPECT_TRUE(view->Sheet1()->lastName->isHidden());
    EXPECT_TRUE(view->Sheet1()->firstNameLabel->isHidden());
    EXPECT_FALSE(view->Sheet2()->address->isHidden());
    EXPECT_TRUE(view->Sheet2()->city->isHidden());
    options.separateName = true;
    options.separateAddress = true;
    view->SetOptions(options);
    EXPECT_TRUE(view->Sheet1()->name->isHidden());
    EXPECT_FALSE(view->Sheet1()->lastName->isHidden());
    EXPECT_FALSE(view->Sheet1()->yomiFirstNameLabel->isHidden());
    EXPECT_TRUE(view->Sheet2()->address->isHidden());
    EXPECT_FALSE(view->Sheet2()->city->isHidden());
}

TEST_F(EditViewTest, PrintFixedImportanceAndCheckMarksAreStored)
{
    CCheckArray checks;
    checks.AddItem(U("礼状"));
    checks.AddItem(U("年賀状"));
    ASSERT_TRUE(store.ApplyCheckList(checks));
    view->RefreshCheckList();
    CCardData *stored = StoredWithPhones({});
    view->ShowCard(stored);

    QTest::mouseClick(view->PrintBox(), Qt::LeftButton);
    EXPECT_TRUE(stored->Print());
    QTest::mouseClick(view->FixedBox(), Qt::LeftButton);
    EXPECT_TRUE(stored->Fixed());
    view->Sheet3()->checkList->item(1)->setCheckState(Qt::Checked);
    EXPECT_TRUE(stored->CheckMark(1));
    EXPECT_FALSE(stored->CheckMark(0));
}

TEST_F(EditViewTest, CheckListEditsReachTheWorkingRecord)
{
    CCheckArray checks;
    checks.AddItem(U("礼状"));
    ASSERT_TRUE(store.ApplyCheckList(checks));
    view->RefreshCheckList();
    CCardData *stored = StoredWithPhones({});
    view->ShowCard(stored);
    view->Sheet3()->checkList->item(0)->setCheckState(Qt::Checked);
    ASSERT_TRUE(stored->CheckMark(0));

    // The item is removed (its marks cleared on every card); a later edit must not bring the mark back.
    CCheckArray edited = store.GetCheckList();
    edited.RemoveAt(0);
    ASSERT_TRUE(store.ApplyCheckList(edited));
    view->RefreshCheckList();
    Type(view->Sheet1()->title, U("部長"));
    EXPECT_FALSE(stored->CheckMark(0));
    EXPECT_EQ(stored->Title(), U("部長"));
}

namespace {
// Reads "山田" as "ヤマダ" and everything else as written.
class EditReadingFake : public CImeLanguage
{
public:
    bool IsAvailable() const override { return true; }
    QString Reading(const QString &text) override
    {
        QString out = text;
        return out.replace(QStringLiteral("山田"), QStringLiteral("ヤマダ"));
    }
};

// Installs the fake for one test and removes it again.
struct EditReadingScope
{
    EditReadingFake fake;
    EditReadingScope() { SetReadingService(&fake); }
    ~EditReadingScope() { SetReadingService(nullptr); }
};
} // namespace

TEST_F(EditViewTest, CompanyReadingFollowsTheAutoYomiOption)
{
    EditReadingScope reading;
    OptionRecord options;
    options.autoYomi = false;
    view->SetOptions(options);
    view->ShowCard(nullptr);
    Type(view->Sheet1()->company, U("山田"));
    EXPECT_TRUE(view->StoredCard()->CompanyYomi().isEmpty());

    options.autoYomi = true;
    view->SetOptions(options);
    view->ShowCard(nullptr);
    Type(view->Sheet1()->company, U("山田"));
    EXPECT_EQ(view->StoredCard()->CompanyYomi(), U("ﾔﾏﾀﾞ"));
    EXPECT_EQ(view->Sheet1()->companyYomi->text(), U("ﾔﾏﾀﾞ"));
}

TEST_F(EditViewTest, YomiButtonFillsTheReadingFromTheName)
{
    CCardData *stored = StoredWithPhones({});
    view->ShowCard(stored);
    ASSERT_TRUE(stored->YomiName().isEmpty()); // no reading service when the card was made
    EditReadingScope reading;
    QTest::mouseClick(view->Sheet1()->yomiButton, Qt::LeftButton);
    EXPECT_EQ(stored->YomiLastName(), U("ﾔﾏﾀﾞ"));
    EXPECT_EQ(view->Sheet1()->yomiName->text(), stored->YomiName());
    EXPECT_FALSE(stored->YomiName().isEmpty());
}

TEST_F(EditViewTest, AnEditKeepsAPictureTurnStoredMeanwhile)
{
    CCardData *stored = StoredWithPhones({});
    view->ShowCard(stored);
    CCardData turned = *stored;
    turned.SetImageRotationOf(0, 3);
    ASSERT_NE(store.Replace(turned, stored), nullptr); // what the image pane does
    Type(view->Sheet1()->title, U("課長"));
    EXPECT_EQ(stored->ImageRotationOf(0), 3);
    EXPECT_EQ(stored->Title(), U("課長"));
}

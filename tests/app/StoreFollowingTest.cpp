#include "../views/RecordingMessageBox.h"
#include "CCardEditView.h"
#include "CCardImageView.h"
#include "CCardListModel.h"
#include "CCardListView.h"
#include "CCardStore.h"
#include "CEdit1Sheet.h"
#include "CEditCheckListDlg.h"
#include "CEditGroupDlg.h"
#include "CMainFrame.h"
#include "CSettings.h"
#include "CTabView.h"
#include "CTessalyDlg.h"
#include "FailingFile.h"
#include "StoreError.h"
#include "TempDir.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cerrno>

// The program as a user drives it, on a real management file: every change
// the window shows is in the file, and a change the file refused is told and
// not shown.
namespace {
void ClickOk(QDialog *dialog)
{
    auto *box = dialog->findChild<QDialogButtonBox *>();
    for (QAbstractButton *button : box->buttons())
        if (box->buttonRole(button) == QDialogButtonBox::AcceptRole)
            button->click();
}

struct StoreFollowing : ::testing::Test
{
    TempDir dir;
    CSettings settings;
    std::unique_ptr<CCardStore> store;
    RecordingMessageBox messages;
    std::unique_ptr<CTessalyDlg> window;
    QString path = dir.File("office.ovd");

    void SetUp() override
    {
        CCardStore writer;
        ASSERT_TRUE(writer.CreateNew(path));
        for (const char *name : {"青木 明美", "阿部 彩", "石田 勇気"}) {
            CCardData card;
            card.SetName(QString::fromUtf8(name));
            card.SetYomiName(QString::fromUtf8(name[0] == '\xe9' ? "ｱｵｷ" : "ｲｼﾀﾞ"));
            card.SetTitle(QString::fromUtf8("課長"));
            ASSERT_NE(writer.AddCard(card), nullptr);
        }
        Start();
    }
    // The program started (again) on the file.
    void Start()
    {
        window.reset();
        store = std::make_unique<CCardStore>(&settings.store);
        ASSERT_TRUE(store->Open(path));
        window = std::make_unique<CTessalyDlg>(settings, *store, messages);
        Frame()->AttachPanes(dir.File("settings.ini"));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    CMainFrame *Frame() { return window->Frame(); }
    CCardData *Select(const char *name)
    {
        for (CCardData *card : Frame()->List()->CurrentSequence())
            if (card->Name() == QString::fromUtf8(name)) {
                Frame()->List()->SelectCard(card);
                return card;
            }
        return nullptr;
    }
    void Type(QLineEdit *edit, const QString &text)
    {
        // What typing does (input methods hand over whole words), then Tab to the next field.
        edit->setFocus();
        edit->selectAll();
        edit->insert(text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
    QStringList NamesInFile()
    {
        CCardStore reopened;
        EXPECT_TRUE(reopened.Open(path));
        QStringList names;
        for (int s = 0; s < reopened.Count(); ++s)
            if (!reopened.CardAt(s)->Id().isEmpty())
                names << reopened.CardAt(s)->Name();
        names.sort();
        return names;
    }
};
} // namespace

// Cards edited earlier in the session (growing, shrinking, turned, marked) are
// deleted from the file like any other, and stay deleted after a restart.
TEST_F(StoreFollowing, ACardEditedEarlierIsDeletedForGood)
{
    CCardEditView *edit = Frame()->EditView();
    ASSERT_NE(Select("青木 明美"), nullptr);
    Type(edit->Sheet1()->title, QString::fromUtf8("代表取締役社長兼営業本部長"));
    ASSERT_NE(Select("阿部 彩"), nullptr);
    Type(edit->Sheet1()->title, QString::fromUtf8("係"));
    Frame()->List()->Model()->TogglePrint(Frame()->List()->Model()->ItemOf(Select("阿部 彩")));
    CCardData *ishida = Select("石田 勇気");
    ASSERT_NE(ishida, nullptr);
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(dir.File("scan.png"), "PNG"));
    Frame()->ImageView()->ReplaceWith(dir.File("scan.png"));
    const QString photo = store->Images().PathOf(ishida->Id(), CCardImageFiles::CardImage);
    ASSERT_TRUE(QFile::exists(photo));
    Frame()->ImageView()->RotateQuarter();
    ASSERT_EQ(ishida->ImageRotationOf(0), 1);

    for (const char *name : {"青木 明美", "阿部 彩", "石田 勇気"}) {
        ASSERT_NE(Select(name), nullptr) << name;
        messages.answers = {QMessageBox::Yes};
        Frame()->List()->DeleteSelected();
        EXPECT_EQ(messages.shown.size(), 1) << name << ": " << messages.Texts().join('|').toStdString();
        messages.shown.clear();
    }
    EXPECT_EQ(Frame()->List()->ItemCount(), 0);
    EXPECT_TRUE(Frame()->StatusText()->text().startsWith(QString::fromUtf8("0 件")));
    EXPECT_FALSE(QFile::exists(photo));
    Start();
    EXPECT_TRUE(NamesInFile().isEmpty());
    EXPECT_EQ(Frame()->List()->ItemCount(), 0);
}

// The disk is full: the edit is refused with a message that says so, and the
// pane, the list and the file all keep the card as it was.
TEST_F(StoreFollowing, ARefusedEditIsToldAndTheFileStateIsShown)
{
    CCardData *card = Select("阿部 彩");
    ASSERT_NE(card, nullptr);
    FileFaultPlan plan;
    plan.failAt = 1;
    plan.persistent = true;
    plan.onlyGrowing = true;
    store->SetFileFactory(FailingFile::Factory(&plan));
    CCardEditView *edit = Frame()->EditView();
    Type(edit->Sheet1()->title, QString::fromUtf8("営業本部第一営業部部長代理兼課長"));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, StoreErrorText(StoreError::DiskFull));
    EXPECT_EQ(messages.shown[0].icon, QMessageBox::Warning);
    EXPECT_EQ(edit->Sheet1()->title->text(), QString::fromUtf8("課長"));
    EXPECT_EQ(card->Title(), QString::fromUtf8("課長"));
    const int row = Frame()->List()->Model()->ItemOf(card);
    EXPECT_EQ(Frame()->List()->Model()->index(row, CCardListModel::ColTitle).data().toString(),
              QString::fromUtf8("課長"));

    // New cards are refused the same way, and nothing appears in the list.
    messages.shown.clear();
    EXPECT_EQ(Frame()->NewCard(), nullptr);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, StoreErrorText(StoreError::DiskFull));
    EXPECT_EQ(Frame()->List()->ItemCount(), 3);
    EXPECT_EQ(NamesInFile().size(), 3);

    // Room again: the same edit goes through and is in the file.
    plan.failAt = 0;
    messages.shown.clear();
    Type(edit->Sheet1()->title, QString::fromUtf8("部長"));
    EXPECT_TRUE(messages.shown.isEmpty());
    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(path));
    bool found = false;
    for (int s = 0; s < reopened.Count(); ++s)
        found |= reopened.CardAt(s)->Title() == QString::fromUtf8("部長");
    EXPECT_TRUE(found);
}

// Group names and check-list items belong to the settings file, which is
// written as soon as the dialog is confirmed: a kill afterwards loses nothing.
TEST_F(StoreFollowing, GroupAndCheckListNamesAreWrittenWhenConfirmed)
{
    emit Frame()->Tabs()->RowChoice()->activated(2); // the tabs of the groups
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<CEditGroupDlg *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->List()->item(0)->setText(QString::fromUtf8("取引先"));
        ClickOk(dialog);
    });
    Frame()->Action(MainAction::Groups)->trigger();
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<CEditCheckListDlg *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->TextBox()->setText(QString::fromUtf8("年賀状"));
        dialog->AddItem();
        ClickOk(dialog);
    });
    Frame()->Action(MainAction::CheckList)->trigger();

    CSettings written;
    written.ReadAll(dir.File("settings.ini"));
    EXPECT_EQ(written.store.groupNames.value(1), QString::fromUtf8("取引先"));
    EXPECT_TRUE(written.store.checkNames.contains(QString::fromUtf8("年賀状")));
    // The tab strip of the group listing follows the store.
    QStringList captions;
    for (int t = 0; t < Frame()->Tabs()->Bar()->count(); ++t)
        captions << Frame()->Tabs()->Bar()->tabText(t);
    EXPECT_TRUE(captions.contains(QString::fromUtf8("取引先"))) << captions.join('|').toStdString();
}

// Another program (tessaly-cli) compacted the file while the window was open:
// nothing is written at old positions; the window shows what the file holds.
TEST_F(StoreFollowing, AFileRewrittenElsewhereIsShownAgainNotOverwritten)
{
    ASSERT_NE(Select("阿部 彩"), nullptr);
    {
        CCardStore cli;
        ASSERT_TRUE(cli.Open(path));
        ASSERT_TRUE(cli.Delete(cli.CardAt(0)));
        CCardStore compacting;
        ASSERT_TRUE(compacting.Open(path));
    }
    const QStringList names = NamesInFile();
    ASSERT_EQ(names.size(), 2);
    Type(Frame()->EditView()->Sheet1()->title, QString::fromUtf8("部長"));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, StoreErrorText(StoreError::ChangedElsewhere));
    EXPECT_EQ(Frame()->List()->ItemCount(), 2);
    EXPECT_EQ(NamesInFile(), names);
    // The pane shows the card the list shows, as the file holds it.
    ASSERT_NE(Frame()->List()->CurrentCard(), nullptr);
    EXPECT_EQ(Frame()->EditView()->StoredCard(), Frame()->List()->CurrentCard());
    EXPECT_EQ(Frame()->EditView()->Sheet1()->name->text(), Frame()->List()->CurrentCard()->Name());
    EXPECT_EQ(Frame()->EditView()->Sheet1()->title->text(), QString::fromUtf8("課長"));
}

#include "../views/RecordingMessageBox.h"
#include "CCardEditView.h"
#include "CCardImageView.h"
#include "CCardListModel.h"
#include "CCardListView.h"
#include "CCardStore.h"
#include "CEdit1Sheet.h"
#include "CEditKindList.h"
#include "CImageFrame.h"
#include "CMainFrame.h"
#include "COptionSheet.h"
#include "CSearchBar.h"
#include "CSearchDlg.h"
#include "CSettings.h"
#include "CTabView.h"
#include "CTessalyDlg.h"
#include "TempDir.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
// The real store behind the window, as the program runs it.
struct WiringFixture : ::testing::Test
{
    TempDir dir;
    CSettings settings;
    CCardStore store{&settings.store};
    RecordingMessageBox messages;
    std::unique_ptr<CTessalyDlg> window;

    void SetUp() override
    {
        ASSERT_TRUE(store.CreateNew(dir.File("office.ovd")));
        store.SetSyncWrites(false);
        window = std::make_unique<CTessalyDlg>(settings, store, messages);
        Frame()->AttachPanes(dir.File("settings.ini"));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    CMainFrame *Frame() { return window->Frame(); }
    // Three cards, two of them of a 商事.
    void AddCompanies()
    {
        for (const char *company : {"山田商事", "佐藤工業", "鈴木商事"}) {
            CCardData card;
            card.SetName(QString::fromUtf8(company).left(2));
            card.SetCompany(QString::fromUtf8(company), false);
            ASSERT_NE(store.AddCard(card), nullptr);
        }
    }
};
} // namespace

TEST_F(WiringFixture, PanesReplaceThePlaceholdersAndFollowTheListFocus)
{
    EXPECT_EQ(Frame()->EditPane(), Frame()->EditView());
    EXPECT_TRUE(Frame()->EditView()->isVisible());
    EXPECT_TRUE(Frame()->ImageView()->isVisible());
    CCardData *first = Frame()->NewCard();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Frame()->EditView()->StoredCard(), first);
    CCardData *second = Frame()->NewCard();
    EXPECT_EQ(Frame()->EditView()->StoredCard(), second);
    Frame()->List()->SelectCard(first);
    EXPECT_EQ(Frame()->EditView()->StoredCard(), first);
}

TEST_F(WiringFixture, AnEditReachesTheStoreAndTheListRow)
{
    CCardData *card = Frame()->NewCard();
    ASSERT_NE(card, nullptr);
    QLineEdit *company = Frame()->EditView()->Sheet1()->company;
    company->setText(QString::fromUtf8("山田商事"));
    emit company->editingFinished();

    CCardData *stored = Frame()->EditView()->StoredCard();
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->Company(), QString::fromUtf8("山田商事"));
    // The list shows the stored card selected, with the new text in its row.
    EXPECT_EQ(Frame()->List()->CurrentCard(), stored);
    const int row = Frame()->List()->Model()->ItemOf(stored);
    ASSERT_GE(row, 0);
    bool shown = false;
    for (int c = 0; c < Frame()->List()->Model()->columnCount(); ++c)
        shown |= Frame()->List()->Model()->index(row, c).data().toString() == QString::fromUtf8("山田商事");
    EXPECT_TRUE(shown);
    // The edit did not reload the edit view under the user's cursor.
    EXPECT_EQ(company->text(), QString::fromUtf8("山田商事"));
}

TEST_F(WiringFixture, MenuCommandsOfTheImagePaneAreLive)
{
    const auto enabled = [this](MainAction key) { return Frame()->Action(key)->isEnabled(); };
    // No card: no picture can be added or swapped.
    EXPECT_FALSE(enabled(MainAction::AddImage));
    EXPECT_FALSE(enabled(MainAction::SwapImages));
    Frame()->NewCard();
    EXPECT_TRUE(enabled(MainAction::AddImage));
    EXPECT_FALSE(enabled(MainAction::SwapImages)); // a card without pictures
    EXPECT_FALSE(enabled(MainAction::ZoomIn));
    for (MainAction key : {MainAction::Options, MainAction::Groups, MainAction::CheckList})
        EXPECT_TRUE(enabled(key)) << int(key);
}

// ヘルプ, 地図検索 and メール送信 open the desktop's programs; without one they say so.
TEST_F(WiringFixture, OpeningCommandsWarnWhenNoProgramStarts)
{
    CCardData card;
    card.SetName(QString::fromUtf8("山田 太郎"));
    card.SetAddress(QString::fromUtf8("東京都千代田区"));
    card.SetMail(0, {QStringLiteral("taro@example.jp"), MailMobile});
    Frame()->List()->SelectCard(store.AddCard(card));
    Frame()->Reload();
    Frame()->List()->SelectAll();
    QStringList opened;
    Frame()->SetOpener([&](const QUrl &url) {
        opened << QString::fromLatin1(url.toEncoded());
        return true;
    });
    for (MainAction key : {MainAction::Help, MainAction::MapSearch, MainAction::MailSend})
        Frame()->Action(key)->trigger();
    ASSERT_EQ(opened.size(), 3);
    EXPECT_TRUE(opened[0].startsWith("file://") && opened[0].endsWith("/Help/index.html"))
        << opened[0].toStdString();
    EXPECT_EQ(opened[1], "https://www.google.com/maps/search/?api=1&query="
                         "%E6%9D%B1%E4%BA%AC%E9%83%BD%E5%8D%83%E4%BB%A3%E7%94%B0%E5%8C%BA");
    EXPECT_TRUE(opened[2].startsWith("mailto:taro@example.jp")) << opened[2].toStdString();
    EXPECT_TRUE(messages.shown.isEmpty());

    Frame()->SetOpener([](const QUrl &) { return false; });
    for (MainAction key : {MainAction::Help, MainAction::MapSearch, MainAction::MailSend})
        Frame()->Action(key)->trigger();
    ASSERT_EQ(messages.shown.size(), 3);
    EXPECT_EQ(messages.shown[0].caption, QString::fromUtf8("ヘルプ"));
    EXPECT_EQ(messages.shown[1].caption, QString::fromUtf8("地図検索"));
    EXPECT_EQ(messages.shown[2].caption, QString::fromUtf8("メール送信"));
    EXPECT_TRUE(messages.shown[1].text.startsWith(QString::fromUtf8("Webブラウザを起動できませんでした。")));
    EXPECT_TRUE(messages.shown[2].text.startsWith(QString::fromUtf8("メールソフトを起動できませんでした。")));
    for (const auto &shown : messages.shown)
        EXPECT_EQ(shown.icon, QMessageBox::Warning);
}

// 表示状態初期化 takes the image pane back to the card image, its tool bar on top.
TEST_F(WiringFixture, ResettingTheViewStateResetsTheImagePane)
{
    Frame()->NewCard();
    Frame()->ImageFrame()->SetToolBarPos(2);
    Frame()->ImageView()->ShowPicture(CCardImageView::PersonPhoto);
    Frame()->Action(MainAction::ResetView)->trigger(); // answered yes
    EXPECT_EQ(Frame()->ImageFrame()->ToolBarPos(), 0);
    EXPECT_EQ(Frame()->ImageView()->ShownPicture(), CCardImageView::CardImage);
    EXPECT_TRUE(Frame()->Action(MainAction::CardImage)->isChecked());
}

// The mail commands (menu and the list's pop-up) need a selected card with an address.
TEST_F(WiringFixture, MailCommandsFollowTheSelectedCardsAddresses)
{
    const auto mailEnabled = [this] {
        int on = 0;
        for (MainAction key :
             {MainAction::MailSend, MainAction::MailTo, MainAction::MailCc, MainAction::MailBcc})
            on += Frame()->Action(key)->isEnabled();
        return on;
    };
    EXPECT_EQ(mailEnabled(), 0);
    CCardData *plain = Frame()->NewCard();
    EXPECT_EQ(mailEnabled(), 0);
    CCardData withMail;
    withMail.SetName(QString::fromUtf8("佐藤 花子"));
    withMail.SetMail(0, {QStringLiteral("hanako@example.jp"), MailMobile});
    CCardData *mailed = store.AddCard(withMail);
    Frame()->Reload();
    Frame()->List()->SelectCard(mailed);
    EXPECT_EQ(mailEnabled(), 4);
    Frame()->List()->SelectCard(plain);
    EXPECT_EQ(mailEnabled(), 0);
    Frame()->List()->SelectAll();
    EXPECT_EQ(mailEnabled(), 4);

    // An address typed into the edit pane enables them at once.
    Frame()->List()->SelectCard(plain);
    CEditKindList *mails = Frame()->EditView()->Sheet1()->mails;
    mails->AddRow();
    auto *editor = mails->Table()->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("taro@example.jp"));
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Frame()->EditView()->WorkingCard().Mail(0).isEmpty(); }));
    EXPECT_EQ(mailEnabled(), 4);
}

TEST_F(WiringFixture, OptionsOkWritesTheSettingsFileAndAppliesTheThumbnailSize)
{
    // Values that differ from the defaults must survive the round trip through the dialog.
    settings.options.thumbnailSizeType = 2;
    settings.options.mailHonorific = QString::fromUtf8("殿");
    settings.options.serialPort = 3;
    QTimer::singleShot(0, [] {
        auto *sheet = qobject_cast<COptionSheet *>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        sheet->Apply(); // what OK does
        sheet->accept();
    });
    Frame()->ShowOptions();
    const QByteArray written = TempDir::ReadAll(dir.File("settings.ini"));
    EXPECT_FALSE(written.isEmpty());
    CSettings reread;
    reread.ReadAll(dir.File("settings.ini"));
    EXPECT_EQ(reread.options, settings.options);
    EXPECT_EQ(reread.options.mailHonorific, QString::fromUtf8("殿"));
    EXPECT_EQ(reread.options.thumbnailSizeType, 2);
}

// 検索: the dialog's conditions fill the search results, and the list shows them.
TEST_F(WiringFixture, SearchCommandShowsTheResultsTab)
{
    AddCompanies();
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<CSearchDlg *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->FieldChoice(0)->setCurrentIndex(3); // 会社名
        dialog->TextBox(0)->setText(QString::fromUtf8("商事"));
        dialog->accept();
    });
    Frame()->Action(MainAction::Search)->trigger();
    EXPECT_EQ(Frame()->Tabs()->StoreTab(), 12);
    EXPECT_EQ(Frame()->List()->ItemCount(), 2);
    EXPECT_TRUE(messages.shown.isEmpty());

    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<CSearchDlg *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->FieldChoice(0)->setCurrentIndex(3);
        dialog->TextBox(0)->setText(QString::fromUtf8("物産"));
        dialog->accept();
    });
    Frame()->Action(MainAction::Search)->trigger();
    EXPECT_EQ(Frame()->List()->ItemCount(), 0);
    EXPECT_EQ(messages.Texts(),
              QStringList({QString::fromUtf8("検索条件に一致するデータは見つかりません。")}));
}

// The quick-search box: the next card containing the word, wrapping round;
// the word goes to the front of the history.
TEST_F(WiringFixture, QuickSearchMovesToTheNextMatchAndRemembersTheWord)
{
    AddCompanies();
    QComboBox *box = Frame()->SearchBar()->Box();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    // Typed (through the input method, as Japanese is) and entered as a user does: into
    // whatever has the focus in the box.
    const auto type = [&](const char *word) {
        box->setFocus();
        box->lineEdit()->selectAll();
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8(word));
        QApplication::sendEvent(QApplication::focusWidget(), &commit);
    };
    const auto find = [&](const char *word) {
        type(word);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        return Frame()->List()->CurrentCard() ? Frame()->List()->CurrentCard()->Company() : QString();
    };
    const QString first = find("商事");
    const QString second = find("商事");
    EXPECT_TRUE(first.contains(QString::fromUtf8("商事")));
    EXPECT_TRUE(second.contains(QString::fromUtf8("商事")));
    EXPECT_NE(first, second);
    EXPECT_EQ(find("商事"), first); // round again
    EXPECT_TRUE(messages.shown.isEmpty());

    find("物産");
    EXPECT_EQ(messages.Texts(), QStringList({QString::fromUtf8("物産を含むデータは見つかりません。")}));
    EXPECT_EQ(settings.searchHistory, QStringList({QString::fromUtf8("物産"), QString::fromUtf8("商事")}));
    EXPECT_EQ(box->count(), 2);
    EXPECT_EQ(box->currentText(), QString::fromUtf8("物産"));

    // The history is offered, never typed in for the user: "商" stays "商" and is searched.
    type("商");
    EXPECT_EQ(box->currentText(), QString::fromUtf8("商"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(settings.searchHistory.value(0), QString::fromUtf8("商"));
}

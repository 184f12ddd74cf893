#include "../views/RecordingMessageBox.h"
#include "CCardData.h"
#include "CCardStore.h"
#include "CDropImport.h"
#include "COverwriteConfDlg.h"
#include "ImportOptions.h"
#include "TempDir.h"

#include <QApplication>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

// Dropped vCard files run on the worker and end in the summary message; the
// second drop of the same file finds every card identical.
TEST(DropImport, ImportsOnTheWorkerAndShowsTheSummary)
{
    TempDir dir;
    CCardStore store;
    ASSERT_TRUE(store.CreateNew(dir.File("drop.ovd")));
    const QString vcf = dir.File("two.vcf");
    ASSERT_TRUE(TempDir::WriteAll(vcf,
                                  "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Yamada;Taro\r\nTEL;CELL:090-1111-2222\r\n"
                                  "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:2.1\r\nN:Sato;Hanako\r\n"
                                  "TEL;WORK;VOICE:03-1111-2222\r\nEND:VCARD\r\n"));
    RecordingMessageBox box;
    const ImportCounters first = CDropImport::Run(nullptr, store, ImportOptions(), box, {vcf});
    EXPECT_EQ(first.added, 2);
    EXPECT_EQ(store.LiveCount(), 2);
    ASSERT_EQ(box.shown.size(), 1);
    EXPECT_EQ(box.shown[0].caption, QString::fromUtf8("インポート完了"));
    EXPECT_EQ(box.shown[0].text,
              QString::fromUtf8("1 ファイル インポートしました。\n\n2 件、新規登録しました。\n"));

    const ImportCounters second = CDropImport::Run(nullptr, store, ImportOptions(), box, {vcf});
    EXPECT_EQ(second.added, 0);
    EXPECT_EQ(second.skipped, 2);
    EXPECT_EQ(store.LiveCount(), 2);
}

// The overwrite question: both cards side by side with what differs in bold,
// and the answer taken from the button pressed.
TEST(OverwriteConfDlg, ShowsBothCardsAndAnswersWithThePressedButton)
{
    CCardData stored;
    stored.SetName(QString::fromUtf8("山田 太郎"));
    stored.SetPhone(0, {QStringLiteral("0312345678"), PhoneOffice});
    CCardData incoming;
    incoming.SetName(QString::fromUtf8("山田 太郎"));
    incoming.SetPhone(0, {QStringLiteral("0312345678"), PhoneHome});
    incoming.SetPhone(1, {QStringLiteral("09011112222"), PhoneMobile});
    incoming.SetCompany(QString::fromUtf8("山田商事"), false);

    COverwriteConfDlg dialog(stored, incoming, QStringLiteral("a.vcf"));
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("上書き確認 - a.vcf"));
    EXPECT_EQ(dialog.Pane(1)->toPlainText(),
              QString::fromUtf8("山田 太郎\n\n[1] 自宅電話\t： 0312345678\n[2] 携帯電話\t： 09011112222\n"
                                "会社名： 山田商事"));
    EXPECT_EQ(dialog.Pane(0)->toPlainText().split(QLatin1Char('\n')).last(), QString::fromUtf8("会社名： "));
    // Bold runs of the new card's pane: the changed kind, and the new number with its kind.
    QStringList bold;
    for (QTextBlock block = dialog.Pane(1)->document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().fontWeight() == QFont::Bold)
                bold << it.fragment().text();
    EXPECT_EQ(bold,
              QStringList({QString::fromUtf8("自宅電話\t"), QString::fromUtf8("携帯電話\t： 09011112222"),
                           QString::fromUtf8("山田商事")}));
    EXPECT_EQ(dialog.Answer(), AnswerSkip); // closing the window skips

    for (QPushButton *button : dialog.findChildren<QPushButton *>())
        if (button->text() == QString::fromUtf8("全て新規登録"))
            button->click();
    EXPECT_EQ(dialog.Answer(), AnswerAddAll);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// Asked from the worker thread, the dialog comes up on the window's thread.
TEST(DropImport, SameNameCardAsksAndTheAnswerHoldsForTheRun)
{
    TempDir dir;
    CCardStore store;
    ASSERT_TRUE(store.CreateNew(dir.File("drop.ovd")));
    CCardData old;
    old.SetName(QStringLiteral("Yamada Taro"));
    old.SetPhone(0, {QStringLiteral("0311112222"), PhoneOffice});
    ASSERT_NE(store.AddCard(old), nullptr);
    const QString vcf = dir.File("same.vcf");
    ASSERT_TRUE(TempDir::WriteAll(vcf,
                                  "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Yamada;Taro\r\nTEL;CELL:090-1111-2222\r\n"
                                  "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:2.1\r\nN:Yamada;Taro\r\n"
                                  "TEL;CELL:090-3333-4444\r\nEND:VCARD\r\n"));
    int asked = 0;
    std::function<void()> answer = [&] {
        auto *dialog = qobject_cast<COverwriteConfDlg *>(QApplication::activeModalWidget());
        if (!dialog) {
            QTimer::singleShot(10, answer);
            return;
        }
        ++asked;
        for (QPushButton *button : dialog->findChildren<QPushButton *>())
            if (button->text() == QString::fromUtf8("全て上書き"))
                button->click();
    };
    QTimer::singleShot(10, answer);
    RecordingMessageBox box;
    const ImportCounters counters = CDropImport::Run(nullptr, store, ImportOptions(), box, {vcf});
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(counters.overwritten, 2);
    ASSERT_EQ(store.LiveCount(), 1);
    EXPECT_EQ(store.CardAt(0)->Phone(0), QStringLiteral("090-3333-4444"));
}

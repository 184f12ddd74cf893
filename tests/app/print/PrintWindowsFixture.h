#pragma once

#include "../../print/PrintTestSupport.h"
#include "../../views/RecordingMessageBox.h"
#include "CPrintDlg.h"
#include "FakePrintSystem.h"
#include "PrintSettings.h"
#include "TempDir.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// Runs `act` on the modal dialog of type T once it shows.
template <class T> void WhenModal(const std::function<void(T &)> &act)
{
    QTimer::singleShot(0, [act] {
        auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "no " << T::staticMetaObject.className() << " shown";
        act(*dialog);
    });
}

// Types text into a widget key by key, Japanese included (QTest::keyClicks
// takes ASCII only).
inline void TypeText(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

// The button of a dialog's button box with this text.
inline QAbstractButton *ButtonNamed(QWidget &dialog, const QString &text)
{
    for (QAbstractButton *b : dialog.findChildren<QAbstractButton *>()) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

// The print dialog over a window that stands for the main window, on fake
// printers, with recorded messages.
class PrintWindows : public ::testing::Test
{
protected:
    void SetUp() override
    {
        main.resize(1000, 700);
        main.show();
    }
    void AddCards(int n, bool marked = true)
    {
        for (int i = 0; i < n; ++i) {
            CCardData &c = cards.Add(QStringLiteral("名刺 %1").arg(cards.Sequence().size() + 1), marked);
            c.SetCompany(QStringLiteral("株式会社テスト%1").arg(i), false);
            c.SetAddress(QStringLiteral("東京都千代田区丸の内%1丁目").arg(i % 9 + 1));
        }
    }
    bool Open()
    {
        dialog = std::make_unique<CPrintDlg>(settings, cards.Sequence(), &printers, messages,
                                             QStringLiteral("名刺一覧"), catalogue.Path(), &main);
        if (!dialog->Prepare())
            return false;
        dialog->show();
        return QTest::qWaitForWindowExposed(dialog.get());
    }
    CPrint &Print() { return dialog->Print(); }

    QWidget main;
    FakePrintSystem printers;
    RecordingMessageBox messages;
    PrintSettings settings = PrintSettings::Defaults();
    CardList cards;
    TempDir catalogue; // no makers' catalogue unless a test writes one
    std::unique_ptr<CPrintDlg> dialog;
};

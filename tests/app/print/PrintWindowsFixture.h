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
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

// Runs `act` on the modal dialog of type T once it shows (looked for at every
// turn of the event loop, since making a dialog may run the loop before it
// is shown).
template <class T> void WhenModal(const std::function<void(T &)> &act)
{
    auto *watch = new QTimer;
    auto turns = std::make_shared<int>(0);
    QObject::connect(watch, &QTimer::timeout, [watch, turns, act] {
        auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dialog && ++*turns < 1000000)
            return;
        watch->stop();
        watch->deleteLater();
        if (!dialog) {
            ADD_FAILURE() << "no " << T::staticMetaObject.className() << " shown";
            return;
        }
        act(*dialog);
    });
    watch->start(0);
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

// The shown button of a dialog with this text.
// Replaces a field's whole text as the user does: select all, then type (or erase).
inline void SelectAllAndType(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Backspace);
    else
        TypeText(field, text);
}

inline QAbstractButton *ButtonNamed(QWidget &dialog, const QString &text)
{
    for (QAbstractButton *b : dialog.findChildren<QAbstractButton *>()) {
        if (b->text() == text && b->isVisibleTo(&dialog))
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

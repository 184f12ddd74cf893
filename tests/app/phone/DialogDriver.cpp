#include "DialogDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

DialogDriver::DialogDriver()
    : m_progressDialogs{QStringLiteral("CConnectAnimeDlg"), QStringLiteral("CProgress")}
{
    qApp->installEventFilter(this);
}

DialogDriver::~DialogDriver()
{
    qApp->removeEventFilter(this);
}

void DialogDriver::Expect(const char *className, Action action)
{
    m_steps.append({QString::fromLatin1(className), std::move(action)});
}

bool DialogDriver::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto *dialog = qobject_cast<QDialog *>(watched);
    if (!dialog || !dialog->isWindow())
        return false;
    const QString name = QString::fromLatin1(dialog->metaObject()->className());
    m_shown.append(name);
    QPointer<QDialog> guard(dialog);
    if (!m_steps.isEmpty() && m_steps.first().className == name) {
        Action action = m_steps.takeFirst().action;
        // Acts from inside the dialog's own loop, once exec() runs it.
        QTimer::singleShot(0, dialog, [guard, action] {
            if (guard)
                action(guard);
        });
    } else if (!m_progressDialogs.contains(name)) {
        m_unexpected.append(name);
        QTimer::singleShot(0, dialog, [guard] {
            if (guard)
                guard->reject();
        });
    }
    return false;
}

QAbstractButton *DialogDriver::Button(QWidget *widget, const QString &text)
{
    for (QAbstractButton *button : widget->findChildren<QAbstractButton *>())
        if (button->text() == text)
            return button;
    ADD_FAILURE() << "no button " << text.toStdString() << " in " << widget->metaObject()->className();
    return nullptr;
}

void DialogDriver::Click(QWidget *widget, const QString &text)
{
    if (QAbstractButton *button = Button(widget, text))
        button->click();
}

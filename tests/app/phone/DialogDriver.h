#pragma once

#include <QList>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <functional>

class QAbstractButton;
class QDialog;
class QWidget;

// Answers the dialogs a flow opens, in the order they are expected: each is
// acted on from its own event loop once it is shown. Dialogs that only show
// progress are let be unless a step names them; any other dialog is recorded
// as unexpected and closed, so that a test fails instead of hanging.
class DialogDriver : public QObject
{
public:
    using Action = std::function<void(QDialog *)>;

    DialogDriver();
    ~DialogDriver() override;

    void Expect(const char *className, Action action);
    // Class names of every dialog shown, in order.
    QStringList Shown() const { return m_shown; }
    QStringList Unexpected() const { return m_unexpected; }
    int Pending() const { return int(m_steps.size()); }

    // The button of that text inside the widget (the test fails without one).
    static QAbstractButton *Button(QWidget *widget, const QString &text);
    static void Click(QWidget *widget, const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Step
    {
        QString className;
        Action action;
    };
    QList<Step> m_steps;
    QSet<QString> m_progressDialogs;
    QStringList m_shown;
    QStringList m_unexpected;
};

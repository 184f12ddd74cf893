#pragma once

#include <QList>
#include <QString>

class CCardData;

// One recipient: the card's first e-mail address and the parts of the greeting,
// copied when the recipient is chosen.
struct MailerInfo
{
    QString Address;
    QString Name;
    QString Company;
    QString Department;

    static MailerInfo FromCard(const CCardData &card);
};

// The greeting options of the settings file.
struct MailOptions
{
    bool company = false;
    bool department = false;
    bool name = false;
    QString honorific = QStringLiteral("様");
};

// Builds the "mailto:" addresses handed to the user's mail program. Texts go in
// as they are, except the few characters that would end or split the address.
class MailComposer
{
public:
    // The greeting for one card. alwaysBreak puts the line break before the name
    // even when no company text precedes it (the edit view does so).
    static QString Greeting(const MailerInfo &card, const MailOptions &options, bool severalRecipients,
                            bool alwaysBreak);

    // The selected cards of the list, in view order; empty when none has an address.
    static QString ForSelection(const QList<MailerInfo> &selected, const MailOptions &options);

    // The recipient dialog's three lists.
    static QString ForRecipients(const QList<MailerInfo> &to, const QList<MailerInfo> &cc,
                                 const QList<MailerInfo> &bcc, const MailOptions &options);

    // One address of the card open in the edit view.
    static QString ForEditView(const MailerInfo &card, const QString &address, const MailOptions &options);

private:
    static QString Escaped(const QString &text);
    static QString Joined(const QList<MailerInfo> &rows);
};

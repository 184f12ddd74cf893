#include "MailComposer.h"

#include "CCardData.h"

namespace {
const QString LineBreak = QStringLiteral("%0d%0a");
const QString Separator = QStringLiteral(";%20");
} // namespace

MailerInfo MailerInfo::FromCard(const CCardData &card)
{
    return MailerInfo{card.Mail(0), card.Name(), card.Company(), card.Department()};
}

// A "%", "&", "#" or "?" inside a name or address would end the body or start a
// new header in the mail program; only those are encoded.
QString MailComposer::Escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '%':
            out += QStringLiteral("%25");
            break;
        case '&':
            out += QStringLiteral("%26");
            break;
        case '#':
            out += QStringLiteral("%23");
            break;
        case '?':
            out += QStringLiteral("%3F");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString MailComposer::Joined(const QList<MailerInfo> &rows)
{
    QString out;
    for (const MailerInfo &row : rows) {
        if (!out.isEmpty())
            out += Separator;
        out += Escaped(row.Address);
    }
    return out;
}

QString MailComposer::Greeting(const MailerInfo &card, const MailOptions &options, bool severalRecipients,
                               bool alwaysBreak)
{
    QString greeting;
    if (options.company) {
        greeting += Escaped(card.Company);
        if (options.department)
            greeting += Escaped(card.Department);
    }
    if (options.name) {
        if (alwaysBreak || !greeting.isEmpty())
            greeting += LineBreak;
        greeting +=
            severalRecipients ? QStringLiteral("各位") : Escaped(card.Name) + Escaped(options.honorific);
    }
    return greeting;
}

QString MailComposer::ForSelection(const QList<MailerInfo> &selected, const MailOptions &options)
{
    QString recipients;
    QString greeting;
    bool found = false;
    for (const MailerInfo &card : selected) {
        if (card.Address.isEmpty())
            continue;
        if (!found) {
            recipients = Escaped(card.Address);
            greeting = Greeting(card, options, selected.size() > 1, false);
            found = true;
        } else {
            recipients += Separator + Escaped(card.Address);
        }
    }
    if (!found)
        return QString();
    return QStringLiteral("mailto:") + recipients + QStringLiteral("?body=") + greeting;
}

QString MailComposer::ForRecipients(const QList<MailerInfo> &to, const QList<MailerInfo> &cc,
                                    const QList<MailerInfo> &bcc, const MailOptions &options)
{
    const QString ccPart = cc.isEmpty() ? QString() : QStringLiteral("&cc=") + Joined(cc);
    const QString bccPart = bcc.isEmpty() ? QString() : QStringLiteral("&bcc=") + Joined(bcc);
    if (to.isEmpty())
        return QStringLiteral("mailto:%20?") + ccPart + bccPart;

    QString extra = ccPart + bccPart;
    if (!extra.isEmpty())
        extra.prepend(QLatin1Char('?'));
    QString body;
    const QString greeting = Greeting(to.first(), options, to.size() > 1, false);
    if (!greeting.isEmpty())
        body = (extra.isEmpty() ? QStringLiteral("?") : QStringLiteral("&")) + QStringLiteral("body=") +
               greeting;
    return QStringLiteral("mailto:") + Joined(to) + extra + body;
}

QString MailComposer::ForEditView(const MailerInfo &card, const QString &address, const MailOptions &options)
{
    return QStringLiteral("mailto:") + Escaped(address) + QStringLiteral("?body=") +
           Greeting(card, options, false, true);
}

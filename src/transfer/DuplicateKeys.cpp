#include "DuplicateKeys.h"

namespace {

// Fewer digits than this (after the country code and the leading 0) are short
// numbers, extensions or typing mistakes, shared by chance.
constexpr int MinPhoneDigits = 7;

// NFKC gives one width (full-width ASCII narrows, half-width kana widens and
// takes its voiced mark into one character); spaces of every width go.
QString Folded(const QString &text)
{
    QString out = text.normalized(QString::NormalizationForm_KC);
    out.removeIf([](QChar c) { return c.isSpace(); });
    return out;
}

} // namespace

namespace DuplicateKeys {

QString NameKey(const QString &name)
{
    return Folded(name);
}

QString ReadingKey(const QString &reading)
{
    return Folded(reading);
}

QString CompanyKey(const QString &company)
{
    // After folding, ㈱ and （株） are both "(株)".
    static const QString forms[] = {QStringLiteral(u"株式会社"), QStringLiteral(u"有限会社"),
                                    QStringLiteral(u"合同会社"), QStringLiteral(u"合資会社"),
                                    QStringLiteral(u"合名会社"), QStringLiteral(u"(株)"),
                                    QStringLiteral(u"(有)"),     QStringLiteral(u"(同)"),
                                    QStringLiteral(u"(資)"),     QStringLiteral(u"(名)")};
    QString key = Folded(company);
    for (const QString &form : forms)
        key.remove(form);
    return key;
}

QString PhoneKey(const QString &number)
{
    QString digits;
    digits.reserve(number.size());
    bool international = false;
    for (const QChar c : number) {
        if (c.isDigit() && c.unicode() < 0x80)
            digits.append(c);
        else if (c == u'+' && digits.isEmpty())
            international = true;
    }
    if (international && digits.startsWith(QLatin1String("81")))
        digits.remove(0, 2);
    // "+81 (0)3 …" keeps a 0 of its own; a domestic number starts with one.
    if (digits.startsWith(u'0'))
        digits.remove(0, 1);
    return digits.size() >= MinPhoneDigits ? digits : QString();
}

QString MailKey(const QString &address)
{
    const QString key = address.trimmed().toLower();
    const qsizetype at = key.indexOf(u'@');
    return at > 0 && at < key.size() - 1 ? key : QString();
}

} // namespace DuplicateKeys

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// Value-level rules of the vCard reader.
class VCardValue
{
public:
    // Quoted-printable: "=XX" gives one byte, other characters are copied (characters
    // outside ASCII in the input's own encoding). false when an "=" is not followed by
    // two letters or digits; bytes then hold what was decoded before it.
    static bool DecodeQuotedPrintable(QStringView text, bool utf8, QByteArray &bytes);
    // Base64 with the standard alphabet; every other character is skipped.
    class Base64Decoder
    {
    public:
        void Feed(QStringView text);
        QByteArray Finish();

    private:
        QByteArray m_bytes;
        quint32 m_bits = 0;
        int m_count = 0;
    };

    // "\\" → "\YEN", "\;" → "\SEMICOLON", "\," → "\COMMA".
    static QString ProtectEscapes(QStringView text);
    static QString Unescape(const QString &text);

    static QString NormalisePhone(QStringView text);
    static QString NormaliseMail(QStringView text);
    // Shortens an over-long address at its "/" steps.
    static QString CutUrl(QStringView text);
    static bool NormaliseNoteDate(QString &text);
};

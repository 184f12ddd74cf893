#pragma once

#include "CImeLanguage.h"
#include "ReadingService.h"

#include <QHash>
#include <QStringList>

// A reading service with a small word list: longest match first, anything else
// is read as written. Records what it was asked.
class ReadingFake : public CImeLanguage
{
public:
    bool available = true;
    QStringList asked;
    QHash<QString, QString> words{
        {QStringLiteral("山田"), QStringLiteral("ヤマダ")},
        {QStringLiteral("太郎"), QStringLiteral("タロウ")},
        {QStringLiteral("鈴木"), QStringLiteral("スズキ")},
        {QStringLiteral("株式会社"), QStringLiteral("カブシキガイシャ")},
        {QStringLiteral("東芝"), QStringLiteral("とうしば")}, // some services answer in hiragana
    };

    bool IsAvailable() const override { return available; }
    QString Reading(const QString &text) override
    {
        asked.append(text);
        QString out;
        for (qsizetype i = 0; i < text.size();) {
            qsizetype best = 0;
            for (auto it = words.cbegin(); it != words.cend(); ++it) {
                if (it.key().size() > best && text.mid(i, it.key().size()) == it.key())
                    best = it.key().size();
            }
            out += best ? words.value(text.mid(i, best)) : text.mid(i, 1);
            i += best ? best : 1;
        }
        return out;
    }
};

// Installs a service for one test and puts the previous one back.
class ScopedReadingService
{
public:
    explicit ScopedReadingService(CImeLanguage *service) : m_previous(ReadingService())
    {
        SetReadingService(service);
    }
    ~ScopedReadingService() { SetReadingService(m_previous); }
    ScopedReadingService(const ScopedReadingService &) = delete;
    ScopedReadingService &operator=(const ScopedReadingService &) = delete;

private:
    CImeLanguage *m_previous;
};

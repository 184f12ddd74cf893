#pragma once

#include "CImeLanguage.h"

#include <QString>

#include <memory>
#include <mutex>

namespace MeCab {
class Tagger;
}

// The reading service backed by MeCab with an explicitly given UTF-8 dictionary
// (the system default dictionary changes with what is installed).
class CMeCabReading : public CImeLanguage
{
public:
    explicit CMeCabReading(const QString &dictionaryDir = DefaultDictionaryDir());
    ~CMeCabReading() override;

    CMeCabReading(const CMeCabReading &) = delete;
    CMeCabReading &operator=(const CMeCabReading &) = delete;

    bool IsAvailable() const override { return m_tagger != nullptr; }
    // Katakana reading; white space between words is kept as given.
    QString Reading(const QString &text) override;

    // Why the dictionary could not be used; empty when available.
    QString ErrorText() const { return m_error; }

    static QString DefaultDictionaryDir();

private:
    QString ReadSegment(const QString &segment);

    std::mutex m_mutex; // the tagger is not safe for concurrent parses
    MeCab::Tagger *m_tagger = nullptr;
    QString m_error;
};

// Creates the reading service the application installs with SetReadingService at start-up.
std::unique_ptr<CImeLanguage> CreateReadingService();

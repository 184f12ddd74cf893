#include "ReadingService.h"

#include "CImeLanguage.h"
#include "KanaWidth.h"

#include <atomic>

namespace {
// Import workers call the card setters off the user-interface thread.
std::atomic<CImeLanguage *> g_service{nullptr};
} // namespace

void SetReadingService(CImeLanguage *service)
{
    g_service.store(service);
}

CImeLanguage *ReadingService()
{
    return g_service.load();
}

QString ReadingOf(const QString &text)
{
    if (text.isEmpty())
        return {};
    const QString hiragana = KanaWidth::ToFullWidthHiragana(text);
    // Text already written in kana is its own reading; converting it directly keeps
    // imported readings on machines without a reading service.
    if (KanaWidth::IsKanaOnly(hiragana))
        return KanaWidth::ToHalfWidthKatakana(hiragana);
    CImeLanguage *service = g_service.load();
    if (service == nullptr || !service->IsAvailable())
        return {};
    return KanaWidth::ToHalfWidthKatakana(service->Reading(hiragana));
}

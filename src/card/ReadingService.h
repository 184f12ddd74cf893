#pragma once

#include <QString>

class CImeLanguage;

// Reading conversion used by the card setters: any text → its reading in
// half-width katakana. Empty when no reading service is available.
QString ReadingOf(const QString &text);

// The process-wide reading service (owned by the caller, may be null).
// Set once at start-up; tests install a fake.
void SetReadingService(CImeLanguage *service);
CImeLanguage *ReadingService();

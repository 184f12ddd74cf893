#pragma once

// What a fuzz target asserts about the parser it drives. A failed check is a
// finding: the fuzzing programs stop on it (libFuzzer keeps the input), the
// corpus test reports it as a test failure.
namespace Fuzz {

using FailureSink = void (*)(const char *what);

// The default sink prints the check and aborts.
void SetFailureSink(FailureSink sink);
void Check(bool ok, const char *what);

} // namespace Fuzz

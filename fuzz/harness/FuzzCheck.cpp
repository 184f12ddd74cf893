#include "FuzzCheck.h"

#include <cstdio>
#include <cstdlib>

namespace Fuzz {

namespace {

void Abort(const char *what)
{
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

FailureSink g_sink = &Abort;

} // namespace

void SetFailureSink(FailureSink sink)
{
    g_sink = sink ? sink : &Abort;
}

void Check(bool ok, const char *what)
{
    if (!ok)
        g_sink(what);
}

} // namespace Fuzz

// libFuzzer's entry points for one target, named by TESSALY_FUZZ_TARGET.
#include "FuzzTargets.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::Init(argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const Fuzz::Target *target = [] {
        const Fuzz::Target *found = Fuzz::FindTarget(TESSALY_FUZZ_TARGET);
        if (!found) {
            std::fprintf(stderr, "no fuzz target %s\n", TESSALY_FUZZ_TARGET);
            std::abort();
        }
        return found;
    }();
    target->run(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}

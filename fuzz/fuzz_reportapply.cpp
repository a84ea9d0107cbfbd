// libFuzzer entry for the application of reports to the device state, headless.
#include "reportapplydriver.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    if (!startReportApply(argc, argv))
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!runReportApply(data, size))
        std::abort();
    return 0;
}

// libFuzzer entry for the reply path.
#include "replyfuzzdriver.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    silenceQtMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!runReplyPath(data, size))
        std::abort();
    return 0;
}

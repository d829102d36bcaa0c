// libFuzzer entry: reads arbitrary bytes as a table file.
#include "tests/support/TableFileFuzzCheck.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string failure =
        CheckTableFileBytes(std::string_view(reinterpret_cast<const char *>(data), size));
    if (!failure.empty()) {
        std::fprintf(stderr, "%s\n", failure.c_str());
        std::abort();
    }
    return 0;
}

// The difference file as any editor may leave it.
#include "clock/DifferenceText.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const char* data = reinterpret_cast<const char*>(bytes);
    const QString text = QString::fromUtf8(data, qsizetype(size));
    DifferenceText::check(text);
    DifferenceText difference;
    const std::optional<int> seconds = difference.seconds(text);
    // A time of day, or nothing with its reason.
    if (seconds ? *seconds < 0 || *seconds >= 24 * 3600 : difference.lastError().isEmpty())
        std::abort();
    return 0;
}

// Connection strings of any shape.
#include "log/ConnectionString.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const char* data = reinterpret_cast<const char*>(bytes);
    const ConnectionString parsed(QString::fromUtf8(data, qsizetype(size)));
    for (const char* key : {"Provider", "Data Source", "persist security info"})
        (void)parsed.value(QLatin1String(key));
    return 0;
}

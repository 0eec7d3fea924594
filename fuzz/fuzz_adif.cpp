// ADIF files of any content, read as an import reads them: ADX when they start as XML, else ADI.
#include "adif/AdifReader.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const char* data = reinterpret_cast<const char*>(bytes);
    QByteArray content = QByteArray::fromRawData(data, qsizetype(size));
    QBuffer file(&content);
    file.open(QIODevice::ReadOnly);
    const auto reader = AdifReader::open(file);
    AdifRecord record;
    while (reader->next(record))
        ;
    return 0;
}

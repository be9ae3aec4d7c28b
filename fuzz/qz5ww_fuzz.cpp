// The reader of the QZ5WW record log on any bytes.
#include "fuzz/foreignfuzz.h"

using namespace zelmor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    return fuzz::RunForeignReader(ReadQz5wwLog, data, size, qint64(size / 78 + 1));
}

// The reader of the QZ4W contest log on any bytes.
#include "fuzz/foreignfuzz.h"

using namespace zelmor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    return fuzz::RunForeignReader(ReadQz4wLogDat, data, size, fuzz::LineCount(data, size));
}

// The reader of the AALOG fixed-column log on any bytes.
#include "fuzz/foreignfuzz.h"

using namespace zelmor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    return fuzz::RunForeignReader(ReadAalogLog, data, size, fuzz::LineCount(data, size));
}

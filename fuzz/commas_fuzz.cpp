// The reader of the LOG-EQF ASCII export on any bytes.
#include "fuzz/foreignfuzz.h"

using namespace zelmor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    return fuzz::RunForeignReader(ReadLogEqfCommas, data, size, fuzz::LineCount(data, size));
}

// The reader of the SWISLOG binary log on any bytes.
#include "fuzz/foreignfuzz.h"

using namespace zelmor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    return fuzz::RunForeignReader(ReadSwislogDat, data, size, qint64(size / 128 + 1));
}

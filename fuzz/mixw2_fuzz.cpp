// The reader of the MixW2 text log on any bytes.
#include "fuzz/foreignfuzz.h"

using namespace zelmor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    return fuzz::RunForeignReader(ReadMixw2Log, data, size, fuzz::LineCount(data, size));
}

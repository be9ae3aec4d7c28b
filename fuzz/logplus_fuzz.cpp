// The reader of the LOGPLUS dBASE log and the dBASE reader on any bytes.
#include "fuzz/foreignfuzz.h"

using namespace zelmor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    return fuzz::RunForeignReader(ReadLogplusDbf, data, size, qint64(size + 1));
}

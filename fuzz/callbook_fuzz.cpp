// Any bytes as a dBASE callbook: indexed, then every indexed record read
// and composed. Stops on a sanitizer report, on an entry that points
// outside the bytes or at a record the bytes do not hold whole, on an index
// out of order, and on an indexed call that its own look-up does not find.
#include "logbook/callbook.h"

#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace zelmor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const CallbookBuild b = IndexCallbookTable(bytes, CallbookIndex, CallbookFieldWidths);
    if (b.outcome != CallbookBuild::Outcome::Built) {
        if (!CallbookIndex.isEmpty()) std::abort();
        return 0;
    }
    const int length = CallbookIndex.recordLength() - 1;
    for (qsizetype i = 0; i < CallbookIndex.size(); ++i) {
        const qint64 offset = CallbookIndex.offset(i);
        if (offset < 0 || offset + length > bytes.size()) std::abort();
        const CallbookAddress a =
            ComposeCallbookAddress(CallbookRecordFields(bytes.sliced(offset, length), CallbookFieldWidths));
        for (const QString &f : a.fields)
            for (QChar c : f)
                if (c.unicode() < 32) std::abort();
        const QByteArrayView call = CallbookIndex.call(i);
        if (i > 0 && CallbookIndex.call(i - 1) > call) std::abort();
        // Calls of Latin letters and digits that begin with one of them are
        // found by their own text.
        const bool ascii = std::all_of(call.begin(), call.end(), [](char c) { return c > 32 && c < 127; });
        const bool ranked = !call.isEmpty() && ((call[0] >= '0' && call[0] <= '9') || (call[0] >= 'A' && call[0] <= 'Z'));
        if (ascii && ranked) {
            const std::vector<qint64> found = FindCallInAddressIndex(QString::fromLatin1(call));
            if (std::find(found.begin(), found.end(), offset) == found.end()) std::abort();
        }
    }
    return 0;
}

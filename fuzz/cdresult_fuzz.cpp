// Any bytes as the callbook CD library's answer: the walk over exactly
// those bytes (a heap copy of their length, so a read past them is a
// report), and the whole look-up through a fake library that fills the
// 523-byte result buffer with them. Stops on a sanitizer report.
#include "logbook/callbook.h"
#include "platform/callbookcd.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace zelmor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::vector<char> copy(reinterpret_cast<const char *>(data), reinterpret_cast<const char *>(data) + size);
    const CdCallbookResult r = WalkCdCallbookResult(QByteArrayView(copy.data(), qsizetype(copy.size())));
    if (!r.field3Ended && !r.field3.isEmpty()) std::abort();
    if (r.firstName.size() > r.field3.size()) std::abort();
    FakeCallbookCd cd;
    cd.result = QByteArray(copy.data(), qsizetype(copy.size()));
    if (LookupCdCallbook(u"UA3ABC/QRP", u"/media/cd/", cd).outcome != CdLookup::Outcome::Done) std::abort();
    return 0;
}

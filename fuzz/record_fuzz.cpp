// A record codec on any bytes a file may hold: decoding never reads outside
// the record, every field fits its capacity, and what is encoded again
// decodes to the same values and encodes to the same bytes.
#include "common/qsorecord.h"
#include "common/refrecords.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace zelmor;

#if defined(FUZZ_QSO)
using Record = QsoRecord;
#elif defined(FUZZ_COUNTRY)
using Record = CountryRecord;
#else
using Record = RegionRecord;
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // Exactly one record, as a reader of the file hands it over: shorter
    // input is padded, longer cut.
    char *bytes = static_cast<char *>(std::malloc(Record::Size));
    std::memset(bytes, 0, Record::Size);
    std::memcpy(bytes, data, size < size_t(Record::Size) ? size : size_t(Record::Size));

    const Record first = DecodeRecord<Record>(bytes);
    for (const auto &f : Record::Fields) {
        if ((first.*(f.member)).size() > f.capacity) std::abort();
        if (ReadRawField(bytes, {f.offset, f.capacity}).size() > f.capacity) std::abort();
    }
    const QByteArray encoded = EncodeRecord(first);
    if (encoded.size() != Record::Size) std::abort();
    const Record second = DecodeRecord<Record>(encoded.constData());
    for (const auto &f : Record::Fields)
        if (first.*(f.member) != second.*(f.member)) std::abort();
    if (EncodeRecord(second) != encoded) std::abort();
#if defined(FUZZ_QSO)
    // The log loader's one-letter code of the stored QSL state.
    (void)QslCodeOfRaw(ReadRawField(bytes, QsoField::QslState));
    (void)QslCode(first.qslState);
#endif
    std::free(bytes);
    return 0;
}

#include "common/refrecords.h"

#include <QtEndian>

namespace zelmor {

template <>
PostalIndexRecord DecodeRecord<PostalIndexRecord>(const char *bytes) {
    PostalIndexRecord r;
    r.call = ReadTextField(bytes, {0, 15});
    r.addressIndex = qFromLittleEndian<qint32>(bytes + 16);
    return r;
}

template <>
QByteArray EncodeRecord<PostalIndexRecord>(const PostalIndexRecord &r) {
    QByteArray out(PostalIndexRecord::Size, '\0');
    WriteTextField(out.data(), {0, 15}, r.call);
    qToLittleEndian<qint32>(r.addressIndex, out.data() + 16);
    return out;
}

} // namespace zelmor

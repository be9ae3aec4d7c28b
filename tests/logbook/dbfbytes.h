#pragma once
// dBASE III tables of text fields written by our own hand, for the callbook
// benchmark and the fuzz seeds. The tests write theirs with shapelib, a
// writer independent of the reader they check.
#include <QByteArray>
#include <QtEndian>
#include <vector>

namespace zelmor::test {

inline int DbfRecordLength(const std::vector<int> &widths) {
    int r = 1;
    for (int w : widths) r += w;
    return r;
}

// The header: version 3, the record count, H = 32 + 32 * fields + 1, R,
// the descriptors (names F0, F1, ...; type C) and the terminator 0x0D.
inline QByteArray DbfHeader(const std::vector<int> &widths, quint32 count) {
    QByteArray h(32, '\0');
    h[0] = 3;
    qToLittleEndian<quint32>(count, h.data() + 4);
    qToLittleEndian<quint16>(quint16(32 + 32 * widths.size() + 1), h.data() + 8);
    qToLittleEndian<quint16>(quint16(DbfRecordLength(widths)), h.data() + 10);
    for (size_t i = 0; i < widths.size(); ++i) {
        QByteArray d(32, '\0');
        const QByteArray name = "F" + QByteArray::number(qulonglong(i));
        d.replace(0, name.size(), name);
        d[11] = 'C';
        d[16] = char(widths[i]);
        h += d;
    }
    return h + '\x0D';
}

// One record: the flag, then each value cut or blank-padded to its width.
inline QByteArray DbfRecord(const std::vector<int> &widths, const std::vector<QByteArray> &values, char flag = ' ') {
    QByteArray r(1, flag);
    for (size_t i = 0; i < widths.size(); ++i) {
        const QByteArray v = i < values.size() ? values[i].left(widths[i]) : QByteArray();
        r += v + QByteArray(widths[i] - v.size(), ' ');
    }
    return r;
}

} // namespace zelmor::test

#include "logtools/importrows.h"

#include "common/codepage.h"

#include <cstring>

namespace zelmor {

// Row layout in the buffer: for each of the 21 cells a length byte, then the
// bytes of the cells one after the other. A cell of 255 bytes or more has the
// length byte 255 followed by a 4-byte length.
namespace {
constexpr unsigned char LongCell = 255;

quint32 CellLength(const char *&h) {
    const unsigned char b = static_cast<unsigned char>(*h++);
    if (b != LongCell) return b;
    quint32 len;
    std::memcpy(&len, h, 4);
    h += 4;
    return len;
}

void AppendRowBytes(QByteArray &buf, const QByteArrayView *cells, int count) {
    for (int c = 0; c < ImportRowStore::Columns; ++c) {
        const qsizetype len = c < count ? cells[c].size() : 0;
        if (len < LongCell) {
            buf.append(char(len));
        } else {
            buf.append(char(LongCell));
            const quint32 l = quint32(len);
            buf.append(reinterpret_cast<const char *>(&l), 4);
        }
    }
    for (int c = 0; c < count && c < ImportRowStore::Columns; ++c) buf.append(cells[c].data(), cells[c].size());
}

qsizetype RowBytes(const char *row) {
    const char *h = row;
    qsizetype total = 0;
    for (int c = 0; c < ImportRowStore::Columns; ++c) total += CellLength(h);
    return (h - row) + total;
}
} // namespace

void ImportRowStore::clear() {
    buf_ = QByteArray();
    rows_ = {};
    stale_ = 0;
}

void ImportRowStore::reserve(qsizetype rows, qsizetype bytes) {
    rows_.reserve(size_t(rows));
    buf_.reserve(bytes);
}

void ImportRowStore::append(const QByteArrayView *cells, int count) {
    rows_.push_back(buf_.size());
    AppendRowBytes(buf_, cells, count);
}

QByteArrayView ImportRowStore::cellBytes(qsizetype row, int col) const {
    if (row < 0 || row >= size() || col < 0 || col >= Columns) return {};
    const char *h = buf_.constData() + rows_[size_t(row)];
    qsizetype at = 0;
    quint32 len = 0;
    for (int c = 0; c < Columns; ++c) {
        const quint32 l = CellLength(h);
        if (c < col) at += l;
        else if (c == col) len = l;
    }
    const char *text = h + at; // the texts follow the 21 lengths
    return QByteArrayView(text, len);
}

QString ImportRowStore::cell(qsizetype row, int col) const { return FromCp1251(cellBytes(row, col)); }

void ImportRowStore::setCell(qsizetype row, int col, QByteArrayView cp1251) {
    if (row < 0 || col < 0 || col >= Columns) return;
    while (size() <= row) append(nullptr, 0);
    // The new row is built from the old one's cells, which live in buf_: copy
    // them out first, the append may move the buffer.
    QByteArray cells[Columns];
    QByteArrayView views[Columns];
    for (int c = 0; c < Columns; ++c) {
        cells[c] = c == col ? cp1251.toByteArray() : cellBytes(row, c).toByteArray();
        views[c] = cells[c];
    }
    const qint64 old = rows_[size_t(row)];
    stale_ += RowBytes(buf_.constData() + old);
    rows_[size_t(row)] = buf_.size();
    AppendRowBytes(buf_, views, Columns);
    compactIfStale();
}

void ImportRowStore::compactIfStale() {
    if (stale_ < (1 << 16) || stale_ * 2 < buf_.size()) return;
    QByteArray fresh;
    fresh.reserve(buf_.size() - stale_);
    for (auto &offset : rows_) {
        const char *row = buf_.constData() + offset;
        const qsizetype n = RowBytes(row);
        offset = fresh.size();
        fresh.append(row, n);
    }
    buf_ = std::move(fresh);
    stale_ = 0;
}

ImportGridModel::ImportGridModel(QObject *parent) : StringGridModel(ImportRowStore::Columns, 2, parent) {}

QString ImportGridModel::cell(int col, int row) const {
    if (row >= 1 && row <= rows_.size()) return rows_.cell(row - 1, col);
    return StringGridModel::cell(col, row);
}

void ImportGridModel::setCell(int col, int row, const QString &text) {
    if (row < 1) {
        StringGridModel::setCell(col, row, text);
        return;
    }
    if (col < 0 || col >= ImportRowStore::Columns) return;
    if (cell(col, row) == text) return;
    // Cells beyond the data are kept in the store too, so a typed row joins
    // the data.
    rows_.setCell(row - 1, col, ToCp1251(text));
    if (row < rowCountValue()) emit dataChanged(index(row, col), index(row, col));
}

void ImportGridModel::clearRows(int firstRow) {
    if (firstRow <= 1) {
        rows_.clear();
        StringGridModel::clearRows(qMax(firstRow, 1));
    } else {
        for (qsizetype r = firstRow - 1; r < rows_.size(); ++r)
            for (int c = 0; c < ImportRowStore::Columns; ++c)
                if (!rows_.cellBytes(r, c).isEmpty()) rows_.setCell(r, c, {});
        StringGridModel::clearRows(firstRow);
    }
    if (rowCountValue() > 0 && colCount() > 0) emit dataChanged(index(0, 0), index(rowCountValue() - 1, colCount() - 1));
}

void ImportGridModel::storeChanged() {
    beginResetModel();
    endResetModel();
    setRowCount(int(rows_.size()) + 2);
}

} // namespace zelmor

#pragma once
// The rows of the import grid. A million imported QSOs must fit: each row's
// texts are kept as cp1251 in one shared buffer (a length byte per cell, then
// the bytes), not as a QString per cell. An edited row is written anew at the
// end of the buffer; the buffer is compacted when half of it is stale.
#include "platform/stringgrid.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace zelmor {

class ImportRowStore {
public:
    static constexpr int Columns = 21;

    // Data rows, numbered from 0 (grid row 1).
    qsizetype size() const { return qsizetype(rows_.size()); }
    void clear();
    void reserve(qsizetype rows, qsizetype bytes);
    // Appends a row of up to 21 cp1251 cells; missing ones are empty.
    void append(const QByteArrayView *cells, int count);
    QByteArrayView cellBytes(qsizetype row, int col) const;
    QString cell(qsizetype row, int col) const;
    // Writes one cell, adding empty rows up to `row` when needed.
    void setCell(qsizetype row, int col, QByteArrayView cp1251);
    qsizetype bufferBytes() const { return buf_.size(); }

private:
    void compactIfStale();
    QByteArray buf_;
    std::vector<qint64> rows_; // offset of each row in buf_
    qint64 stale_ = 0;
};

// The import grid's model: row 0 and the rows past the data live as in any
// string grid; rows 1 .. store size are the store's.
class ImportGridModel : public StringGridModel {
    Q_OBJECT
public:
    explicit ImportGridModel(QObject *parent = nullptr);
    ImportRowStore &rows() { return rows_; }
    const ImportRowStore &rows() const { return rows_; }

    QString cell(int col, int row) const override;
    void setCell(int col, int row, const QString &text) override;
    void clearRows(int firstRow) override;
    // After the store was filled directly: row count = data rows + 2.
    void storeChanged();

private:
    ImportRowStore rows_;
};

} // namespace zelmor

#include "logtools/searchgrid.h"

#include "common/recordfile.h"

#include <QBrush>
#include <QColor>

namespace zelmor {

namespace {
constexpr int Block = 128;       // rows decoded together: one open, one seek run
constexpr int CacheLimit = 8192; // decoded rows kept
} // namespace

SearchGridModel::SearchGridModel(const QStringList &headings, QObject *parent)
    : StringGridModel(int(headings.size()), 2, parent) {
    for (int c = 0; c < headings.size(); ++c) StringGridModel::setCell(c, 0, headings[c]);
}

void SearchGridModel::setListing(const QString &logPath, std::vector<qint64> indexes) {
    beginResetModel();
    path_ = logPath;
    indexes_ = std::move(indexes);
    edits_.clear();
    cache_.clear();
    endResetModel();
    setRowCount(int(indexes_.size()) + 2);
}

void SearchGridModel::clearListing() { setListing(path_, {}); }

qint64 SearchGridModel::recordIndexOfRow(int row) const {
    if (row < 1 || row > int(indexes_.size())) return -1;
    return indexes_[size_t(row - 1)];
}

const std::array<QString, 24> *SearchGridModel::storedRow(int row) const {
    if (recordIndexOfRow(row) < 0) return nullptr;
    auto it = cache_.constFind(row);
    if (it != cache_.constEnd()) return &it.value();
    if (cache_.size() > CacheLimit) cache_.clear();
    const int first = row - (row - 1) % Block;
    const int last = std::min(first + Block - 1, int(indexes_.size()));
    const qint64 count = RecordIO::Count(path_, QsoRecord::Size);
    std::vector<qint64> want;
    std::vector<int> rows;
    for (int r = first; r <= last; ++r) {
        if (cache_.contains(r)) continue;
        const qint64 i = indexes_[size_t(r - 1)];
        if (i >= 0 && i < count) {
            want.push_back(i);
            rows.push_back(r);
        } else {
            cache_.insert(r, {}); // no longer in the file: shown blank
        }
    }
    try {
        const std::vector<QByteArray> records = RecordIO::ReadMany(path_, QsoRecord::Size, want);
        for (size_t k = 0; k < records.size(); ++k) {
            std::array<QString, 24> texts;
            for (int c = 0; c < 24; ++c) {
                const auto &f = QsoRecord::Fields[size_t(c)];
                texts[size_t(c)] = ReadTextField(records[k].constData(), {f.offset, f.capacity});
            }
            cache_.insert(rows[k], std::move(texts));
        }
    } catch (const IoError &) {
        for (int r : rows) cache_.insert(r, {});
    }
    it = cache_.constFind(row);
    return it == cache_.constEnd() ? nullptr : &it.value();
}

QString SearchGridModel::cell(int col, int row) const {
    if (row <= 0) return StringGridModel::cell(col, row);
    if (col < 0 || col >= 24) return QString();
    auto e = edits_.find({row, col});
    if (e != edits_.end()) return e->second;
    const auto *texts = storedRow(row);
    return texts ? (*texts)[size_t(col)] : QString();
}

void SearchGridModel::setCell(int col, int row, const QString &text) {
    if (row <= 0) {
        StringGridModel::setCell(col, row, text);
        return;
    }
    if (recordIndexOfRow(row) < 0 || col < 0 || col >= 24) return;
    edits_[{row, col}] = text;
    if (row < rowCountValue() && col < colCount()) emit dataChanged(index(row, col), index(row, col));
}

QsoRecord SearchGridModel::rowRecord(int row) const {
    QsoRecord r;
    for (int c = 0; c < 24; ++c) r.*(QsoRecord::Fields[size_t(c)].member) = cell(c, row);
    return r;
}

QByteArray SearchGridModel::listingAsLog() const {
    QByteArray out;
    int rows = 0;
    while (rows < int(indexes_.size()) && !cell(0, rows + 1).isEmpty()) ++rows;
    out.reserve(qsizetype(rows) * QsoRecord::Size);
    for (int first = 1; first <= rows; first += 1024) {
        const int last = std::min(rows, first + 1023);
        std::vector<qint64> want(indexes_.begin() + (first - 1), indexes_.begin() + last);
        const std::vector<QByteArray> records = RecordIO::ReadMany(path_, QsoRecord::Size, want);
        for (int r = first; r <= last; ++r) {
            QByteArray rec = records[size_t(r - first)];
            for (auto e = edits_.lower_bound({r, 0}); e != edits_.end() && e->first.first == r; ++e) {
                const auto &f = QsoRecord::Fields[size_t(e->first.second)];
                WriteTextField(rec.data(), {f.offset, f.capacity}, e->second);
            }
            out += rec;
        }
    }
    return out;
}

bool SearchGridModel::isDeletedRow(int row) const { return cell(22, row) == DeleteMarkText; }

void SearchGridModel::recordChanged(int row) {
    cache_.remove(row);
    if (row < rowCountValue()) emit dataChanged(index(row, 0), index(row, colCount() - 1));
}

QVariant SearchGridModel::data(const QModelIndex &index, int role) const {
    if (index.isValid() && index.row() > 0 && isDeletedRow(index.row())) {
        if (role == Qt::ForegroundRole) return QBrush(QColor(128, 128, 128));
        if (role == Qt::BackgroundRole) return QBrush(QColor(224, 224, 224));
    }
    return StringGridModel::data(index, role);
}

} // namespace zelmor

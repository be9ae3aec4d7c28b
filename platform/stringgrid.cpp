#include "platform/stringgrid.h"

#include <QFont>
#include <QHeaderView>
#include <QScrollBar>

namespace zelmor {

StringGridModel::StringGridModel(int cols, int rows, QObject *parent)
    : QAbstractTableModel(parent), cols_(cols), rows_(rows) {}

void StringGridModel::setColCount(int n) {
    beginResetModel();
    cols_ = n;
    endResetModel();
}

void StringGridModel::setRowCount(int n) {
    if (n == rows_) return;
    beginResetModel();
    rows_ = n < 0 ? 0 : n;
    endResetModel();
}

void StringGridModel::ensure(int col, int row) {
    if (row >= int(cells_.size())) cells_.resize(row + 1);
    auto &r = cells_[row];
    if (col >= int(r.size())) r.resize(col + 1);
}

QString StringGridModel::cell(int col, int row) const {
    if (row < 0 || row >= int(cells_.size())) return QString();
    const auto &r = cells_[row];
    if (col < 0 || col >= int(r.size())) return QString();
    return r[col];
}

void StringGridModel::setCell(int col, int row, const QString &text) {
    if (col < 0 || row < 0) return;
    if (cell(col, row) == text) return;
    ensure(col, row);
    cells_[row][col] = text;
    if (row < rows_ && col < cols_) emit dataChanged(index(row, col), index(row, col));
}

void StringGridModel::clearRows(int firstRow) {
    for (int r = firstRow; r < int(cells_.size()); ++r)
        for (auto &c : cells_[r]) c.clear();
    if (rows_ > firstRow && cols_ > 0) emit dataChanged(index(firstRow, 0), index(rows_ - 1, cols_ - 1));
}

QStringList StringGridModel::rowTexts(int row) const {
    QStringList out;
    for (int c = 0; c < cols_; ++c) out << cell(c, row);
    return out;
}

int StringGridModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : rows_; }
int StringGridModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : cols_; }

QVariant StringGridModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) return cell(index.column(), index.row());
    if (role == Qt::FontRole && index.row() < fixedRows_) {
        QFont f;
        f.setBold(true);
        return f;
    }
    return {};
}

bool StringGridModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    setCell(index.column(), index.row(), value.toString());
    return true;
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex &index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (editable_ && index.row() >= fixedRows_) f |= Qt::ItemIsEditable;
    return f;
}

TStringGrid::TStringGrid(int cols, int rows, QWidget *parent)
    : QTableView(parent), model_(new StringGridModel(cols, rows, this)), widths_(cols, 64) {
    setModel(model_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(18);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    for (int c = 0; c < cols; ++c) setColumnWidth(c, widths_[c]);
}

void TStringGrid::setGridModel(StringGridModel *m) {
    model_ = m;
    setModel(m);
    for (int c = 0; c < int(widths_.size()); ++c) setColWidth(c, widths_[c]);
}

void TStringGrid::setColCount(int n) {
    model_->setColCount(n);
    widths_.resize(n, 64);
    for (int c = 0; c < n; ++c) setColWidth(c, widths_[c]);
}

int TStringGrid::colWidth(int col) const {
    return (col >= 0 && col < int(widths_.size())) ? widths_[col] : 0;
}

void TStringGrid::setColWidth(int col, int width) {
    if (col < 0 || col >= int(widths_.size())) return;
    widths_[col] = width;
    setColumnHidden(col, width == 0);
    if (width > 0) setColumnWidth(col, width);
}

int TStringGrid::row() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : 0;
}

void TStringGrid::setRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    setCurrentIndex(model_->index(row, 0));
}

int TStringGrid::topRow() const {
    const int r = rowAt(0);
    return r < 0 ? 0 : r;
}

void TStringGrid::setTopRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    scrollTo(model_->index(row, 0), QAbstractItemView::PositionAtTop);
}

} // namespace zelmor

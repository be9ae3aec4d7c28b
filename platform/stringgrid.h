#pragma once
// A grid of texts in the manner of the original toolkit's string grid:
// cell(col, row), row 0 usually a fixed header row, column widths where 0
// hides a column, and cells that may be written beyond the row count. The
// content lives in a model that plain code and tests read without a view.
#include <QAbstractTableModel>
#include <QTableView>
#include <vector>

namespace zelmor {

class StringGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    StringGridModel(int cols, int rows, QObject *parent = nullptr);

    int colCount() const { return cols_; }
    int rowCountValue() const { return rows_; }
    void setColCount(int n);
    void setRowCount(int n);
    int fixedRows() const { return fixedRows_; }
    void setFixedRows(int n) { fixedRows_ = n; }

    // Virtual so a grid can show content it does not hold as texts (the
    // search grid decodes its rows from the log when they are shown).
    virtual QString cell(int col, int row) const;
    virtual void setCell(int col, int row, const QString &text);
    // Empties every cell from row `firstRow` down (all columns).
    virtual void clearRows(int firstRow);
    QStringList rowTexts(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    void setEditable(bool e) { editable_ = e; }

private:
    void ensure(int col, int row);
    int cols_, rows_;
    int fixedRows_ = 1;
    bool editable_ = false;
    std::vector<std::vector<QString>> cells_; // [row][col], may exceed rows_
};

class TStringGrid : public QTableView {
    Q_OBJECT
public:
    TStringGrid(int cols, int rows, QWidget *parent = nullptr);
    // Replaces the grid's model (owned by the caller or parented to it); the
    // column widths stay.
    void setGridModel(StringGridModel *m);
    StringGridModel &model() { return *model_; }
    const StringGridModel &model() const { return *model_; }

    QString cell(int col, int row) const { return model_->cell(col, row); }
    void setCell(int col, int row, const QString &t) { model_->setCell(col, row, t); }
    int rowCount() const { return model_->rowCountValue(); }
    void setRowCount(int n) { model_->setRowCount(n); }
    int colCount() const { return model_->colCount(); }
    void setColCount(int n);
    int colWidth(int col) const;
    void setColWidth(int col, int width);
    // The selected row (0 when none).
    int row() const;
    void setRow(int row);
    int topRow() const;
    void setTopRow(int row);

private:
    StringGridModel *model_;
    std::vector<int> widths_;
};

} // namespace zelmor

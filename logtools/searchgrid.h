#pragma once
// The search grid's content: a vector of record indexes of one log plus the
// cells edited in the grid. Rows are decoded from the file when they are
// shown, printed or saved, so a listing of a million QSOs costs a few
// megabytes instead of the gigabytes its texts would.
#include "common/qsorecord.h"
#include "platform/stringgrid.h"

#include <QHash>
#include <map>
#include <vector>

namespace zelmor {

class SearchGridModel : public StringGridModel {
    Q_OBJECT
public:
    explicit SearchGridModel(const QStringList &headings, QObject *parent = nullptr);

    // Lists these records of `logPath` from row 1; the row count becomes
    // rows + 2. Edited cells are dropped.
    void setListing(const QString &logPath, std::vector<qint64> indexes);
    // Nothing listed: 2 rows, row 1 blank.
    void clearListing();
    const QString &logPath() const { return path_; }
    const std::vector<qint64> &indexes() const { return indexes_; }
    int listedCount() const { return int(indexes_.size()); }
    // The record index shown in `row`, or -1 for the heading or a blank row.
    qint64 recordIndexOfRow(int row) const;
    // The row as a record: the stored fields with the edited cells over them.
    QsoRecord rowRecord(int row) const;
    bool isDeletedRow(int row) const;
    // The record of `row` changed on disk: decode it again.
    void recordChanged(int row);
    void dropEdit(int row, int col) { edits_.erase({row, col}); }
    bool hasEdit(int row, int col) const { return edits_.count({row, col}) != 0; }
    // The listed rows as log records: each record's stored bytes with the
    // edited cells written over them, up to the first row whose number cell
    // is empty. Throws IoError.
    QByteArray listingAsLog() const;

    QString cell(int col, int row) const override;
    void setCell(int col, int row, const QString &text) override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    const std::array<QString, 24> *storedRow(int row) const;
    QString path_;
    std::vector<qint64> indexes_;
    std::map<std::pair<int, int>, QString> edits_; // (row, col)
    mutable QHash<int, std::array<QString, 24>> cache_;
};

} // namespace zelmor

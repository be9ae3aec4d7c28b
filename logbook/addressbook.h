#pragma once
// The address book "mail\adrbox.dat": record i is row i of the address book
// window's list (column 0 the call, column 1 the name); the address of the
// selected row is read from the file when it is shown. The window's search,
// its list loading and its save are these functions over the list's model
// and the file.
#include "common/refrecords.h"

#include <QDateTime>
#include <QString>

namespace zelmor {

class StringGridModel;

// Rows ready for new entries below the last record.
inline constexpr int AddressBookSpareRows = 4;
// The address's capacity: characters as stored, a line break counting two.
inline constexpr int AddressCapacity = 250;

QString AddressBookPath();

// The stored address for the address box (one '\n' per line break; a CR LF,
// a lone CR and a lone LF each are one), and back (CR LF, cut to the
// capacity, never half a line break).
QString AddressForDisplay(QStringView stored);
QString AddressForStorage(QStringView shown);
// The length the address box's text takes stored.
int StoredAddressLength(QStringView shown);

struct AddressBookLoad {
    bool opened = false;    // false: missing, a folder or unreadable
    qint64 records = 0;     // whole records listed
    qint64 strayBytes = 0;  // bytes after the last whole record
};
// The list anew: row i := record i's call and name, then the spare rows. A
// file that cannot be read leaves the list empty.
AddressBookLoad LoadAddressBook(const QString &path, StringGridModel &list);

// The row a search ends on: the last row of the list whose cell in `column`
// begins with the text (same letters, same case), empty cells passed over;
// -1 for an empty text or no match.
int FindAddressBookRow(const StringGridModel &list, QStringView text, int column);

// The stored address of a row; empty for a row past the last record.
// Throws IoError.
QString AddressOfRow(const QString &path, int row);

// What a save of the row would refuse: a call or a name longer than its
// field, or a character cp1251 lacks, named with its cell; empty when the
// cells fit. `row` is the list's row (shown counted from 1).
QString AddressBookCellProblem(int row, const QString &call, const QString &name, const QString &address);

// Writes record `row`. A row past the end first fills the gap with empty
// records, so row i stays record i. The file must exist. Returns the record
// count after the write. Throws IoError.
qint64 WriteAddressBookRow(const QString &path, int row, const AddressBookRecord &r);

// A copy of the file beside it, "<name>.damaged-<yyyyMMdd-HHmmss>", before a
// damaged file is written to. Returns the copy's path. Throws IoError.
QString CopyDamagedAddressBook(const QString &path, const QDateTime &now);

} // namespace zelmor

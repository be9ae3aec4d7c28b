#pragma once
// Writing QSL states back into the log: the printed cards as sent, a card
// that arrived as received (found by the call), whether it confirms a
// country on a band for the first time, and the counts of the pie chart.
#include "logbook/barchart.h"
#include "platform/stringgrid.h"

#include <QString>
#include <vector>

namespace zelmor {

class QslTableModel;
struct LogColumnLists;

// --- sent

struct QslSentMarking {
    std::vector<int> written;  // table rows whose record now says sent
    std::vector<int> left;     // rows whose record was deleted or changed since the fill
    QString error;             // the error that stopped the pass, empty when none
};
// The QSOs of these table rows (the rows a print run drew) become sent:
// "Отпр. и получ." when the record as read has its card received, else
// "Отправлено". A row's columns 1, 2, 11 and 12 are emptied once its record
// is written, so it can no longer be marked. A record marked deleted, or
// whose call is no longer the row's, is left; the first error ends the
// pass. Either is told in a message box; nothing is written when another log
// is current than the one the table was filled from.
QslSentMarking MarkPrintedQslsSent(QslTableModel &qsos, const std::vector<int> &rows);

// --- received

// The QSOs of a call: grid `strnayti` (6 columns, rows from 0), and what
// the marking needs of them.
struct QsoSearch {
    QString logPath;
    QString country;                // SearchCountry: the country of the QSOs found
    std::vector<qint64> indexes;    // record index per grid row
    QStringList calls;              // the call each record had
    void clear() { *this = QsoSearch(); }
};
inline constexpr int SearchGridRows = 20;
// Empties the grid and lists the live QSOs of the current log whose call is
// `call` (trimmed): number, call, date, band, QSL state, time. The grid
// grows to hold every QSO found. Throws IoError.
QsoSearch FindQsosByCall(const QString &call, StringGridModel &grid);

struct QslReceivedMarking {
    bool written = false;
    QString word;    // the state now stored
    QString problem; // why nothing was written
};
// Marks the QSO of search row `row` received, deciding from the record as
// read: "Отпр. и получ." stays (rewritten as it is), "Отправлено" becomes
// "Отпр. и получ.", anything else "Получено". Column 4 shows the new word.
// Throws IoError.
QslReceivedMarking MarkQslReceived(const QsoSearch &search, StringGridModel &grid, int row);

// True when no live QSO of the country on that band (compared trimmed; any
// band, VHF too) has its card received.
bool IsNewBandConfirmation(const LogColumnLists &log, const QString &country, const QString &band);
// The strip's message for a card of that country and band.
QString ConfirmationMessage(bool isNew, const QString &band);

// --- the pie

struct QslStatusPie {
    std::vector<Bar> slices; // Отправлено, Отпр. и получ., Отправить, Получено
    QString title;
};
// Live QSOs per QSL state, from the log's columns.
QslStatusPie CountQslStatuses(const LogColumnLists &log);

} // namespace zelmor

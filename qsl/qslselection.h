#pragma once
// The QSL window's tables as plain code: which log records the filters
// take, their order, the QSO table with its marks and card chains, the
// counts per country and per Russian region, and the marking and grouping
// rules. No widget code: the window reads the settings controls, calls these
// and shows the models.
#include "platform/stringgrid.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <vector>

namespace zelmor {

struct LogColumnLists;
class LogColumn;

// Columns of the QSO table `strqsl`.
enum QslColumn : int {
    QslColNumber = 0, // the record's number field
    QslColMark = 1,   // "*": print a card for this row
    QslColCall = 2,
    QslColDate = 3,   // reformatted: "24.dec.2001"
    QslColUtc = 4,
    QslColMode = 5,
    QslColBand = 6,   // the frequency when the record has one, else the band
    QslColRst = 7,    // RST sent
    QslColCountry = 8,
    QslColRegion = 9,
    QslColName = 10,
    QslColLink = 11,  // next row of the same card, "0" for the last, empty when not chained
    QslColSpare = 12, // emptied with the link
    QslColFlag = 13,  // the one-letter QSL flag at the fill
    QslColVia = 14,
    QslColumnCount = 15
};
// Columns of the country table `strqsl2` and the region table `strqsl3`.
enum QslCountColumn : int { QslCountMark = 0, QslCountLabel = 1, QslCountValue = 2, QslCountKey = 3 };

inline const QString QslMark = QStringLiteral("*");

// The QSO table: data rows from 1, one per listed record. A row keeps the
// index of the record it came from and that record's fields as read, so a
// million-record log with 200,000 cards to send fills it in a few
// megabytes; the texts are decoded when a cell is read.
class QslTableModel : public StringGridModel {
    Q_OBJECT
public:
    explicit QslTableModel(QObject *parent = nullptr);
    ~QslTableModel() override;

    // Empties every row, mark and link; 2 rows (the header and one blank).
    void clearTable();
    // Data row `row` (from 1; the rows grow to it) shows record `index` of
    // `logPath` (its 457 bytes) with the QSL flag the log's columns hold for
    // it. Rows are set quietly; finishFill shows them.
    void setRecord(int row, const QString &logPath, qint64 index, const char *record, const QString &flag);
    // Room for `rows` data rows, so a fill allocates once.
    void reserveRows(int rows);
    void appendRecord(const QString &logPath, qint64 index, const char *record, const QString &flag) {
        setRecord(listedRows() + 1, logPath, index, record, flag);
    }
    // Drops the rows no record was set for, keeping the order of the others;
    // the row count becomes the rows + 1 (2 at least).
    void finishFill();

    int listedRows() const;
    // The record index a data row came from; -1 for any other row.
    qint64 recordIndexOfRow(int row) const;
    // The call of the row's record as the fill read it (whatever column 2 shows now).
    QString recordCallOfRow(int row) const;
    // The log the rows were read from.
    const QString &logPath() const { return path_; }

    QString cell(int col, int row) const override;
    void setCell(int col, int row, const QString &text) override;
    void clearRows(int firstRow) override;

private:
    struct Row;
    const Row *rowAt(int row) const;
    QString stored(int col, const Row &r) const;
    QString path_;
    std::vector<Row> rows_;
    std::map<std::pair<int, int>, QString> edits_; // (row, col) texts no row field holds
};

// --- selection

// The filters of the settings dialog, read from its controls.
struct QslFilter {
    bool sent = false;                 // qso1: flag "Y"
    bool received = false;             // qso_2: flag "П"
    bool toSend = false;               // qsl3: flag "О"
    bool unconfirmedOnBand = false;    // qsobanda1 ...
    QString band;                      // ... on the band of bandbox1
    bool unconfirmedCountries = false; // No_qso
    bool exceptOwnCountry = false;     // n9 ...
    QString ownCountry;                // ... StationProfile.country
};

// The band texts of bandbox1, one per award band.
extern const QStringList QslAwardBandTexts;

// The DXCC countries (as the log stores them: cut to 30 characters) not
// confirmed on `band` by any live QSO of any mode; every DXCC country when
// the band is none of QslAwardBandTexts.
QSet<QString> CollectUnconfirmedCountriesOnBand(const LogColumnLists &log, const QStringList &dxccCountries,
                                                const QString &band);
// The DXCC countries worked on an award band and confirmed on none, all
// modes counted.
QSet<QString> CollectUnconfirmedCountries(const LogColumnLists &log, const QStringList &dxccCountries);
// The list the band filter uses; rebuilt when bandbox1 changes, qsobanda1 is
// clicked, and at each fill.
extern QSet<QString> UnconfirmedBandCountries;

// Sorts record indexes as their keys call + "+" + index sort, the calls
// from `calls`: code unit by code unit after upper-casing ("+" below every
// call character, so each call's QSOs stand together on every machine), the
// indexes as text (10 before 9).
void SortQslSelection(std::vector<qint64> &indexes, const LogColumn &calls);

// The records the filter takes, in table order. Records marked deleted are
// never taken; the own country is skipped whatever else matches.
std::vector<qint64> SelectQslRecords(const LogColumnLists &log, const QslFilter &filter, const QStringList &dxccCountries);

// "24.12.2001" -> "24.dec.2001": a date longer than 7 characters whose 4th
// and 5th characters are a month number 1 to 12; any other date as it is.
QString ReformatQslDate(const QString &date);

// Empties the three tables, every row of each.
void ClearQslTables(QslTableModel &qsos, StringGridModel &countries, StringGridModel &regions);

// Fills the emptied tables from these records of the log, in this order: a
// row each, counted per country and, for Russian QSOs, per region. Returns
// the records that could not be read.
// `progress` gets (rows read, rows to read) now and then.
std::vector<qint64> FillQslTable(const QString &logPath, const LogColumnLists &log, const std::vector<qint64> &ordered,
                                 QslTableModel &qsos, StringGridModel &countries, StringGridModel &regions,
                                 const std::function<void(qint64, qint64)> &progress = {});

// --- marks and cards

// A click on a QSO row: marks it when it has a call, unmarks it when marked.
void ToggleQsoRow(QslTableModel &qsos, int row);
// A click on a country row: every listed QSO of the country with a call
// gets the mark, or all lose it.
void ToggleCountryRow(QslTableModel &qsos, StringGridModel &countries, int row);
enum class CountrySelection { All, AtLeastThree, ExactlyThree };
// The pop-up toggles of the country table; false when a count is not a
// number (the loop stops there).
bool ToggleCountryRows(QslTableModel &qsos, StringGridModel &countries, CountrySelection which);
// A click on a region row.
void ToggleRegionRow(QslTableModel &qsos, StringGridModel &regions, int row);

// Chains the marked rows' QSOs of one call into cards of at most N
// (`perCard`, the text of edit20) QSOs; nothing when it is empty or 0.
void GroupQsosPerCard(QslTableModel &qsos, const QString &perCard);
// The same, a card holding only QSOs of one QSL manager.
void GroupQsosPerCardByManager(QslTableModel &qsos, const QString &perCard);
// Every mark and link emptied.
void ClearMarks(QslTableModel &qsos);

struct QslMarkedCounters {
    int marked = 0; // Panel1
    int sheets = 0; // Panel2: A4 sheets of 14 stickers
};
QslMarkedCounters UpdateMarkedCounters(const QslTableModel &qsos);

} // namespace zelmor

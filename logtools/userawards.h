#pragma once
// The operator's own awards: a definition by call-sign conditions, kept in
// numbered slots of the settings ("zelmor\award"), and its evaluation against
// the current log. Plain values and files: the award window only reads its
// controls into an AwardDefinition and shows what EvaluateAward returns.
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace zelmor {

struct AwardDefinition {
    QString name;
    // The three condition lists, "PF" (the first two characters of the call),
    // "#" (the third) and "S" (the fourth), "*" accepting any character. As
    // they come from the condition grid, an entry may be empty: a cell left
    // blank above others.
    QStringList prefixes, thirds, fourths;
    QString qsos, points;   // required QSOs and points, as typed
    bool countPoints = false;
    bool repeats = false;   // a call counts again on another band
    QString startDate;      // first date that counts, "dd.mm.yyyy"
    QString info;           // where the application goes
    QString certifier;      // name and call of the certifying person
    bool operator==(const AwardDefinition &) const = default;
};

// "UA,UB," from UA and UB: every entry followed by a comma. Empty entries
// are left out, so nothing typed below a blank cell is lost.
QString FormatAwardList(const QStringList &entries);
// The stored list back as entries: upper case, blanks trimmed, a text after
// the last comma kept ("UA,UB" is UA and UB), empty entries dropped.
QStringList ParseAwardList(const QString &stored);

// The first problem of the definition in the operator's words, or an empty
// text: empty or malformed lists, a start date that is not a date.
QString CheckAwardDefinition(const AwardDefinition &def);

// Slots. Reading a name or the count never creates a value.
int AwardSlotCount();
QString AwardSlotName(int slot);
// The names of slots 0 to count - 1, free slots as empty entries.
QStringList AwardSlotNames();
// The first slot named `name`; -1 when none.
int FindAwardSlot(const QString &name);
// The first free slot below the count, else the count (a count that has
// fallen behind its slots never lets an award be overwritten); -1 when the
// slot table is full.
int FreeSlot();
AwardDefinition LoadAwardSlot(int slot);
// Writes the whole definition into the slot, raising the count when the slot
// lies at or beyond it: one save of the settings file, so the file holds the
// whole award or none of it. A text the settings cannot hold (outside cp1251)
// refuses the save before anything is written. False when nothing was kept.
bool SaveAwardDefinition(int slot, const AwardDefinition &def);
// Empties every slot named `name` (the count stays); the number of slots.
int DeleteAwardSlots(const QString &name);

// One counted QSO. The call and band are shared with LogColumns; the other
// texts stay as their stored bytes until a cell shows them, so a listing of
// a whole log costs some 70 bytes a row.
struct AwardQso {
    qint64 record = 0; // index in the log
    QString call, band;
    QString date() const;
    QString time() const;
    QString rst() const;    // received
    QString points() const;
    // Date, time, RST received and points, each as its field stores it: a
    // length byte and the cp1251 text.
    std::array<char, 41> raw{};
};

struct AwardEvaluation {
    QString problem;              // the definition's problem: nothing listed
    std::vector<AwardQso> rows;
    bool pointsCounted = false;
    qint64 pointsTotal = 0;
    std::optional<qint64> percent; // no value: no bar
    QString status;               // why there is no percent
    qint64 badDates = 0, firstBadDate = 0;   // skipped records, QSO number
    qint64 badPoints = 0, firstBadPoints = 0; // counted 0
    // The status line: the problem, or the status and the skipped records.
    QString message() const;
};

// The QSOs of the log at `logPath` that count for the award, in file order,
// with the totals. Candidates come from LogColumns, which must mirror the
// file. `progress` gets (records read, records to read). `storage`: a
// vector, such as the last listing's, whose memory the rows may reuse; its
// entries are dropped. Throws IoError.
AwardEvaluation EvaluateAward(const QString &logPath, const AwardDefinition &def,
                              const std::function<void(qint64, qint64)> &progress = {},
                              std::vector<AwardQso> storage = {});

} // namespace zelmor

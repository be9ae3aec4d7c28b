#pragma once
// The call memory and the plain rules of the QSO window's fields: the band
// and mode completions and the report -> mode rule. No window here.
#include <QString>
#include <QStringList>
#include <optional>

namespace zelmor {

// One memory line: call, name, QTH, info, IOTA, via. The parts are kept as
// they are; the comma-joined text is only what the list shows, so a comma
// inside a name or QTH never shifts the parts on recall.
struct CallMemoryLine {
    QString call, name, qth, info, iota, via;
    QStringList parts() const { return {call, name, qth, info, iota, via}; }
    static CallMemoryLine fromParts(const QStringList &parts);
    QString text() const { return parts().join(u','); }
};

// The line of `call` among `calls` (the first part of each line), or -1.
int FindMemoryLine(const QStringList &calls, const QString &call);

// A mode text starting with "P", "C", "A", "F" or "R" becomes "PSK", "CW",
// "AM", "FM" or "RTTY"; any other text stays.
QString CompleteMode(const QString &text);
// A band text of exactly three characters becomes the first band name that
// contains it; any other text, or one no band contains, stays.
QString CompleteBand(const QString &text, const QStringList &bands);
// The mode a report implies: two characters "SSB"; a "+" third "SSB"; three
// characters "CW"; a "+" fourth "CW"; otherwise none.
std::optional<QString> ModeOfReport(const QString &report);

} // namespace zelmor

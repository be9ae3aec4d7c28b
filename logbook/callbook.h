#pragma once
// Address look-ups for the call being entered: the dBASE callbook chosen in
// the settings (indexed once, then searched by call), the shipped postal
// files "adres.inx" / "adres.adr", and the callbook CD through its vendor's
// library. Plain code: the QSO window shows what these return.
#include "common/refrecords.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>
#include <vector>

namespace zelmor {

class CallbookCd;

// The callbook index: per live record the bytes above 32 of its first field
// (cp866, as stored) and its record number, sorted bytewise by that text
// (the rank order for digits and capitals), then by record number, so of
// two records of one call the later one in the file comes last. Every call
// sits in one byte buffer; a million records cost about 8 bytes each beside
// their calls.
class CallbookIndexList {
public:
    qsizetype size() const { return qsizetype(records_.size()); }
    bool isEmpty() const { return records_.empty(); }
    QByteArrayView call(qsizetype i) const {
        return QByteArrayView(calls_.constData() + starts_[size_t(i)], starts_[size_t(i) + 1] - starts_[size_t(i)]);
    }
    quint32 record(qsizetype i) const { return records_[size_t(i)]; }
    // The file offset of the record's data: H + 1 + n * R.
    qint64 offset(qsizetype i) const { return headerLength_ + 1 + qint64(records_[size_t(i)]) * recordLength_; }
    // The table's header length H and record length R (flag included).
    int headerLength() const { return headerLength_; }
    int recordLength() const { return recordLength_; }
    // "UA3ABC+1005".
    QString entryText(qsizetype i) const;
    QStringList entries() const;
    // Heap bytes the index holds.
    qsizetype memoryBytes() const;
    void clear();

private:
    friend struct CallbookIndexBuilder;
    QByteArray calls_;
    std::vector<quint32> starts_ = {0}; // size() + 1
    std::vector<quint32> records_;
    int headerLength_ = 0, recordLength_ = 0;
};

// What indexing a callbook found.
struct CallbookBuild {
    enum class Outcome {
        NoPath,  // no callbook chosen
        Missing, // no such file
        Unsound, // not a table the look-ups can read: `reason` says why
        Built,
    };
    Outcome outcome = Outcome::NoPath;
    QString path;
    QString reason;
    qint64 declared = 0; // records the header counts
    qint64 present = 0;  // whole records the file holds
    qint64 badFlagRecord = -1; // from 0: the first record whose deletion flag is neither ' ' nor '*'
    char badFlag = 0;
    bool countDisagrees() const { return outcome == Outcome::Built && declared != present; }
};

extern CallbookIndexList CallbookIndex;
// The widths of the callbook's fields, from its descriptors.
extern std::vector<int> CallbookFieldWidths;

// Indexes a table held in `bytes` into `index` and `widths`: the dBASE
// header checked, deleted records left out, the records the header counts
// and the file holds whole, up to a deletion flag that is not one.
CallbookBuild IndexCallbookTable(QByteArrayView bytes, CallbookIndexList &index, std::vector<int> &widths);
// Indexes the callbook at `path` (resolved against the program folder) into
// CallbookIndex and CallbookFieldWidths. An empty path, a missing file or an
// unsound table leave the index empty.
CallbookBuild BuildCallbookIndex(const QString &path);
// The same, only when `path` is not the one indexed or the file has been
// replaced, shrunk or removed since (its size or modification time
// differ). Returns what the index now stands on.
CallbookBuild RefreshCallbookIndex(const QString &path);
// The path last indexed (empty when none).
QString IndexedCallbookPath();
void ClearCallbookIndex();

// The offsets of the entries whose text is the key as typed (a blank in the
// key never matches), in index order.
std::vector<qint64> FindCallInAddressIndex(QStringView key);

// One callbook record, its 13 texts and what the QSO window shows of them.
struct CallbookAddress {
    std::array<QString, 13> fields;
    QString edit17, edit18, edit19;
    QString name, qth;  // for name1 and qth; empty: leave the field
    QStringList info;   // the texts to add to the remarks
};
// The 13 fields of a record's data bytes (the R - 1 after the flag), cut by
// the first 13 widths: per field the bytes above 31, trimmed, from cp866.
// Fields past the data or beyond the descriptors are empty.
std::array<QString, 13> CallbookRecordFields(QByteArrayView data, const std::vector<int> &widths);
CallbookAddress ComposeCallbookAddress(const std::array<QString, 13> &fields);
// Reads the record whose data start at `offset` in the indexed callbook;
// none when the file cannot be read.
std::optional<CallbookAddress> ReadAddressDbRecord(qint64 offset);
// `info` with each addition appended after one blank, unless it already
// holds that text.
QString AppendCallbookInfo(const QString &info, const QStringList &additions);

// The addresses of the call as typed in "adres.inx" / "adres.adr" of the
// program folder. Missing files, and index numbers outside "adres.adr",
// give nothing.
std::vector<PostalAddressRecord> LookupPostalAddress(QStringView key);

// The CD library's answer: fields of characters from 32 up, each ended by a
// character below 32; a zero ends the field it is in and the data. Only
// fields 3 and 14 (from 1) are used.
struct CdCallbookResult {
    bool field3Ended = false;
    QString field3;
    QString firstName; // field 3 before its first blank; empty without a blank
    QString field14;
};
// Reads at most CallbookCd::ResultSize bytes; a field still open at the end
// of the buffer is cut off.
CdCallbookResult WalkCdCallbookResult(QByteArrayView result);

struct CdLookup {
    enum class Outcome {
        NoPath,      // a library, but no CD folder set: nothing called
        Unavailable, // no library on this platform: nothing called
        Failed,      // the library reported `failure`
        Done,
    };
    Outcome outcome = Outcome::NoPath;
    QString failure;
    CdCallbookResult result;
};
// GetVersionNr, CheckDatabaseFormat with the folder (cut to 180 bytes,
// zero-terminated), GetCallInfo with the first 8 characters of the call,
// zero-padded.
CdLookup LookupCdCallbook(QStringView call, QStringView cdPath, CallbookCd &cd);

inline const QString CallbookMissingText = QStringLiteral("Нет файла колбука");
inline const QString CallbookUnreadText = QStringLiteral("Колбук не прочитан: ");
inline const QString CallbookNotDbaseText = QStringLiteral("Файл не является таблицей dBASE: ");
inline const QString CdNoPathText = QStringLiteral("Укажите путь к CD (callbook) в настройках");
inline const QString CdUnavailableText = QStringLiteral("Поиск на CD (callbook) в этой версии недоступен");
inline const QString CdFailedText = QStringLiteral("Callbook CD: ");
// "Колбук: в заголовке M записей, в файле K".
QString CallbookCountText(qint64 declared, qint64 present);

// Says what a build found: a stderr line for each fault; at start-up and
// before a look-up, an unsound table in StatusText; chosen in the settings,
// in a message box. A record count that disagrees with the file goes into
// StatusText either way.
void ReportCallbookBuild(const CallbookBuild &build, bool chosenInSettings);

} // namespace zelmor

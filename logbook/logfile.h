#pragma once
// The current log: a file of 457-byte QsoRecords, and the in-memory columns
// that mirror five of its fields for the checks, statistics and awards.
#include "common/largearray.h"
#include "common/qsorecord.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <compare>
#include <functional>
#include <iterator>
#include <optional>
#include <unordered_map>
#include <vector>

namespace zelmor {

// Path of the current log; a bare name resolves in the program folder.
extern QString LogFileName;
// The one record buffer through which the log is read and written.
extern QsoRecord LogRecord;
// The current record index; after an append, the record just written.
extern qint64 LogRecordIndex;
// 0 until the start-up has loaded the log, then 1.
extern int StartupDone;

// One column of the log: the texts of a field, record by record. Bands,
// modes, countries, QSL codes and most calls repeat endlessly, so each
// distinct text is held once and an entry is its number (4 bytes instead of
// a QString of 24 plus its characters). Reads look like a QStringList's.
class LogColumn {
public:
    using value_type = QString;
    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = QString;
        using difference_type = qsizetype;
        using pointer = const QString *;
        using reference = const QString &;
        const_iterator() = default;
        const_iterator(const LogColumn *c, qsizetype i) : c_(c), i_(i) {}
        reference operator*() const { return (*c_)[i_]; }
        pointer operator->() const { return &(*c_)[i_]; }
        reference operator[](difference_type n) const { return (*c_)[i_ + n]; }
        const_iterator &operator++() { ++i_; return *this; }
        const_iterator operator++(int) { auto t = *this; ++i_; return t; }
        const_iterator &operator--() { --i_; return *this; }
        const_iterator operator--(int) { auto t = *this; --i_; return t; }
        const_iterator &operator+=(difference_type n) { i_ += n; return *this; }
        const_iterator &operator-=(difference_type n) { i_ -= n; return *this; }
        friend const_iterator operator+(const_iterator a, difference_type n) { return a += n; }
        friend const_iterator operator+(difference_type n, const_iterator a) { return a += n; }
        friend const_iterator operator-(const_iterator a, difference_type n) { return a -= n; }
        friend difference_type operator-(const const_iterator &a, const const_iterator &b) { return a.i_ - b.i_; }
        friend bool operator==(const const_iterator &a, const const_iterator &b) { return a.i_ == b.i_; }
        friend auto operator<=>(const const_iterator &a, const const_iterator &b) { return a.i_ <=> b.i_; }

    private:
        const LogColumn *c_ = nullptr;
        qsizetype i_ = 0;
    };
    using iterator = const_iterator;

    qsizetype size() const { return qsizetype(ids_.size()); }
    qsizetype count() const { return size(); }
    qsizetype length() const { return size(); }
    bool isEmpty() const { return ids_.empty(); }
    bool empty() const { return ids_.empty(); }
    const QString &operator[](qsizetype i) const { return texts_[ids_[size_t(i)]]; }
    const QString &at(qsizetype i) const { return (*this)[i]; }
    QString value(qsizetype i) const { return i >= 0 && i < size() ? (*this)[i] : QString(); }
    const QString &first() const { return (*this)[0]; }
    const QString &last() const { return (*this)[size() - 1]; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }
    qsizetype indexOf(const QString &text, qsizetype from = 0) const;
    bool contains(const QString &text) const { return indexOf(text) >= 0; }
    QStringList toStringList() const;

    // Hand-filled columns (tests, tools). The log's columns are written
    // through LogColumnLists, which keeps its index right.
    void append(const QString &text) { ids_.push_back(idOf(text)); }
    LogColumn &operator<<(const QString &text) { append(text); return *this; }
    void reserve(qsizetype n) { ids_.reserve(size_t(n)); }
    void clear();
    void set(qsizetype i, const QString &text) { ids_[size_t(i)] = idOf(text); }

    // The number of entry i's text; entries with equal texts share it.
    quint32 idAt(qsizetype i) const { return ids_[size_t(i)]; }
    const QString &text(quint32 id) const { return texts_[id]; }
    qsizetype textCount() const { return texts_.size(); }
    // The number of this text, made when it is new.
    quint32 idOf(const QString &text);
    std::optional<quint32> findId(const QString &text) const;
    // Bulk loading: entries by the number idOf gave.
    void appendId(quint32 id) { ids_.push_back(id); }

    friend bool operator==(const LogColumn &a, const LogColumn &b);
    friend bool operator==(const LogColumn &a, const QStringList &b);

private:
    std::vector<quint32, LargeArrayAllocator<quint32>> ids_;
    QStringList texts_;                   // distinct texts, by number
    QHash<QString, quint32> find_;         // number by text
};

// The indexes of some records, ascending: a view into the look-up index,
// valid until the columns change.
class RecordIndexes {
public:
    using value_type = qint64;
    using iterator = const qint64 *;
    using const_iterator = const qint64 *;
    RecordIndexes() = default;
    RecordIndexes(const qint64 *first, size_t count) : first_(first), count_(count) {}
    const qint64 *begin() const { return first_; }
    const qint64 *end() const { return first_ + count_; }
    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    qint64 operator[](size_t k) const { return first_[k]; }
    qint64 front() const { return first_[0]; }
    qint64 back() const { return first_[count_ - 1]; }
    std::vector<qint64> toVector() const { return std::vector<qint64>(begin(), end()); }
    friend bool operator==(const RecordIndexes &a, const std::vector<qint64> &b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    const qint64 *first_ = nullptr;
    size_t count_ = 0;
};

// Record indexes by the text numbers of a column. Built in bulk, all lists
// lie back to back in one array; a list an append or an edit changes moves
// to a vector of its own.
class RecordIndexLists {
public:
    void clear();
    // counts[id]: how many entries of `column` have text number id; entries
    // of `skip` are left out. False, and no lists, when the counts are wrong.
    bool build(const LogColumn &column, const std::vector<qsizetype> &counts, std::optional<quint32> skip);
    RecordIndexes of(quint32 id) const;
    void add(quint32 id, qint64 i);
    void remove(quint32 id, qint64 i);

private:
    std::vector<qint64> &own(quint32 id);
    std::vector<qint64, LargeArrayAllocator<qint64>> flat_;
    std::vector<size_t> start_; // list id is flat_[start_[id]] up to flat_[start_[id + 1]]
    std::unordered_map<quint32, std::vector<qint64>> moved_;
};

// Readers use the columns directly. Writers go through append and setEntry,
// which keep the look-up index right: the checks that run on every typed call
// find the records of a call or a country without a pass over a million
// entries.
struct LogColumnLists {
    LogColumn LogCalls;     // "" for a record marked deleted
    LogColumn LogBands;
    LogColumn LogCountries;
    LogColumn LogModes;
    LogColumn LogQslFlags;  // one-letter QSL codes
    qsizetype size() const { return LogCalls.size(); }
    void clear();
    void append(const QString &call, const QString &band, const QString &country, const QString &mode,
                const QString &qslFlag);
    // An in-place edit of record i.
    void setEntry(qint64 i, const QString &call, const QString &band, const QString &country, const QString &mode,
                  const QString &qslFlag);

    // Record indexes, ascending.
    RecordIndexes indexesOfCall(const QString &call) const;
    RecordIndexes indexesOfCountry(const QString &country) const;
    std::vector<qint64> indexesOfCallsBeginningWith(QStringView prefix) const;
    // Builds the index anew (OpenLog; lists filled by hand).
    void rebuildIndex() const;
    // The same, from the number of entries of each text number of the call
    // and country columns, which a loader counts as it goes.
    void rebuildIndex(const std::vector<qsizetype> &callCounts, const std::vector<qsizetype> &countryCounts) const;

private:
    void ensureIndex() const;
    void indexAdd(qint64 i) const;
    void indexRemove(qint64 i) const;
    void ensureSortedCalls() const;
    // Record indexes by text number of the call and country columns.
    mutable RecordIndexLists byCall_, byCountry_;
    mutable std::vector<quint32> sortedCalls_; // numbers of the non-empty calls, by text
    mutable bool sortedBuilt_ = false;
    mutable qsizetype indexed_ = -1;           // entries the index covers; -1: none
};
extern LogColumnLists LogColumns;
inline LogColumn &LogCalls = LogColumns.LogCalls;
inline LogColumn &LogBands = LogColumns.LogBands;
inline LogColumn &LogCountries = LogColumns.LogCountries;
inline LogColumn &LogModes = LogColumns.LogModes;
inline LogColumn &LogQslFlags = LogColumns.LogQslFlags;

// The reports saving falls back on while a report field shows its
// placeholder; both "59" at start.
struct DefaultRstPairValue {
    QString received = QStringLiteral("59");
    QString sent = QStringLiteral("59");
};
extern DefaultRstPairValue DefaultRstPair;

inline const QString RstReceivedPlaceholder = QStringLiteral("RSTr");
inline const QString RstSentPlaceholder = QStringLiteral("RSTs");
inline const QString PointsPlaceholder = QStringLiteral("Очки");

// The QSO window's entry values as WriteQsoRecord takes them.
struct QsoEntry {
    QString call, name, qth, date, time, band, mode, rstSent, rstReceived, points, info;
    QString waz, itu, country, longitude, latitude, qslState, locator, via, frequency, iota, regionCode;
};

// The record an append writes at `index`: placeholders replaced, blanks
// removed from the call, an empty QSL state stored as "Не отправлять",
// every text cut to its field.
QsoRecord BuildQsoRecord(const QsoEntry &entry, qint64 index);

// Rebuilds LogColumns from the current log. A missing log is created empty.
// Throws IoError.
void OpenLog();
// Appends the entry as a new record and grows LogColumns by what was stored.
// Does nothing while EditMode is set. Throws IoError; a failed append leaves
// LogColumns as they were.
void WriteQsoRecord(const QsoEntry &entry);
// Sets the QSL state of record `index` of the log at `path`, read anew:
// `wordFor` chooses the word from the record as stored, and an empty word
// leaves the record as it is. Only the QSL field's bytes are rewritten (also
// when the word is the stored one); when `path` is the current log, its
// LogColumns entry takes the new code. LogRecordIndex stays. Returns the
// record as read and the word written. Throws IoError; nothing is written
// then.
struct QslStateWrite {
    QsoRecord stored;
    QString word; // empty: nothing written
};
QslStateWrite SetLogRecordQslState(const QString &path, qint64 index,
                                   const std::function<QString(const QsoRecord &stored)> &wordFor);
// The record count of `path`; when it is missing, offers the choose-log
// dialog and returns 0.
qint64 CountLogRecords(const QString &path);
// The resolved path of the current log.
QString LogFilePath();

// Hooks filled by the windows and later subsystems.
// OpenLog step 1: reload the name, QTH and club lists.
extern std::function<void()> OpenLogReloadLists;
// OpenLog step 3: refill the band boxes.
extern std::function<void()> OpenLogFillBandBoxes;
// The launcher's progress bar while the log loads: value, maximum.
extern std::function<void(qint64, qint64)> LogLoadProgress;
// WriteQsoRecord step 7: mark the station on the map (longitude, latitude,
// colour 0x00BBGGRR).
extern std::function<void(const QString &, const QString &, unsigned)> MarkStationOnMap;
// CountLogRecords: the QSO window's caption.
extern std::function<void(const QString &)> SetQsoWindowCaption;

} // namespace zelmor

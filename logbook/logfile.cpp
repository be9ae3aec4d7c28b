#include "logbook/logfile.h"

#include "common/codepage.h"
#include "common/text.h"
#include "logbook/qsostate.h"
#include "platform/dialogs.h"
#include "platform/paths.h"

#include <QFileInfo>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zelmor {

QString LogFileName = QStringLiteral("test.log");
QsoRecord LogRecord;
qint64 LogRecordIndex = 0;
int StartupDone = 0;
LogColumnLists LogColumns;
DefaultRstPairValue DefaultRstPair;

std::function<void()> OpenLogReloadLists;
std::function<void()> OpenLogFillBandBoxes;
std::function<void(qint64, qint64)> LogLoadProgress;
std::function<void(const QString &, const QString &, unsigned)> MarkStationOnMap;
std::function<void(const QString &)> SetQsoWindowCaption;

void LogColumnLists::clear() {
    for (QStringList *l : {&LogCalls, &LogBands, &LogCountries, &LogModes, &LogQslFlags}) *l = QStringList();
}

QString LogFilePath() { return DataPath(LogFileName); }

namespace {

// Bands, modes and countries repeat endlessly in a log: share one QString per
// distinct stored text instead of allocating a million copies.
class Interner {
public:
    const QString &get(QByteArrayView raw) {
        const std::string_view key(raw.data(), size_t(raw.size()));
        auto it = map_.find(key);
        if (it != map_.end()) return it->second;
        return map_.emplace(std::string(key), FromCp1251(raw)).first->second;
    }

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, QString, Hash, std::equal_to<>> map_;
};

QByteArrayView RawField(const char *rec, TextField f) {
    int len = static_cast<unsigned char>(rec[f.offset]);
    if (len > f.capacity) len = f.capacity;
    return QByteArrayView(rec + f.offset + 1, len);
}

void AppendColumns(LogColumnLists &cols, const QsoRecord &r) {
    cols.LogCalls.append(r.deleteMark == DeleteMarkText ? QString() : r.call);
    cols.LogBands.append(r.band);
    cols.LogCountries.append(r.country);
    cols.LogQslFlags.append(QslCode(r.qslState));
    cols.LogModes.append(r.mode);
}

} // namespace

void OpenLog() {
    if (OpenLogReloadLists) OpenLogReloadLists();
    LogColumns.clear();
    if (OpenLogFillBandBoxes) OpenLogFillBandBoxes();

    const QString path = LogFilePath();
    RecordIO::Touch(path); // a first start has no log yet
    const qint64 count = RecordIO::Count(path, QsoRecord::Size);
    if (LogLoadProgress) LogLoadProgress(0, count);

    LogColumnLists cols;
    for (QStringList *l : {&cols.LogCalls, &cols.LogBands, &cols.LogCountries, &cols.LogModes, &cols.LogQslFlags})
        l->reserve(count);
    Interner bands, modes, countries;
    const QByteArray deleted = ToCp1251(DeleteMarkText);
    const bool showProgress = StartupDone != 1 && LogLoadProgress;
    const qint64 progressStep = qMax<qint64>(1, count / 200);

    RecordIO::ForEach(path, QsoRecord::Size, [&](qint64 i, const char *rec) {
        const bool isDeleted = RawField(rec, QsoField::DeleteMark) == QByteArrayView(deleted);
        cols.LogCalls.append(isDeleted ? QString() : FromCp1251(RawField(rec, QsoField::Call)));
        cols.LogBands.append(bands.get(RawField(rec, QsoField::Band)));
        cols.LogCountries.append(countries.get(RawField(rec, QsoField::Country)));
        cols.LogQslFlags.append(QslCodeOfRaw(RawField(rec, QsoField::QslState)));
        cols.LogModes.append(modes.get(RawField(rec, QsoField::Mode)));
        if (showProgress && ((i + 1) % progressStep == 0)) LogLoadProgress(i + 1, count);
    });
    LogColumns = std::move(cols);
    if (LogLoadProgress) LogLoadProgress(count, count);
}

QsoRecord BuildQsoRecord(const QsoEntry &e, qint64 index) {
    QsoRecord r;
    r.number = QString::number(index + 1);
    r.call = StripBlanks(e.call);
    r.name = e.name;
    r.qth = e.qth;
    r.date = e.date;
    r.time = e.time;
    r.band = e.band;
    r.mode = e.mode;
    r.rstSent = e.rstSent == RstSentPlaceholder ? DefaultRstPair.sent : e.rstSent;
    r.rstReceived = e.rstReceived == RstReceivedPlaceholder ? DefaultRstPair.received : e.rstReceived;
    r.points = e.points == PointsPlaceholder ? QString() : e.points;
    r.info = e.info;
    r.waz = e.waz;
    r.itu = e.itu;
    r.country = e.country;
    r.longitude = e.longitude;
    r.latitude = e.latitude;
    r.qslState = e.qslState.isEmpty() ? QslNotToSend : e.qslState;
    r.locator = e.locator;
    r.qslVia = e.via;
    r.frequency = e.frequency;
    r.iota = e.iota;
    r.regionNumber = e.regionCode;
    r.deleteMark.clear();
    for (const auto &f : QsoRecord::Fields) r.*(f.member) = CutToCapacity(r.*(f.member), f.capacity);
    return r;
}

void WriteQsoRecord(const QsoEntry &entry) {
    if (EditMode) return;
    RecalledFromMemory = 0;
    const QString path = LogFilePath();
    const qint64 index = qMax<qint64>(0, RecordIO::Count(path, QsoRecord::Size));
    LogRecord = BuildQsoRecord(entry, index);
    const qint64 written = RecordIO::Append(path, QsoRecord::Size, EncodeRecord(LogRecord));
    if (written != index) { // the file grew meanwhile: number the record by where it went
        LogRecord.number = QString::number(written + 1);
        RecordIO::Write(path, QsoRecord::Size, written, EncodeRecord(LogRecord));
    }
    LogRecordIndex = written;
    // The columns get what was stored, so they always equal what a fresh
    // OpenLog would build.
    AppendColumns(LogColumns, LogRecord);
    if (MarkStationOnMap) MarkStationOnMap(entry.longitude, entry.latitude, 0xFFFF00);
}

qint64 CountLogRecords(const QString &path) {
    const QString resolved = DataPath(path);
    if (QFileInfo(resolved).isFile()) return RecordIO::Count(resolved, QsoRecord::Size);
    const QString chosen = platform::dialogs().openFileName(
        QStringLiteral("Открыть аппаратный журнал"),
        QStringLiteral("Аппаратный журнал(.dat)|*log.dat|Аппаратныйжурнал(.log)|*.log"), ProgramDir);
    if (!chosen.isEmpty() && QFileInfo(chosen).isFile()) LogFileName = chosen;
    if (SetQsoWindowCaption) SetQsoWindowCaption(QStringLiteral("QSO ") + path);
    return 0;
}

} // namespace zelmor

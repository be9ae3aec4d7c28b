#include "logtools/textexport.h"

#include "common/bands.h"
#include "common/codepage.h"
#include "common/contestrecord.h"
#include "common/qsorecord.h"
#include "common/recordfile.h"
#include "logtools/adif.h"
#include "logtools/cp1251bytes.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace zelmor {

namespace {

constexpr int LineWidth = 79;
constexpr qsizetype FlushBytes = 1 << 20;

// The 17 fields of the text line, in their order.
constexpr TextField LogTextFields[17] = {
    {0, 6},     {7, 14},    {22, 25},   {48, 25},   {74, 10},   {85, 10},  {96, 10},   {107, 10}, {118, 7},
    {126, 7},   {134, 10},  {145, 160}, {306, 5},   {312, 5},   {318, 30}, {349, 15},  {365, 20},
};

void AppendCsvField(QByteArray &out, QByteArrayView v) {
    bool quote = false;
    for (char c : v)
        if (c == ',' || c == '"' || c == '\r' || c == '\n') {
            quote = true;
            break;
        }
    if (!quote) {
        out.append(v.data(), v.size());
        return;
    }
    out.append('"');
    for (char c : v) {
        out.append(c);
        if (c == '"') out.append('"');
    }
    out.append('"');
}

// The output file, created so that no existing file is ever overwritten,
// even one that appears between the choice of the name and the creation.
class OutputFile {
public:
    bool create(const QString &source, const QString &extension, QString *error) {
        for (int attempt = 0; attempt < 1000; ++attempt) {
            path_ = ExporterOutputName(source, extension);
            file_.setFileName(path_);
            if (file_.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return true;
            if (!QFileInfo::exists(path_)) break; // not a race: the folder refuses
        }
        *error = QStringLiteral("%1: %2").arg(path_, file_.errorString());
        return false;
    }
    bool write(QByteArray &buf, bool force, QString *error) {
        if (!force && buf.size() < FlushBytes) return true;
        if (file_.write(buf) != buf.size()) {
            *error = QStringLiteral("%1: %2").arg(path_, file_.errorString());
            return false;
        }
        buf.clear();
        return true;
    }
    bool finish(QString *error) {
        if (!file_.flush()) {
            *error = QStringLiteral("%1: %2").arg(path_, file_.errorString());
            return false;
        }
        file_.close();
        return true;
    }
    void discard() {
        file_.close();
        QFile::remove(path_);
    }
    const QString &path() const { return path_; }

private:
    QString path_;
    QFile file_;
};

// Size check of the source before anything is written.
bool WholeRecords(const QString &path, int size, const QString &what, QString *error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, f.errorString());
        return false;
    }
    if (f.size() % size != 0) {
        *error = QStringLiteral("%1: %2").arg(path, what);
        return false;
    }
    return true;
}

template <class Visit>
TextExportResult Export(const QString &source, int recordSize, const QString &notThatFile, const QString &extension,
                        const QByteArray &head, const ImportProgress &progress, Visit &&visit) {
    TextExportResult r;
    if (!WholeRecords(source, recordSize, notThatFile, &r.error)) return r;
    const qint64 count = RecordIO::Count(source, recordSize);
    OutputFile out;
    if (!out.create(source, extension, &r.error)) return r;
    r.outputPath = out.path();
    QByteArray buf = head;
    buf.reserve(FlushBytes + 4096);
    bool failed = false;
    {
        ProgressTicker ticker(progress, count);
        try {
            RecordIO::ForEach(source, recordSize, [&](qint64 i, const char *rec) {
                if (failed) return;
                ticker.tick(i);
                visit(buf, i, rec, r);
                if (!out.write(buf, false, &r.error)) failed = true;
            });
        } catch (const IoError &e) {
            r.error = e.text();
            failed = true;
        }
    }
    if (failed || !out.write(buf, true, &r.error) || !out.finish(&r.error)) {
        out.discard();
        r.outputPath.clear();
        return r;
    }
    r.ok = true;
    return r;
}

} // namespace

void AppendLogTextLine(QByteArray &out, const char *record) {
    for (int i = 0; i < 17; ++i) {
        if (i) out.append(',');
        AppendCsvField(out, FieldBytes(record, LogTextFields[i]));
    }
    out.append("\r\n");
}

TextExportResult ExportLogToText(const QString &logPath, const ImportProgress &progress) {
    const QByteArray deleted = ToCp1251(DeleteMarkText);
    return Export(logPath, QsoRecord::Size, QStringLiteral("это не файл журнала"), QStringLiteral(".txt"), {},
                  progress, [&](QByteArray &buf, qint64, const char *rec, TextExportResult &r) {
                      if (FieldBytes(rec, QsoField::DeleteMark) == QByteArrayView(deleted)) return;
                      AppendLogTextLine(buf, rec);
                      ++r.lines;
                  });
}

const char *const ContestMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

QByteArray ContestBandFigure(QByteArrayView band) {
    // The listing's six bands, then the ADIF band name without its "m".
    static const char *const figures[BandCount] = {"2200", "160", "80", "40", "30", "20", "17",
                                                   "15",   "12",  "10", "6",  "2",  "70cm", "23cm"};
    const int i = LogBandIndex(FromCp1251(band));
    return i < 0 ? QByteArray() : QByteArray(figures[i]);
}

QByteArray ContestColumns(const QByteArrayView (&values)[11]) {
    static constexpr int columns[11] = {1, 8, 20, 26, 30, 42, 47, 52, 58, 68, 76};
    QByteArray line(LineWidth, ' ');
    for (int i = 0; i < 11; ++i) line.insert(columns[i] - 1, values[i].data(), values[i].size());
    line.truncate(LineWidth);
    return line;
}

QByteArray ContestTextLine(const char *rec, bool *dateOk) {
    const QByteArray band = ContestBandFigure(FieldBytes(rec, ContestField::Band)) +
                            FieldBytes(rec, ContestField::Mode).toByteArray();
    const QByteArrayView stored = FieldBytes(rec, ContestField::Date);
    QByteArray date = stored.toByteArray();
    bool ok = false;
    if (stored.size() >= 6 && stored[2] == '.' && stored[5] == '.') {
        const int month = DigitsValue(stored.sliced(3, 2));
        if (month >= 1 && month <= 12) {
            date = stored.first(2).toByteArray() + '-' + ContestMonthNames[month - 1] + '-' +
                   stored.sliced(6).toByteArray();
            ok = true;
        }
    }
    if (dateOk) *dateOk = ok;
    const QByteArrayView values[11] = {band,
                                       date,
                                       FieldBytes(rec, ContestField::Time),
                                       FieldBytes(rec, ContestField::Number),
                                       FieldBytes(rec, ContestField::Call),
                                       FieldBytes(rec, ContestField::Sent),
                                       FieldBytes(rec, ContestField::Received),
                                       FieldBytes(rec, ContestField::ReceivedExchange),
                                       FieldBytes(rec, ContestField::Mult1),
                                       FieldBytes(rec, ContestField::Mult2),
                                       FieldBytes(rec, ContestField::Points)};
    return ContestColumns(values);
}

QByteArray ContestHead(int year, const QString &contestName, const QString &ownCall) {
    QByteArray head = QByteArray::number(year) + ' ' + ToCp1251(contestName) + ' ' + ToCp1251(ownCall) + "\r\n";
    const QByteArray blank(LineWidth, ' ');
    head += blank + "\r\n" + blank + "\r\n";
    const QByteArrayView titles[11] = {"Band", "Date", "Time", "QSO#", "Call worked", "Sent",
                                       "Rcvd", "Rcvd", "Mult1", "Mult2", "Pts"};
    const QByteArrayView dashes[11] = {"----", "----", "----", "----", "-----------", "----",
                                       "----", "----", "---------", "---------", "---"};
    head += ContestColumns(titles) + "\r\n" + ContestColumns(dashes) + "\r\n";
    return head;
}

TextExportResult ExportContestToText(const QString &contestPath, int year, const QString &contestName,
                                     const QString &ownCall, const ImportProgress &progress) {
    const QByteArray deleted = ToCp1251(DeleteMarkText);
    const QByteArray blank = QByteArray(LineWidth, ' ') + "\r\n";
    return Export(contestPath, ContestRecord::Size, QStringLiteral("это не контестовый файл"), QStringLiteral(".dat"),
                  ContestHead(year, contestName, ownCall), progress,
                  [&](QByteArray &buf, qint64 i, const char *rec, TextExportResult &r) {
                      if (FieldBytes(rec, ContestField::DeleteMark) == QByteArrayView(deleted)) return;
                      if (r.lines > 0 && r.lines % 10 == 0) buf += blank;
                      bool ok = true;
                      buf += ContestTextLine(rec, &ok);
                      buf += "\r\n";
                      if (!ok) r.unreadableDates.push_back(i + 1);
                      ++r.lines;
                  });
}

} // namespace zelmor

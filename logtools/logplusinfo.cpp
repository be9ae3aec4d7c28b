#include "logtools/logplusinfo.h"

#include "common/codepage.h"
#include "common/qsorecord.h"
#include "common/recordfile.h"
#include "logbook/logfile.h"
#include "logtools/cp1251bytes.h"
#include "logtools/importsave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <array>
#include <cstring>

namespace zelmor {

namespace {
using namespace ImportColumn;

constexpr TextField InfoField{145, 160};

// Grid column -> record field, for the load.
struct ColumnField {
    int column;
    TextField field;
};
constexpr ColumnField LoadColumns[] = {
    {Number, {0, 6}},       {Call, {7, 14}},       {Name, {22, 25}},         {Qth, {48, 25}},
    {Country, {318, 30}},   {Date, {74, 10}},      {Time, {85, 10}},         {Band, {96, 10}},
    {Mode, {107, 10}},      {Region, {451, 5}},    {RstReceived, {118, 7}},  {RstSent, {126, 7}},
    {Itu, {312, 5}},        {ImportColumn::Info, {145, 160}}, {Waz, {306, 5}}, {Points, {134, 10}},
    {Qsl, {349, 15}},       {Locator, {365, 20}},  {Iota, {399, 10}},        {Via, {386, 12}},
    {Frequency, {410, 12}},
};

bool IsDeleted(const char *rec) {
    static const QByteArray mark = ToCp1251(DeleteMarkText);
    return FieldBytes(rec, QsoField::DeleteMark) == QByteArrayView(mark);
}
} // namespace

bool SameLogFile(const QString &a, const QString &b) {
    const QFileInfo fa(a), fb(b);
    if (fa.absoluteFilePath() == fb.absoluteFilePath()) return true;
    const QString ca = fa.canonicalFilePath();
    return !ca.isEmpty() && ca == fb.canonicalFilePath();
}

InfoLoadResult LoadLogForInfo(const QString &logPath, ImportRowStore &rows, InfoImportSource &source,
                              const ImportProgress &progress) {
    InfoLoadResult r;
    source.clear();
    const QFileInfo info(logPath);
    if (info.exists() && info.size() % QsoRecord::Size != 0) {
        r.error = QStringLiteral("%1: это не файл журнала").arg(logPath);
        return r;
    }
    const qint64 count = RecordIO::Count(logPath, QsoRecord::Size);
    std::array<QByteArrayView, ImportRowStore::Columns> views;
    try {
        ProgressTicker ticker(progress, count);
        RecordIO::ForEach(logPath, QsoRecord::Size, [&](qint64 i, const char *rec) {
            ticker.tick(i);
            if (IsDeleted(rec)) {
                ++r.deleted;
                return;
            }
            for (const ColumnField &c : LoadColumns) views[c.column] = FieldBytes(rec, c.field);
            rows.append(views.data(), ImportRowStore::Columns);
            source.recordIndex.push_back(i);
            ++r.rows;
        });
    } catch (const IoError &e) {
        r.error = e.text();
        source.clear();
        return r;
    }
    source.logPath = logPath;
    source.wasCurrent = IsCurrentLog(logPath);
    return r;
}

QStringList ListInfoFiles(const QString &folder) {
    QDir dir(folder);
    dir.setNameFilters({QStringLiteral("*.lp")});
    dir.setFilter(QDir::Files);
    // QDir's name filters ignore case by default.
    return dir.entryList(QDir::Files, QDir::Name);
}

QByteArray ReadInfoText(const QString &path, QString *error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("%1: %2").arg(path, f.errorString());
        return {};
    }
    const QByteArray head = f.read(162);
    qsizetype end = head.indexOf('\x1A');
    if (end < 0 || end > 161) end = qMin<qsizetype>(head.size(), 161);
    QByteArray text;
    text.reserve(end);
    for (qsizetype i = 0; i < end; ++i)
        if (static_cast<unsigned char>(head[i]) >= 32) text.append(head[i]);
    return OemToChar(text);
}

InfoMergeResult MergeInfoFiles(ImportRowStore &rows, const QString &folder, const QStringList &files) {
    InfoMergeResult r;
    // Key: the name up to its first '.', upper-cased; a call may have files
    // of several spellings.
    QHash<QByteArray, QStringList> byCall;
    for (const QString &name : files) {
        const QString key = name.left(name.indexOf(u'.') < 0 ? name.size() : name.indexOf(u'.'));
        byCall[UpperCaseCp1251Bytes(ToCp1251(key))].push_back(QDir(folder).filePath(name));
    }
    QHash<QString, QByteArray> texts; // read once per file
    for (qsizetype row = 0; row < rows.size() && !rows.cellBytes(row, Number).isEmpty(); ++row) {
        const auto it = byCall.constFind(rows.cellBytes(row, Call).toByteArray());
        if (it == byCall.cend()) continue;
        QByteArray info = rows.cellBytes(row, ImportColumn::Info).toByteArray();
        for (const QString &path : it.value()) {
            auto t = texts.find(path);
            if (t == texts.end()) {
                QString error;
                t = texts.insert(path, ReadInfoText(path, &error));
                if (!error.isEmpty() && r.error.isEmpty()) r.error = error;
            }
            if (t.value().isEmpty()) continue;
            if (!info.isEmpty()) info.append(' ');
            info.append(t.value());
        }
        rows.setCell(row, ImportColumn::Info, info);
        ++r.rowsExtended;
    }
    return r;
}

InfoSaveResult SaveInfoInPlace(const ImportRowStore &rows, const InfoImportSource &source) {
    InfoSaveResult r;
    if (!source.holds(rows)) {
        r.error = QStringLiteral("Строки таблицы не из журнала %1").arg(source.logPath);
        return r;
    }
    const bool current = IsCurrentLog(source.logPath);
    if (source.wasCurrent && !current) {
        r.error = QStringLiteral("Открыт другой журнал: %1 не изменён").arg(source.logPath);
        return r;
    }
    // One pass over the log: the rows whose info differs from their record
    // as it stands now (rows are in record order, as the load made them).
    struct Change {
        qsizetype row;
        qint64 index;
        QByteArray record;
    };
    std::vector<Change> changes;
    try {
        qsizetype next = 0;
        const qsizetype loaded = qsizetype(source.recordIndex.size());
        RecordIO::ForEach(source.logPath, QsoRecord::Size, [&](qint64 i, const char *rec) {
            while (next < loaded && source.recordIndex[size_t(next)] < i) ++next;
            for (; next < loaded && source.recordIndex[size_t(next)] == i; ++next) {
                const QByteArrayView cell = rows.cellBytes(next, ImportColumn::Info);
                if (FieldBytes(rec, InfoField) != cell.first(qMin<qsizetype>(cell.size(), InfoField.capacity)))
                    changes.push_back({next, i, QByteArray(rec, QsoRecord::Size)});
            }
        });
    } catch (const IoError &e) {
        r.error = e.text();
        return r;
    }
    for (size_t k = 0; k < changes.size(); ++k) {
        const Change &c = changes[k];
        QByteArray rec = c.record;
        const QByteArrayView cell = rows.cellBytes(c.row, ImportColumn::Info);
        const QByteArrayView info = cell.first(qMin<qsizetype>(cell.size(), InfoField.capacity));
        const QString number = QString::number(c.index + 1);
        if (IsDeleted(rec.constData())) {
            r.left << QStringLiteral("QSO № %1 удалено в журнале: не изменено").arg(number);
            continue;
        }
        if (FieldBytes(rec.constData(), QsoField::Call) != rows.cellBytes(c.row, Call)) {
            r.left << QStringLiteral("QSO № %1: в журнале другой позывной: не изменено").arg(number);
            continue;
        }
        char *p = rec.data();
        std::memset(p + InfoField.offset, 0, size_t(InfoField.capacity + 1));
        p[InfoField.offset] = char(info.size());
        if (!info.isEmpty()) std::memcpy(p + InfoField.offset + 1, info.data(), size_t(info.size()));
        try {
            RecordIO::Write(source.logPath, QsoRecord::Size, c.index, rec);
        } catch (const IoError &e) {
            r.error = e.text();
            return r;
        }
        ++r.rewritten;
        if (current && c.index < LogColumns.size()) {
            const QsoRecord q = DecodeRecord<QsoRecord>(rec.constData());
            LogColumns.setEntry(c.index, q.call, q.band, q.country, q.mode, QslCode(q.qslState));
        }
    }
    qint64 typed = 0;
    for (qsizetype row = qsizetype(source.recordIndex.size()); row < rows.size(); ++row)
        typed += !rows.cellBytes(row, Call).isEmpty();
    if (typed > 0)
        r.left << QStringLiteral("Строки, добавленные в таблицу (%1), не записаны в исходный журнал: "
                                 "сохраните их в другой журнал")
                      .arg(typed);
    return r;
}

} // namespace zelmor

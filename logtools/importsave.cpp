#include "logtools/importsave.h"

#include "common/codepage.h"
#include "common/qsorecord.h"
#include "common/recordfile.h"
#include "logbook/logfile.h"
#include "logbook/logfiles.h"
#include "logtools/rowlookup.h"

#include <QFileInfo>
#include <cstring>

namespace zelmor {

QString GridSaveTarget(const QString &chosen) {
    if (chosen.isEmpty() || QFileInfo(chosen).isFile()) return chosen;
    const QString name = QFileInfo(chosen).fileName();
    return name.contains(u'.') ? chosen : chosen + QStringLiteral(".log");
}

bool IsCurrentLog(const QString &path) { return IsSameFile(path, LogFilePath()); }

namespace {
void Put(char *rec, TextField f, QByteArrayView v) {
    const qsizetype n = qMin<qsizetype>(v.size(), f.capacity);
    rec[f.offset] = char(n);
    std::memcpy(rec + f.offset + 1, v.data(), size_t(n));
}

// Grid column -> record field.
struct ColumnField {
    int column;
    TextField field;
};
constexpr ColumnField Columns[] = {
    {ImportColumn::Name, {22, 25}},        {ImportColumn::Qth, {48, 25}},       {ImportColumn::Date, {74, 10}},
    {ImportColumn::Time, {85, 10}},        {ImportColumn::Band, {96, 10}},      {ImportColumn::Mode, {107, 10}},
    {ImportColumn::RstReceived, {118, 7}}, {ImportColumn::RstSent, {126, 7}},   {ImportColumn::Info, {145, 160}},
    {ImportColumn::Waz, {306, 5}},         {ImportColumn::Itu, {312, 5}},       {ImportColumn::Country, {318, 30}},
    {ImportColumn::Qsl, {349, 15}},        {ImportColumn::Locator, {365, 20}},  {ImportColumn::Via, {386, 12}},
    {ImportColumn::Iota, {399, 10}},       {ImportColumn::Frequency, {410, 12}}, {ImportColumn::Region, {451, 5}},
};
} // namespace

GridSaveResult AppendGridRowsToLog(const ImportRowStore &rows, const QString &target) {
    GridSaveResult result;
    const QFileInfo info(target);
    qint64 count = 0;
    if (info.exists()) {
        if (!info.isFile() || info.size() % QsoRecord::Size != 0) {
            result.status = GridSaveResult::NotALog;
            result.error = QStringLiteral("%1: это не файл журнала").arg(target);
            return result;
        }
        count = info.size() / QsoRecord::Size;
    }
    const bool current = IsCurrentLog(target);

    QByteArray batch;
    std::vector<qsizetype> written; // row of each record
    QByteArray call;
    for (qsizetype r = 0; r < rows.size() && !rows.cellBytes(r, ImportColumn::Number).isEmpty(); ++r) {
        call = rows.cellBytes(r, ImportColumn::Call).toByteArray();
        call.replace(" ", "");
        if (call.isEmpty()) continue;
        const qsizetype at = batch.size();
        batch.resize(at + QsoRecord::Size);
        char *rec = batch.data() + at;
        std::memset(rec, 0, QsoRecord::Size);
        Put(rec, QsoField::Number, QByteArray::number(count + qint64(written.size()) + 1));
        Put(rec, QsoField::Call, call);
        for (const ColumnField &c : Columns) Put(rec, c.field, rows.cellBytes(r, c.column));
        written.push_back(r);
    }
    result.firstNumber = count + 1;
    if (written.empty()) return result;
    try {
        RecordIO::AppendBlock(target, QsoRecord::Size, batch);
    } catch (const IoError &e) {
        result.status = GridSaveResult::Failed;
        result.error = e.text();
        return result;
    }
    result.written = qint64(written.size());
    if (current) {
        for (qsizetype i = 0; i < qsizetype(written.size()); ++i) {
            const char *rec = batch.constData() + i * QsoRecord::Size;
            const QsoRecord r = DecodeRecord<QsoRecord>(rec);
            LogColumns.append(r.call, r.band, r.country, r.mode, QslCode(r.qslState));
        }
        LogRecordIndex = count + result.written - 1;
    }
    return result;
}

} // namespace zelmor

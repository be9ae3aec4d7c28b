#include "qsl/qslmarking.h"

#include "common/qsorecord.h"
#include "common/text.h"
#include "logbook/logfile.h"
#include "logtools/awardtables.h"
#include "platform/dialogs.h"
#include "qsl/qslselection.h"

#include <algorithm>

namespace zelmor {

namespace {

const QString OtherLogText =
    QStringLiteral("Таблица заполнена из другого журнала. Заполните её заново: отметки не сохранены.");

bool IsDeletedRecord(const QsoRecord &r) { return r.deleteMark == DeleteMarkText; }

// The record is still the QSO the row was made from.
bool SameQso(const QsoRecord &stored, const QString &call) { return !IsDeletedRecord(stored) && stored.call == call; }

QString NumbersText(const std::vector<qint64> &numbers) {
    QStringList parts;
    for (qint64 n : numbers) parts << QString::number(n);
    return parts.join(QStringLiteral(", "));
}

} // namespace

QslSentMarking MarkPrintedQslsSent(QslTableModel &qsos, const std::vector<int> &rows) {
    QslSentMarking result;
    if (rows.empty()) return result;
    const QString path = qsos.logPath();
    if (path != LogFilePath()) {
        ShowErrorBox(OtherLogText);
        result.error = OtherLogText;
        return result;
    }
    std::vector<qint64> leftNumbers;
    for (int row : rows) {
        const qint64 index = qsos.recordIndexOfRow(row);
        if (index < 0) continue;
        const QString call = qsos.recordCallOfRow(row);
        try {
            const QslStateWrite w = SetLogRecordQslState(path, index, [&](const QsoRecord &stored) {
                if (!SameQso(stored, call)) return QString();
                return ConfirmsQslFlag(QslCode(stored.qslState)) ? QslSentAndReceived : QslSent;
            });
            if (w.word.isEmpty()) {
                result.left.push_back(row);
                leftNumbers.push_back(index + 1);
                continue;
            }
        } catch (const IoError &e) {
            result.error = e.text();
            break;
        }
        // Written: the row can no longer be marked or taken as printed.
        for (int col : {int(QslColMark), int(QslColCall), int(QslColLink), int(QslColSpare)}) qsos.setCell(col, row, QString());
        result.written.push_back(row);
    }
    if (!leftNumbers.empty())
        ShowErrorBox(QStringLiteral("QSO № %1 удалены или изменены после заполнения таблицы: отметка не сделана")
                         .arg(NumbersText(leftNumbers)));
    if (!result.error.isEmpty()) ShowErrorBox(result.error);
    return result;
}

QsoSearch FindQsosByCall(const QString &call, StringGridModel &grid) {
    QsoSearch search;
    grid.clearRows(0);
    grid.setRowCount(SearchGridRows);
    const QString wanted = Trim(call);
    if (wanted.isEmpty()) return search;
    search.logPath = LogFilePath();
    search.indexes = LogColumns.indexesOfCall(wanted).toVector();
    if (search.indexes.empty()) return search;
    grid.setRowCount(qMax(SearchGridRows, int(search.indexes.size())));
    RecordIO::ReadEach(search.logPath, QsoRecord::Size, search.indexes, [&](size_t k, const char *rec) {
        const QsoRecord r = DecodeRecord<QsoRecord>(rec);
        const int row = int(k);
        grid.setCell(0, row, QString::number(search.indexes[k] + 1));
        grid.setCell(1, row, r.call);
        grid.setCell(2, row, r.date);
        grid.setCell(3, row, r.band);
        grid.setCell(4, row, r.qslState);
        grid.setCell(5, row, r.time);
        search.calls << r.call;
        search.country = r.country;
    });
    return search;
}

QslReceivedMarking MarkQslReceived(const QsoSearch &search, StringGridModel &grid, int row) {
    QslReceivedMarking result;
    if (row < 0 || row >= int(search.indexes.size())) return result;
    if (search.logPath != LogFilePath()) {
        result.problem = OtherLogText;
        return result;
    }
    const qint64 index = search.indexes[size_t(row)];
    const QslStateWrite w = SetLogRecordQslState(search.logPath, index, [&](const QsoRecord &stored) {
        if (!SameQso(stored, search.calls.value(row))) return QString();
        const QString code = QslCode(stored.qslState);
        if (code == u"N") return stored.qslState; // stays, written back as it is
        return code == u"Y" ? QslSentAndReceived : QslReceived;
    });
    if (w.word.isEmpty()) {
        result.problem = QStringLiteral("QSO № %1 удалено или изменено после поиска: отметка не сделана").arg(index + 1);
        return result;
    }
    result.written = true;
    result.word = w.word;
    grid.setCell(4, row, w.word);
    return result;
}

bool IsNewBandConfirmation(const LogColumnLists &log, const QString &country, const QString &band) {
    const QString wanted = Trim(band);
    for (qint64 i : log.indexesOfCountry(country)) {
        if (log.LogCalls[i].isEmpty()) continue; // marked deleted
        if (ConfirmsQslFlag(log.LogQslFlags[i]) && Trim(log.LogBands[i]) == wanted) return false;
    }
    return true;
}

QString ConfirmationMessage(bool isNew, const QString &band) {
    return (isNew ? QStringLiteral("Новая подтвержденная страна на ") : QStringLiteral("Повторное подтверждение на ")) + band;
}

QslStatusPie CountQslStatuses(const LogColumnLists &log) {
    QslStatusPie pie;
    qint64 live = 0, sent = 0, both = 0, toSend = 0, received = 0;
    const auto idOf = [&](const char16_t *code) -> qint64 {
        const auto id = log.LogQslFlags.findId(QString::fromUtf16(code));
        return id ? qint64(*id) : -2;
    };
    const qint64 y = idOf(u"Y"), n = idOf(u"N"), o = idOf(u"О"), p = idOf(u"П");
    const auto deleted = log.LogCalls.findId(QString());
    for (qsizetype i = 0; i < log.size(); ++i) {
        if (deleted && log.LogCalls.idAt(i) == *deleted) continue;
        ++live;
        const qint64 flag = log.LogQslFlags.idAt(i);
        if (flag == y) ++sent;
        else if (flag == n) ++both;
        else if (flag == o) ++toSend;
        else if (flag == p) ++received;
    }
    pie.title = QStringLiteral("Количество проведенных QSO ") + QString::number(live);
    if (log.size() == 0) return pie;
    pie.slices = {
        {QslSent, double(sent), QColor(255, 0, 0)},
        {QslSentAndReceived, double(both), QColor(0, 255, 255)},
        {QslToSend, double(toSend), QColor(0, 0, 255)},
        {QslReceived, double(received), QColor(0, 255, 0)},
    };
    return pie;
}

} // namespace zelmor

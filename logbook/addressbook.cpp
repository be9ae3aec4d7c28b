#include "logbook/addressbook.h"

#include "common/recordfile.h"
#include "common/text.h"
#include "logbook/settingscatalogue.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/stringgrid.h"

#include <QFile>
#include <QFileInfo>

namespace zelmor {

namespace {

const TextField CallField{AddressBookRecord::Fields[0].offset, AddressBookRecord::Fields[0].capacity};
const TextField NameField{AddressBookRecord::Fields[1].offset, AddressBookRecord::Fields[1].capacity};

} // namespace

QString AddressBookPath() { return DataPath(QStringLiteral("mail\\adrbox.dat")); }

QString AddressForDisplay(QStringView stored) { return WithLineBreaks(stored, u"\n"); }

QString AddressForStorage(QStringView shown) {
    QString s = WithLineBreaks(shown, u"\r\n");
    if (s.size() > AddressCapacity) {
        s.truncate(AddressCapacity);
        // The cut fell inside a line break: its first half goes too.
        if (s.endsWith(u'\r')) s.chop(1);
    }
    return s;
}

int StoredAddressLength(QStringView shown) { return int(WithLineBreaks(shown, u"\r\n").size()); }

AddressBookLoad LoadAddressBook(const QString &path, StringGridModel &list) {
    AddressBookLoad out;
    // The cells are filled while the list has no rows, so no view redraws
    // a row per cell; the row count then shows them all at once.
    list.setRowCount(0);
    list.clearRows(0);
    if (!QFileInfo(path).isFile()) return out;
    qint64 records = 0;
    try {
        RecordIO::ForEachBlock(path, AddressBookRecord::Size, [&](qint64 first, const char *block, qint64 n) {
            for (qint64 k = 0; k < n; ++k) {
                const char *r = block + k * AddressBookRecord::Size;
                list.setCell(0, int(first + k), ReadTextField(r, CallField));
                list.setCell(1, int(first + k), ReadTextField(r, NameField));
            }
            records = first + n;
        });
    } catch (const IoError &) {
        list.clearRows(0);
        return out;
    }
    out.opened = true;
    out.records = records;
    out.strayBytes = QFileInfo(path).size() - records * AddressBookRecord::Size;
    if (out.strayBytes < 0) out.strayBytes = 0;
    list.setRowCount(int(records) + AddressBookSpareRows);
    return out;
}

int FindAddressBookRow(const StringGridModel &list, QStringView text, int column) {
    if (text.isEmpty()) return -1;
    // From the end: the first hit is the last match.
    for (int row = list.rowCountValue() - 1; row >= 0; --row)
        if (list.cell(column, row).startsWith(text)) return row;
    return -1;
}

QString AddressOfRow(const QString &path, int row) {
    const qint64 count = RecordIO::Count(path, AddressBookRecord::Size);
    if (row < 0 || row >= count) return QString();
    return ReadRecord<AddressBookRecord>(path, row).address;
}

QString AddressBookCellProblem(int row, const QString &call, const QString &name, const QString &address) {
    const QString where = QStringLiteral("строке %1").arg(row + 1);
    if (call.size() > CallField.capacity)
        return QStringLiteral("Позывной в %1 длиннее %2 знаков: \"%3\". Запись не сохранена.")
            .arg(where)
            .arg(CallField.capacity)
            .arg(call);
    if (name.size() > NameField.capacity)
        return QStringLiteral("Имя в %1 длиннее %2 знаков: \"%3\". Запись не сохранена.")
            .arg(where)
            .arg(NameField.capacity)
            .arg(name);
    const std::pair<const char *, const QString *> cells[] = {{"Позывной", &call}, {"Имя", &name}, {"Адрес", &address}};
    for (const auto &[cell, text] : cells) {
        QChar bad;
        if (!FitsCp1251(*text, &bad))
            return QStringLiteral("%1 в %2: знака \"%3\" нет в кодировке cp1251. Запись не сохранена.")
                .arg(QString::fromUtf8(cell), where, QString(bad));
    }
    return QString();
}

qint64 WriteAddressBookRow(const QString &path, int row, const AddressBookRecord &r) {
    const QByteArray bytes = EncodeRecord(r);
    const qint64 count = RecordIO::Count(path, AddressBookRecord::Size);
    if (count < 0 || !RecordIO::Exists(path)) throw IoError(MissingFileText(QStringLiteral(" adrbox.dat")));
    if (row < count) {
        RecordIO::Write(path, AddressBookRecord::Size, row, bytes);
        return count;
    }
    // The empty records and the new one in one write: a failure leaves none
    // of them.
    QByteArray block(qsizetype(row - count) * AddressBookRecord::Size, '\0');
    block += bytes;
    const qint64 first = RecordIO::AppendBlock(path, AddressBookRecord::Size, block);
    return first + block.size() / AddressBookRecord::Size;
}

QString CopyDamagedAddressBook(const QString &path, const QDateTime &now) {
    const QString base = path + QStringLiteral(".damaged-") + now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = base;
    for (int n = 2; QFileInfo::exists(target); ++n) target = base + u'-' + QString::number(n);
    QFile source(path);
    if (!source.copy(target))
        throw IoError(QStringLiteral("Не удаётся сохранить копию файла %1 в %2: %3").arg(path, target, source.errorString()));
    return target;
}

} // namespace zelmor

#include "logbook/callbook.h"

#include "common/blocksearch.h"
#include "common/codepage.h"
#include "common/dbase.h"
#include "common/recordfile.h"
#include "common/text.h"
#include "logbook/qsostate.h"
#include "platform/callbookcd.h"
#include "platform/dialogs.h"
#include "platform/paths.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

namespace zelmor {

CallbookIndexList CallbookIndex;
std::vector<int> CallbookFieldWidths;

namespace {

// What the index was built from, to see whether the file has changed since.
struct CallbookStamp {
    QString path; // as chosen in the settings
    bool built = false;
    qint64 size = -1;
    QDateTime modified;
};
CallbookStamp Stamp;

void StampFile(const QString &path, const QString &resolved, bool built) {
    const QFileInfo fi(resolved);
    Stamp = {path, built, fi.exists() ? fi.size() : -1, fi.exists() ? fi.lastModified() : QDateTime()};
}

} // namespace

// Fills a CallbookIndexList; the list keeps its layout to itself.
struct CallbookIndexBuilder {
    // One record's call before sorting: its first eight bytes big-endian, so
    // most comparisons are one integer compare.
    struct Item {
        quint64 head;
        quint32 start, length, record;
    };

    static quint64 Head(const char *p, quint32 n) {
        unsigned char b[8] = {};
        std::memcpy(b, p, std::min<quint32>(n, 8));
        return qFromBigEndian<quint64>(b);
    }

    static void Build(CallbookIndexList &out, const DbaseReader &db, qint64 records, int firstWidth) {
        QByteArray raw;
        raw.reserve(records * qMin(firstWidth, 16));
        std::vector<Item> items;
        items.reserve(size_t(records));
        for (qint64 i = 0; i < records; ++i) {
            if (db.deleted(i)) continue;
            const QByteArrayView field = db.data(i).first(firstWidth);
            const quint32 start = quint32(raw.size());
            for (char c : field)
                if (static_cast<unsigned char>(c) > 32) raw.append(c);
            const quint32 length = quint32(raw.size()) - start;
            items.push_back({0, start, length, quint32(i)});
        }
        const char *base = raw.constData();
        for (Item &it : items) it.head = Head(base + it.start, it.length);
        std::sort(items.begin(), items.end(), [base](const Item &a, const Item &b) {
            if (a.head != b.head) return a.head < b.head;
            const quint32 common = std::min(a.length, b.length);
            if (common > 8)
                if (const int c = std::memcmp(base + a.start + 8, base + b.start + 8, common - 8)) return c < 0;
            if (a.length != b.length) return a.length < b.length;
            return a.record < b.record;
        });
        out.calls_.reserve(raw.size());
        out.starts_.reserve(items.size() + 1);
        out.records_.reserve(items.size());
        for (const Item &it : items) {
            out.calls_.append(base + it.start, it.length);
            out.starts_.push_back(quint32(out.calls_.size()));
            out.records_.push_back(it.record);
        }
        out.headerLength_ = db.headerLength();
        out.recordLength_ = db.recordLength();
    }
};

QString CallbookIndexList::entryText(qsizetype i) const {
    return FromCp866(call(i)) + u'+' + QString::number(offset(i));
}

QStringList CallbookIndexList::entries() const {
    QStringList out;
    for (qsizetype i = 0; i < size(); ++i) out << entryText(i);
    return out;
}

qsizetype CallbookIndexList::memoryBytes() const {
    return calls_.capacity() + qsizetype((starts_.capacity() + records_.capacity()) * sizeof(quint32));
}

void CallbookIndexList::clear() {
    calls_ = QByteArray();
    starts_ = {0};
    records_ = {};
    headerLength_ = recordLength_ = 0;
}

CallbookBuild IndexCallbookTable(QByteArrayView bytes, CallbookIndexList &index, std::vector<int> &widths) {
    index.clear();
    widths.clear();
    CallbookBuild b;
    const auto unsound = [&b](const QString &why) {
        b.outcome = CallbookBuild::Outcome::Unsound;
        b.reason = why;
        return b;
    };
    // Offsets and record numbers are kept in 32 bits.
    if (bytes.size() > qsizetype(std::numeric_limits<quint32>::max())) return unsound(QStringLiteral("файл больше 4 ГБ"));
    const DbaseReader db(bytes);
    if (!db.ok()) return unsound(db.error());
    if (db.fields().empty()) return unsound(QStringLiteral("нет полей"));
    const int firstWidth = db.fields().front().width;
    if (firstWidth < 1 || firstWidth > db.recordLength() - 1) return unsound(QStringLiteral("неверная ширина первого поля"));
    for (const DbaseField &f : db.fields()) widths.push_back(f.width);
    b.declared = db.declaredCount();
    b.present = (bytes.size() - db.headerLength()) / db.recordLength();
    qint64 records = db.count();
    for (qint64 i = 0; i < records; ++i) {
        const char flag = db.flag(i);
        if (flag != ' ' && flag != '*') {
            b.badFlagRecord = i;
            b.badFlag = flag;
            records = i;
            break;
        }
    }
    CallbookIndexBuilder::Build(index, db, records, firstWidth);
    b.outcome = CallbookBuild::Outcome::Built;
    return b;
}

CallbookBuild BuildCallbookIndex(const QString &path) {
    CallbookIndex.clear();
    CallbookFieldWidths.clear();
    CallbookBuild b;
    b.path = path;
    if (Trim(path).isEmpty()) {
        Stamp = {path, false, -1, {}};
        return b;
    }
    const QString resolved = DataPath(path);
    QFile f(resolved);
    if (!QFileInfo(resolved).isFile() || !f.open(QIODevice::ReadOnly)) {
        StampFile(path, resolved, false);
        b.outcome = CallbookBuild::Outcome::Missing;
        return b;
    }
    // Mapped, not read: only the pages of the first fields are touched
    // twice, and nothing of the file stays in memory afterwards.
    const qint64 size = f.size();
    QByteArray copy;
    const uchar *mapped = size > 0 ? f.map(0, size) : nullptr;
    if (!mapped && size > 0) copy = f.readAll();
    const QByteArrayView bytes = mapped ? QByteArrayView(reinterpret_cast<const char *>(mapped), size)
                                        : QByteArrayView(copy);
    CallbookBuild built = IndexCallbookTable(bytes, CallbookIndex, CallbookFieldWidths);
    built.path = path;
    StampFile(path, resolved, built.outcome == CallbookBuild::Outcome::Built);
    return built;
}

CallbookBuild RefreshCallbookIndex(const QString &path) {
    if (Stamp.built && Stamp.path == path) {
        const QFileInfo fi(DataPath(path));
        if (fi.isFile() && fi.size() == Stamp.size && fi.lastModified() == Stamp.modified) {
            CallbookBuild b;
            b.outcome = CallbookBuild::Outcome::Built;
            b.path = path;
            // Counts were reported when it was built.
            return b;
        }
    }
    return BuildCallbookIndex(path);
}

QString IndexedCallbookPath() { return Stamp.path; }

void ClearCallbookIndex() {
    CallbookIndex.clear();
    CallbookFieldWidths.clear();
    Stamp = {};
}

std::vector<qint64> FindCallInAddressIndex(QStringView key) {
    std::vector<qint64> out;
    const CallWindow w = BlockSearchWindow(
        CallbookIndex.size(), [](qint64 i) { return QString::fromLatin1(CallbookIndex.call(i)); }, key);
    if (w.empty()) return out;
    const QByteArray wanted = ToCp1251(key);
    for (qint64 i = w.low; i <= w.high; ++i)
        if (CallbookIndex.call(i) == QByteArrayView(wanted)) out.push_back(CallbookIndex.offset(i));
    return out;
}

std::array<QString, 13> CallbookRecordFields(QByteArrayView data, const std::vector<int> &widths) {
    std::array<QString, 13> out;
    qsizetype at = 0;
    for (size_t k = 0; k < out.size() && k < widths.size(); ++k) {
        if (at >= data.size()) break;
        const QByteArrayView raw = data.sliced(at, qMin<qsizetype>(widths[k], data.size() - at));
        at += widths[k];
        QByteArray kept;
        kept.reserve(raw.size());
        for (char c : raw)
            if (static_cast<unsigned char>(c) > 31) kept.append(c);
        qsizetype b = 0, e = kept.size();
        while (b < e && kept[b] == ' ') ++b;
        while (e > b && kept[e - 1] == ' ') --e;
        out[k] = FromCp1251(OemToChar(QByteArrayView(kept).sliced(b, e - b)));
    }
    return out;
}

CallbookAddress ComposeCallbookAddress(const std::array<QString, 13> &f) {
    CallbookAddress a;
    a.fields = f;
    const QString blank = QStringLiteral(" "), comma = QStringLiteral(", ");
    a.edit18 = f[1] + blank + (f[2].isEmpty() ? QString() : f[2] + blank) + f[3] + blank;
    a.edit19 = f[4] + comma + f[5] + comma + f[6] + comma + f[7] + comma + f[10] + comma;
    a.edit17 = (f[9].isEmpty() ? QString() : QStringLiteral("при:") + f[9]) + QStringLiteral(" Тел: ") + f[8];
    if (!f[11].isEmpty()) a.info << LowerCaseCp1251(f[11]);
    if (!f[12].isEmpty()) a.info << f[12];
    a.name = f[2];
    a.qth = f[6];
    return a;
}

std::optional<CallbookAddress> ReadAddressDbRecord(qint64 offset) {
    const int length = CallbookIndex.recordLength() - 1;
    if (Stamp.path.isEmpty() || length < 1 || offset < 0) return std::nullopt;
    QFile f(DataPath(Stamp.path));
    if (!f.open(QIODevice::ReadOnly) || !f.seek(offset)) return std::nullopt;
    // A record cut short by the end of the file reads as far as it goes.
    const QByteArray data = f.read(length);
    return ComposeCallbookAddress(CallbookRecordFields(data, CallbookFieldWidths));
}

QString AppendCallbookInfo(const QString &info, const QStringList &additions) {
    QString out = info;
    for (const QString &a : additions) {
        if (a.isEmpty() || out.contains(a)) continue;
        out = out.isEmpty() ? a : out + u' ' + a;
    }
    return out;
}

std::vector<PostalAddressRecord> LookupPostalAddress(QStringView key) {
    std::vector<PostalAddressRecord> out;
    if (key.isEmpty()) return out;
    QFile inx(DataPath(QStringLiteral("adres.inx")));
    if (!inx.open(QIODevice::ReadOnly)) return out;
    constexpr int Size = PostalIndexRecord::Size;
    const qint64 count = inx.size() / Size;
    if (count <= 0) return out;
    QByteArray copy;
    const uchar *mapped = inx.map(0, count * Size);
    if (!mapped) {
        copy = inx.read(count * Size);
        if (copy.size() < count * Size) return out;
    }
    const char *records = mapped ? reinterpret_cast<const char *>(mapped) : copy.constData();
    const TextField callField{PostalIndexRecord::Fields[0].offset, PostalIndexRecord::Fields[0].capacity};
    const auto callAt = [records, callField](qint64 i) { return ReadTextField(records + i * Size, callField); };
    const CallWindow w = BlockSearchWindow(count, callAt, key);
    std::vector<qint64> numbers;
    for (qint64 i = w.low; i <= w.high; ++i)
        if (callAt(i) == key) numbers.push_back(DecodeRecord<PostalIndexRecord>(records + i * Size).addressIndex);
    if (numbers.empty()) return out;
    const QString adr = DataPath(QStringLiteral("adres.adr"));
    const qint64 addresses = RecordIO::Count(adr, PostalAddressRecord::Size);
    // Numbers that point nowhere are passed over.
    std::erase_if(numbers, [addresses](qint64 n) { return n < 0 || n >= addresses; });
    try {
        for (const QByteArray &b : RecordIO::ReadMany(adr, PostalAddressRecord::Size, numbers))
            out.push_back(DecodeRecord<PostalAddressRecord>(b.constData()));
    } catch (const IoError &) {
        out.clear(); // the file went away between the count and the read
    }
    return out;
}

CdCallbookResult WalkCdCallbookResult(QByteArrayView result) {
    CdCallbookResult r;
    const QByteArrayView data = result.first(qMin<qsizetype>(result.size(), CallbookCd::ResultSize));
    QByteArray field;
    int number = 1;
    for (char c : data) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 32) {
            field.append(c);
            continue;
        }
        if (number == 3) {
            r.field3Ended = true;
            r.field3 = FromCp1251(field);
            const qsizetype blank = r.field3.indexOf(u' ');
            if (blank >= 0) r.firstName = r.field3.left(blank);
        } else if (number == 14) {
            r.field14 = FromCp1251(field);
        }
        if (u == 0) break;
        field.clear();
        ++number;
    }
    return r;
}

CdLookup LookupCdCallbook(QStringView call, QStringView cdPath, CallbookCd &cd) {
    CdLookup out;
    // Where there is no library, a folder would not help: that is said first.
    if (!cd.available()) {
        out.outcome = CdLookup::Outcome::Unavailable;
        return out;
    }
    if (cdPath.isEmpty()) return out;
    char path[CallbookCd::PathSize] = {};
    const QByteArray p = ToCp1251(cdPath);
    std::memcpy(path, p.constData(), size_t(qMin<qsizetype>(p.size(), CallbookCd::PathSize - 1)));
    char callBuffer[CallbookCd::CallSize] = {};
    const QByteArray c = ToCp1251(call.left(CallbookCd::CallSize));
    std::memcpy(callBuffer, c.constData(), size_t(qMin<qsizetype>(c.size(), CallbookCd::CallSize)));
    char result[CallbookCd::ResultSize] = {};
    quint16 version = 0, database = 0, check = 0;
    if (!cd.GetVersionNr(&version) || !cd.CheckDatabaseFormat(&database, &check, path) ||
        !cd.GetCallInfo(&database, result, callBuffer, path)) {
        out.outcome = CdLookup::Outcome::Failed;
        out.failure = cd.failure();
        return out;
    }
    out.outcome = CdLookup::Outcome::Done;
    out.result = WalkCdCallbookResult(QByteArrayView(result, CallbookCd::ResultSize));
    return out;
}

QString CallbookCountText(qint64 declared, qint64 present) {
    return QStringLiteral("Колбук: в заголовке %1 записей, в файле %2").arg(declared).arg(present);
}

void ReportCallbookBuild(const CallbookBuild &b, bool chosenInSettings) {
    const QByteArray path = QFile::encodeName(b.path);
    switch (b.outcome) {
    case CallbookBuild::Outcome::NoPath:
    case CallbookBuild::Outcome::Missing: return; // an empty index says enough
    case CallbookBuild::Outcome::Unsound:
        std::fprintf(stderr, "zelmor: callbook %s not read: %s\n", path.constData(), b.reason.toUtf8().constData());
        if (chosenInSettings) ShowErrorBox(CallbookNotDbaseText + b.path);
        else StatusText = CallbookUnreadText + b.reason;
        return;
    case CallbookBuild::Outcome::Built: break;
    }
    if (b.countDisagrees()) {
        std::fprintf(stderr, "zelmor: callbook %s: the header counts %lld records, the file holds %lld\n",
                     path.constData(), static_cast<long long>(b.declared), static_cast<long long>(b.present));
        StatusText = CallbookCountText(b.declared, b.present);
    }
    if (b.badFlagRecord >= 0)
        std::fprintf(stderr, "zelmor: callbook %s: record %lld has the deletion flag 0x%02X; indexed up to it\n",
                     path.constData(), static_cast<long long>(b.badFlagRecord + 1),
                     unsigned(static_cast<unsigned char>(b.badFlag)));
}

} // namespace zelmor

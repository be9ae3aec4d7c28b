#include "logtools/foreignimport.h"

#include "common/bands.h"
#include "common/codepage.h"
#include "common/qsorecord.h"
#include "logtools/cp1251bytes.h"

#include <QDate>
#include <QFile>
#include <cstring>

namespace zelmor {

namespace {
inline unsigned char U(char c) { return static_cast<unsigned char>(c); }
} // namespace

bool LineSplitter::next(QByteArrayView &line) {
    if (ended_ || pos_ >= data_.size()) return false;
    const char *base = data_.data();
    const qsizetype size = data_.size();
    const void *lf = std::memchr(base + pos_, '\n', size_t(size - pos_));
    qsizetype end = lf ? static_cast<const char *>(lf) - base : size;
    // A byte 0x1A ends the text, also inside the line.
    if (const void *eof = std::memchr(base + pos_, 0x1A, size_t(end - pos_))) {
        end = static_cast<const char *>(eof) - base;
        ended_ = true;
        lf = nullptr;
    }
    qsizetype lineEnd = end;
    if (lf && lineEnd > pos_ && base[lineEnd - 1] == '\r') --lineEnd;
    if (ended_ && end == pos_) return false; // nothing before the 0x1A
    line = QByteArrayView(base + pos_, lineEnd - pos_);
    closed_ = lf != nullptr;
    pos_ = lf ? end + 1 : end;
    ++line_;
    return true;
}

bool HasControlBytes(QByteArrayView line) {
    for (char c : line)
        if (U(c) < 32 && c != '\t') return true;
    return false;
}

bool LooksLikeCp866(QByteArrayView bytes) {
    qint64 dos = 0, windows = 0;
    for (char c : bytes) {
        const unsigned char b = U(c);
        if (b < 0x80) continue;
        if (b <= 0xAF) ++dos;
        else if ((b >= 0xC0 && b <= 0xDF) || b >= 0xF2) ++windows;
    }
    return dos >= 8 && dos >= 3 * windows;
}

const QByteArray &LogBand(int index) {
    static const std::array<QByteArray, BandCount> bands = [] {
        std::array<QByteArray, BandCount> b;
        for (int i = 0; i < BandCount; ++i) b[i] = ToCp1251(LogBandNames[i]);
        return b;
    }();
    return bands[index];
}

QByteArray VhfBand(QByteArrayView t) {
    if (t.size() < 3 || t[0] < '0' || t[0] > '9' || t[1] < '0' || t[1] > '9' || t[2] < '0' || t[2] > '9') return {};
    const int v = (t[0] - '0') * 100 + (t[1] - '0') * 10 + (t[2] - '0');
    if (v >= 144 && v <= 146) return LogBand(BandIndex::B2);
    if (v >= 430 && v <= 440) return LogBand(BandIndex::B70);
    return {};
}

int HfBandOfFigure(QByteArrayView t) {
    if (t.size() < 2) return -1;
    static const struct {
        char a, b;
        int band;
    } table[] = {{'1', '0', BandIndex::B30}, {'1', '4', BandIndex::B20}, {'1', '8', BandIndex::B17},
                 {'2', '1', BandIndex::B15}, {'2', '4', BandIndex::B12}, {'2', '8', BandIndex::B10}};
    for (const auto &e : table)
        if (t[0] == e.a && t[1] == e.b) return e.band;
    return -1;
}

namespace QslWord {
const QByteArray &NotToSend() {
    static const QByteArray w = ToCp1251(QslNotToSend);
    return w;
}
const QByteArray &ToSend() {
    static const QByteArray w = ToCp1251(QslToSend);
    return w;
}
const QByteArray &Sent() {
    static const QByteArray w = ToCp1251(QslSent);
    return w;
}
const QByteArray &Received() {
    static const QByteArray w = ToCp1251(QslReceived);
    return w;
}
const QByteArray &SentAndReceived() {
    static const QByteArray w = ToCp1251(QslSentAndReceived);
    return w;
}
} // namespace QslWord

QByteArray CapitaliseLatin(QByteArrayView v) {
    QByteArray out = v.toByteArray();
    for (qsizetype i = 0; i < out.size(); ++i) {
        char &c = out[i];
        if (i == 0) {
            if (c >= 'a' && c <= 'z') c = char(c - 32);
        } else if (c >= 'A' && c <= 'Z') {
            c = char(c + 32);
        }
    }
    return out;
}

QByteArray LogDateText(int day, int month, int year) {
    if (year < 1 || year > 9999 || !QDate::isValid(year, month, day)) return {};
    QByteArray t(10, '.');
    t[0] = char('0' + day / 10);
    t[1] = char('0' + day % 10);
    t[3] = char('0' + month / 10);
    t[4] = char('0' + month % 10);
    t[6] = char('0' + year / 1000);
    t[7] = char('0' + year / 100 % 10);
    t[8] = char('0' + year / 10 % 10);
    t[9] = char('0' + year % 10);
    return t;
}

int DigitsValue(QByteArrayView v) {
    if (v.isEmpty() || v.size() > 9) return -1;
    int n = 0;
    for (char c : v) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

void ForeignRowBuilder::begin() {
    for (QByteArray &c : cells_) c.clear();
    badDate_ = false;
}

void ForeignRowBuilder::set(int column, QByteArrayView text, bool oem) {
    QByteArrayView t = TrimBytes(text);
    QByteArray &cell = cells_[column];
    if (oem) {
        cell = OemToChar(t);
    } else {
        cell.resize(t.size());
        if (!t.isEmpty()) std::memcpy(cell.data(), t.data(), size_t(t.size()));
    }
    // OEM conversion may turn bytes into control characters at the ends.
    if (oem) cell = TrimBytes(cell).toByteArray();
}

void ForeignRowBuilder::setDate(const QByteArray &date, bool present) {
    cells_[ImportColumn::Date] = date;
    badDate_ = present && date.isEmpty();
}

bool ForeignRowBuilder::finish() {
    QByteArray &call = cells_[ImportColumn::Call];
    if (!call.isEmpty()) {
        call = UpperCaseCp1251Bytes(call);
        call.replace(" ", "");
    }
    if (call.isEmpty()) return false;
    const RowCountry c = LookupCountryForRow(tables_, call);
    if (c.found) {
        cells_[ImportColumn::Country] = c.country;
        cells_[ImportColumn::Waz] = c.waz;
        cells_[ImportColumn::Itu] = c.itu;
        cells_[ImportColumn::Region] = c.region;
    }
    ++result_.rows;
    cells_[ImportColumn::Number] = QByteArray::number(rows_.size() + 1);
    if (badDate_) {
        ++result_.badDates;
        if (!result_.firstBadDateRow) result_.firstBadDateRow = rows_.size() + 1;
    }
    // No cell keeps a control character (a TAB inside a field, a stray byte
    // of a binary record): it becomes a blank.
    std::array<QByteArrayView, ImportRowStore::Columns> views;
    for (int i = 0; i < ImportRowStore::Columns; ++i) {
        for (const char c : cells_[i])
            if (U(c) < 32) {
                for (char &d : cells_[i])
                    if (U(d) < 32) d = ' ';
                break;
            }
        views[i] = cells_[i];
    }
    rows_.append(views.data(), ImportRowStore::Columns);
    return true;
}

MappedFile::MappedFile() = default;
MappedFile::~MappedFile() = default;

bool MappedFile::open(const QString &path, QString *error) {
    file_ = std::make_unique<QFile>(path);
    if (!file_->open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("%1: %2").arg(path, file_->errorString());
        return false;
    }
    const qint64 size = file_->size();
    if (size == 0) return true;
    if (uchar *m = file_->map(0, size)) {
        bytes_ = QByteArrayView(reinterpret_cast<const char *>(m), size);
        return true;
    }
    copy_ = file_->readAll();
    if (file_->error() != QFileDevice::NoError) {
        if (error) *error = QStringLiteral("%1: %2").arg(path, file_->errorString());
        return false;
    }
    bytes_ = copy_;
    return true;
}

QString LineError(const char *format, qint64 line, const QString &what) {
    return QStringLiteral("%1: строка %2: %3").arg(QLatin1String(format)).arg(line).arg(what);
}

QString RecordError(const char *format, qint64 record, const QString &what) {
    return QStringLiteral("%1: запись %2: %3").arg(QLatin1String(format)).arg(record).arg(what);
}

} // namespace zelmor

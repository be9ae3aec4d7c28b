#include "logtools/adif.h"

#include "common/bands.h"
#include "common/codepage.h"
#include "common/logdate.h"
#include "common/qsorecord.h"
#include "common/text.h"
#include "logtools/cp1251bytes.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <array>
#include <cstring>

namespace zelmor {

namespace {

constexpr char Bom[] = "\xEF\xBB\xBF";

inline unsigned char U(char c) { return static_cast<unsigned char>(c); }
inline char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; }

// Length of a valid UTF-8 sequence at p (1..4), or 0 when the bytes there do
// not form one.
int Utf8SequenceLength(const unsigned char *p, const unsigned char *end) {
    const unsigned char b = *p;
    if (b < 0x80) return 1;
    int n;
    unsigned min;
    if (b >= 0xC2 && b <= 0xDF) n = 2, min = 0x80;
    else if (b >= 0xE0 && b <= 0xEF) n = 3, min = 0x800;
    else if (b >= 0xF0 && b <= 0xF4) n = 4, min = 0x10000;
    else return 0;
    if (end - p < n) return 0;
    unsigned cp = b & (0x7F >> n);
    for (int i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

// Bytes a lead byte announces (1 for anything that is not a lead byte).
inline int LeadLength(unsigned char b) {
    if (b < 0xC0) return 1;
    if (b < 0xE0) return 2;
    if (b < 0xF0) return 3;
    if (b < 0xF8) return 4;
    return 1;
}

QString RecordPrefix(qint64 record) { return QStringLiteral("ADIF: запись %1").arg(record); }
QString FieldName(QByteArrayView name) { return QString::fromLatin1(name.data(), name.size()).toUpper(); }

bool AllDigits(QByteArrayView v) {
    for (char c : v)
        if (c < '0' || c > '9') return false;
    return !v.isEmpty();
}

int Digits(QByteArrayView v, qsizetype at, int len) {
    int n = 0;
    for (int i = 0; i < len; ++i) n = n * 10 + (v[at + i] - '0');
    return n;
}

// ADIF band names (upper case) to the log's band index. The tables' own names
// come first; "2190M", "70CM" and "23CM" are the names ADIF itself uses.
struct ImportBands {
    std::vector<std::pair<QByteArray, int>> names;
    ImportBands() {
        for (int i = 0; i < BandCount; ++i) names.emplace_back(AdifBandNamesUpper[i].toLatin1(), i);
        names.emplace_back("2190M", 0);
        names.emplace_back("70CM", 12);
        names.emplace_back("23CM", 13);
    }
    int find(QByteArrayView upper) const {
        for (const auto &[name, index] : names)
            if (upper == QByteArrayView(name)) return index;
        return -1;
    }
};
const ImportBands &Bands() {
    static const ImportBands b;
    return b;
}

struct ExportBand {
    QByteArray log, freq, adif;
};
// What the export writes for each of the 14 log bands: the ADIF names of
// today, and 136 kHz in MHz as ADIF's FREQ is.
const std::array<ExportBand, BandCount> &ExportBands() {
    static const std::array<ExportBand, BandCount> bands = [] {
        std::array<ExportBand, BandCount> b;
        for (int i = 0; i < BandCount; ++i)
            b[i] = {ToCp1251(LogBandNames[i]), NominalBandFrequencies[i].toLatin1(), AdifBandNames[i].toLatin1()};
        b[0].freq = "0.136";
        b[0].adif = "2190m";
        b[12].adif = "70cm";
        b[13].adif = "23cm";
        return b;
    }();
    return bands;
}

} // namespace

// ---- Encoding ----------------------------------------------------------------

AdifEncoding DetectAdifEncoding(QByteArrayView bytes) {
    if (bytes.startsWith(QByteArrayView(Bom, 3))) return AdifEncoding::Utf8;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    bool high = false;
    while (p < end) {
        // Plain ASCII eight bytes at a time.
        if (end - p >= 8) {
            quint64 w;
            std::memcpy(&w, p, 8);
            if ((w & 0x8080808080808080ULL) == 0) {
                p += 8;
                continue;
            }
        }
        if (*p < 0x80) {
            ++p;
            continue;
        }
        const int n = Utf8SequenceLength(p, end);
        if (n == 0) return AdifEncoding::Cp1251;
        high = true;
        p += n;
    }
    return high ? AdifEncoding::Utf8 : AdifEncoding::Cp1251;
}

QByteArray Utf8ToCp1251(QByteArrayView utf8) {
    QByteArray out;
    out.reserve(utf8.size());
    const auto *p = reinterpret_cast<const unsigned char *>(utf8.data());
    const auto *end = p + utf8.size();
    while (p < end) {
        if (*p < 0x80) {
            out.append(char(*p++));
            continue;
        }
        const int n = Utf8SequenceLength(p, end);
        if (n == 0) {
            out.append('?');
            ++p;
            continue;
        }
        unsigned cp = *p & (0x7F >> n);
        for (int i = 1; i < n; ++i) cp = (cp << 6) | (p[i] & 0x3F);
        out.append(cp < 0x10000 ? char(UnicodeToCp1251(char16_t(cp))) : '?');
        p += n;
    }
    return out;
}

QByteArray AdifValueCp1251(const AdifField &f, AdifEncoding enc) {
    return enc == AdifEncoding::Cp1251 ? f.value.toByteArray() : Utf8ToCp1251(f.value);
}

bool AdifField::is(const char *upperName) const {
    const qsizetype n = qsizetype(std::strlen(upperName));
    if (name.size() != n) return false;
    for (qsizetype i = 0; i < n; ++i)
        if (UpperAscii(name[i]) != upperName[i]) return false;
    return true;
}

// ---- Reader ----------------------------------------------------------------

AdifReader::AdifReader(QByteArrayView bytes) : data_(bytes), encoding_(DetectAdifEncoding(bytes)) {
    if (bytes.startsWith(QByteArrayView(Bom, 3))) pos_ = 3;
    const qsizetype start = pos_;
    if (start >= data_.size() || data_[start] == '<') return;
    // A header: free text and fields up to <EOH>. Free text may hold a '<'
    // that opens no tag; that is header text, not an error.
    qsizetype p = start;
    std::vector<AdifField> fields;
    while (p < data_.size()) {
        const char *lt = static_cast<const char *>(std::memchr(data_.data() + p, '<', size_t(data_.size() - p)));
        if (!lt) break;
        pos_ = lt - data_.data();
        Tag tag;
        bool ok = false;
        try {
            ok = nextTag(tag, 1);
        } catch (const AdifError &) {
            p = pos_ = (lt - data_.data()) + 1;
            continue;
        }
        if (!ok) break;
        if (tag.kind == TagKind::EndOfHeader) {
            header_ = data_.sliced(start, (lt - data_.data()) - start);
            headerFields_ = std::move(fields);
            return;
        }
        if (tag.kind == TagKind::EndOfRecord) break; // records without a header
        fields.push_back(tag.field);
        p = pos_;
    }
    pos_ = start;
}

qsizetype AdifReader::valueLength(qsizetype start, quint64 declared) const {
    const qsizetype size = data_.size();
    const auto at = [&](qsizetype i) { return U(data_[i]); };
    const auto endsWell = [&](qsizetype end) {
        if (end == size) return true;
        const unsigned char c = at(end);
        return c == '<' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
    };
    const qsizetype bytesEnd = start + qsizetype(declared);
    if (encoding_ == AdifEncoding::Cp1251) return qsizetype(declared);
    const bool insideCharacter = bytesEnd < size && (at(bytesEnd) & 0xC0) == 0x80;
    if (!insideCharacter && endsWell(bytesEnd)) return qsizetype(declared);
    // Some writers count characters: take that count when it ends well.
    qsizetype q = start;
    for (quint64 k = 0; k < declared; ++k) {
        if (q >= size) return qsizetype(declared);
        q += LeadLength(at(q));
    }
    if (q <= size && endsWell(q) && !(q < size && (at(q) & 0xC0) == 0x80)) return q - start;
    return qsizetype(declared);
}

bool AdifReader::nextTag(Tag &tag, qint64 record) {
    const qsizetype size = data_.size();
    const char *base = data_.data();
    if (pos_ >= size) return false;
    const char *lt = static_cast<const char *>(std::memchr(base + pos_, '<', size_t(size - pos_)));
    if (!lt) {
        pos_ = size;
        return false;
    }
    const qsizetype tagStart = lt - base;
    qsizetype q = tagStart + 1;
    const qsizetype nameStart = q;
    while (q < size && base[q] != ':' && base[q] != '>' && base[q] != '<' && U(base[q]) > 32 && q - nameStart <= 64)
        ++q;
    const QByteArrayView name(base + nameStart, q - nameStart);
    const auto malformed = [&](const QString &what) {
        throw AdifError(record, RecordPrefix(record) + QStringLiteral(": неверный тег на байте %1: %2").arg(tagStart).arg(what));
    };
    if (name.isEmpty()) malformed(QStringLiteral("нет имени поля"));
    if (q >= size || (base[q] != ':' && base[q] != '>')) {
        if (q < size && q - nameStart > 64) malformed(QStringLiteral("слишком длинное имя"));
        malformed(QStringLiteral("имя поля не закрыто"));
    }
    AdifField f;
    f.name = name;
    if (base[q] == '>') {
        pos_ = q + 1;
        if (f.is("EOR")) tag.kind = TagKind::EndOfRecord;
        else if (f.is("EOH")) tag.kind = TagKind::EndOfHeader;
        else throw AdifError(record, RecordPrefix(record) + QStringLiteral(", поле %1: тег без длины").arg(FieldName(name)));
        tag.field = f;
        return true;
    }
    ++q; // past ':'
    const qsizetype digitsStart = q;
    quint64 declared = 0;
    bool huge = false;
    while (q < size && base[q] >= '0' && base[q] <= '9') {
        if (!huge) {
            declared = declared * 10 + quint64(base[q] - '0');
            if (declared > quint64(size)) huge = true; // no overflow: it cannot fit anyway
        }
        ++q;
    }
    // The message is only built for a fault: this runs for every field.
    const auto fieldError = [&](const QString &what) {
        return AdifError(record, RecordPrefix(record) + QStringLiteral(", поле %1: ").arg(FieldName(name)) + what);
    };
    if (q == digitsStart) throw fieldError(QStringLiteral("нет длины"));
    const QByteArrayView digits(base + digitsStart, q - digitsStart);
    if (q < size && base[q] == ':') {
        ++q;
        const qsizetype typeStart = q;
        while (q < size && base[q] != '>' && base[q] != '<' && U(base[q]) > 32 && q - typeStart <= 16) ++q;
        f.type = QByteArrayView(base + typeStart, q - typeStart);
    }
    if (q >= size || base[q] != '>') throw fieldError(QStringLiteral("тег без '>'"));
    const qsizetype valueStart = q + 1;
    const auto pastTheEnd = [&] {
        return fieldError(QStringLiteral("длина %1 выходит за конец файла")
                              .arg(QString::fromLatin1(digits.data(), digits.size())));
    };
    if (huge || declared > quint64(size - valueStart)) throw pastTheEnd();
    const qsizetype len = valueLength(valueStart, declared);
    if (len > size - valueStart) throw pastTheEnd();
    f.value = QByteArrayView(base + valueStart, len);
    pos_ = valueStart + len;
    tag.kind = TagKind::Field;
    tag.field = f;
    return true;
}

bool AdifReader::next(std::vector<AdifField> &fields) {
    fields.clear();
    while (true) {
        const qint64 number = record_ + 1;
        Tag tag;
        if (!nextTag(tag, number)) {
            if (!fields.empty())
                throw AdifError(number, RecordPrefix(number) + QStringLiteral(" не закончена: нет <EOR>"));
            return false;
        }
        switch (tag.kind) {
        case TagKind::EndOfRecord:
            record_ = number;
            if (!fields.empty()) return true;
            break;
        case TagKind::EndOfHeader:
            // A header in a file that starts with '<': its fields are not a QSO.
            headerFields_ = std::move(fields);
            fields.clear();
            break;
        case TagKind::Field:
            fields.push_back(tag.field);
            break;
        }
    }
}

void AppendAdifField(QByteArray &out, const char *name, QByteArrayView value) {
    out.append('<');
    out.append(name);
    out.append(':');
    out.append(QByteArray::number(value.size()));
    out.append('>');
    out.append(value.data(), value.size());
}

// ---- Import ----------------------------------------------------------------

AdifRowResult MapAdifRecord(const std::vector<AdifField> &fields, AdifEncoding enc, std::vector<QByteArray> &cells) {
    cells.assign(ImportRowStore::Columns, QByteArray());
    const AdifField *date = nullptr, *time = nullptr, *call = nullptr, *band = nullptr, *mode = nullptr,
                    *rstRcvd = nullptr, *rstSent = nullptr, *name = nullptr, *qth = nullptr, *notes = nullptr,
                    *qslRcvd = nullptr, *qslSent = nullptr;
    // The first of two equal tags counts.
    const auto take = [](const AdifField *&slot, const AdifField &f) {
        if (!slot) slot = &f;
    };
    for (const AdifField &f : fields) {
        switch (UpperAscii(f.name.isEmpty() ? '\0' : f.name[0])) {
        case 'B': if (f.is("BAND")) take(band, f); break;
        case 'C': if (f.is("CALL")) take(call, f); break;
        case 'M': if (f.is("MODE")) take(mode, f); break;
        case 'N':
            if (f.is("NAME")) take(name, f);
            else if (f.is("NOTES")) take(notes, f);
            break;
        case 'Q':
            if (f.is("QSO_DATE")) take(date, f);
            else if (f.is("QTH")) take(qth, f);
            else if (f.is("QSL_RCVD")) take(qslRcvd, f);
            else if (f.is("QSL_SENT")) take(qslSent, f);
            break;
        case 'R':
            if (f.is("RST_RCVD")) take(rstRcvd, f);
            else if (f.is("RST_SENT")) take(rstSent, f);
            break;
        case 'T': if (f.is("TIME_ON")) take(time, f); break;
        default: break;
        }
    }
    const auto value = [&](const AdifField *f) { return f ? AdifValueCp1251(*f, enc) : QByteArray(); };
    using namespace ImportColumn;
    AdifRowResult result;

    if (call) {
        QByteArray c = UpperCaseCp1251Bytes(value(call));
        c.replace(" ", "");
        cells[Call] = c;
    }
    cells[Name] = value(name);
    cells[Qth] = value(qth);
    cells[Mode] = value(mode);
    cells[RstReceived] = value(rstRcvd);
    cells[RstSent] = value(rstSent);
    cells[Info] = value(notes);

    if (date && date->value.size() == 8 && AllDigits(date->value)) {
        const QByteArrayView v = date->value;
        const int y = Digits(v, 0, 4), m = Digits(v, 4, 2), d = Digits(v, 6, 2);
        if (QDate::isValid(y, m, d)) {
            QByteArray t(10, '.');
            std::memcpy(t.data(), v.data() + 6, 2);
            std::memcpy(t.data() + 3, v.data() + 4, 2);
            std::memcpy(t.data() + 6, v.data(), 4);
            cells[Date] = t;
        }
    }
    if (time && (time->value.size() == 4 || time->value.size() == 6) && AllDigits(time->value)) {
        const QByteArrayView v = time->value;
        const bool ok = Digits(v, 0, 2) < 24 && Digits(v, 2, 2) < 60 && (v.size() == 4 || Digits(v, 4, 2) < 60);
        if (ok) {
            QByteArray t(5, ':');
            std::memcpy(t.data(), v.data(), 2);
            std::memcpy(t.data() + 3, v.data() + 2, 2);
            cells[Time] = t;
        }
    }
    result.dateOrTimeMissing = cells[Date].isEmpty() || cells[Time].isEmpty();

    if (band) {
        const int i = Bands().find(UpperCaseCp1251Bytes(band->value));
        if (i >= 0) cells[Band] = ExportBands()[i].log;
    }
    if (qslRcvd || qslSent) {
        const QByteArray pair = UpperCaseCp1251Bytes(value(qslRcvd)) + UpperCaseCp1251Bytes(value(qslSent));
        const QString *word = nullptr;
        if (pair == "NN") word = &QslToSend;
        else if (pair == "YN") word = &QslReceived;
        else if (pair == "YY") word = &QslSentAndReceived;
        else if (pair == "NY") word = &QslSent;
        else if (pair == "NI") word = &QslNotToSend;
        if (word) cells[Qsl] = ToCp1251(*word);
    }
    return result;
}

AdifImportResult ImportAdifFile(const QString &path, const RowCountryTables &tables, ImportRowStore &rows,
                                const std::function<void(qint64, qint64)> &progress) {
    AdifImportResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result; // the rows of the last import stay until a file can be read
    }
    const qint64 size = file.size();
    QByteArray copy;
    QByteArrayView bytes;
    if (size > 0) {
        if (uchar *m = file.map(0, size)) {
            bytes = QByteArrayView(reinterpret_cast<const char *>(m), size);
        } else {
            copy = file.readAll();
            if (file.error() != QFileDevice::NoError) {
                result.error = file.errorString();
                return result;
            }
            bytes = copy;
        }
    }
    rows.clear();
    rows.reserve(size / 160, size / 2);
    QElapsedTimer clock;
    clock.start();
    if (progress) progress(0, size);
    try {
        AdifReader reader(bytes);
        std::vector<AdifField> fields;
        std::vector<QByteArray> cells;
        std::array<QByteArrayView, ImportRowStore::Columns> views;
        while (reader.next(fields)) {
            const AdifRowResult r = MapAdifRecord(fields, reader.encoding(), cells);
            cells[ImportColumn::Number] = QByteArray::number(result.rows + 1);
            if (!cells[ImportColumn::Call].isEmpty()) {
                const RowCountry c = LookupCountryForRow(tables, cells[ImportColumn::Call]);
                if (c.found) {
                    cells[ImportColumn::Country] = c.country;
                    cells[ImportColumn::Waz] = c.waz;
                    cells[ImportColumn::Itu] = c.itu;
                    cells[ImportColumn::Region] = c.region;
                }
            }
            for (int i = 0; i < ImportRowStore::Columns; ++i) views[i] = cells[i];
            rows.append(views.data(), ImportRowStore::Columns);
            ++result.rows;
            if (r.dateOrTimeMissing) ++result.missingDateOrTime;
            if (progress && (result.rows & 1023) == 0 && clock.elapsed() >= 100) {
                progress(reader.position(), size);
                clock.restart();
            }
        }
    } catch (const AdifError &e) {
        result.error = e.text();
    }
    if (progress) progress(size, size);
    if (result.rows == 0 && result.error.isEmpty()) result.error = QStringLiteral("ADIF: в файле нет QSO");
    return result;
}

// ---- Export ----------------------------------------------------------------

QString ExporterOutputName(const QString &source, const QString &extension) {
    const qsizetype slash = source.lastIndexOf(u'/');
    const QString folder = source.left(slash + 1);
    QString name = source.mid(slash + 1);
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0) name.truncate(dot);
    const QString stem = folder + name;
    QString candidate = stem + extension;
    for (int n = 1; QFileInfo::exists(candidate); ++n) candidate = stem + QString::number(n) + extension;
    return candidate;
}

namespace {

// "d.m.yyyy" or "d.m.yy" (the log's two-digit year rule) as "yyyymmdd".
bool DateAsAdif(QByteArrayView raw, char out[8]) {
    const QByteArrayView t = TrimBytes(raw);
    int parts[3] = {0, 0, 0}, digits[3] = {0, 0, 0}, k = 0;
    for (char c : t) {
        if (c == '.') {
            if (++k > 2) return false;
        } else if (c >= '0' && c <= '9') {
            if (++digits[k] > 4) return false;
            parts[k] = parts[k] * 10 + (c - '0');
        } else {
            return false;
        }
    }
    if (k != 2 || digits[0] < 1 || digits[0] > 2 || digits[1] < 1 || digits[1] > 2) return false;
    int y = parts[2];
    if (digits[2] == 2) y = ExpandTwoDigitYear(y);
    else if (digits[2] != 4) return false;
    if (!QDate::isValid(y, parts[1], parts[0])) return false;
    const int d = parts[0], m = parts[1];
    const char v[8] = {char('0' + y / 1000), char('0' + y / 100 % 10), char('0' + y / 10 % 10), char('0' + y % 10),
                       char('0' + m / 10),   char('0' + m % 10),       char('0' + d / 10),       char('0' + d % 10)};
    std::memcpy(out, v, 8);
    return true;
}

void Piece(QByteArray &out, const char *tag, QByteArrayView value) {
    out.append(tag); // " <name:"
    out.append(QByteArray::number(value.size()));
    out.append('>');
    out.append(value.data(), value.size());
}

constexpr TextField FDate{74, 10}, FTime{85, 10}, FName{22, 25}, FQth{48, 25}, FRstSent{126, 7}, FRstRcvd{118, 7},
    FWaz{306, 5}, FItu{312, 5};

} // namespace

bool AppendAdifRecordLine(QByteArray &out, const char *rec) {
    char date[8];
    if (!DateAsAdif(FieldBytes(rec, FDate), date)) return false;
    Piece(out, "<qso_date:", QByteArrayView(date, 8));

    const QByteArrayView time = FieldBytes(rec, FTime);
    char t[10];
    qsizetype tn = 0;
    if (time.contains(':')) {
        for (char c : time)
            if (c != ':') t[tn++] = c;
    } else if (time.size() == 4 && AllDigits(time)) {
        std::memcpy(t, time.data(), 4);
        tn = 4;
    } else {
        std::memcpy(t, "0000", 4);
        tn = 4;
    }
    Piece(out, " <time_on:", QByteArrayView(t, tn));
    Piece(out, " <call:", FieldBytes(rec, QsoField::Call));

    const QByteArrayView band = FieldBytes(rec, QsoField::Band);
    for (const ExportBand &b : ExportBands()) {
        if (band == QByteArrayView(b.log)) {
            Piece(out, " <freq:", b.freq);
            Piece(out, " <band:", b.adif);
            break;
        }
    }
    Piece(out, " <mode:", FieldBytes(rec, QsoField::Mode));
    Piece(out, " <rst_sent:", FieldBytes(rec, FRstSent));
    Piece(out, " <rst_rcvd:", FieldBytes(rec, FRstRcvd));
    if (const QByteArrayView v = FieldBytes(rec, FName); !v.isEmpty()) Piece(out, " <name:", v);
    if (const QByteArrayView v = FieldBytes(rec, FQth); !v.isEmpty()) Piece(out, " <qth:", v);

    // Sent flag, then received flag, by the QSL state's one-letter code.
    const QString code = QslCodeOfRaw(FieldBytes(rec, QsoField::QslState));
    const char *flags = "in"; // "Не отправлять", empty and any other text
    if (code == u"О") flags = "nn";
    else if (code == u"П") flags = "ny";
    else if (code == u"N") flags = "yy";
    else if (code == u"Y") flags = "yn";
    out.append(" <qsl_sent:1>");
    out.append(flags[0]);
    out.append(" <qsl_rcvd:1>");
    out.append(flags[1]);
    Piece(out, " <cqz:", FieldBytes(rec, FWaz));
    Piece(out, " <ituz:", FieldBytes(rec, FItu));
    out.append(" <eor>\r\n");
    return true;
}

AdifExportResult ExportAdifFile(const QString &logPath, const QString &firstText, const QString &lastText,
                                const std::function<void(qint64, qint64)> &progress) {
    AdifExportResult result;
    if (logPath.isEmpty()) return result;
    QFile log(logPath);
    if (!log.open(QIODevice::ReadOnly)) {
        result.status = AdifExportResult::Failed;
        result.error = QStringLiteral("%1: %2").arg(logPath, log.errorString());
        return result;
    }
    if (log.size() % QsoRecord::Size != 0) {
        result.status = AdifExportResult::Failed;
        result.error = QStringLiteral("%1: это не файл журнала").arg(logPath);
        return result;
    }
    const qint64 count = log.size() / QsoRecord::Size;
    qint64 first = 1, last = 0;
    if (const auto v = ParseInteger(firstText); v && *v > 1) first = *v;
    if (const auto v = ParseInteger(lastText)) last = *v;
    if (count < last) {
        result.status = AdifExportResult::BadLast;
        return result;
    }
    if (last < first) {
        result.status = AdifExportResult::BadRange;
        return result;
    }

    result.outputPath = ExporterOutputName(logPath, QStringLiteral(".adi"));
    QSaveFile out(result.outputPath);
    const auto fail = [&](const QString &what) {
        result.status = AdifExportResult::Failed;
        result.error = QStringLiteral("%1: %2").arg(what, out.errorString());
        out.cancelWriting();
        return result;
    };
    if (!out.open(QIODevice::WriteOnly)) return fail(result.outputPath);

    QByteArray buf;
    constexpr qsizetype Flush = 1 << 20;
    buf.reserve(Flush + 4096);
    buf.append("ADIF Export from ZELMOR\r\nSoftware and QQ0ZZZ\r\n<eoh>\r\n");
    const QByteArray deleted = ToCp1251(DeleteMarkText);
    const qint64 total = last - first + 1;
    constexpr qint64 Block = 2048;
    QByteArray block;
    QElapsedTimer clock;
    clock.start();
    if (!log.seek((first - 1) * QsoRecord::Size)) return fail(logPath);
    for (qint64 i = first - 1; i < last;) {
        const qint64 n = qMin(Block, last - i);
        block = log.read(n * QsoRecord::Size);
        if (block.size() != n * QsoRecord::Size) {
            result.status = AdifExportResult::Failed;
            result.error = QStringLiteral("Read beyond end of file: %1").arg(logPath);
            out.cancelWriting();
            return result;
        }
        for (qint64 k = 0; k < n; ++k) {
            const char *rec = block.constData() + k * QsoRecord::Size;
            if (FieldBytes(rec, QsoField::DeleteMark) == QByteArrayView(deleted)) continue;
            if (AppendAdifRecordLine(buf, rec)) ++result.exported;
            else result.unreadableDates.push_back(i + k + 1);
        }
        i += n;
        if (buf.size() >= Flush) {
            if (out.write(buf) != buf.size()) return fail(result.outputPath);
            buf.clear();
        }
        if (progress && clock.elapsed() >= 100) {
            progress(i - (first - 1), total);
            clock.restart();
        }
    }
    if (out.write(buf) != buf.size() || !out.commit()) return fail(result.outputPath);
    if (progress) progress(total, total);
    result.status = AdifExportResult::Done;
    return result;
}

} // namespace zelmor

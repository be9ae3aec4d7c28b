#include "station/refeditors.h"

#include "common/codepage.h"
#include "common/refrecords.h"
#include "common/text.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/stringgrid.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <cstring>

namespace zelmor {

namespace {

template <class R>
GridColumn Column(const FieldOf<R> &f, const char *caption, CellRule rule = CellRule::Text) {
    return {TextField{f.offset, f.capacity}, QString::fromUtf8(caption), rule};
}

QStringList Captions(const std::vector<GridColumn> &columns) {
    QStringList out;
    for (const GridColumn &c : columns) out << c.caption;
    return out;
}

RecordLayout MakeClubLayout(Club c) {
    const ClubInfo &info = ClubOf(c);
    const auto &f = ClubMemberRecord::Fields;
    RecordLayout l;
    l.file = QString::fromLatin1(info.file);
    l.size = ClubMemberRecord::Size;
    const QString number = QStringLiteral("№ ") + QString::fromUtf8(info.tag).section(u'-', 0, 0).trimmed();
    l.columns = {Column(f[0], ""), Column(f[1], "Call"), Column(f[2], "Name")};
    l.columns[0].caption = number;
    l.readMissing = QString::fromUtf8(info.displayName);
    // The write names the file as it opens it: "dig.dat", not "DIG.dat".
    l.writeMissing = u' ' + l.file;
    l.spareRows = c == Club::Dig ? 10 : 11;
    l.headers = Captions(l.columns);
    return l;
}

// The file's whole records as they are on disk, and what trails them.
struct FileImage {
    QByteArray bytes;
    qint64 records = 0;
    qint64 stray = 0;
    const char *record(qint64 i, int size) const { return bytes.constData() + i * size; }
};

// The file as it is now; nothing after the missing-file message or the
// system's reason.
std::optional<FileImage> ReadImage(const QString &path, int size, const QString &missing) {
    if (!RecordIO::Exists(path)) {
        ShowMissingFile(missing);
        return std::nullopt;
    }
    FileImage image;
    try {
        RecordIO::ForEachBlock(path, size, [&](qint64, const char *block, qint64 n) { image.bytes.append(block, n * size); });
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
        return std::nullopt;
    }
    image.records = image.bytes.size() / size;
    image.stray = QFileInfo(path).size() % size;
    return image;
}

// A write would drop the bytes after the last whole record: refused, so
// whatever they are stays for someone to look at.
bool RefuseStray(const QString &path, const FileImage &image) {
    if (image.stray == 0) return false;
    ShowErrorBox(QStringLiteral("В конце файла %1 лишние %2 байт (не целая запись): запись не сделана, чтобы их не потерять")
                     .arg(path)
                     .arg(image.stray));
    return true;
}

// Replaces the file; false after the system's reason is shown (the old
// file stays whole).
bool Replace(const QString &path, const QByteArray &bytes) {
    try {
        WriteAllBytes(path, bytes);
        return true;
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
        return false;
    }
}

WriteResult Refuse(int row, int col, const QString &text) {
    ShowErrorBox(text);
    WriteResult r;
    r.bad = BadCell{row, col, text};
    return r;
}

QStringList RowCells(const StringGridModel &g, int row, int cols) {
    QStringList out;
    out.reserve(cols);
    for (int c = 0; c < cols; ++c) out << g.cell(c, row);
    return out;
}

bool Blank(const QStringList &cells) {
    return std::all_of(cells.begin(), cells.end(), [](const QString &s) { return Trim(s).isEmpty(); });
}

QStringList FieldTexts(const RecordLayout &l, const char *record) {
    QStringList out;
    out.reserve(qsizetype(l.columns.size()));
    for (const GridColumn &c : l.columns) out << ReadTextField(record, c.field);
    return out;
}

// The shown texts of an index past what was read: an empty row.
QStringList Before(const std::vector<QStringList> &shown, qint64 i, int cols) {
    return i < qint64(shown.size()) ? shown[size_t(i)] : QStringList(cols);
}

// Only the fields whose text differs from what the read showed are
// written: the others keep their bytes, whatever follows their text.
void Patch(char *record, const RecordLayout &l, const QStringList &cells, const QStringList &before) {
    for (size_t c = 0; c < l.columns.size(); ++c)
        if (cells[qsizetype(c)] != before[qsizetype(c)]) WriteTextField(record, l.columns[c].field, cells[qsizetype(c)]);
}

// Rows into the grid from row 1, the rest of it emptied, then its row
// count. Cells past the row count are written without a signal each, which
// keeps a read of thousands of rows quick with the view attached.
void FillRows(StringGridModel &g, const std::vector<QStringList> &rows, int rowCount) {
    g.setRowCount(1);
    g.clearRows(1);
    for (size_t r = 0; r < rows.size(); ++r)
        for (qsizetype c = 0; c < rows[r].size(); ++c) g.setCell(int(c), int(r) + 1, rows[r][c]);
    g.setRowCount(rowCount);
}

void WriteHeaders(StringGridModel &g, const QStringList &headers) {
    for (qsizetype c = 0; c < headers.size(); ++c) g.setCell(int(c), 0, headers[c]);
}

// "12,57," into its numbers; nothing when a number is not closed by a
// comma or is no number.
std::optional<std::vector<qint64>> AlternativeNumbers(const QString &text) {
    std::vector<qint64> out;
    const QString t = Trim(text);
    if (t.isEmpty()) return out;
    if (!t.endsWith(u',')) return std::nullopt;
    const QStringList parts = t.left(t.size() - 1).split(u',');
    for (const QString &p : parts) {
        static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
        const QString n = Trim(p);
        if (!digits.match(n).hasMatch()) return std::nullopt;
        out.push_back(n.toLongLong());
    }
    return out;
}

QString RowWhere(int row, const GridColumn &column) {
    if (column.rule == CellRule::Alternatives) return QStringLiteral("Строка %1, альтернативы").arg(row);
    return QStringLiteral("Строка %1, \"%2\"").arg(row).arg(column.caption);
}

const QString CountryFile = QStringLiteral("dx\\world.dat");
const QString IslandFile = QStringLiteral("dx\\iota.dat");

} // namespace

const RecordLayout &CountryLayout() {
    static const RecordLayout l = [] {
        const auto &f = CountryRecord::Fields;
        RecordLayout l;
        l.file = CountryFile;
        l.size = CountryRecord::Size;
        l.columns = {Column(f[0], "Префикс"),
                     Column(f[1], "Страна"),
                     Column(f[2], "WAZ", CellRule::Waz),
                     Column(f[3], "ITU", CellRule::Itu),
                     Column(f[4], "Широта", CellRule::Latitude),
                     Column(f[5], "Долгота", CellRule::Longitude),
                     Column(f[6], "Время", CellRule::TimeOffset),
                     Column(f[7], "Континент"),
                     Column(f[8], "Общ.преф."),
                     Column(f[9], "DXCC", CellRule::DxccMark),
                     Column(f[10], "WAE"),
                     Column(f[11], "", CellRule::Alternatives)};
        l.readMissing = QStringLiteral(" World.dat");
        l.writeMissing = QStringLiteral(" world.dat");
        l.spareRows = 21;
        l.headers = Captions(l.columns);
        return l;
    }();
    return l;
}

const RecordLayout &RegionLayout() {
    static const RecordLayout l = [] {
        const auto &f = RegionRecord::Fields; // key, name, WAZ, ITU, number, A, B, OBL, UTC
        RecordLayout l;
        l.file = QStringLiteral("russia22.dat");
        l.size = RegionRecord::Size;
        l.columns = {Column(f[0], "Префикс"),
                     Column(f[1], "Название"),
                     Column(f[2], "WAZ", CellRule::Waz),
                     Column(f[3], "ITU", CellRule::Itu),
                     Column(f[5], "Долгота", CellRule::Longitude),
                     Column(f[6], "Щирота", CellRule::Latitude),
                     Column(f[4], "Номер", CellRule::RegionNumber),
                     Column(f[7], "OBL"),
                     Column(f[8], "UTC", CellRule::TimeOffset)};
        l.readMissing = l.writeMissing = QStringLiteral(" Russia22.dat");
        l.spareRows = 5;
        l.headers = Captions(l.columns);
        l.regionList = true;
        return l;
    }();
    return l;
}

const RecordLayout &VeteranLayout() {
    static const RecordLayout l = [] {
        const auto &f = VeteranRecord::Fields;
        RecordLayout l;
        l.file = QStringLiteral("vet.dat");
        l.size = VeteranRecord::Size;
        l.columns = {Column(f[0], "№"), Column(f[1], "Call"), Column(f[2], "Имя"), Column(f[3], "Очки")};
        l.readMissing = l.writeMissing = QStringLiteral(" Vet.dat");
        l.spareRows = 10;
        return l;
    }();
    return l;
}

const RecordLayout &ClubLayout(Club c) {
    static const std::array<RecordLayout, 7> layouts = [] {
        std::array<RecordLayout, 7> out;
        for (const ClubInfo &info : Clubs())
            if (info.club != Club::Veteran) out[size_t(info.club)] = MakeClubLayout(info.club);
        return out;
    }();
    return c == Club::Veteran ? VeteranLayout() : layouts[size_t(c)];
}

const RecordLayout &IslandLayout() {
    static const RecordLayout l = [] {
        const auto &f = IslandRecord::Fields;
        RecordLayout l;
        l.file = IslandFile;
        l.size = IslandRecord::Size;
        l.columns = {Column(f[0], "№ острова", CellRule::IslandReference), Column(f[1], "Префикс", CellRule::IslandPrefix),
                     Column(f[2], "Название острова")};
        l.readMissing = l.writeMissing = QStringLiteral(" Iota.dat");
        l.spareRows = 21;
        l.headers = Captions(l.columns);
        return l;
    }();
    return l;
}

QString NotReadText() { return QStringLiteral("Сначала прочитайте файл кнопкой \"Чтение\": записано ничего не будет"); }

std::optional<QString> CellProblem(int row, const GridColumn &column, const QString &text) {
    const QString where = RowWhere(row, column);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        if (pair || (c != u'?' && UnicodeToCp1251(c.unicode()) == '?'))
            return where + QStringLiteral(": знак \"%1\" нельзя записать").arg(text.mid(i, pair ? 2 : 1));
    }
    const QString stored = column.rule == CellRule::IslandPrefix ? StripBlanks(text) : text;
    if (stored.size() > column.field.capacity)
        return where + QStringLiteral(": длиннее %1 знаков").arg(column.field.capacity);

    auto number = [&](double low, double high, bool whole, bool required) -> std::optional<QString> {
        if (Trim(text).isEmpty() && !required) return std::nullopt;
        static const QRegularExpression integer(QStringLiteral("^\\s*[-+]?[0-9]+\\s*$"));
        static const QRegularExpression decimal(QStringLiteral("^\\s*[-+]?([0-9]+([.,][0-9]*)?|[.,][0-9]+)\\s*$"));
        std::optional<double> v;
        if (whole ? integer.match(text).hasMatch() : decimal.match(text).hasMatch()) {
            if (whole) {
                if (const auto n = ParseInteger(text)) v = *n;
            } else {
                v = ParseDecimal(text);
            }
        }
        if (v && *v >= low && *v <= high) return std::nullopt;
        return where + QStringLiteral(": \"%1\" — нужно число от %2 до %3").arg(text).arg(low).arg(high);
    };
    switch (column.rule) {
    case CellRule::Text:
    case CellRule::IslandPrefix: return std::nullopt;
    case CellRule::Waz: return number(1, 40, true, false);
    case CellRule::Itu: return number(1, 90, true, false);
    case CellRule::Latitude: return number(-90, 90, false, false);
    case CellRule::Longitude: return number(-180, 180, false, false);
    case CellRule::TimeOffset: return number(-14, 14, false, false);
    // The regions award puts region n in row n + 1 of its 91 rows.
    case CellRule::RegionNumber: return number(0, 89, true, true);
    case CellRule::DxccMark:
        if (text.isEmpty() || text == u"*") return std::nullopt;
        return where + QStringLiteral(": \"%1\" — только \"*\" или пусто").arg(text);
    case CellRule::Alternatives:
        if (AlternativeNumbers(text)) return std::nullopt;
        return where + QStringLiteral(" \"%1\": номера записей, каждый с запятой после него, как \"12,57,\"").arg(text);
    case CellRule::IslandReference: {
        static const QRegularExpression reference(QStringLiteral("^[A-Z]{2}[0-9]{3}$"));
        if (reference.match(Trim(text)).hasMatch()) return std::nullopt;
        return where + QStringLiteral(": \"%1\" — нужны две латинские заглавные буквы и три цифры, как \"AF001\"").arg(text);
    }
    }
    return std::nullopt;
}

int LastFilledRow(const StringGridModel &g, int cols) {
    for (int r = g.rowCountValue() - 1; r >= 1; --r)
        for (int c = 0; c < cols; ++c)
            if (!Trim(g.cell(c, r)).isEmpty()) return r;
    return 0;
}

int FindRow(const StringGridModel &g, const QString &text, FindRule rule) {
    const int last = LastFilledRow(g, g.colCount());
    const QString wanted = rule.trimmed ? Trim(text) : text;
    int found = -1;
    for (int r = std::max(rule.firstRow, 0); r <= last; ++r) {
        const QString cell = g.cell(rule.col, r);
        if ((rule.trimmed ? Trim(cell) : cell) != wanted) continue;
        found = r;
        if (rule.firstMatch) break;
    }
    return found;
}

int FindCountryRow(const StringGridModel &g, const QString &typed) {
    if (typed.isEmpty() || typed.size() > 5) return 1;
    const QString wanted = UpperCaseCp1251(typed);
    const int last = LastFilledRow(g, g.colCount());
    int found = 1;
    for (int r = 1; r <= last; ++r)
        if (UpperCaseCp1251(g.cell(1, r)).startsWith(wanted)) found = r;
    return found;
}

// ---------------------------------------------------------------------------

int RecordGridEditor::read(StringGridModel &g) {
    read_ = false;
    const auto image = ReadImage(DataPath(layout_.file), layout_.size, layout_.readMissing);
    if (!image) return -1;
    shown_.clear();
    shown_.reserve(size_t(image->records));
    for (qint64 i = 0; i < image->records; ++i) shown_.push_back(FieldTexts(layout_, image->record(i, layout_.size)));
    if (!layout_.headers.isEmpty()) WriteHeaders(g, layout_.headers);
    FillRows(g, shown_, int(image->records) + layout_.spareRows);
    read_ = true;
    return int(image->records);
}

void RecordGridEditor::takeRead(const StringGridModel &g, int records) {
    const int cols = int(layout_.columns.size());
    shown_.clear();
    read_ = records >= 0;
    for (int i = 0; i < records; ++i) shown_.push_back(RowCells(g, i + 1, cols));
}

WriteResult RecordGridEditor::write(const StringGridModel &g) {
    if (!read_) {
        ShowErrorBox(NotReadText());
        return {};
    }
    const QString path = DataPath(layout_.file);
    const auto image = ReadImage(path, layout_.size, layout_.writeMissing);
    if (!image || RefuseStray(path, *image)) return {};
    const int size = layout_.size;
    const int cols = int(layout_.columns.size());
    const qint64 count = std::max({qint64(LastFilledRow(g, cols)), image->records, qint64(shown_.size())});
    QByteArray out = image->bytes;
    out.append(QByteArray((count - image->records) * size, '\0'));

    std::vector<qint64> changed;
    for (qint64 i = 0; i < count; ++i) {
        const int row = int(i + 1);
        const QStringList cells = RowCells(g, row, cols);
        const QStringList before = Before(shown_, i, cols);
        if (cells == before) continue; // untouched: as it is on disk
        char *record = out.data() + i * size;
        changed.push_back(i);
        if (Blank(cells)) {
            std::memset(record, 0, size_t(size));
            continue;
        }
        for (int c = 0; c < cols; ++c)
            if (const auto problem = CellProblem(row, layout_.columns[size_t(c)], cells[c])) return Refuse(row, c, *problem);
        Patch(record, layout_, cells, before);
    }
    if (layout_.regionList) {
        // The award's region list stops at the first empty number.
        const auto numberColumn = std::find_if(layout_.columns.begin(), layout_.columns.end(),
                                               [](const GridColumn &c) { return c.rule == CellRule::RegionNumber; });
        const int col = int(numberColumn - layout_.columns.begin());
        qint64 gap = -1;
        for (qint64 i = 0; i < count; ++i) {
            const bool empty = Trim(ReadTextField(out.constData() + i * size, numberColumn->field)).isEmpty();
            if (empty && gap < 0) gap = i;
            if (!empty && gap >= 0)
                return Refuse(int(gap + 1), col,
                              QStringLiteral("Строка %1 пуста, а в строке %2 есть область: "
                                             "список областей кончился бы на строке %1")
                                  .arg(gap + 1)
                                  .arg(i + 1));
        }
    }
    if (out != image->bytes && !Replace(path, out)) return {};
    shown_.resize(size_t(count));
    for (qint64 i : changed) shown_[size_t(i)] = FieldTexts(layout_, out.constData() + i * size);
    WriteResult done;
    done.written = true;
    return done;
}

// ---------------------------------------------------------------------------

int CountryTableEditor::read(StringGridModel &g) {
    read_ = false;
    const RecordLayout &l = CountryLayout();
    const auto image = ReadImage(DataPath(l.file), l.size, l.readMissing);
    if (!image) return -1;
    shown_.clear();
    shown_.reserve(size_t(image->records));
    std::vector<QStringList> rows;
    for (qint64 i = 0; i < image->records; ++i) {
        shown_.push_back(FieldTexts(l, image->record(i, l.size)));
        if (Trim(shown_.back()[0]).isEmpty()) continue;
        rows.push_back(shown_.back());
        rows.back() << QString::number(i);
    }
    // Every column of the spare rows is emptied: a prefix typed there must
    // not inherit a stale index.
    FillRows(g, rows, int(rows.size()) + l.spareRows);
    read_ = true;
    return int(rows.size());
}

WriteResult CountryTableEditor::write(StringGridModel &g) {
    if (!read_) {
        ShowErrorBox(NotReadText());
        return {};
    }
    const RecordLayout &l = CountryLayout();
    const int size = l.size;
    const int cols = int(l.columns.size());
    const QString path = DataPath(l.file);
    const auto image = ReadImage(path, size, l.writeMissing);
    if (!image || RefuseStray(path, *image)) return {};
    QByteArray out = image->bytes;

    struct Plan {
        int row;
        qint64 index;
        bool added;
        bool deleted;
        QStringList cells;
    };
    std::vector<Plan> plans;
    QHash<qint64, int> rowOf;
    qint64 next = image->records;
    const int last = LastFilledRow(g, CountryTableEditor::IndexColumn + 1);
    for (int row = 1; row <= last; ++row) {
        QStringList cells = RowCells(g, row, cols);
        const QString indexText = Trim(g.cell(IndexColumn, row));
        if (indexText.isEmpty()) {
            if (Blank(cells)) continue;
            plans.push_back({row, next++, true, false, cells});
            continue;
        }
        const auto index = ParseInteger(indexText);
        if (!index || *index < 0 || *index >= image->records)
            return Refuse(row, 0, QStringLiteral("Строка %1: записи %2 в файле нет").arg(row).arg(indexText));
        if (rowOf.contains(*index))
            return Refuse(row, 0,
                          QStringLiteral("Строка %1: запись %2 уже в строке %3").arg(row).arg(*index).arg(rowOf[*index]));
        rowOf.insert(*index, row);
        if (cells == Before(shown_, *index, cols)) continue;
        plans.push_back({row, *index, false, Trim(cells[0]).isEmpty(), cells});
    }
    out.append(QByteArray((next - image->records) * size, '\0'));
    for (const Plan &p : plans) {
        char *record = out.data() + p.index * size;
        if (p.deleted) std::memset(record, 0, size_t(size));
        else Patch(record, l, p.cells, p.added ? QStringList(cols) : Before(shown_, p.index, cols));
    }

    const qint64 count = next;
    auto prefixOf = [&](qint64 i) { return Trim(ReadTextField(out.constData() + i * size, l.columns[0].field)); };
    // Which record's alternatives name each record, for the deletions.
    QHash<qint64, qint64> namedBy;
    if (std::any_of(plans.begin(), plans.end(), [](const Plan &p) { return p.deleted; }))
        for (qint64 j = count - 1; j >= 0; --j) {
            if (prefixOf(j).isEmpty()) continue;
            const auto numbers = AlternativeNumbers(ReadTextField(out.constData() + j * size, l.columns[11].field));
            if (numbers)
                for (qint64 n : *numbers) namedBy.insert(n, j);
        }
    for (const Plan &p : plans) {
        if (p.deleted) {
            if (namedBy.contains(p.index))
                return Refuse(p.row, 0,
                              QStringLiteral("Префикс %1 (запись %2) указан в альтернативах префикса %3: удалить нельзя")
                                  .arg(Trim(ReadTextField(image->record(p.index, size), l.columns[0].field)))
                                  .arg(p.index)
                                  .arg(prefixOf(namedBy.value(p.index))));
            continue;
        }
        for (int c = 0; c < cols; ++c)
            if (const auto problem = CellProblem(p.row, l.columns[size_t(c)], p.cells[c])) return Refuse(p.row, c, *problem);
        if (Trim(p.cells[0]).isEmpty())
            return Refuse(p.row, 0, QStringLiteral("Строка %1, \"Префикс\": строке нужен префикс").arg(p.row));
        if (Trim(p.cells[1]).isEmpty())
            return Refuse(p.row, 1, QStringLiteral("Строка %1, \"Страна\": у префикса должна быть страна").arg(p.row));
        const QString alternatives = p.cells[11];
        const std::vector<qint64> named = AlternativeNumbers(alternatives).value_or(std::vector<qint64>());
        for (qint64 n : named) {
            const QString where = QStringLiteral("Строка %1, альтернативы \"%2\": ").arg(p.row).arg(alternatives);
            if (n == p.index) return Refuse(p.row, 11, where + QStringLiteral("запись %1 — это сама строка").arg(n));
            if (n >= count || prefixOf(n).isEmpty()) return Refuse(p.row, 11, where + QStringLiteral("записи %1 нет").arg(n));
        }
    }

    if (out != image->bytes && !Replace(path, out)) return {};
    shown_.resize(size_t(count));
    for (const Plan &p : plans) {
        shown_[size_t(p.index)] = FieldTexts(l, out.constData() + p.index * size);
        if (p.added) g.setCell(IndexColumn, p.row, QString::number(p.index));
    }
    WriteResult done;
    done.written = true;
    return done;
}

void CountryTableEditor::sort(StringGridModel &g, int col) {
    if (col < 0 || col > IndexColumn) col = 0;
    const int cols = IndexColumn + 1;
    const int last = LastFilledRow(g, cols);
    struct Keyed {
        QByteArray key;
        QStringList cells;
    };
    std::vector<Keyed> rows;
    std::vector<QStringList> blanks;
    for (int r = 1; r <= last; ++r) {
        QStringList cells = RowCells(g, r, cols);
        if (Blank(cells)) blanks.push_back(std::move(cells));
        else rows.push_back({ToCp1251(cells[col] + u'$' + cells[IndexColumn]), std::move(cells)});
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Keyed &a, const Keyed &b) { return CompareCp1251Text(a.key, b.key) < 0; });
    std::vector<QStringList> ordered;
    ordered.reserve(rows.size() + blanks.size());
    for (Keyed &k : rows) ordered.push_back(std::move(k.cells));
    for (QStringList &b : blanks) ordered.push_back(std::move(b));
    const int rowCount = g.rowCountValue();
    g.setRowCount(1);
    for (size_t r = 0; r < ordered.size(); ++r)
        for (int c = 0; c < cols; ++c) g.setCell(c, int(r) + 1, ordered[r][c]);
    g.setRowCount(rowCount);
}

// ---------------------------------------------------------------------------

int IslandEditor::read(StringGridModel &striota) {
    read_ = false;
    const RecordLayout &l = IslandLayout();
    const auto image = ReadImage(DataPath(l.file), l.size, l.readMissing);
    if (!image) return -1;
    std::vector<QStringList> rows;
    for (qint64 i = 0; i < image->records; ++i) {
        QStringList texts = FieldTexts(l, image->record(i, l.size));
        if (!Trim(texts[0]).isEmpty()) rows.push_back(std::move(texts));
    }
    // Row count: the next free row and 20 more.
    FillRows(striota, rows, int(rows.size()) + l.spareRows);
    read_ = true;
    return int(rows.size());
}

int IslandEditor::remove(const QString &reference) {
    const QString wanted = Trim(reference);
    if (wanted.isEmpty()) return 0;
    const RecordLayout &l = IslandLayout();
    const QString path = DataPath(l.file);
    const auto image = ReadImage(path, l.size, l.readMissing);
    if (!image) return -1;
    for (qint64 i = 0; i < image->records; ++i) {
        if (Trim(ReadTextField(image->record(i, l.size), l.columns[0].field)) != wanted) continue;
        try {
            WriteRecord(path, i, IslandRecord{}); // the slot stays, free
            return 1;
        } catch (const IoError &e) {
            ShowErrorBox(e.text());
            return -1;
        }
    }
    return 0;
}

WriteResult IslandEditor::merge(const StringGridModel &striota1, const std::function<void(int, int)> &progress) {
    if (!read_) {
        ShowErrorBox(NotReadText());
        return {};
    }
    const RecordLayout &l = IslandLayout();
    const int size = l.size;
    const QString path = DataPath(l.file);
    const auto image = ReadImage(path, size, l.writeMissing);
    if (!image || RefuseStray(path, *image)) return {};

    struct Island {
        QString reference, prefix, name;
        qint64 record = -1; // where it was read, or -1 for a typed row
    };
    auto normal = [](const QString &reference, const QString &prefix, const QString &name, qint64 record) {
        return Island{Trim(reference), StripBlanks(prefix), Trim(name), record};
    };
    std::vector<Island> all;
    for (qint64 i = 0; i < image->records; ++i) {
        const QStringList t = FieldTexts(l, image->record(i, size));
        all.push_back(normal(t[0], t[1], t[2], i));
    }
    const int cols = int(l.columns.size());
    const int last = LastFilledRow(striota1, cols);
    for (int row = 1; row <= last; ++row) {
        const QStringList cells = RowCells(striota1, row, cols);
        if (Blank(cells)) continue;
        for (int c = 0; c < cols; ++c)
            if (const auto problem = CellProblem(row, l.columns[size_t(c)], cells[c])) return Refuse(row, c, *problem);
        all.push_back(normal(cells[0], cells[1], cells[2], -1));
    }
    // A typed row takes the place of the island with its reference: the one
    // with its prefix, or the only one; else it is one more. The file's own
    // islands stay as they are, several records of one reference included
    // (an island shared by countries has one per prefix); its free slots
    // become one entry.
    std::vector<Island> merged;
    QHash<QString, std::vector<size_t>> at;
    for (Island &island : all) {
        std::vector<size_t> &same = at[island.reference];
        size_t into = merged.size();
        if (island.reference.isEmpty() && !same.empty()) {
            into = same.front();
        } else if (island.record < 0 && !same.empty()) {
            const auto prefix = std::find_if(same.begin(), same.end(),
                                             [&](size_t i) { return merged[i].prefix == island.prefix; });
            if (prefix != same.end()) into = *prefix;
            else if (same.size() == 1) into = same.front();
        }
        if (into < merged.size()) {
            merged[into] = std::move(island);
        } else {
            same.push_back(merged.size());
            merged.push_back(std::move(island));
        }
    }
    std::stable_sort(merged.begin(), merged.end(),
                     [](const Island &a, const Island &b) { return CompareText(a.reference, b.reference) < 0; });

    const qint64 count = std::max(qint64(merged.size()), image->records);
    QByteArray out(count * size, '\0');
    const int total = int(merged.size());
    for (int k = 0; k < total; ++k) {
        const Island &island = merged[size_t(k)];
        char *record = out.data() + qint64(k) * size;
        bool kept = false;
        if (island.record >= 0) {
            const char *was = image->record(island.record, size);
            const QStringList t = FieldTexts(l, was);
            if (t[0] == island.reference && t[1] == island.prefix && t[2] == island.name) {
                std::memcpy(record, was, size_t(size));
                kept = true;
            }
        }
        if (!kept) {
            IslandRecord r;
            r.reference = island.reference;
            r.prefix = island.prefix;
            r.name = island.name;
            const QByteArray bytes = EncodeRecord(r);
            std::memcpy(record, bytes.constData(), size_t(size));
        }
        if (progress && (k % 64 == 0 || k + 1 == total)) progress(k + 1, total);
    }
    if (out != image->bytes && !Replace(path, out)) return {};
    WriteResult done;
    done.written = true;
    return done;
}

// ---------------------------------------------------------------------------

namespace {
QString NameBasePath(NameBase base) {
    return DataPath(base == NameBase::Names ? QStringLiteral("name\\name.bas") : QStringLiteral("name\\qth.bas"));
}
QString NameBaseMissing(NameBase base) {
    return base == NameBase::Names ? QStringLiteral(" Name.bas") : QStringLiteral(" Qth.bas");
}
const TextField NameField{NameListRecord::Fields[0].offset, NameListRecord::Fields[0].capacity};
} // namespace

std::optional<QStringList> ReadNameBase(NameBase base) {
    const auto image = ReadImage(NameBasePath(base), NameListRecord::Size, NameBaseMissing(base));
    if (!image) return std::nullopt;
    std::vector<std::pair<QByteArray, QString>> keyed;
    for (qint64 i = 0; i < image->records; ++i) {
        const QString text = ReadTextField(image->record(i, NameListRecord::Size), NameField);
        if (!Trim(text).isEmpty()) keyed.emplace_back(ToCp1251(text), text);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto &a, const auto &b) { return CompareCp1251Text(a.first, b.first) < 0; });
    QStringList out;
    out.reserve(qsizetype(keyed.size()));
    for (auto &k : keyed) out << k.second;
    return out;
}

int DeleteFromNameBase(NameBase base, const QString &text) {
    const QString path = NameBasePath(base);
    const int size = NameListRecord::Size;
    const auto image = ReadImage(path, size, NameBaseMissing(base));
    if (!image || RefuseStray(path, *image)) return -1;
    QByteArray out = image->bytes;
    int blanked = 0;
    for (qint64 i = 0; i < image->records; ++i) {
        char *record = out.data() + i * size;
        if (ReadTextField(record, NameField) != text) continue;
        std::memset(record, 0, size_t(size));
        ++blanked;
    }
    if (out != image->bytes && !Replace(path, out)) return -1;
    return blanked;
}

} // namespace zelmor

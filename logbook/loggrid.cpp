#include "logbook/loggrid.h"

#include "common/recordfile.h"
#include "common/text.h"
#include "logbook/logfile.h"
#include "logbook/settingscatalogue.h"
#include "logbook/settingsstore.h"
#include "platform/stringgrid.h"

#include <algorithm>

namespace zelmor {

const std::array<QString, LogGridColumns> LogGridHeaders = {
    QStringLiteral("    №"),   QStringLiteral(" Call"), QStringLiteral(" Name"),  QStringLiteral(" QTH"),
    QStringLiteral(" Date"),   QStringLiteral(" UTC"),  QStringLiteral(" Band"),  QStringLiteral(" Mode"),
    QStringLiteral(" RSTs"),   QStringLiteral(" RSTr"), QStringLiteral(" Очки"),  QStringLiteral("Locator"),
    QStringLiteral(" Info"),   QStringLiteral(" WAZ"),  QStringLiteral(" ITU"),   QStringLiteral(" Страна"),
    QStringLiteral(" QSL"),    QStringLiteral(" VIA"),  QStringLiteral(" IOTA"),  QStringLiteral(" Частота"),
};

int PageStep = 100;
int EditedQsoNumber = 0;

std::optional<qint64> LogGridPageStart(int mode, int step, std::optional<qint64> bottomIndex, qint64 current,
                                       qint64 count, int pageStep, int sliderTop) {
    // b: the bottom row's number, 1 when that row is empty.
    const qint64 b = bottomIndex ? *bottomIndex + 1 : 1;
    qint64 index = current;
    switch (step) {
    case 100: index = b + pageStep - 1; break;
    case -100: index = b - pageStep - 1; break;
    case 1: index = b; break;
    case -1: index = b - 2; break;
    default: break;
    }
    const qint64 lastPage = count - LogGridRecordRows;
    if (mode == PageLast) {
        // An empty log shows an empty page, never the rows of the log before.
        return lastPage < 0 ? 0 : lastPage;
    }
    if (mode == PageBySlider) {
        const qint64 weight = SliderWeightBase - sliderTop;
        index = (count / SliderDivisor + 3) * weight - 124;
        if (index >= lastPage) index = lastPage;
    }
    // A step past the newest page or before the oldest record does nothing.
    if (mode == PageByStep && index >= lastPage + 1) return std::nullopt;
    if (index >= count || index < 0) return std::nullopt;
    return index;
}

QString &FieldText(QsoRecord &r, int field) { return r.*(QsoRecord::Fields[field].member); }
const QString &FieldText(const QsoRecord &r, int field) { return r.*(QsoRecord::Fields[field].member); }

bool IsDeleted(const QsoRecord &r) { return r.deleteMark == DeleteMarkText; }

std::array<QString, LogGridColumns> LogGridCells(const QsoRecord &r) {
    std::array<QString, LogGridColumns> cells;
    cells[0] = r.number;
    if (IsDeleted(r)) return cells;
    for (int c = 1; c < LogGridColumns; ++c) cells[c] = FieldText(r, LogGridColumnField[c]);
    return cells;
}

QsoFieldMask ChangedFields(const QsoRecord &a, const QsoRecord &b) {
    QsoFieldMask m;
    for (int f = 0; f < QsoFieldCount; ++f)
        if (FieldText(a, f) != FieldText(b, f)) m.set(f);
    return m;
}

QsoRecord RewriteLogRecordFields(const QString &path, qint64 index, const QsoRecord &texts, QsoFieldMask mask) {
    QByteArray bytes = RecordIO::Read(path, QsoRecord::Size, index);
    if (mask.any()) {
        for (int f = 0; f < QsoFieldCount; ++f) {
            if (!mask.test(f)) continue;
            const auto &field = QsoRecord::Fields[f];
            WriteTextField(bytes.data(), {field.offset, field.capacity}, FieldText(texts, f));
        }
        RecordIO::Write(path, QsoRecord::Size, index, bytes);
    }
    return DecodeRecord<QsoRecord>(bytes.constData());
}

QsoRecord MarkLogRecordDeleted(const QString &path, qint64 index, bool deleted) {
    QsoRecord texts;
    texts.deleteMark = deleted ? DeleteMarkText : QString();
    QsoFieldMask mask;
    mask.set(FieldDeleteMark);
    return RewriteLogRecordFields(path, index, texts, mask);
}

QsoRecord CorrectLogRecordCall(const QString &path, qint64 index, const QString &call, const QString &waz,
                               const QString &itu, const QString &country, const QString &locator,
                               const QString &regionCode) {
    QsoRecord texts;
    texts.call = StripBlanks(call);
    texts.waz = waz;
    texts.itu = itu;
    texts.country = country;
    texts.locator = locator;
    texts.regionNumber = regionCode;
    QsoFieldMask mask;
    for (int f : {FieldCall, FieldWaz, FieldItu, FieldCountry, FieldLocator, FieldRegion}) mask.set(f);
    return RewriteLogRecordFields(path, index, texts, mask);
}

QsoRecord SetLogRecordBand(const QString &path, qint64 index, const QString &band) {
    QsoRecord texts;
    texts.band = band;
    QsoFieldMask mask;
    mask.set(FieldBand);
    return RewriteLogRecordFields(path, index, texts, mask);
}

void SetLogColumnsEntry(qint64 index, const QsoRecord &stored) {
    LogColumns.setEntry(index, IsDeleted(stored) ? QString() : stored.call, stored.band, stored.country, stored.mode,
                        QslCode(stored.qslState));
}

namespace {
int LastStoredColumn(const TStringGrid &grid) {
    return std::min(grid.colCount() - 1, Setting(SettingId::LogGridWidth).last);
}
} // namespace

void LoadLogGridColumnWidths(TStringGrid &grid) {
    SettingsBatch batch;
    for (int n = 0; n <= LastStoredColumn(grid); ++n) {
        const qint32 stored = LoadSetting(SettingId::LogGridWidth, n).number;
        grid.setColWidth(n, stored != 0 ? stored : 80);
    }
}

void LoadLogGridColumnLayout(TStringGrid &grid) {
    SettingsBatch batch; // values a read creates are saved once
    // Column 0 keeps its width.
    for (int n = 1; n <= LastStoredColumn(grid); ++n) {
        const qint32 stored = LoadSetting(SettingId::LogGridWidth, n).number;
        int width = stored != 0 ? stored : 80;
        if (LoadSetting(SettingId::LogGridShown, n).number == 0) width = 0;
        grid.setColWidth(n, width);
    }
}

void SaveLogGridColumnFlags(const TStringGrid &grid) {
    SettingsBatch batch; // 20 values, one save
    for (int n = 0; n <= LastStoredColumn(grid); ++n) WriteSetting(SettingId::LogGridShown, qint32(grid.colWidth(n) != 0 ? 1 : 0), n);
}

} // namespace zelmor

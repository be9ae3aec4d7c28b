// The call analysis of the QSO window: country, zones, region, local time,
// bearing, the repeat and new-country check, club, name and manager look-ups.
#include "logbook/form1.h"

#include "common/blocksearch.h"
#include "common/refrecords.h"
#include "common/text.h"
#include "logbook/bearing.h"
#include "logbook/countrylookup.h"
#include "logbook/localtime.h"
#include "logbook/logfile.h"
#include "logbook/qsostate.h"
#include "logbook/reference.h"
#include "logbook/regionlookup.h"
#include "logbook/repeatcheck.h"
#include "logbook/stationprofile.h"
#include "logtools/dxcc9b.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/sound.h"
#include "station/gmtf.h"
#include "station/nastroy.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QStringListModel>
#include <QTimer>

namespace zelmor {

QStringList MapPointList;
std::function<void(int x, int y, unsigned colour, const QString &call, const QString &country,
                   const QString &distance)>
    DrawMapPoint;
std::function<void(const QString &country)> RefreshCountryStatistics;
std::function<void()> StartTransceiverPoll;

namespace {
const QColor kBlue(0, 0, 255), kRed(255, 0, 0), kYellow(255, 255, 0);
const QString kRepeat = QStringLiteral("Повторное QSO");
const QString kNewCountry = QStringLiteral("Новая страна");

bool Checked(QCheckBox *b) { return b && b->isChecked(); }
} // namespace

void Tform1::callChange(const QString &text) {
    if (text.size() == 1 && Checked(Nastroy->rxtx_call) && StartTransceiverPoll) StartTransceiverPoll();
    StoredCallLength = int(text.size());
    // Enabling a running timer does not restart it: fast typing is analysed once.
    if (!Timer4->isActive()) Timer4->start();
}

void Tform1::Timer4Timer() {
    Timer4->stop();
    if (call->text().size() == StoredCallLength) AnalyseCall();
}

void Tform1::AnalyseCall() {
    const QString c = call->text();
    if (c.isEmpty()) ClearAnalysis();
    if (!RecalledFromMemory && !EditMode)
        for (QLineEdit *e : {name1, qth, info, pFreq, Pvia, pIOTA}) e->clear();
    Panel4->hide();
    if (!c.isEmpty()) {
        if (!EditMode) {
            if (Label5->text() == QStringLiteral("Вкл.")) pFreq->setText(vfob->text());
            SetDefaultRstForMode();
        }
        // Nothing of the previous call survives: a call whose prefix is in no
        // table record is left without a country, not with the last one's.
        for (QString *v : {&DxCountry, &DxContinent, &DxWaz, &DxItu, &DxLatitude, &DxLongitude, &DxUtcOffset,
                           &DxCommonPrefix, &DxLocalTime, &DxRegionName, &DxRegionCode, &DxBearing, &DxDistance,
                           &DxLocator})
            v->clear();
        if (!EditMode) qthl->clear();
        for (qsizetype n = 1; n <= c.size(); ++n) {
            DxPrefix = StripBlanks(QStringView(c).left(n));
            LookupCountryByPrefix();
            ComputeStationLocalTime(DxUtcOffset);
        }
        if (RefreshCountryStatistics) RefreshCountryStatistics(DxCountry);
    }
    if (c.size() > 2) {
        LookupRegion();
        CheckRepeatAndNewCountry();
        if (!RecalledFromMemory)
            for (const ClubInfo &club : Clubs()) LookupMemberNumber(club.club);
        LookupNameByCall();
        if (!EditMode) {
            DxQslState = ChooseDefaultQslState();
            cqsl->setText(DxQslState);
            analysedQslState_ = DxQslState;
        }
    }
    if (!c.isEmpty())
        chart.title = QStringList{DxCountry + QStringLiteral("    WAZ-") + DxWaz + QStringLiteral("  ITU-") + DxItu +
                                  QStringLiteral("     ") + DxContinent};
    if (c.size() < 4) chart.clearSeries();
    if (c.isEmpty()) ShowDxccBandChart();
    if (RepeatFound != 1 && !EntryBarTyping && !EditMode && !c.isEmpty() && Checked(Nastroy->n26)) ListCallsWithPrefix();
    ShowBearingAndDistance();
    analysed_ = {DxCountry, DxRegionName, DxRegionCode};
    chartChanged();
}

void Tform1::LookupCountryByPrefix() {
    DxRegionName.clear();
    const int i = FindPrefixRecord(PrefixList, DxPrefix);
    if (i < 0) {
        DxWaz = UsCanadaZone(DxCountry, DxPrefix, DxWaz);
        return;
    }
    const QString world = DataPath(QStringLiteral("dx\\world.dat"));
    CountryRecord r;
    std::vector<std::pair<qint64, CountryRecord>> alternatives;
    try {
        r = ReadRecord<CountryRecord>(world, i);
        // Entries that are not numbers or not records of the table are passed
        // over: the analysis never stops on data.
        const QString list = Trim(r.alternatives);
        const qint64 records = list.isEmpty() ? 0 : RecordIO::Count(world, CountryRecord::Size);
        qsizetype start = 0;
        for (qsizetype k = 0; k < list.size(); ++k) {
            if (list[k] != u',') continue;
            const auto n = ParseInteger(QStringView(list).mid(start, k - start));
            start = k + 1;
            if (!n || *n < 0 || *n >= records) continue;
            alternatives.emplace_back(*n, ReadRecord<CountryRecord>(world, *n));
        }
    } catch (const IoError &) {
        ShowMissingFile(QStringLiteral(" World.dat"));
        return;
    }
    TakeCountryValues(r);
    CountryCandidates.clear();
    if (!Trim(r.alternatives).isEmpty()) {
        // Shift+F6 cycles the candidates (F9 keys a CW command line).
        StatusText = QStringLiteral("Определите страну нажатием Shift+F6");
        for (const auto &[number, a] : alternatives) CountryCandidates.append(a, number);
        const QString whoosh = DataPath(QStringLiteral("whoosh.wav"));
        if (!QFileInfo(whoosh).isFile()) ShowMissingFile(QStringLiteral(" Whoosh.wav"));
        else platform::sound().play(whoosh);
        AmbiguousCountry = 1;
    } else {
        AmbiguousCountry = 0;
    }
    // A time value that is not a number counts as none.
    if (!ParseDecimal(r.time)) DxLocalTime = QStringLiteral("0");
}

void Tform1::ComputeStationLocalTime(const QString &offset) {
    if (const auto t = StationLocalTime(offset, gmtf->utc->text(), platform::clock().now().time())) DxLocalTime = *t;
}

void Tform1::LookupRegion() {
    RegionalCall = 0;
    DxRegionCode.clear();
    const QString c = call->text();
    if (!c.isEmpty() && TakesRussianRegion(c, DxCountry)) LookupRussianRegion();
    const QString country = Trim(DxCountry);
    if (country == QLatin1String("Belarus")) LookupBelarusRegion();
    else if (country == QLatin1String("Brazil")) LookupBrazilRegion();
    else if (country == QLatin1String("Ukraine")) LookupRegionFile(QStringLiteral("ucraina.dat"));
    else if (country == QLatin1String("Kazakhstan")) LookupRegionFile(QStringLiteral("Kaz_tan.dat"));
}

void Tform1::LookupRussianRegion() {
    RegionalCall = 1;
    DxRegionName.clear();
    DxRegionCode.clear();
    const QString c = call->text();
    if (!c.isEmpty()) {
        RegionHit hit;
        switch (FindRussianRegion(DataPath(QStringLiteral("russia22.dat")), c, hit)) {
        case LookupStatus::NoFile: ShowMissingFile(QStringLiteral(" Russia22.dat")); break;
        case LookupStatus::Match:
            DxWaz = hit.waz;
            DxItu = hit.itu;
            DxRegionName = hit.name;
            DxLongitude = hit.longitude;
            DxLatitude = hit.latitude;
            DxRegionCode = hit.number;
            break;
        case LookupStatus::NoMatch: break;
        }
    }
    ShowBearingAndDistance();
}

void Tform1::LookupRegionFile(const QString &file) {
    RegionalCall = 1;
    DxRegionName.clear();
    const QString c = call->text();
    if (!c.isEmpty()) {
        RegionHit hit;
        switch (FindRegionInFile(DataPath(file), c, hit)) {
        case LookupStatus::NoFile:
            ShowErrorBox(MissingFileText(QStringLiteral(" Ucraina.dat")) + QStringLiteral(" или \"Kaz_tan.dat\""));
            break;
        case LookupStatus::Match:
            DxRegionName = hit.name;
            DxLatitude = hit.latitude;
            DxLongitude = hit.longitude;
            break;
        case LookupStatus::NoMatch: break;
        }
    }
    ShowBearingAndDistance();
}

void Tform1::LookupBrazilRegion() {
    QString name;
    switch (FindBrazilRegion(DataPath(QStringLiteral("brasil.dat")), call->text(), name)) {
    case LookupStatus::NoFile: ShowMissingFile(QStringLiteral(" Brasil.dat")); break;
    case LookupStatus::Match: DxRegionName = name; break;
    case LookupStatus::NoMatch: break;
    }
}

void Tform1::LookupBelarusRegion() {
    RegionalCall = 1;
    const QString c = call->text();
    if (!c.isEmpty()) {
        RegionHit hit;
        if (FindBelarusRegion(c, hit)) {
            DxRegionName = hit.name;
            DxLatitude = hit.latitude;
            DxLongitude = hit.longitude;
        }
    }
    ShowBearingAndDistance();
}

void Tform1::ClearAnalysis() {
    rsts->setText(RstSentPlaceholder);
    rst->setText(RstReceivedPlaceholder);
    ochk->setText(PointsPlaceholder);
    chart.title.clear();
    if (Checked(Nastroy->tim1)) tim->clear();
    AmbiguousCountry = 0;
    for (QString *s : {&DxPrefix, &DxRegionName, &DxRegionCode, &DxCountry, &DxItu, &DxWaz, &DxContinent,
                       &DxLatitude, &DxLongitude, &DxCommonPrefix, &DxLocalTime, &DxUtcOffset, &DxBearing,
                       &DxDistance, &DxLocator})
        s->clear();
    CountryCandidates.clear();
    StatusText.clear();
    qthl->clear();
    pFreq->clear();
    Memo1->hide();
    strp->hide();
    Listvia->clear();
    RecalledFromMemory = 0;
}

void Tform1::ListCallsWithPrefix() {
    if (!strp->isHidden()) return;
    const QString typed = call->text();
    QStringList found;
    for (qint64 i : LogColumns.indexesOfCallsBeginningWith(typed)) found.append(LogCalls[i]);
    memo1Model->setStringList(found);
    Memo1->setHidden(found.isEmpty());
}

void Tform1::SetDefaultRstForMode() {
    const QString r = DefaultRstForMode(cb2->text());
    if (r.isEmpty()) return;
    rst->setText(r);
    rsts->setText(r);
}

void Tform1::ShowBearingAndDistance() {
    if (DxLongitude.isEmpty() || DxLatitude.isEmpty()) return;
    const auto lon = ParseDecimal(DxLongitude), lat = ParseDecimal(DxLatitude);
    if (!lon || !lat) return;
    const auto ownLon = ParseDecimal(StationProfile.longitude), ownLat = ParseDecimal(StationProfile.latitude);
    std::optional<BearingResult> r;
    if (ownLon && ownLat) {
        r = ComputeBearing(*ownLat, *ownLon, *lat, *lon);
        if (!r) {
            DxBearing.clear();
            StatusText = QStringLiteral("Вы хотите узнать свой азимут?");
        } else {
            DxBearing = QString::number(r->bearing);
            DxDistance = r->distanceText;
        }
    }
    DxLocator = MaidenheadLocator(*lon, *lat);
    // Editing a logged QSO never changes a field the operator did not touch.
    if (!EditMode) qthl->setText(DxLocator);
    if (DxBearing.isEmpty() || !r) return;
    chart.title << DxDistance + QStringLiteral("     Мест.время ") + DxLocalTime
                << QStringLiteral("Широта  ") + DxLatitude + QStringLiteral("    Долгота ") + DxLongitude
                << QStringLiteral("Азимут - %1 / %2    ").arg(r->bearing).arg(r->reverse) + DxRegionName;
}

void Tform1::PlotStationOnMap(const QString &longitude, const QString &latitude, unsigned colour, bool remember) {
    if (StartupDone == 1 && call->text().isEmpty()) return;
    const auto lon = ParseDecimal(longitude), lat = ParseDecimal(latitude);
    if (!lon || !lat) return;
    const QPoint p = MapPixel(*lon, *lat);
    if (remember) MapPointList << QStringLiteral("%1,%2,").arg(p.x()).arg(p.y()) + call->text() + u',' + DxCountry;
    if (DrawMapPoint) DrawMapPoint(p.x(), p.y(), colour, call->text(), DxCountry, DxDistance);
}

// ---- repeat, new-country, club and QSL-manager checks ----

void Tform1::PlayAlertSound(const QString &path) {
    // A sound that cannot play is silent; the check goes on.
    if (Trim(path).isEmpty()) return;
    MediaBusyWithAlert = 1;
    platform::sound().play(path);
}

void Tform1::CheckRepeatAndNewCountry() {
    chart.clearSeries();
    ClearBandCounters();
    if (DxCountry.isEmpty() || EditMode) return;
    bool repeat = false;
    for (int r = 1; r <= 9; ++r)
        for (int col = 0; col <= 4; ++col) strp->setCell(col, r, QString());
    strp->hide();
    const QString c = call->text();
    if (c.isEmpty()) return;
    int row = 1;
    RepeatFound = 0;
    const QString key = StripBlanks(c);
    // The log stores the country cut to its field: compare what it stores.
    const LogScanResult scan = ScanLogColumns(LogColumns, CutToCapacity(DxCountry, 30), key);
    const bool countryWorked = scan.countryWorked;
    if (!scan.repeats.empty()) {
        repeat = true;
        RepeatFound = 1;
        const qint64 savedIndex = LogRecordIndex;
        std::vector<QByteArray> records;
        try {
            records = RecordIO::ReadMany(LogFilePath(), QsoRecord::Size, scan.repeats);
        } catch (const IoError &e) {
            ShowErrorBox(e.text());
        }
        for (size_t k = 0; k < records.size(); ++k) {
            LogRecordIndex = scan.repeats[k];
            LogRecord = DecodeRecord<QsoRecord>(records[k].constData());
            if (Trim(LogRecord.call) != Trim(key)) continue;
            if (!LogRecord.qslVia.isEmpty()) Pvia->setText(LogRecord.qslVia);
            if (!LogRecord.iota.isEmpty()) pIOTA->setText(LogRecord.iota);
            name1->setText(LogRecord.name);
            qth->setText(LogRecord.qth);
            const QString cells[8] = {LogRecord.number, LogRecord.date, LogRecord.time, LogRecord.band,
                                      LogRecord.mode, LogRecord.qslState, LogRecord.rstReceived, LogRecord.rstSent};
            for (int col = 0; col < 8; ++col) strp->setCell(col, row, cells[col]);
            if (!LogRecord.info.isEmpty()) info->setText(LogRecord.info);
            ++row;
        }
        LogRecordIndex = savedIndex;
    }
    if (!repeat && countryWorked) StatusText = QStringLiteral("С этой станцией первое QSO");
    if (repeat) {
        if (Checked(Nastroy->n24)) strp->show();
        strp->setRowCount(row);
        if (row > 4) strp->setTopRow(row - 2);
        strp->setCell(0, 0, QString::number(row - 1) + QStringLiteral(" QSO"));
        if (Checked(Nastroy->povmidi) && StatusText != kRepeat) PlayAlertSound(Nastroy->Edit15->text());
        StatusText = kRepeat;
    }
    if (!repeat && !RecalledFromMemory) {
        name1->clear();
        qth->clear();
    }
    if (countryWorked) {
        FillCountryChartSeries();
    } else {
        if (Checked(Nastroy->Newworld) && StatusText != kNewCountry) PlayAlertSound(Nastroy->Edit16->text());
        StatusText = kNewCountry;
    }
    RepeatFound = 0;
}

void Tform1::FillCountryChartSeries() {
    for (int j = 0; j < BandCount; ++j) {
        if (CountryWorkedPerBand[j] <= 0) continue;
        const QString label = NominalBandFrequencies[j];
        if (D_QSO2->isChecked()) chart.Series(2).push_back({label, double(CountryConfirmedPerBand[j]), kBlue});
        if (D_QSO1->isChecked()) chart.Series(3).push_back({label, double(CountryWorkedPerBand[j]), kRed});
        if (D_QSL3->isChecked()) chart.Series(4).push_back({label, double(CountrySentPerBand[j]), kYellow});
    }
}

void Tform1::LookupMemberNumber(Club club) {
    const ClubInfo &info_ = Clubs()[int(club)];
    QCheckBox *box = Nastroy->clubBox(club);
    if (!Checked(box)) return;
    const QString key = StripBlanks(call->text());
    const QStringList &list = ClubCallLists.of(club);
    qsizetype found = -1;
    for (qsizetype i = 0; i < list.size(); ++i)
        if (Trim(list[i]) == key) {
            found = i;
            break;
        }
    if (found < 0) return;
    QString number, name, points;
    try {
        const QString path = DataPath(QString::fromLatin1(info_.file));
        if (club == Club::Veteran) {
            const auto r = ReadRecord<VeteranRecord>(path, found);
            number = r.number, name = r.name, points = r.points;
        } else {
            const auto r = ReadRecord<ClubMemberRecord>(path, found);
            number = r.number, name = r.name;
        }
    } catch (const IoError &) {
        ShowMissingFile(QString::fromUtf8(info_.displayName));
        return;
    }
    if (!EditMode) {
        info->setText(WithClubTag(info->text(), QString::fromUtf8(info_.tag), number));
        if (name1->text().isEmpty()) name1->setText(name);
        if (club == Club::Veteran) ochk->setText(points);
    }
    pname->hide();
}

void Tform1::LookupNameByCall() {
    if (CallNameList.isEmpty()) return;
    const QString key = StripBlanks(call->text());
    const CallWindow w = BlockSearchWindow(CallNameList.size(), [](qint64 i) { return CallNameList[i]; }, key);
    if (w.empty()) return;
    std::vector<qint64> hits;
    for (qint64 i = w.high; i >= w.low; --i)
        if (CallNameList[i] == key) hits.push_back(i);
    if (hits.empty()) return;
    std::vector<QByteArray> records;
    try {
        records = RecordIO::ReadMany(DataPath(QStringLiteral("names1.dat")), CallNameRecord::Size, hits);
    } catch (const IoError &) {
        return; // the name file is optional
    }
    for (const QByteArray &b : records)
        if (!EditMode && name1->text().isEmpty()) name1->setText(DecodeRecord<CallNameRecord>(b.constData()).firstName);
    pname->hide();
}

void Tform1::LookupQslManager() {
    Listvia->clear();
    const QString key = StripBlanks(call->text());
    if (key.isEmpty() || CallRank(key[0]) < 0) return;
    QByteArray bytes;
    {
        QFile f(DataPath(QStringLiteral("qslmng.mng")));
        if (!f.open(QIODevice::ReadOnly)) return; // no manager file: nothing to offer
        bytes = f.readAll();
    }
    const qint64 count = bytes.size() / QslManagerRecord::Size;
    auto callAt = [&](qint64 i) { return ReadTextField(bytes.constData() + i * QslManagerRecord::Size, {0, 13}); };
    const CallWindow w = BlockSearchWindow(count, callAt, key);
    for (qint64 i = w.low; i <= w.high; ++i) {
        if (callAt(i) != key) continue;
        const auto r = DecodeRecord<QslManagerRecord>(bytes.constData() + i * QslManagerRecord::Size);
        Listvia->addItem(r.manager);
        Pvia->setText(r.manager);
        StatusText = QStringLiteral("Менеджер в списке");
    }
}

QString Tform1::ChooseDefaultQslState() const {
    QslRuleInputs in;
    in.qslf1 = Checked(Nastroy->qslf1);
    in.eqslf1 = Nastroy->eqslf1->text();
    const int band = LogBandIndex(cb1->text());
    in.confirmedOnBand = band >= 0 ? CountryConfirmedPerBand[band] : 0;
    in.qslf2 = Checked(Nastroy->qslf2);
    in.dxCountry = DxCountry;
    in.ownCountry = StationProfile.country;
    in.qslf3 = Checked(Nastroy->qslf3);
    in.dxContinent = DxContinent;
    in.ownContinent = StationProfile.continent;
    in.current = cqsl->text();
    return zelmor::ChooseDefaultQslState(in);
}

void Tform1::ShowCountryBandChart() {
    chart.title.clear();
    chart.clearSeries();
    CheckRepeatAndNewCountry();
    chart.title = QStringList{DxCountry + QStringLiteral("   WAZ-") + DxWaz + QStringLiteral("  ITU-") + DxItu +
                              QStringLiteral("     ") + DxContinent};
    ShowBearingAndDistance();
    chartChanged();
}

void Tform1::ShowDxccBandChart() {
    chart.clearSeries();
    const StringGridModel &g = DXcc9b->str2->model();
    int lastRow = 0;
    while (!g.cell(0, lastRow + 1).isEmpty()) ++lastRow;
    for (int col = 3; col + 1 <= 20; col += 2) {
        int p = 0, q = 0;
        for (int r = 1; r <= lastRow; ++r) {
            if (!g.cell(col, r).isEmpty()) ++p;
            if (!g.cell(col + 1, r).isEmpty()) ++q;
        }
        if (p <= 0) continue;
        const QString caption = g.cell(col, 0);
        chart.Series(1).push_back({caption, 0, QColor()});
        if (D_DXCC2->isChecked()) chart.Series(3).push_back({caption, double(p), kRed});
        if (D_DXCC1->isChecked()) chart.Series(2).push_back({caption, double(q), kBlue});
    }
    int p = 0, q = 0;
    for (int r = 1; r <= lastRow; ++r) {
        bool worked = false, confirmed = false;
        for (int col = 3; col + 1 <= 20; col += 2) {
            const bool w = !g.cell(col, r).isEmpty();
            worked = worked || w;
            confirmed = confirmed || (w && !g.cell(col + 1, r).isEmpty());
        }
        p += worked;
        q += confirmed;
    }
    chart.Series(1).push_back({QStringLiteral("All"), 0, QColor()});
    if (D_DXCC2->isChecked()) chart.Series(3).push_back({QStringLiteral("All "), double(p), kRed});
    if (D_DXCC1->isChecked()) chart.Series(2).push_back({QStringLiteral("All "), double(q), kBlue});
    chart.title = QStringList{QStringLiteral("DXCC по диапазонам")};
    chart.foot.clear();
    chartChanged();
}

} // namespace zelmor

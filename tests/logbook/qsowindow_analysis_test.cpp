// The analysis of a typed call in the QSO window: country, zones, regions,
// local time, bearing and locator, then the repeat, new-country, club, name
// and manager checks.
#include "tests/logbook/qsowindow_fixture.h"

#include "logtools/dxcc9b.h"

#include <QAction>
#include <QLabel>
#include <QListView>
#include <QStringListModel>

using namespace zelmor;
using test::QsoWindowTest;

TEST_F(QsoWindowTest, CountryAndZonesByTheLongestPrefixAndTheUsCanadaRule) {
    struct Case { const char *call, *country, *waz; };
    const Case cases[] = {
        {"K4ABC", "United States", "04"}, {"K1ABC", "United States", "05"}, {"K6ABC", "United States", "03"},
        {"VE2ABC", "Canada", "02"},       {"VE8ABC", "Canada", "01"},       {"VE3ABC", "Canada", "05"},
        {"JA1ABC", "Japan", "25"},        // the first of two records with one prefix
        {"UA9XYZ", "Asiatic Russia", "17"}, {"UA3ABC", "European Russia", "16"},
    };
    for (const auto &c : cases) {
        analyse(c.call);
        EXPECT_EQ(DxCountry, c.country) << c.call;
        EXPECT_EQ(DxWaz, c.waz) << c.call;
    }
    analyse("K4ABC");
    EXPECT_EQ(DxItu, "08");
    EXPECT_EQ(DxContinent, "NA");
    EXPECT_EQ(DxCommonPrefix, "K");
    EXPECT_EQ(DxPrefix, "K4ABC");
    EXPECT_EQ(form1->chart.title.value(0), "United States    WAZ-04  ITU-08     NA");
}

TEST_F(QsoWindowTest, Regions) {
    analyse("UA9XYZ"); // the last of two "9X" records wins
    EXPECT_EQ(DxRegionName, "Республика Коми");
    EXPECT_EQ(DxRegionCode, "41");
    EXPECT_EQ(DxWaz, "17");
    EXPECT_EQ(DxItu, "20");
    EXPECT_EQ(DxLongitude, "50,83");
    EXPECT_EQ(DxLatitude, "61,67");
    EXPECT_EQ(RegionalCall, 1);

    analyse("UR5ABC");
    EXPECT_EQ(DxRegionName, "Киев");
    EXPECT_EQ(DxLatitude, "50,45");
    EXPECT_EQ(DxLongitude, "30,52");
    EXPECT_EQ(DxWaz, "16");

    analyse("EW1ABC");
    EXPECT_EQ(DxRegionName, "г.Минск");
    EXPECT_EQ(DxLatitude, "53,93");
    EXPECT_EQ(DxLongitude, "27,54");
    analyse("EW5ABC");
    EXPECT_EQ(DxRegionName, "");
    EXPECT_EQ(DxLatitude, "53,9");

    analyse("PY1ABC");
    EXPECT_EQ(DxRegionName, "Rio de Janeiro");
    EXPECT_EQ(RegionalCall, 0);
    analyse("JA1ABC");
    EXPECT_EQ(RegionalCall, 0);
    EXPECT_TRUE(test::Dialogs().messages().empty());

    QFile::remove(path("ucraina.dat"));
    analyse("UR5ABC");
    ASSERT_EQ(test::Dialogs().messages().size(), 1u);
    EXPECT_EQ(test::Dialogs().messages()[0].text, "Нет файла \" Ucraina.dat\" или \"Kaz_tan.dat\"");
}

TEST_F(QsoWindowTest, AnAmbiguousPrefixOffersItsCandidates) {
    DxPrefix = "3D2";
    form1->LookupCountryByPrefix();
    EXPECT_EQ(StatusText, "Определите страну нажатием Shift+F6");
    test::Sound().calls.clear();

    analyse("3D2AB");
    EXPECT_EQ(DxCountry, "Fiji");
    EXPECT_EQ(AmbiguousCountry, 1);
    // Entries that are not numbers or not records are passed over.
    EXPECT_EQ(CountryCandidates.country, (QStringList{"Rotuma", "Conway Reef"}));
    EXPECT_EQ(CountryCandidates.latitude, (QStringList{"-12,5", "-22,0"}));
    EXPECT_EQ(test::Sound().count("whoosh.wav"), 1);
    analyse("JA1ABC");
    EXPECT_EQ(AmbiguousCountry, 0);
    EXPECT_EQ(CountryCandidates.size(), 0);
}

TEST_F(QsoWindowTest, BearingDistanceLocalTimeAndLocator) {
    test::Clock().time = QDateTime(QDate(2024, 5, 1), QTime(12, 0));
    StationProfile.latitude = "55,75";
    StationProfile.longitude = "37,62";
    analyse("K4ABC");
    EXPECT_EQ(DxBearing, "325");
    EXPECT_EQ(DxDistance, "8736 km (5426 mi)");
    EXPECT_EQ(DxLocalTime, "7:00");
    EXPECT_EQ(form1->qthl->text(), "EM18MA");
    EXPECT_EQ(form1->chart.title,
              (QStringList{"United States    WAZ-04  ITU-08     NA", "8736 km (5426 mi)     Мест.время 7:00",
                           "Широта  38,0    Долгота -97,0", "Азимут - 325 / 145    "}));

    // The own position: no course, a question, and still the locator.
    analyse("UA3ABC");
    EXPECT_EQ(DxBearing, "");
    EXPECT_EQ(StatusText, "Вы хотите узнать свой азимут?");
    EXPECT_EQ(form1->chart.title.size(), 1);
    EXPECT_EQ(form1->qthl->text(), "KO85TS");

    // A station coordinate that is not a number: no course, no crash.
    WriteAllRecords<RegionRecord>(path("russia22.dat"), {test::Region("3A", "где-то", "abc", "55,75")});
    analyse("UA3ABC");
    EXPECT_EQ(DxBearing, "");
}

TEST_F(QsoWindowTest, MapPointsAtTheirPixels) {
    analyse("UA9XYZ");
    form1->PlotStationOnMap("37,62", "55,75", 0xFFFF00);
    form1->PlotStationOnMap("", "55,75", 0xFFFF00); // nothing for empty coordinates
    EXPECT_EQ(MapPointList, QStringList{"402,73,UA9XYZ,Asiatic Russia"});
}

TEST_F(QsoWindowTest, EmptyingTheCallClearsTheAnalysis) {
    analyse("K4ABC");
    form1->rst->setText("57");
    Nastroy->tim1->setChecked(true);
    form1->tim->setText("12:00");
    analyse("");
    EXPECT_EQ(form1->rst->text(), "RSTr");
    EXPECT_EQ(form1->rsts->text(), "RSTs");
    EXPECT_EQ(form1->ochk->text(), "Очки");
    EXPECT_EQ(form1->tim->text(), "");
    EXPECT_EQ(form1->qthl->text(), "");
    for (const QString *v : {&DxCountry, &DxWaz, &DxItu, &DxContinent, &DxLatitude, &DxLongitude, &DxLocalTime,
                             &DxUtcOffset, &DxCommonPrefix, &DxBearing, &DxDistance, &DxLocator, &StatusText})
        EXPECT_TRUE(v->isEmpty());
    EXPECT_TRUE(form1->Memo1->isHidden());
    EXPECT_TRUE(form1->strp->isHidden());
    EXPECT_EQ(form1->chart.title, QStringList{"DXCC по диапазонам"});
}

TEST_F(QsoWindowTest, TheTimerAnalysesABurstOfTypingOnce) {
    int analyses = 0;
    RefreshCountryStatistics = [&](const QString &) { ++analyses; };
    // Five keys sent with no event loop between them: all of them come before
    // the timer can fire, however slow the machine.
    type(form1->call, "U");
    ASSERT_TRUE(form1->Timer4->isActive());
    EXPECT_EQ(form1->Timer4->interval(), 300);
    type(form1->call, "A3AB");
    EXPECT_EQ(form1->call->text(), "UA3AB");
    EXPECT_EQ(analyses, 0);
    QTRY_VERIFY_WITH_TIMEOUT(!form1->Timer4->isActive(), 10000);
    EXPECT_EQ(analyses, 1);
    EXPECT_EQ(DxCountry, "European Russia");
    // Nothing is left to fire: the burst stays analysed once.
    QTest::qWait(50);
    EXPECT_EQ(analyses, 1);
    // Any other writer of the call goes through the same timer.
    form1->call->setText("JA1ABC");
    EXPECT_EQ(analyses, 1);
    ASSERT_TRUE(form1->Timer4->isActive());
    QTRY_COMPARE_WITH_TIMEOUT(analyses, 2, 10000);
    EXPECT_EQ(DxCountry, "Japan");
    RefreshCountryStatistics = nullptr;
}

TEST_F(QsoWindowTest, LoggedCallsBeginningWithTheTypedText) {
    QsoEntry e;
    e.band = "14  Mhz";
    for (const char *c : {"UA3AAA", "UA3ABC", "K1XX", "UA3ABD"}) {
        e.call = c;
        e.country = "X";
        WriteQsoRecord(e);
    }
    analyse("UA3AB");
    EXPECT_FALSE(form1->Memo1->isHidden());
    EXPECT_EQ(form1->memo1Model->stringList(), (QStringList{"UA3ABC", "UA3ABD"}));
    analyse("UA3Z");
    EXPECT_TRUE(form1->Memo1->isHidden());
}

TEST_F(QsoWindowTest, EditingAnalysesWithoutTouchingTheFields) {
    form1->cqsl->setText("Получено");
    form1->qthl->setText("LO00AA");
    form1->name1->setText("Пётр");
    EditMode = 1;
    analyse("K4ABC");
    EXPECT_EQ(DxCountry, "United States");
    EXPECT_EQ(form1->cqsl->text(), "Получено");
    EXPECT_EQ(form1->qthl->text(), "LO00AA");
    EXPECT_EQ(form1->name1->text(), "Пётр");
    EditMode = 0;
}

// ---- the checks against the log ----

namespace {
QsoRecord Logged(const char *call, const char *name, const char *band, const char *country, const char *qsl,
                 const char *date = "01.05.2024") {
    QsoRecord r;
    r.call = QString::fromUtf8(call);
    r.name = QString::fromUtf8(name);
    r.band = QString::fromUtf8(band);
    r.mode = "SSB";
    r.country = QString::fromUtf8(country);
    r.qslState = QString::fromUtf8(qsl);
    r.date = date;
    r.time = "12:00";
    r.rstReceived = "57";
    r.rstSent = "59";
    return r;
}
} // namespace

TEST_F(QsoWindowTest, ARepeatFillsTheGridAndFieldsFromTheLaterRecord) {
    std::vector<QsoRecord> log = {
        Logged("K1AA", "", "14  Mhz", "United States", ""),
        Logged("UA3ABC", "A", "14  Mhz", "European Russia", "Получено", "01.01.2024"),
        Logged("UA3XYZ", "", "7.0 Mhz", "European Russia", ""),
        Logged("JA1AA", "", "14  Mhz", "Japan", ""),
        Logged("UA3ABC", "B", "7.0 Mhz", "European Russia", "Отправлено", "02.02.2024"),
    };
    for (size_t i = 0; i < log.size(); ++i) log[i].number = QString::number(i + 1);
    WriteAllRecords(path("test.log"), log);
    OpenLog();
    Nastroy->povmidi->setChecked(true);
    Nastroy->Edit15->setText(path("repeat.wav"));

    analyse("UA3ABC");
    EXPECT_EQ(form1->strp->cell(0, 0), "2 QSO");
    EXPECT_EQ(form1->strp->model().rowTexts(1),
              (QStringList{"2", "01.01.2024", "12:00", "14  Mhz", "SSB", "Получено", "57", "59"}));
    EXPECT_EQ(form1->strp->model().rowTexts(2).value(0), "5");
    EXPECT_EQ(form1->strp->model().rowTexts(2).value(5), "Отправлено");
    EXPECT_EQ(form1->strp->rowCount(), 3);
    EXPECT_FALSE(form1->strp->isHidden());
    EXPECT_EQ(form1->name1->text(), "B");
    EXPECT_EQ(StatusText, "Повторное QSO");
    EXPECT_EQ(test::Sound().count("repeat.wav"), 1);
    // A name from an earlier QSO of the call is known: it is not stored again.
    EXPECT_EQ(NameKnown, 1);
    analyse("UA3ABC");
    EXPECT_EQ(test::Sound().count("repeat.wav"), 1);
}

TEST_F(QsoWindowTest, FirstQsoAndNewCountry) {
    WriteAllRecords(path("test.log"), std::vector<QsoRecord>{Logged("UA3XYZ", "", "14  Mhz", "European Russia", "")});
    OpenLog();
    Nastroy->povmidi->setChecked(true);
    Nastroy->Edit15->setText(path("repeat.wav"));
    Nastroy->Newworld->setChecked(true);
    Nastroy->Edit16->setText(path("new.wav"));

    analyse("UA3ABC");
    EXPECT_EQ(StatusText, "С этой станцией первое QSO");
    EXPECT_TRUE(test::Sound().calls.empty());
    analyse("JA1ABC");
    EXPECT_EQ(StatusText, "Новая страна");
    EXPECT_EQ(test::Sound().count("new.wav"), 1);
    analyse("JA1ABCD");
    EXPECT_EQ(test::Sound().count("new.wav"), 1);

    // A sound that cannot play changes nothing else.
    test::Sound().succeed = false;
    Nastroy->Edit16->setText("");
    analyse("K1ABC");
    EXPECT_EQ(StatusText, "Новая страна");
}

TEST_F(QsoWindowTest, BandBarsOfTheCountry) {
    WriteAllRecords(path("test.log"), std::vector<QsoRecord>{
        Logged("JA1A", "", "14  Mhz", "Japan", "Отпр. и получ."), Logged("JA1B", "", "14  Mhz", "Japan", "Получено"),
        Logged("JA1C", "", "14  Mhz", "Japan", "Отправлено"),     Logged("JA1D", "", "7.0 Mhz", "Japan", ""),
        Logged("JA1E", "", "14 Mhz", "Japan", "Получено"),        Logged("K1AA", "", "14  Mhz", "United States", "Получено"),
    });
    OpenLog();
    form1->D_QSO1->setChecked(true);
    form1->D_QSO2->setChecked(true);
    form1->D_QSL3->setChecked(true);
    analyse("JA2ABC");
    const QColor red(255, 0, 0), blue(0, 0, 255), yellow(255, 255, 0);
    EXPECT_EQ(form1->chart.Series(3), (std::vector<Bar>{{"7.0", 1, red}, {"14", 3, red}}));
    EXPECT_EQ(form1->chart.Series(2), (std::vector<Bar>{{"7.0", 0, blue}, {"14", 2, blue}}));
    EXPECT_EQ(form1->chart.Series(4), (std::vector<Bar>{{"7.0", 0, yellow}, {"14", 1, yellow}}));
    form1->D_QSO2->setChecked(false);
    analyse("JA2ABCD");
    EXPECT_TRUE(form1->chart.Series(2).empty());
    analyse("JA2"); // shorter than four characters: no bars
    EXPECT_TRUE(form1->chart.Series(3).empty());
}

TEST_F(QsoWindowTest, CountryNamesLongerThanTheRecordFieldStillMatch) {
    const char *longName = "The Country With A Very Long Official Name";
    WriteAllRecords<CountryRecord>(path("dx/world.dat"),
                                   {test::Country("ZZ", longName, "1", "1", "0", "0", "0", "EU")});
    ASSERT_TRUE(LoadCountryTable(nullptr));
    QsoEntry e;
    e.call = "ZZ1A";
    e.country = QString::fromUtf8(longName);
    e.band = "14  Mhz";
    WriteQsoRecord(e);
    OpenLog();
    analyse("ZZ2B");
    EXPECT_EQ(StatusText, "С этой станцией первое QSO");
}

TEST_F(QsoWindowTest, ClubTagsNamesAndVeteranPoints) {
    WriteAllRecords<ClubMemberRecord>(path("dig.dat"), {{"7", "K1XX", "Bob"}, {"123", "UA3ABC", "Иван"}});
    WriteAllRecords<VeteranRecord>(path("vet.dat"), {{"5", "UA3ABC", "Пётр", "10"}});
    for (const char *f : {"agb.dat", "kdr.dat", "hfc.dat", "rcc.dat", "srvs.dat"}) RecordIO::Touch(path(f));
    ReloadLogLists();
    Nastroy->cdig->setChecked(true);
    Nastroy->cvet->setChecked(true);

    analyse("UA3ABC");
    EXPECT_EQ(form1->info->text(), " DIG-№123 Ветеран-№5");
    EXPECT_EQ(form1->name1->text(), "Иван"); // the first club that names him
    EXPECT_EQ(form1->ochk->text(), "10");
    // Fields recalled from memory keep their text, and the tags go in once.
    RecalledFromMemory = 1;
    form1->AnalyseCall();
    RecalledFromMemory = 0;
    form1->info->setText(" DIG-№123");
    form1->LookupMemberNumber(Club::Dig);
    EXPECT_EQ(form1->info->text(), " DIG-№123");
    Nastroy->cvet->setChecked(false);
    form1->name1->setText("Иван Петрович");
    form1->LookupMemberNumber(Club::Dig);
    EXPECT_EQ(form1->name1->text(), "Иван Петрович");
}

TEST_F(QsoWindowTest, NamesAndManagersFromTheSortedFilesAcrossTheStepBoundaries) {
    // A few thousand calls in rank order; the keys sit at the step edges.
    QStringList calls;
    for (char a : std::string("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"))
        for (int n = 0; n < 100; ++n) calls << QStringLiteral("%1A%2").arg(QChar(a)).arg(n, 3, 10, QLatin1Char('0'));
    calls.sort();
    std::vector<CallNameRecord> names;
    std::vector<QslManagerRecord> managers;
    for (const QString &c : calls) {
        names.push_back({c, "N" + c});
        managers.push_back({c, "M" + c});
        if (c == calls[1000]) managers.push_back({c, "SECOND"});
    }
    WriteAllRecords(path("names1.dat"), names);
    WriteAllRecords(path("qslmng.mng"), managers);
    LoadNamesFile();
    ASSERT_EQ(CallNameList.size(), calls.size());

    for (int index : {0, 49, 50, 999, 1000, 1001, 2050, int(calls.size()) - 1}) {
        const QString c = calls[index];
        form1->call->setText(c);
        form1->Timer4->stop();
        form1->name1->clear();
        form1->LookupNameByCall();
        EXPECT_EQ(form1->name1->text(), "N" + c) << index;
        StatusText.clear();
        form1->LookupQslManager();
        EXPECT_EQ(form1->Pvia->text(), index == 1000 ? "SECOND" : "M" + c) << index;
        EXPECT_EQ(StatusText, "Менеджер в списке");
    }
    form1->call->setText(calls[1000]);
    form1->LookupQslManager();
    ASSERT_EQ(form1->Listvia->count(), 2);
    EXPECT_EQ(form1->Listvia->item(0)->text(), "M" + calls[1000]);
    EXPECT_EQ(form1->Listvia->item(1)->text(), "SECOND");
    // Calls the lists do not have, or whose characters have no rank.
    for (const char *c : {"ZZ9ZZZ", "/", "K", ""}) {
        form1->call->setText(c);
        form1->Pvia->clear();
        form1->LookupQslManager();
        EXPECT_EQ(form1->Pvia->text(), "") << c;
    }
}

TEST_F(QsoWindowTest, TheDefaultQslStateFollowsTheRules) {
    form1->cqsl->setText("Получено");
    analyse("JA1ABC");
    EXPECT_EQ(form1->cqsl->text(), "Получено"); // no rule: the field stays
    Nastroy->qslf2->setChecked(true);
    analyse("JA1ABC");
    EXPECT_EQ(DxQslState, "Отправить");
    EXPECT_EQ(form1->cqsl->text(), "Отправить");
    analyse("UA3ABC");
    EXPECT_EQ(form1->cqsl->text(), "Не отправлять");
    Nastroy->qslf1->setChecked(true);
    Nastroy->eqslf1->setText("x"); // not a number: skipped, the analysis goes on
    analyse("UA3ABD");
    EXPECT_EQ(form1->cqsl->text(), "Не отправлять");
}

TEST_F(QsoWindowTest, TheDxccChartWhenTheCallIsEmpty) {
    StringGridModel &g = DXcc9b->str2->model();
    g.setCell(3, 0, "1.8");
    g.setCell(5, 0, "3.6");
    g.setCell(0, 1, "Japan");
    g.setCell(3, 1, "2");
    g.setCell(4, 1, "Y");
    g.setCell(0, 2, "Italy");
    g.setCell(5, 2, "1");
    form1->D_DXCC2->setChecked(true);
    analyse("");
    const auto &c = form1->chart;
    EXPECT_EQ(c.title, QStringList{"DXCC по диапазонам"});
    ASSERT_EQ(c.Series(1).size(), 3u);
    EXPECT_EQ(c.Series(1)[0].label, "1.8");
    EXPECT_EQ(c.Series(1)[2].label, "All");
    EXPECT_EQ(c.Series(3).back(), (Bar{"All ", 2, QColor(255, 0, 0)}));
    EXPECT_EQ(c.Series(2).back(), (Bar{"All ", 1, QColor(0, 0, 255)}));
    EXPECT_EQ(c.Series(2)[0].value, 1);
    EXPECT_EQ(c.Series(2)[1].value, 0);
}

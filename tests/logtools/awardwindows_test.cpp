// The award and statistics windows with every other window around them,
// offscreen, on small reference files and logs built with the codecs.
#include "app/allwindows.h"
#include "common/qsorecord.h"
#include "common/recordfile.h"
#include "common/refrecords.h"
#include "logbook/form1.h"
#include "logbook/glawnf.h"
#include "logbook/logfile.h"
#include "logbook/reference.h"
#include "logbook/startup.h"
#include "logtools/dxcc9b.h"
#include "logtools/iota.h"
#include "logtools/russall.h"
#include "logtools/statist.h"
#include "logtools/waz9b.h"
#include "tests/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

using namespace zelmor;
using namespace zelmor::test;

namespace {

CountryRecord Country(const char *prefix, const char *country, const char *waz, const char *dxcc = "*") {
    CountryRecord r;
    r.prefix = prefix;
    r.commonPrefix = prefix;
    r.country = country;
    r.waz = waz;
    r.dxcc = dxcc;
    return r;
}

QsoRecord Qso(const char *call, const char *country, const char *band, const char *mode, const QString &qsl) {
    QsoRecord r;
    r.call = call;
    r.country = country;
    r.band = band;
    r.mode = mode;
    r.qslState = qsl;
    return r;
}

std::vector<double> Values(const std::vector<Bar> &bars) {
    std::vector<double> v;
    for (const Bar &b : bars) v.push_back(b.value);
    return v;
}

class AwardWindowsTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        QDir(dir_->path()).mkpath("dx");
        CreateAllWindows();
        glawnf->Timer6->stop();
    }
    void TearDown() override {
        DestroyAllWindows();
        ProgramFolderTest::TearDown();
    }
    void writeWorld() {
        WriteAllRecords<CountryRecord>(path("dx/world.dat"), {
                                                                 Country("JA", "Japan", "25"),
                                                                 Country("DL", "Fed. Rep. of Germany", "14"),
                                                                 Country("ZD9", "Tristan da Cunha & Gough Islands", "38"),
                                                                 Country("JD1", "Japan", "27", ""),
                                                             });
    }
    // The log of the DXCC examples; the sixth record is marked deleted.
    void writeDxccLog() {
        std::vector<QsoRecord> log = {
            Qso("JA1A", "Japan", "14  Mhz", "SSB", QslReceived),
            Qso("JA1B", "Japan", "21  Mhz", "CW", QslSent),
            Qso("JA1C", "Japan", "144Mhz", "SSB", QslSentAndReceived),
            Qso("DL1A", "Fed. Rep. of Germany", "14  Mhz", "SSB", QslNotToSend),
            Qso("DL1B", "Fed. Rep. of Germany", "14  Mhz", "SSB", QslSentAndReceived),
            Qso("DL1C", "Fed. Rep. of Germany", "28  Mhz", "CW", QslSentAndReceived),
            Qso("ZD9A", "Tristan da Cunha & Gough Islan", "14  Mhz", "SSB", QslReceived),
            Qso("XX1A", "Mars", "14  Mhz", "SSB", QslSentAndReceived),
        };
        log[5].deleteMark = DeleteMarkText;
        WriteAllRecords(path("test.log"), log);
        openLog();
    }
    // Opening reloads the name and club lists, whose files these tests lack.
    void openLog() {
        OpenLog();
        test::Dialogs().calls.clear();
    }
    std::vector<QString> messages() const {
        std::vector<QString> out;
        for (const auto &m : test::Dialogs().messages()) out.push_back(m.text);
        return out;
    }
    void key(QWidget *w, int k) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
    }
};

} // namespace

TEST_F(AwardWindowsTest, DxccTableOfEveryModeAndTheQsoWindowsTotals) {
    writeWorld();
    writeDxccLog();
    StartupHook.activdxcc();
    StartupHook.RefreshDxccTables();
    const StringGridModel &g = DXcc9b->str2->model();
    EXPECT_EQ(g.cell(0, 0), "Территории и страны");
    EXPECT_EQ(g.cell(11, 0), "14 ");
    EXPECT_EQ(g.cell(12, 0), "Y");
    EXPECT_EQ(g.rowCountValue(), 4);
    EXPECT_EQ(g.rowTexts(1).mid(0, 3), (QStringList{"Japan", "JA", "25"}));
    EXPECT_EQ(g.cell(0, 3), "Tristan da Cunha & Gough Islands");
    EXPECT_EQ(g.cell(0, 4), "");
    // Japan: 14 confirmed, 21 worked; Germany: two on 14, the deleted 28 nowhere.
    EXPECT_EQ(g.cell(11, 1), "1");
    EXPECT_EQ(g.cell(12, 1), "Y");
    EXPECT_EQ(g.cell(15, 1), "1");
    EXPECT_EQ(g.cell(16, 1), "");
    EXPECT_EQ(g.cell(11, 2), "2");
    EXPECT_EQ(g.cell(12, 2), "Y");
    EXPECT_EQ(g.cell(19, 2), "");
    EXPECT_EQ(g.cell(11, 3), "1");
    EXPECT_EQ(g.cell(12, 3), "Y");

    const auto &worked = DXcc9b->Series2;
    ASSERT_EQ(worked.size(), 10u);
    EXPECT_EQ(worked[0].label, "1.8");
    EXPECT_EQ(worked[8].label, "28 ");
    EXPECT_EQ(worked[9], (Bar{"All Band", 3, QColor(255, 0, 0)}));
    EXPECT_EQ(Values(worked), (std::vector<double>{0, 0, 0, 0, 3, 0, 1, 0, 0, 3}));
    const auto &confirmed = DXcc9b->Series3;
    EXPECT_EQ(confirmed[0], (Bar{"QSL", 0, QColor(0, 0, 255)}));
    EXPECT_EQ(confirmed[9].label, "Y");
    EXPECT_EQ(Values(confirmed), (std::vector<double>{0, 0, 0, 0, 3, 0, 0, 0, 0, 3}));
    EXPECT_EQ(DXcc9b->Label1->text(), "MODE-ALL");

    // With an empty call the QSO window charts the table.
    form1->D_DXCC1->setChecked(true);
    form1->D_DXCC2->setChecked(true);
    form1->call->setText("");
    form1->ShowDxccBandChart();
    EXPECT_EQ(form1->chart.Series(3), (std::vector<Bar>{{"14 ", 3, QColor(255, 0, 0)},
                                                        {"21 ", 1, QColor(255, 0, 0)},
                                                        {"All ", 3, QColor(255, 0, 0)}}));

    // CW through the picture button: it acts 300 ms after the release.
    QTest::mouseClick(DXcc9b->Image3, Qt::LeftButton);
    EXPECT_TRUE(DXcc9b->Timer1->isActive());
    EXPECT_EQ(DXcc9b->Label1->text(), "MODE-ALL");
    DXcc9b->Timer1->stop();
    DXcc9b->Timer1Timer();
    EXPECT_EQ(DXcc9b->Label1->text(), "MODE-CW");
    EXPECT_EQ(g.cell(15, 1), "1");
    for (int r = 1; r <= 3; ++r) {
        for (int col = 3; col <= 20; ++col) {
            if (r == 1 && col == 15) continue;
            EXPECT_EQ(g.cell(col, r), "") << r << " " << col;
        }
    }
    EXPECT_EQ(DXcc9b->Series2.back().value, 1);
    EXPECT_EQ(DXcc9b->Series3.back().value, 0);
    EXPECT_TRUE(DXcc9b->headingLines().contains("MODE-CW"));

    // An empty log counts nothing.
    LogColumns.clear();
    DXcc9b->ALL1->trigger();
    EXPECT_EQ(Values(DXcc9b->Series2), std::vector<double>(10, 0));
    EXPECT_EQ(g.cell(11, 1), "");
}

TEST_F(AwardWindowsTest, DxccListingPrintsTheTable) {
    writeWorld();
    writeDxccLog();
    StartupHook.activdxcc();
    StartupHook.RefreshDxccTables();
    DXcc9b->N1->trigger();
    const RecordingCanvas *c = test::Printer().last();
    ASSERT_TRUE(c);
    EXPECT_TRUE(c->ended);
    EXPECT_TRUE(c->landscape); // 21 columns are wider than a portrait page
    EXPECT_TRUE(c->findText("MODE-ALL"));
    EXPECT_TRUE(c->findText("Территории и страны"));
    EXPECT_TRUE(c->findText("страница № 1"));
    const auto *japan = c->findText("Japan");
    ASSERT_TRUE(japan);
    EXPECT_EQ(japan->x1, 120);
}

TEST_F(AwardWindowsTest, MissingReferenceFilesAreReportedOnceAndTheTablesStay) {
    writeWorld();
    writeDxccLog();
    StartupHook.activdxcc();
    StartupHook.RefreshDxccTables();
    QFile::remove(path("dx/world.dat"));
    StartupHook.RefreshDxccTables();
    EXPECT_EQ(messages(), std::vector<QString>{"Нет файла \" World.dat\""});
    EXPECT_EQ(DXcc9b->str2->cell(11, 2), "2");
    EXPECT_EQ(DXcc9b->Series2.back().value, 3);

    test::Dialogs().calls.clear();
    StartupHook.FillIotaTable();
    LauncherHook.ShowRussianRegions();
    EXPECT_EQ(messages(), (std::vector<QString>{"Нет файла \" Iota.dat\"", "Нет файла \" Russia22.dat\""}));
}

TEST_F(AwardWindowsTest, RussAllShowsCountsThatTheActivationDoesNotUndo) {
    RegionRecord a, b;
    a.number = "0";
    a.name = "г.Москва";
    b.number = "2";
    b.name = "Адыгея";
    WriteAllRecords<RegionRecord>(path("russia22.dat"), {a, b});
    QsoRecord q = Qso("RA3A", "European Russia", "14  Mhz", "SSB", QslReceived);
    q.regionNumber = "2";
    WriteAllRecords(path("test.log"), std::vector<QsoRecord>{q});
    openLog();
    glawnf->LabelRelease(glawnf->Label4);
    QApplication::processEvents();
    ASSERT_TRUE(russall->isVisible());
    const StringGridModel &g = russall->strrus->model();
    EXPECT_EQ(g.cell(0, 0), "Области России");
    EXPECT_EQ(g.cell(0, 1), "г.Москва");
    EXPECT_EQ(g.cell(0, 3), "Адыгея");
    EXPECT_EQ(g.cell(9, 3), "1");
    EXPECT_EQ(g.cell(10, 3), "Y");
    EXPECT_EQ(russall->Series1.back(), (Bar{"All", 1, QColor(255, 0, 0)}));
    // The window's own activation empties the counts; the names stay.
    russall->FormActivate();
    EXPECT_EQ(g.cell(9, 3), "");
    EXPECT_EQ(g.cell(0, 3), "Адыгея");
}

TEST_F(AwardWindowsTest, WazCountsOnShowAndIotaAtStartUpWithTheLaunchersGauge) {
    QsoRecord q = Qso("JA1A", "Japan", "14  Mhz", "SSB", QslReceived);
    q.waz = "25";
    q.iota = "AS007";
    WriteAllRecords(path("test.log"), std::vector<QsoRecord>{q, q, q});
    IslandRecord as007, eu005;
    as007.reference = "AS007";
    eu005.reference = "EU005";
    WriteAllRecords<IslandRecord>(path("dx/iota.dat"), {eu005, as007});
    OpenLog();

    std::vector<int> launcher;
    QObject::connect(glawnf->Gauge1, &QProgressBar::valueChanged, [&](int v) { launcher.push_back(v); });
    StartupDone = 0;
    StartupHook.FillIotaTable();
    const StringGridModel &iota = IOTA->striota->model();
    EXPECT_EQ(iota.cell(0, 0), "Остров");
    EXPECT_EQ(iota.cell(0, 1), "EU005");
    EXPECT_EQ(iota.cell(5, 1), "AS007");
    EXPECT_EQ(iota.cell(8, 1), "Y");
    EXPECT_EQ(iota.cell(9, 1), "Y");
    EXPECT_EQ(iota.rowCountValue(), 2);
    ASSERT_FALSE(launcher.empty());
    EXPECT_EQ(launcher.back(), 0); // it counts down

    StartupDone = 1;
    launcher.clear();
    waz9b->show();
    const StringGridModel &waz = waz9b->strw->model();
    EXPECT_EQ(waz.cell(0, 25), "25");
    EXPECT_EQ(waz.cell(9, 25), "3");
    EXPECT_EQ(waz.cell(10, 25), "Y");
    EXPECT_EQ(waz9b->Series2.back(), (Bar{"All", 1, QColor(255, 0, 0)}));
    EXPECT_EQ(waz9b->Gauge1->value(), 3);
    EXPECT_TRUE(launcher.empty()); // after the start-up only the window's own bar moves
    waz9b->hide();
}

TEST_F(AwardWindowsTest, StatisticsFollowTheCountryFieldAndTheCallAnalysis) {
    WriteAllRecords(path("test.log"), std::vector<QsoRecord>{
                                          Qso("JA1A", "Japan", "14  Mhz", "SSB", QslSentAndReceived),
                                          Qso("JA1B", "Japan", "14  Mhz", "SSB", QslSent),
                                          Qso("JA1C", "Japan", "7.0 Mhz", "CW", QslReceived),
                                          Qso("ZD9A", "Tristan da Cunha & Gough Islan", "14  Mhz", "CW", QslSent),
                                      });
    OpenLog();
    DxccCountryList = QStringList{"Jan Mayen", "Japan", "Jamaica"};
    Statist->show();
    // The rounded body with five tabs on its left (window coordinates less
    // the client origin (4, 22)).
    for (const auto &[x, y, inside] : {std::tuple{20, 125, true}, {20, 170, false}, {60, 300, true}, {60, 40, false}})
        EXPECT_EQ(Statist->mask().contains(QPoint(x - 4, y - 22)), inside) << x << "," << y;
    Statist->world2->setFocus();
    for (const QString ch : {"j", "a", "p", "a"}) QTest::keyClick(Statist->world2, ch.at(0).toLatin1());
    EXPECT_EQ(Statist->world2->text(), "Japa");
    EXPECT_TRUE(Statist->Series5.empty());
    EXPECT_FALSE(Statist->Memo1->isHidden());
    EXPECT_EQ(Statist->Memo1->item(0)->text(), "Japan");
    EXPECT_EQ(Statist->Memo1->count(), 1);

    key(Statist->world2, Qt::Key_Return);
    EXPECT_EQ(Statist->world2->text(), "Japan");
    EXPECT_TRUE(Statist->Memo1->isHidden());
    EXPECT_EQ(Statist->windowTitle(), "Japan");
    EXPECT_EQ(Statist->Series5, (std::vector<Bar>{{"14", 2, QColor(255, 0, 0)}}));
    EXPECT_EQ(Statist->yesSeries5, (std::vector<Bar>{{"14", 1, QColor(0, 0, 255)}}));
    EXPECT_EQ(Statist->Series4, (std::vector<Bar>{{"7.0", 1, QColor(255, 0, 0)}}));
    EXPECT_TRUE(Statist->Series1.empty());

    // The call analysis hands every found country over; the count follows
    // once the analysis has returned.
    RefreshCountryStatistics("Tristan da Cunha & Gough Islands");
    EXPECT_EQ(Statist->windowTitle(), "Tristan da Cunha & Gough Islan");
    EXPECT_EQ(Statist->Series5.size(), 1u);
    QApplication::processEvents();
    EXPECT_TRUE(Statist->Series5.empty());
    EXPECT_EQ(Statist->Series4, (std::vector<Bar>{{"14", 1, QColor(255, 0, 0)}}));
    EXPECT_EQ(Statist->yesSeries4, (std::vector<Bar>{{"14", 0, QColor(0, 0, 255)}}));
    // A hidden window counts when it is shown.
    Statist->hide();
    RefreshCountryStatistics("Japan");
    QApplication::processEvents();
    EXPECT_EQ(Statist->Series4.front().label, "14");
    Statist->show();
    EXPECT_EQ(Statist->Series4.front().label, "7.0");

    Statist->N2->trigger();
    EXPECT_FALSE(Statist->isVisible());
}

namespace {

TEST_F(AwardWindowsTest, GridHeadingsAreWholeAndEveryColumnIsInView) {
    writeWorld();
    WriteAllRecords<IslandRecord>(path("dx/iota.dat"), {IslandRecord{}}); // a file, for the heading
    StartupHook.activdxcc();
    StartupHook.FillIotaTable();
    LauncherHook.ShowRussianRegions();
    for (TStringGrid *g : {DXcc9b->str2, IOTA->striota, waz9b->strw, russall->strrus}) {
        g->window()->show();
        QApplication::processEvents();
        // The view elides a heading that does not fit between its margins.
        QFont bold = g->font();
        bold.setBold(true);
        const QFontMetrics fm(bold);
        const int margins = 2 * (g->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, g) + 1);
        int total = 0;
        for (int c = 0; c < g->colCount(); ++c) {
            total += g->colWidth(c);
            EXPECT_LE(fm.horizontalAdvance(g->cell(c, 0)) + margins, g->colWidth(c))
                << g->objectName().toStdString() << " column " << c << " \"" << g->cell(c, 0).toStdString() << "\"";
        }
        EXPECT_LE(total, g->viewport()->width()) << g->objectName().toStdString();
    }
}

} // namespace

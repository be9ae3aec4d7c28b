#pragma once
// The QSO window with every other window around it, offscreen, on a small
// country table and region files built with the codecs.
#include "app/allwindows.h"
#include "common/recordfile.h"
#include "common/refrecords.h"
#include "logbook/form1.h"
#include "logbook/glawnf.h"
#include "logbook/logfile.h"
#include "logbook/qsostate.h"
#include "logbook/reference.h"
#include "logbook/repeatcheck.h"
#include "logbook/startup.h"
#include "logbook/stationprofile.h"
#include "platform/keyboardlayout.h"
#include "station/gmtf.h"
#include "station/nastroy.h"
#include "tests/logbook/records.h"
#include "tests/testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>

namespace zelmor::test {

class QsoWindowTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        QDir dir(dir_->path());
        dir.mkpath("dx");
        dir.mkpath("name");
        WriteAllRecords<CountryRecord>(path("dx/world.dat"), {
            Country("K", "United States", "05", "08", "38,0", "-97,0", "5", "NA"),
            Country("VE", "Canada", "05", "09", "45,0", "-75,0", "5", "NA"),
            Country("UA", "European Russia", "16", "29", "55,75", "37,62", "-3", "EU"),
            Country("UA9", "Asiatic Russia", "17", "30", "55,0", "73,0", "-7", "AS"),
            Country("JA", "Japan", "25", "45", "36,0", "138,0", "-9", "AS"),
            Country("JA", "Not Japan", "99", "99", "0", "0", "0", "XX"),
            Country("EW", "Belarus", "16", "29", "53,9", "27,5", "-3", "EU"),
            Country("UR", "Ukraine", "16", "29", "50,0", "30,0", "-2", "EU"),
            Country("PY", "Brazil", "11", "15", "-10,0", "-53,0", "3", "SA"),
            Country("3D2", "Fiji", "32", "56", "-17,8", "178,0", "-12", "OC", "10,xx,11,99,"),
            Country("3D2R", "Rotuma", "32", "56", "-12,5", "177,1", "-12", "OC"),
            Country("3D2C", "Conway Reef", "32", "56", "-22,0", "174,7", "-12", "OC"),
            Country("UN", "Kazakhstan", "17", "30", "48,0", "68,0", "-6", "AS"),
            // Russian prefixes of other countries, and Russia's own.
            Country("R", "European Russia", "16", "29", "55,75", "37,62", "-3", "EU"),
            Country("UA2", "Kaliningrad", "15", "29", "54,72", "20,52", "-2", "EU"),
            Country("RI1F", "Franz Josef Land", "40", "75", "80,68", "49,92", "-3", "EU"),
            Country("RI1AN", "Antarctica", "29", "69", "-90,00", "0,00", "0", "SA"),
        });
        WriteAllRecords<RegionRecord>(path("russia22.dat"), {
            Region("3A", "г.Москва", "37,62", "55,75", "0", "16", "29"),
            Region("9X", "Коми (старая)", "50,00", "61,00", "40", "17", "20"),
            Region("9X", "Республика Коми", "50,83", "61,67", "41", "17", "20"),
            Region("1A", "г.Санкт-Петербург", "30,31", "59,93", "1", "16", "29"),
            Region("1F", "г.Санкт-Петербург", "30,31", "59,93", "1", "16", "29"),
            Region("2F", "Калининградская обл.", "20,52", "54,72", "23", "15", "29"),
        });
        WriteAllRecords<RegionRecord>(path("ucraina.dat"), {Region("A", "Киев", "50,45", "30,52")});
        WriteAllRecords<RegionRecord>(path("Kaz_tan.dat"), {Region("A", "Алматы", "43,25", "76,95")});
        WriteAllRecords<BrazilRegionRecord>(path("brasil.dat"), {{"PY1", "Rio de Janeiro"}, {"PY2", "Sao Paulo"}});
        WriteAllRecords<NameListRecord>(path("name/name.bas"), {NameListRecord{}});
        WriteAllRecords<NameListRecord>(path("name/qth.bas"), {NameListRecord{}});
        RecordIO::Touch(path("test.log"));
        RecordIO::Touch(path("whoosh.wav"));

        platform::installKeyboardLayoutFilter();
        CreateAllWindows();
        glawnf->Timer6->stop();
        StartupHook = {};
        ASSERT_TRUE(LoadCountryTable(&form1->strw->model()));
        OpenLog();
        StartupDone = 1;
        StationProfile = {};
        StationProfile.latitude = "59,93";
        StationProfile.longitude = "30,31";
        StationProfile.country = "European Russia";
        StationProfile.continent = "EU";
        MapPointList.clear();
        gmtf->utc->setText("0");
        Dialogs().calls.clear();
    }
    void TearDown() override {
        DestroyAllWindows();
        platform::keyboardLayout().reset();
        StationProfile = {};
        ProgramFolderTest::TearDown();
    }
    // The call typed and analysed at once, without waiting for the timer.
    static void analyse(const QString &call) {
        form1->call->setText(call);
        form1->Timer4->stop();
        form1->AnalyseCall();
    }
    // One key event pair per character, with its text: what a keyboard sends.
    static void type(QWidget *w, const QString &text) {
        for (QChar c : text) {
            const int key = c.toUpper().unicode();
            const auto mods = c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
            QKeyEvent press(QEvent::KeyPress, key, mods, QString(c));
            QApplication::sendEvent(w, &press);
            QKeyEvent release(QEvent::KeyRelease, key, mods, QString(c));
            QApplication::sendEvent(w, &release);
        }
    }
    static void key(QWidget *w, int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, qtKey, mods);
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, qtKey, mods);
        QApplication::sendEvent(w, &release);
    }
    static QWidget *focused() { return QApplication::focusWidget(); }
    void showWindow() {
        form1->show();
        form1->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form1, 30000));
    }
    std::vector<QsoRecord> logRecords() const { return ReadAllRecords<QsoRecord>(path("test.log")); }
};

} // namespace zelmor::test

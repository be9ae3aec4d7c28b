// The QSL window with every other window around it, offscreen: the fill
// from the settings dialog's filters, marks and cards, the call search and
// the received marking through its keys, and the pie.
#include "app/allwindows.h"
#include "common/refrecords.h"
#include "logbook/glawnf.h"
#include "logbook/qsoartwork.h"
#include "logbook/reference.h"
#include "logbook/stationprofile.h"
#include "logtools/dxcc9b.h"
#include "logtools/statist.h"
#include "platform/help.h"
#include "platform/keyboardlayout.h"
#include "platform/printer.h"
#include "qsl/qsl.h"
#include "qsl/qsl_edit.h"
#include "station/nastroy.h"
#include "tests/qsl/qslfixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace zelmor;
using namespace zelmor::test;

namespace {

bool WaitFor(const std::function<bool()> &done, int ms = 3000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms) return false;
        QTest::qWait(10);
    }
    return true;
}

CountryRecord Country(const char *prefix, const char *country) {
    CountryRecord r;
    r.prefix = prefix;
    r.commonPrefix = prefix;
    r.country = country;
    r.dxcc = "*";
    return r;
}

class QslWindowTest : public QslLogTest {
protected:
    void SetUp() override {
        QslLogTest::SetUp();
        QDir(dir_->path()).mkpath("dx");
        CreateAllWindows();
        glawnf->Timer6->stop();
        StationProfile = {};
        StationProfile.call = "QQ0ZZZ";
        StationProfile.country = "European Russia";
        StationProfile.email = "qq0zzz@example.org";
        for (QCheckBox *b : {Nastroy->qso1, Nastroy->qso_2, Nastroy->qsl3, Nastroy->qsobanda1, Nastroy->No_qso, Nastroy->n9})
            b->setChecked(false);
        Nastroy->n15->setChecked(false);
        Nastroy->edit20->setText("2");
    }
    void TearDown() override {
        DestroyAllWindows();
        StationProfile = {};
        QslLogTest::TearDown();
    }
    // The log of the window tests; Japan is confirmed on SSB only.
    void writeJapanLog() {
        WriteAllRecords<CountryRecord>(path("dx/world.dat"), {Country("JA", "Japan"), Country("DL", "Fed. Rep. of Germany"),
                                                              Country("UA", "European Russia")});
        DxccCountryList = {"Japan", "Fed. Rep. of Germany", "European Russia"};
        writeLog({Qso("JA1A", QslToSend, "Japan", "14  Mhz", "CW"), Qso("JA1B", QslReceived, "Japan", "14  Mhz", "SSB"),
                  Qso("DL1A", QslToSend, "Fed. Rep. of Germany", "14  Mhz", "CW"),
                  Qso("UA3A", QslToSend, "European Russia", "7.0 Mhz", "CW"),
                  Qso("JA1A", QslToSend, "Japan", "21  Mhz", "CW"), Qso("DL1A", QslSent, "Fed. Rep. of Germany", "7.0 Mhz")});
        test::Dialogs().calls.clear();
    }
    void fill() {
        QSL->N11->trigger();
        ASSERT_TRUE(QSL->Timer3->isActive());
        ASSERT_TRUE(WaitFor([] { return !QSL->Timer3->isActive() && QSL->Gauge1->isHidden(); }));
    }
    std::vector<QString> calls() const {
        std::vector<QString> out;
        for (int r = 1; r <= QSL->qslTable->listedRows(); ++r) out.push_back(QSL->qslTable->cell(QslColCall, r));
        return out;
    }
    void key(QWidget *w, int k) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
    }
};

} // namespace

TEST_F(QslWindowTest, ShowsItsControlsAndActivationFillsTheSettingsSample) {
    EXPECT_EQ(QSL->windowTitle(), "Распечатка QSL карточек");
    EXPECT_EQ(QSL->N11->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(QSL->QSL4->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(QSL->QSL6->shortcut(), QKeySequence(Qt::Key_F4));
    EXPECT_EQ(QSL->QSL2->shortcut(), QKeySequence(Qt::Key_F8));
    EXPECT_EQ(QSL->N13->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_B));
    EXPECT_EQ(QSL->strqsl->cell(0, 0), "№ QSO");
    EXPECT_EQ(QSL->strqsl2->cell(1, 0), "Страна");
    EXPECT_EQ(QSL->strqsl3->colWidth(3), 0);
    EXPECT_EQ(QSL->Timer2->interval(), 55);
    EXPECT_EQ(QSL->Timer10->interval(), 55);
    EXPECT_EQ(QSL->call->maxLength(), 12);

    writeJapanLog();
    bool printed = false, activated = false;
    QslHook.PrintMarkedCards = [&] { printed = true; };
    QslHook.FormActivate = [&] { activated = true; };
    QSL->show();
    EXPECT_TRUE(activated);
    EXPECT_EQ(Nastroy->Edit11->text(), "qq0zzz@example.org");
    EXPECT_FALSE(QSL->mask().isEmpty());
    ASSERT_TRUE(WaitFor([] { return !QSL->Series1.empty(); }));
    EXPECT_EQ(QSL->ChartTitle, "Количество проведенных QSO 6");
    QTest::mouseClick(QSL->Image4, Qt::LeftButton);
    EXPECT_TRUE(printed);

    FakeHelp help;
    platform::install(&help);
    QTest::mouseClick(QSL->Image15, Qt::LeftButton);
    platform::install(static_cast<Help *>(nullptr));
    ASSERT_EQ(help.calls.size(), 1u);
    EXPECT_EQ(help.calls[0].command, 15);
    QTest::mouseClick(QSL->Image12, Qt::LeftButton);
    EXPECT_TRUE(qsl_edit->isVisible());

    // The call field types the US layout and asks for a call.
    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(QSL->call, &in);
    EXPECT_EQ(platform::keyboardLayout().active(), LayoutUs);
    QTest::mouseClick(QSL->call, Qt::LeftButton);
    EXPECT_EQ(QSL->StripMessage, "Укажите Call");
    QTest::keyClicks(QSL->call, "ua1abc");
    EXPECT_EQ(QSL->call->text(), "UA1ABC");
}

TEST_F(QslWindowTest, FillsFromTheSettingsFiltersAndGroupsTheMarkedRows) {
    writeJapanLog();
    Nastroy->qsl3->setChecked(true);
    Nastroy->n9->setChecked(true);
    fill();
    EXPECT_EQ(calls(), (std::vector<QString>{"DL1A", "JA1A", "JA1A"}));
    EXPECT_EQ(QSL->strqsl2->cell(1, 1), "Fed. Rep. of Germany");
    EXPECT_EQ(QSL->strqsl2->cell(2, 2), "2");
    EXPECT_TRUE(test::Dialogs().messages().empty());

    // Marks by country, then cards of up to edit20 QSOs.
    QSL->strqsl2Click(2);
    EXPECT_EQ(Statist->windowTitle(), "Japan");
    EXPECT_EQ(QSL->Panel1->text(), "2");
    EXPECT_EQ(QSL->Panel2->text(), "1");
    QSL->QSL4->trigger();
    EXPECT_EQ(QSL->qslTable->cell(QslColLink, 2), "3");
    EXPECT_EQ(QSL->qslTable->cell(QslColLink, 3), "0");
    QSL->strqslClick(2);
    EXPECT_EQ(QSL->qslTable->cell(QslColLink, 2), "");
    EXPECT_EQ(QSL->Panel1->text(), "1");
    QSL->QSL7->trigger();
    EXPECT_EQ(QSL->qslTable->cell(QslColMark, 3), "");

    // The DXCC window's chosen mode does not matter: Japan is confirmed on
    // SSB, so "not confirmed" takes Germany and European Russia only.
    DXcc9b->activdxcc();
    DXcc9b->FillDxccTable();
    DXcc9b->CountDxccByMode("CW");
    ASSERT_EQ(DXcc9b->str2->cell(12, 1), ""); // Japan on 14 in CW: not confirmed
    Nastroy->qsl3->setChecked(false);
    Nastroy->n9->setChecked(false);
    Nastroy->No_qso->setChecked(true);
    fill();
    EXPECT_EQ(calls(), (std::vector<QString>{"DL1A", "DL1A", "UA3A"}));

    // Without an own call nothing is filled.
    StationProfile.call.clear();
    QSL->N11->trigger();
    EXPECT_FALSE(QSL->Timer3->isActive());
    EXPECT_EQ(QSL->qslTable->listedRows(), 0);
}

TEST_F(QslWindowTest, TheBandBoxAndItsCheckBoxRebuildTheUnconfirmedCountries) {
    writeJapanLog();
    UnconfirmedBandCountries.clear();
    Nastroy->bandbox1->setCurrentText("14  Mhz");
    EXPECT_EQ(UnconfirmedBandCountries, (QSet<QString>{"Fed. Rep. of Germany", "European Russia"}));
    UnconfirmedBandCountries.clear();
    Nastroy->qsobanda1->click();
    EXPECT_EQ(UnconfirmedBandCountries.size(), 2);
    Nastroy->qsobanda1->setChecked(true);
    fill();
    EXPECT_EQ(calls(), (std::vector<QString>{"DL1A"}));
}

TEST_F(QslWindowTest, EnterFindsTheCallsQsosAndEnterInTheGridMarksACardReceived) {
    writeJapanLog();
    QSL->show();
    ASSERT_TRUE(WaitFor([] { return !QSL->Series1.empty(); }));
    QSL->call->setText("JA1A");
    key(QSL->call, Qt::Key_Return);
    EXPECT_EQ(QSL->SearchCountry(), "Japan");
    EXPECT_EQ(QSL->strnayti->cell(0, 0), "1");
    EXPECT_EQ(QSL->strnayti->cell(0, 1), "5");
    EXPECT_EQ(Statist->windowTitle(), "Japan");

    // Japan is confirmed on 14 already (JA1B): a second card there.
    QSL->strnayti->setRow(0);
    key(QSL->strnayti, Qt::Key_Return);
    EXPECT_EQ(record(0).qslState, QslReceived);
    EXPECT_EQ(QSL->strnayti->cell(4, 0), QslReceived);
    EXPECT_EQ(QSL->StripMessage, "Повторное подтверждение на 14  Mhz");
    EXPECT_EQ(QSL->Series1[3].value, 2); // Получено
    // 21 MHz is new.
    QSL->strnayti->setRow(1);
    key(QSL->strnayti, Qt::Key_Return);
    EXPECT_EQ(QSL->StripMessage, "Новая подтвержденная страна на 21  Mhz");
    EXPECT_EQ(record(4).qslState, QslReceived);
    ASSERT_TRUE(WaitFor([] { return QSL->StripCounter > 3; }));
    EXPECT_EQ(QSL->Image21->lastDrawText(), "Новая подтвержденная страна на 21  Mhz");

    // The button marks without the strip; an empty call field marks nothing.
    QsoRecord back = record(4);
    back.qslState = QslSent;
    WriteRecord(path("test.log"), 4, back);
    OpenLog();
    test::Dialogs().calls.clear(); // the name and club lists this folder lacks
    QSL->Image6Click();
    EXPECT_EQ(record(4).qslState, QslSentAndReceived);
    QSL->call->clear();
    QSL->strnayti->setRow(0);
    const QByteArray before = logBytes();
    key(QSL->strnayti, Qt::Key_Return);
    EXPECT_EQ(logBytes(), before);
    for (const auto &m : test::Dialogs().messages()) ADD_FAILURE() << m.text.toStdString();
}

// The QSO window's menu and shortcuts, picture buttons, status ticker, call
// memory, pick lists, chart switches, recording controls and field
// handlers, driven by key and mouse events.
#include "tests/logbook/qsowindow_fixture.h"

#include "logbook/cwhooks.h"
#include "logbook/loggrid.h"
#include "logbook/psk.h"
#include "logbook/settingscatalogue.h"
#include "logbook/statusticker.h"
#include "platform/hints.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "logtools/statist.h"
#include "qsl/adbox.h"
#include "station/fcw.h"
#include "station/form25.h"
#include "station/settingsloader.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QToolButton>

using namespace zelmor;
using test::QsoWindowTest;

namespace {

class QsoMenuTest : public QsoWindowTest {
protected:
    void SetUp() override {
        QsoWindowTest::SetUp();
        LastStatusText.clear();
        TickerPosition = 0;
        StatusText.clear();
        hooks = {};
        QsoHook = {};
        auto count = [this](const char *name) { return [this, name] { ++hooks[name]; }; };
        for (const char *name : {"n33", "n62", "stopcw1", "Cw31", "CW1", "n50", "StartCwWork", "StopCwWork"})
            hook(name) = count(name);
        auto wave = [this](const char *name) {
            return [this, name](const QString &path) {
                ++hooks[name];
                wavePaths << path;
            };
        };
        QsoHook.RecordCurrentWave = wave("record");
        QsoHook.PlayCurrentWave = wave("play");
        QsoHook.StopCurrentWave = wave("stop");
        platform::install(&process);
    }
    void TearDown() override {
        platform::install(static_cast<ProcessLauncher *>(nullptr));
        QsoHook = {};
        QsoWindowTest::TearDown();
    }
    static std::function<void()> &hook(const std::string &name) {
        if (name == "n33") return QsoHook.n33;
        if (name == "n62") return QsoHook.n62;
        if (name == "stopcw1") return CwMenu.stopcw1;
        if (name == "Cw31") return CwMenu.Cw31;
        if (name == "CW1") return CwMenu.CW1;
        if (name == "n50") return QsoHook.n50;
        if (name == "StartCwWork") return QsoHook.StartCwWork;
        return QsoHook.StopCwWork;
    }
    int calls(const std::string &name) const {
        const auto i = hooks.find(name);
        return i == hooks.end() ? 0 : i->second;
    }
    void showAndFocusCall() {
        showWindow();
        form1->call->setFocus();
        QApplication::processEvents();
    }
    static void press(PicturePair *p) { p->press(false); }
    static void mouse(QWidget *w, QEvent::Type type, QPoint at, QPoint global, Qt::MouseButtons held) {
        QMouseEvent e(type, at, global, Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    // A log of one QSO per entry: call, mode, RST received, RST sent, IOTA.
    void writeLog(const std::vector<std::array<const char *, 5>> &qsos) {
        std::vector<QsoRecord> rs;
        for (size_t i = 0; i < qsos.size(); ++i) {
            QsoRecord r;
            r.number = QString::number(i + 1);
            r.call = qsos[i][0];
            r.mode = qsos[i][1];
            r.rstReceived = qsos[i][2];
            r.rstSent = qsos[i][3];
            r.iota = qsos[i][4];
            r.band = "14  Mhz";
            r.country = "European Russia";
            r.qslState = QslToSend;
            rs.push_back(r);
        }
        WriteAllRecords(path("test.log"), rs);
        OpenLog();
        RefreshLogGrid();
        test::Dialogs().calls.clear();
    }
    static int rowOf(const QString &qso) {
        for (int r = 1; r <= 9; ++r)
            if (form1->str11->cell(0, r) == qso) return r;
        return -1;
    }
    std::map<std::string, int> hooks;
    QStringList wavePaths;
    FakeProcessLauncher process;
};

bool AllBlack(const QImage &img, int fromX = 0) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = fromX; x < img.width(); ++x)
            if (img.pixel(x, y) != qRgb(0, 0, 0)) return false;
    return true;
}

} // namespace

TEST_F(QsoMenuTest, TheMenuHoldsEveryItemInOrderWithItsShortcut) {
    // The root in order, separators as "-".
    QStringList root;
    for (QAction *a : form1->PopupMenu2->actions()) root << (a->isSeparator() ? QString("-") : a->objectName());
    EXPECT_EQ(root, (QStringList{"n36", "N48", "N59", "-", "n58", "QSL1", "n62", "CDcallbook1", "n33", "n4", "-", "N86",
                                 "INFO3", "n5", "N7", "n20", "-", "CW2_1", "-", "N89", "Worldmap1", "N19", "-", "N10",
                                 "N14"}));
    const std::pair<const char *, const char *> keys[] = {
        {"n2", "Ctrl+R"},      {"n34", "Ctrl+S"},  {"n3", "Ctrl+N"},       {"BAND1", "Ctrl+M"}, {"n1", "Ctrl+G"},
        {"n22", "Ctrl+O"},     {"CALL2", ""},      {"n50", "Alt+F"},       {"usb1", "Alt+S"},   {"f100hz1", "Alt+PgUp"},
        {"n56", ""},           {"N6", "Alt+Q"},    {"n58", "Ctrl+B"},      {"n62", "Ctrl+A"},   {"n4", "Shift+F9"},
        {"n66", "Ins"},        {"n68", "Alt+X"},   {"INFO3", "Home"},      {"N7", "Ctrl+T"},    {"CW1", "Shift+I"},
        {"stopcw1", "Del"},    {"cw22", "Shift+F7"}, {"cqrus11", "F2"},    {"cwf61", "F12"},    {"N11", "Alt+F2"},
        {"N52", "Ctrl+F6"},    {"cwf71", "Alt+F12"}, {"cw23", "PgDown"},   {"Cw2", "Shift+Del"}, {"STOP1", "Ctrl+Y"},
        {"N89", "Ctrl+F10"},   {"Worldmap1", "Ctrl+L"}};
    for (const auto &[name, key] : keys) {
        auto *a = form1->findChild<QAction *>(name);
        ASSERT_TRUE(a) << name;
        EXPECT_EQ(a->shortcut().toString(QKeySequence::PortableText), key) << name;
    }
    EXPECT_EQ(form1->TransceiverItems[4]->text(), "SPLIT");
    EXPECT_EQ(form1->n4->text(), "Если после \"/ '' префикс");
    EXPECT_EQ(form1->CwCells[5]->text(), "Звук6 / Командная строка CW 6");
    EXPECT_EQ(form1->CwCells[21]->text(), "Командная строка CW 22");
    EXPECT_FALSE(form1->n61->isVisible());
    EXPECT_FALSE(form1->N23->isVisible());
}

TEST_F(QsoMenuTest, ShortcutsWinOverTheEntryFieldsOwnKeys) {
    showAndFocusCall();
    QLineEdit *call = form1->call;
    call->setText("UA3ABC");
    // Ins: the memory.
    key(call, Qt::Key_Insert);
    EXPECT_EQ(form1->memlist->count(), 1);
    EXPECT_EQ(call->text(), "");

    // Home, Home: into info and back, the caret at the end each time.
    call->setText("UA3ABC");
    form1->info->setText("tnx");
    key(focused(), Qt::Key_Home);
    ASSERT_EQ(focused(), form1->info);
    EXPECT_EQ(form1->info->cursorPosition(), 3);
    key(focused(), Qt::Key_Home);
    ASSERT_EQ(focused(), call);
    EXPECT_EQ(call->cursorPosition(), 6);

    // The keys a line edit takes for itself reach the menu, once each.
    call->setCursorPosition(2);
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char *hook;
    } taken[] = {{Qt::Key_Z, Qt::ControlModifier, "Cw31"},
                 {Qt::Key_Y, Qt::ControlModifier, "stop"},
                 {Qt::Key_A, Qt::ControlModifier, "n62"},
                 {Qt::Key_Delete, Qt::NoModifier, "stopcw1"},
                 {Qt::Key_F6, Qt::ShiftModifier, "n33"}};
    for (const auto &t : taken) {
        key(call, t.key, t.mods);
        EXPECT_EQ(calls(t.hook), 1) << t.hook;
        EXPECT_EQ(call->text(), "UA3ABC") << t.hook;
        EXPECT_EQ(call->selectedText(), "") << t.hook;
    }

    // Ctrl+F10 pops the menu at (20, 20).
    key(call, Qt::Key_F10, Qt::ControlModifier);
    EXPECT_TRUE(form1->PopupMenu2->isVisible());
    EXPECT_EQ(form1->PopupMenu2->pos(), QPoint(20, 20));
    form1->PopupMenu2->hide();

    // The call-clearing key from the settings: all of the call, not from the caret.
    WriteSetting(SettingId::ClearCallKey, qint32(16459));
    form1->LoadMenuSettings();
    call->setFocus();
    call->setCursorPosition(3);
    key(call, Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(call->text(), "");

    // A key two items share fires the first in menu order, not neither.
    WriteSetting(SettingId::ClearCallKey, qint32(45));
    form1->LoadMenuSettings();
    call->setText("DL1ABC"); // a call not yet in the memory: n66 would add it
    key(call, Qt::Key_Insert);
    EXPECT_EQ(call->text(), "");
    EXPECT_EQ(form1->memlist->count(), 1);
}

TEST_F(QsoMenuTest, ShiftWithALetterIsTypingInAFieldAndAShortcutElsewhere) {
    showAndFocusCall();
    form1->name1->setFocus();
    type(form1->name1, "Irina");
    type(form1->qth, "Шура");
    EXPECT_EQ(form1->name1->text(), "Irina");
    EXPECT_EQ(form1->qth->text(), "Шура");
    EXPECT_EQ(calls("CW1"), 0);
    form1->str11->setFocus();
    key(form1->str11, Qt::Key_I, Qt::ShiftModifier);
    EXPECT_EQ(calls("CW1"), 1);
}

TEST_F(QsoMenuTest, TheKeyReleaseStillReachesTheField) {
    showAndFocusCall();
    form1->rst->setFocus();
    form1->rst->setText("57");
    key(form1->rst, Qt::Key_Delete);
    EXPECT_EQ(calls("stopcw1"), 1);
    EXPECT_EQ(form1->rst->text(), ""); // "Delete empties the field" on its release
}

TEST_F(QsoMenuTest, TheTransceiverItemsActOnlyWhileTheLinkIsOn) {
    showAndFocusCall();
    key(form1->call, Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(calls("n50"), 0);
    form1->N48->setEnabled(true);
    key(form1->call, Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(calls("n50"), 1);
}

TEST_F(QsoMenuTest, TheTickerDrawsOnItsStripAndClearsIt) {
    EXPECT_TRUE(form1->Timer1->isActive());
    EXPECT_EQ(form1->Timer1->interval(), 50);
    form1->Timer1->stop(); // stepped by hand
    TickerStrip *strip = form1->Image2;
    StatusText = "Новая страна";
    for (int tick = 1; tick <= 300; ++tick) {
        form1->Timer1Timer();
        ASSERT_EQ(strip->lastDrawX(), tick - 1);
    }
    EXPECT_FALSE(AllBlack(strip->canvas(), 299)); // the text stands at 299
    EXPECT_EQ(strip->canvas().width(), 600);
    // A new text wipes the strip and starts at the left edge.
    StatusText = "Повторное QSO";
    form1->Timer1Timer();
    EXPECT_EQ(strip->lastDrawX(), 0);
    EXPECT_TRUE(AllBlack(strip->canvas(), 299));
    for (int tick = 2; tick <= 602; ++tick) form1->Timer1Timer();
    EXPECT_EQ(strip->lastDrawX(), 601);
    EXPECT_EQ(StatusText, "");
    form1->Timer1Timer();
    EXPECT_TRUE(AllBlack(strip->canvas()));

    // The "Windows" look clears all of its wider strip.
    form1->ApplyLook(LookWindows);
    StatusText = "Новая страна";
    form1->Timer1Timer();
    EXPECT_EQ(strip->canvas().width(), 1240);
}

TEST_F(QsoMenuTest, DuringAnEditTheTickerNamesTheRecalledQso) {
    writeLog({{"UA3A", "SSB", "59", "59", ""}, {"UA3B", "SSB", "59", "59", ""}, {"UA3C", "SSB", "59", "59", ""},
              {"UA3D", "SSB", "59", "59", ""}, {"UA3E", "SSB", "59", "59", ""}, {"UA3F", "SSB", "59", "59", ""},
              {"UA3G", "SSB", "59", "59", ""}});
    form1->Timer1->stop();
    form1->str11->setRow(rowOf("7"));
    form1->N2Click();
    form1->str11->setRow(rowOf("5"));
    for (int tick = 0; tick < 3; ++tick) form1->Timer1Timer();
    EXPECT_EQ(form1->Image2->lastDrawText(), "Включен режим редактирования QSO № 7");
    form1->N3Click();
}

TEST_F(QsoMenuTest, TheCallMemoryKeepsCommasInsideItsParts) {
    showAndFocusCall();
    form1->call->setText("UA3ABC");
    form1->name1->setText("Ivan");
    form1->qth->setText("Moscow, obl.");
    key(form1->call, Qt::Key_Insert);
    ASSERT_EQ(form1->memlist->count(), 1);
    EXPECT_EQ(form1->memlist->item(0)->text(), "UA3ABC,Ivan,Moscow, obl.,,,");
    EXPECT_EQ(form1->call->text(), "");
    // The same call again adds nothing.
    form1->call->setText("UA3ABC");
    form1->name1->setText("Other");
    key(form1->call, Qt::Key_Insert);
    EXPECT_EQ(form1->memlist->count(), 1);
    EXPECT_EQ(form1->call->text(), "");

    for (QLineEdit *e : {form1->name1, form1->qth, form1->info, form1->pIOTA, form1->Pvia}) e->setText("stale");
    form1->memlist->show();
    form1->memlist->setCurrentRow(0);
    form1->memlist->setFocus();
    key(form1->memlist, Qt::Key_Return);
    EXPECT_EQ(RecalledFromMemory, 1);
    EXPECT_EQ(focused(), form1->call);
    form1->Timer4->stop();
    form1->AnalyseCall(); // the recalled call's analysis keeps them
    EXPECT_EQ(form1->call->text(), "UA3ABC");
    EXPECT_EQ(form1->name1->text(), "Ivan");
    EXPECT_EQ(form1->qth->text(), "Moscow, obl.");
    for (QLineEdit *e : {form1->info, form1->pIOTA, form1->Pvia}) EXPECT_EQ(e->text(), "") << e->objectName().toStdString();

    // Delete removes the line.
    form1->memlist->setFocus();
    key(form1->memlist, Qt::Key_Delete);
    EXPECT_EQ(form1->memlist->count(), 0);
}

TEST_F(QsoMenuTest, AltXPutsThePreviousEntryBackQuietly) {
    Nastroy->Name_qth->setChecked(true);
    FirstNameList = QStringList{"Hans", "Hansi"};
    QthNameList = QStringList{"Bonn"};
    showAndFocusCall();
    type(form1->call, "DL1ABC");
    form1->name1->setFocus();
    type(form1->name1, "Hans");
    form1->qth->setFocus();
    type(form1->qth, "Bonn");
    form1->call->setFocus();
    for (QLineEdit *e : {form1->call, form1->name1, form1->qth}) e->clear();
    form1->pname->hide();
    form1->pqth->hide();

    key(form1->call, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(form1->call->text(), "DL1ABC");
    EXPECT_EQ(form1->name1->text(), "Hans");
    EXPECT_EQ(form1->qth->text(), "Bonn");
    EXPECT_TRUE(form1->pname->isHidden());
    EXPECT_TRUE(form1->pqth->isHidden());
    // The call's analysis 300 ms later leaves them standing.
    form1->Timer4->stop();
    form1->AnalyseCall();
    EXPECT_EQ(form1->name1->text(), "Hans");
    EXPECT_EQ(form1->qth->text(), "Bonn");
}

TEST_F(QsoMenuTest, ModeAndBandCompleteAndAreStored) {
    showAndFocusCall();
    const std::pair<const char *, const char *> modes[] = {{"R", "RTTY"}, {"r", "r"}, {"P", "PSK"}, {"S", "S"}};
    for (const auto &[typed, shown] : modes) {
        form1->cb2->clear();
        type(form1->cb2, QString::fromUtf8(typed));
        EXPECT_EQ(form1->cb2->text(), shown) << typed;
        EXPECT_EQ(ReadSettingString(SettingId::Mode), shown) << typed;
    }
    const std::pair<const char *, const char *> bands[] = {
        {"144", "144Mhz"}, {"14 ", "14  Mhz"}, {"1.8", "1.8 Mhz"}, {"xyz", "xyz"}};
    for (const auto &[typed, shown] : bands) {
        form1->cb1->clear();
        type(form1->cb1, QString::fromUtf8(typed));
        EXPECT_EQ(form1->cb1->text(), shown) << typed;
        EXPECT_EQ(ReadSettingString(SettingId::Band), shown) << typed;
    }
}

TEST_F(QsoMenuTest, TypedReportsSetTheModeAndProgramWrittenOnesDoNot) {
    Nastroy->avtmode->setChecked(true);
    showAndFocusCall();
    const std::pair<const char *, const char *> cases[] = {
        {"59", "SSB"}, {"579", "CW"}, {"59+", "SSB"}, {"599+", "CW"}, {"5", "RTTY"}};
    for (const auto &[typed, mode] : cases) {
        form1->cb2->setText("RTTY");
        form1->rsts->clear();
        type(form1->rsts, QString::fromUtf8(typed));
        EXPECT_EQ(form1->cb2->text(), mode) << typed;
        EXPECT_EQ(form1->rsts->text(), typed) << typed; // what is typed stays
    }
    // The mode's own default report sets no mode.
    form1->cb2->clear();
    type(form1->cb2, "R");
    EXPECT_EQ(form1->cb2->text(), "RTTY");
    EXPECT_EQ(form1->rst->text(), "599");
    EXPECT_EQ(form1->rsts->text(), "599");
    form1->cb2->clear();
    type(form1->cb2, "C");
    EXPECT_EQ(form1->cb2->text(), "CW");
    EXPECT_EQ(form1->rst->text(), "599");
    EXPECT_EQ(form1->rsts->text(), "599");
    EXPECT_EQ(DefaultRstPair.received, "599");
    EXPECT_EQ(DefaultRstPair.sent, "599");
}

TEST_F(QsoMenuTest, ChartSwitchesStayInStepAndComeBackAfterARestart) {
    struct Switch {
        QAction *item;
        PicturePair *picture;
        SettingId row;
    };
    auto switches = [] {
        return std::vector<Switch>{{form1->D_QSO1, form1->Image29, SettingId::Chart1},
                                   {form1->D_QSO2, form1->Image30, SettingId::Chart3},
                                   {form1->D_QSL3, form1->Image31, SettingId::Chart4},
                                   {form1->D_DXCC1, form1->Image17, SettingId::Chart5},
                                   {form1->D_DXCC2, form1->Image18, SettingId::Chart6}};
    };
    EXPECT_EQ(SettingName(SettingId::Chart3), "диаграмма3");
    for (const Switch &s : switches()) {
        const bool before = s.item->isChecked();
        EXPECT_EQ(s.picture->isDown(), before);
        s.item->trigger();
        EXPECT_EQ(s.item->isChecked(), !before);
        EXPECT_EQ(s.picture->isDown(), !before);
        EXPECT_EQ(ReadSettingBool(s.row), !before);
        press(s.picture);
        s.picture->release();
        EXPECT_EQ(s.item->isChecked(), before);
        EXPECT_EQ(ReadSettingBool(s.row), before);
    }
    // Only the chart is drawn again: its bars follow, a name typed stays.
    writeLog({{"JA2XYZ", "SSB", "59", "59", ""}});
    {
        std::vector<QsoRecord> rs = logRecords();
        rs[0].country = "Japan";
        WriteAllRecords(path("test.log"), rs);
        OpenLog();
    }
    analyse("JA1ABC");
    ASSERT_TRUE(form1->D_QSO1->isChecked());
    EXPECT_FALSE(form1->chart.Series(3).empty());
    form1->name1->setText("Taro");
    form1->D_QSO1->trigger();
    EXPECT_TRUE(form1->chart.Series(3).empty());
    EXPECT_EQ(form1->name1->text(), "Taro");
    form1->D_QSO1->trigger();
    EXPECT_FALSE(form1->chart.Series(3).empty());
    // The picture of D_QSO2 ticks it and stores "диаграмма3" = 1.
    press(form1->Image30);
    EXPECT_TRUE(form1->D_QSO2->isChecked());
    EXPECT_TRUE(ReadSettingBool(SettingId::Chart3));
    form1->D_QSO1->trigger(); // D_QSO1 now off

    DestroyAllWindows();
    CreateAllWindows();
    glawnf->Timer6->stop();
    StartupHook = {};
    LoadSettings();
    EXPECT_FALSE(form1->D_QSO1->isChecked());
    EXPECT_TRUE(form1->D_QSO2->isChecked());
    EXPECT_FALSE(form1->D_QSL3->isChecked());
    EXPECT_TRUE(form1->D_DXCC1->isChecked());
    EXPECT_FALSE(form1->D_DXCC2->isChecked());
    EXPECT_TRUE(form1->Image30->isDown());
    EXPECT_FALSE(form1->Image29->isDown());
}

TEST_F(QsoMenuTest, RecordPlayAndStopGetTheCurrentWaveFile) {
    showAndFocusCall();
    key(form1->call, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(calls("record"), 1);
    press(form1->Image24);
    EXPECT_EQ(calls("record"), 1); // it records on the release
    form1->Image24->release();
    EXPECT_EQ(calls("record"), 2);
    key(form1->call, Qt::Key_P, Qt::ControlModifier);
    press(form1->Image25);
    EXPECT_EQ(calls("play"), 2);
    press(form1->Image27);
    EXPECT_EQ(calls("stop"), 1);
    ASSERT_EQ(wavePaths.size(), 5);
    for (const QString &p : wavePaths) EXPECT_EQ(p, QDir(ProgramDir).filePath("Текущий.wav"));
}

TEST_F(QsoMenuTest, EditingAQsoLeavesTheStationsModeBandAndReportsAlone) {
    Nastroy->avtmode->setChecked(true);
    Nastroy->cw_ssb->setChecked(true);
    writeLog({{"UA3ABC", "RTTY", "579", "589", ""}});
    WriteSetting(SettingId::Mode, "SSB");
    WriteSetting(SettingId::Band, "7.0 Mhz");
    showAndFocusCall();
    hooks.clear();
    form1->str11->setRow(rowOf("1"));
    form1->N2Click();
    ASSERT_EQ(EditMode, 1);
    form1->FlushPendingAnalysis();
    EXPECT_EQ(form1->cb2->text(), "RTTY");
    EXPECT_EQ(form1->rst->text(), "579");
    EXPECT_EQ(form1->rsts->text(), "589");
    form1->cb2->clear();
    type(form1->cb2, "C");
    EXPECT_EQ(form1->cb2->text(), "CW");
    EXPECT_EQ(form1->rst->text(), "579");
    EXPECT_EQ(form1->rsts->text(), "589");
    form1->cb1->setText("21  Mhz");
    EXPECT_EQ(calls("StartCwWork") + calls("StopCwWork"), 0);
    EXPECT_EQ(ReadSettingString(SettingId::Mode), "SSB");
    EXPECT_EQ(ReadSettingString(SettingId::Band), "7.0 Mhz");
    test::Dialogs().answers.push_back(MbYes);
    form1->N34Click();
    const auto rs = logRecords();
    ASSERT_EQ(rs.size(), 1u);
    EXPECT_EQ(rs[0].mode, "CW");
    EXPECT_EQ(rs[0].band, "21  Mhz");
    EXPECT_EQ(rs[0].rstReceived, "579");
    EXPECT_EQ(rs[0].rstSent, "589");
}

TEST_F(QsoMenuTest, OutsideAnEditTheModeSwitchesCwWork) {
    Nastroy->cw_ssb->setChecked(true);
    showAndFocusCall();
    form1->cb2->setText("CW");
    EXPECT_EQ(calls("StartCwWork"), 1);
    form1->cb2->setText("SSB");
    EXPECT_EQ(calls("StopCwWork"), 1);
}

TEST_F(QsoMenuTest, AnIotaFromTheRepeatCheckSurvivesTheEnterWalk) {
    writeLog({{"UA3ABC", "SSB", "59", "59", "EU-005"}});
    for (QCheckBox *b : {Nastroy->tiota, Nastroy->tfreq}) b->setChecked(true);
    Nastroy->eentr->setText("CALL,IOTA,FREQ,CALL,");
    showAndFocusCall();
    analyse("UA3ABC");
    ASSERT_EQ(form1->pIOTA->text(), "EU-005");
    form1->pFreq->setText("14025");
    key(form1->call, Qt::Key_Return);
    ASSERT_EQ(focused(), form1->pIOTA);
    key(form1->pIOTA, Qt::Key_Return);
    ASSERT_EQ(focused(), form1->pFreq);
    key(form1->pFreq, Qt::Key_Return);
    ASSERT_EQ(focused(), form1->call);
    EXPECT_EQ(form1->pIOTA->text(), "EU-005");
    EXPECT_EQ(form1->pFreq->text(), "14025");
    form1->SaveQso();
    const auto rs = logRecords();
    ASSERT_EQ(rs.size(), 2u);
    EXPECT_EQ(rs[1].iota, "EU-005");
    EXPECT_EQ(rs[1].frequency, "14025");
}

TEST_F(QsoMenuTest, PickListsOpenTakeAndHide) {
    showAndFocusCall();
    // Down in the QSL field opens its list; Enter takes the item.
    form1->cqsl->setFocus();
    key(form1->cqsl, Qt::Key_Down);
    ASSERT_FALSE(form1->List_qsl->isHidden());
    EXPECT_EQ(focused(), form1->List_qsl);
    EXPECT_EQ(form1->List_qsl->count(), 5);
    EXPECT_EQ(form1->List_qsl->currentItem()->text(), form1->cqsl->text()); // it opens on the field's word
    form1->List_qsl->setCurrentRow(2);
    key(form1->List_qsl, Qt::Key_Return);
    EXPECT_EQ(form1->cqsl->text(), QslReceived);
    EXPECT_EQ(DxQslState, QslReceived);
    EXPECT_TRUE(form1->List_qsl->isHidden());
    EXPECT_EQ(focused(), form1->cqsl);
    // The band picture opens its list; leaving it hides it.
    press(form1->Image23);
    form1->Image23->release();
    ASSERT_FALSE(form1->List_band->isHidden());
    EXPECT_EQ(focused(), form1->List_band);
    form1->call->setFocus();
    EXPECT_TRUE(form1->List_band->isHidden());
    // An empty manager list only hides itself.
    form1->Pvia->setFocus();
    key(form1->Pvia, Qt::Key_Down);
    EXPECT_TRUE(form1->Listvia->isHidden());
    form1->Pvia->setText("UA3XYZ");
    key(form1->Pvia, Qt::Key_Delete);
    EXPECT_EQ(form1->Pvia->text(), "");
}

TEST_F(QsoMenuTest, ArrowsInTheSentReportAndViaAndTheCaretOfAClick) {
    showAndFocusCall();
    const struct {
        QLineEdit *from;
        Qt::Key key;
        QLineEdit *to;
    } moves[] = {{form1->rsts, Qt::Key_Up, form1->qth},
                 {form1->rsts, Qt::Key_Down, form1->rst},
                 {form1->Pvia, Qt::Key_Up, form1->qth}};
    for (const auto &m : moves) {
        m.from->setFocus();
        key(m.from, m.key);
        EXPECT_EQ(focused(), m.to) << m.from->objectName().toStdString() << " " << m.key;
    }
    // A click in the middle of the text: the reports put the caret at the
    // start, the call and the manager at the end.
    const struct {
        QLineEdit *field;
        bool atStart;
    } clicks[] = {{form1->rst, true}, {form1->rsts, true}, {form1->call, false}, {form1->Pvia, false}};
    for (const auto &c : clicks) {
        c.field->setText("123456");
        c.field->setFocus();
        QApplication::processEvents(); // entering a field may select it first
        QPoint mid(0, c.field->height() / 2);
        while (mid.x() < c.field->width() && c.field->cursorPositionAt(mid) < 3) mid.rx()++;
        QTest::mousePress(c.field, Qt::LeftButton, Qt::NoModifier, mid);
        ASSERT_EQ(c.field->cursorPosition(), 3) << c.field->objectName().toStdString(); // the press, in the middle
        QTest::mouseRelease(c.field, Qt::LeftButton, Qt::NoModifier, mid);
        EXPECT_EQ(c.field->cursorPosition(), c.atStart ? 0 : 6) << c.field->objectName().toStdString();
    }
}

TEST_F(QsoMenuTest, TheEntryBarItemSwapsTheWindows) {
    showAndFocusCall();
    form1->N14->trigger();
    EXPECT_EQ(form1->N14->text(), "Закрыть окно обмена с другими программами");
    EXPECT_TRUE(psk->isVisible());
    EXPECT_FALSE(form1->isVisible());
    form1->N14->trigger();
    EXPECT_EQ(form1->N14->text(), "Открыть окно обмена с другими программами");
    EXPECT_FALSE(psk->isVisible());
}

TEST_F(QsoMenuTest, TheExternalProgramStartsWithoutAShell) {
    Nastroy->Edit7->setText("");
    press(form1->Image28);
    EXPECT_TRUE(process.calls.empty());
    EXPECT_EQ(MediaBusyWithAlert, 0);
    Nastroy->Edit7->setText(R"(/usr/bin/printf "a b" c)");
    press(form1->Image28);
    ASSERT_EQ(process.calls.size(), 1u);
    EXPECT_EQ(process.calls[0].program, "/usr/bin/printf");
    EXPECT_EQ(process.calls[0].arguments, (QStringList{"a b", "c"}));
    EXPECT_EQ(MediaBusyWithAlert, 1);
}

TEST_F(QsoMenuTest, ADragKeepsThePressPointUnderTheCursor) {
    showWindow();
    QWidget *panel = form1->Panel35;
    const QPoint at(10, 5);
    mouse(panel, QEvent::MouseButtonPress, at, panel->mapToGlobal(at), Qt::LeftButton);
    const QPoint to = panel->mapToGlobal(at) + QPoint(37, 23);
    mouse(panel, QEvent::MouseMove, panel->mapFromGlobal(to), to, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(panel->mapToGlobal(at), to);
    mouse(panel, QEvent::MouseButtonRelease, panel->mapFromGlobal(to), to, Qt::NoButton);
    const QPoint stay = form1->pos();
    mouse(panel, QEvent::MouseMove, at, to + QPoint(50, 50), Qt::NoButton);
    EXPECT_EQ(form1->pos(), stay);
}

TEST_F(QsoMenuTest, ButtonsAndItemsThatActHere) {
    showAndFocusCall();
    // N_zvuk: caption and CW work.
    form1->N_zvuk->click();
    EXPECT_EQ(form1->N_zvuk->text(), "CW");
    EXPECT_EQ(calls("StartCwWork"), 1);
    form1->N_zvuk->click();
    EXPECT_EQ(form1->N_zvuk->text(), "Звук");
    EXPECT_EQ(calls("StopCwWork"), 1);
    // Image6 starts CW work and stays pressed; its lower picture stops it.
    press(form1->Image6);
    form1->Image6->release();
    EXPECT_TRUE(form1->Image6->isDown());
    form1->Image6->press(true);
    EXPECT_FALSE(form1->Image6->isDown());
    EXPECT_EQ(calls("StartCwWork"), 2);
    EXPECT_EQ(calls("StopCwWork"), 2);
    // The sound-file panel from three places.
    form1->N_nastr->click();
    EXPECT_FALSE(form1->Panel30->isHidden());
    press(form1->Image7);
    EXPECT_FALSE(form1->Panel30->isHidden()); // on the release
    form1->Image7->release();
    EXPECT_TRUE(form1->Panel30->isHidden());
    form1->n61->trigger();
    EXPECT_FALSE(form1->Panel30->isHidden());
    // The draft, the hints, the oscilloscope, the call-clearing item.
    key(form1->call, Qt::Key_T, Qt::ControlModifier);
    EXPECT_FALSE(form1->Memo2->isHidden());
    const bool hints = HintsShown();
    form1->n20->trigger();
    EXPECT_EQ(HintsShown(), !hints);
    form1->SpeedButton1->click();
    EXPECT_TRUE(form1->Timer5->isActive());
    form1->Timer5->stop();
    form1->call->setText("UA3ABC");
    form1->CALL2->trigger();
    EXPECT_EQ(form1->call->text(), "");
    // Escape empties the CW line.
    form1->Edit1->setText("cq test");
    key(form1->Edit1, Qt::Key_Escape);
    EXPECT_EQ(form1->Edit1->text(), "");
    form1->N19->trigger();
    EXPECT_FALSE(form1->isVisible());
}

// The windows of the other parts, as the program connects them.
TEST_F(QsoWindowTest, TheMenuShowsTheOtherPartsWindows) {
    for (QWidget *w : std::initializer_list<QWidget *>{Statist, adbox, Form25, fcw}) w->hide();
    form1->n58->trigger();
    form1->n5->trigger();
    form1->Worldmap1->trigger();
    EXPECT_TRUE(Statist->isVisible());
    EXPECT_TRUE(adbox->isVisible());
    EXPECT_TRUE(Form25->isVisible());
    form1->cw22->trigger();
    EXPECT_TRUE(form1->cw22->isChecked());
    EXPECT_TRUE(fcw->isVisible());
    form1->cw22->trigger();
    EXPECT_FALSE(fcw->isVisible());
    // Every transceiver item reaches the CAT window.
    for (auto hook : {&QsoWindowHooks::n50, &QsoWindowHooks::Lock1, &QsoWindowHooks::ab1, &QsoWindowHooks::ab2,
                      &QsoWindowHooks::usb1, &QsoWindowHooks::LSB1, &QsoWindowHooks::cw20, &QsoWindowHooks::CW21,
                      &QsoWindowHooks::AB3, &QsoWindowHooks::pTT1, &QsoWindowHooks::f100hz1, &QsoWindowHooks::F100hz2,
                      &QsoWindowHooks::n13, &QsoWindowHooks::n54, &QsoWindowHooks::n56, &QsoWindowHooks::N6,
                      &QsoWindowHooks::n67, &QsoWindowHooks::n64, &QsoWindowHooks::StartCwWork,
                      &QsoWindowHooks::StopCwWork})
        EXPECT_TRUE(bool(QsoHook.*hook));
    // The keyer ticks "Работа CW" while CW work is on.
    form1->ssbcw1->trigger();
    EXPECT_TRUE(form1->ssbcw1->isChecked());
    form1->ssbcw1->trigger();
    EXPECT_FALSE(form1->ssbcw1->isChecked());
}

// The UTC offset dialog and the reminders, with every window around them.
#include "logbook/settingsstore.h"
#include "station/reminders.h"
#include "station/settingsbinder.h"
#include "station/time_r.h"
#include "tests/logbook/qsowindow_fixture.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>

namespace zelmor::test {
namespace {

// ---- the check on its own ----------------------------------------------------------

QDateTime At(int d, int m, int y, int hh, int mm, int ss = 0) { return QDateTime(QDate(y, m, d), QTime(hh, mm, ss)); }

struct CheckRun {
    QStringList lines;
    int rings = 0;
};

CheckRun Checks(const std::vector<ReminderRow> &rows, const std::vector<QDateTime> &times) {
    ReminderCheckState state;
    CheckRun run;
    for (const QDateTime &t : times) {
        const ReminderCheckResult r = CheckReminders(rows, t, state);
        run.lines << r.lines;
        run.rings += r.ring ? 1 : 0;
    }
    return run;
}

// Every 2 s from `from` to `to`.
std::vector<QDateTime> Ticks(const QDateTime &from, const QDateTime &to) {
    std::vector<QDateTime> out;
    for (QDateTime t = from; t <= to; t = t.addSecs(2)) out.push_back(t);
    return out;
}

TEST(ReminderCheck, FiresOnceInItsMinute) {
    const auto noon = Ticks(At(10, 12, 2025, 11, 59, 30), At(10, 12, 2025, 12, 0, 4));
    const auto midnight = Ticks(At(10, 12, 2025, 23, 59, 30), At(11, 12, 2025, 0, 0, 4));
    std::vector<QDateTime> setBack = noon;
    for (const QDateTime &t : Ticks(At(10, 12, 2025, 11, 0), At(10, 12, 2025, 12, 0, 4))) setBack.push_back(t);
    const ReminderRow a{"10.12.2025", "12:00", "A"};
    struct Case {
        const char *what;
        ReminderRow row;
        std::vector<QDateTime> times;
        QStringList lines;
        int rings;
    };
    const Case cases[] = {
        {"today", a, noon, {"10.12.2025   12:00    A", "12:00  A"}, 1},
        {"yesterday", {"09.12.2025", "12:00", "A"}, noon, {}, 0},
        {"later today: listed only", {"10.12.2025", "15:00", "C"}, noon, {"10.12.2025   15:00    C"}, 0},
        {"midnight, whose minute starts the day before", {"11.12.2025", "00:00", "B"}, midnight, {"00:00  B"}, 1},
        {"the clock set back after it fired", a, setBack, {"10.12.2025   12:00    A", "12:00  A"}, 1},
        {"its minute skipped by a suspend: late, not lost", a, {At(10, 12, 2025, 11, 50), At(10, 12, 2025, 12, 10)},
         {"10.12.2025   12:00    A", "12:00  A"}, 1},
        {"past at the first check", a, {At(10, 12, 2025, 12, 5)}, {}, 0},
        {"seconds and one-digit fields", {" 1.2.2026 ", "9:30:15", " D "}, Ticks(At(1, 2, 2026, 9, 29, 0), At(1, 2, 2026, 9, 31)),
         {"1.2.2026   9:30:15    D", "9:30:15  D"}, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const CheckRun r = Checks({c.row}, c.times);
        EXPECT_EQ(r.lines, c.lines);
        EXPECT_EQ(r.rings, c.rings);
    }
}

TEST(ReminderCheck, BadRowsAreSkippedAndNamedAtTheFirstCheckOnly) {
    const std::vector<ReminderRow> rows = {{"10.12.2025", "12:00", "A"}, {"31.02.2025", "12:00", "X"},
                                           {"", "", "no date"},          {"10.12.2025", "25:70", "Y"},
                                           {"10.12.2025", "12:00", "B"}};
    ReminderCheckState state;
    ReminderCheckResult first = CheckReminders(rows, At(10, 12, 2025, 11, 59, 30), state);
    EXPECT_EQ(first.status, "Напоминания в строках 2, 4 не распознаны");
    EXPECT_EQ(first.notices, (QStringList{"12:00  A", "12:00  B"}));
    EXPECT_TRUE(first.ring);
    EXPECT_TRUE(state.upcomingListed);
    EXPECT_TRUE(CheckReminders(rows, At(10, 12, 2025, 11, 59, 32), state).status.isEmpty());

    // An edited reminder is a new one.
    std::vector<ReminderRow> edited = rows;
    edited[0].info = "A again";
    EXPECT_EQ(CheckReminders(edited, At(10, 12, 2025, 11, 59, 34), state).notices, QStringList{"12:00  A again"});
}

TEST(ReminderCheck, CellFormats) {
    EXPECT_EQ(ParseReminderDate(u"5.3.2025"), QDate(2025, 3, 5));
    EXPECT_EQ(ParseReminderDate(u"05.03.2025"), QDate(2025, 3, 5));
    for (const char *bad : {"31.02.2025", "5.3.25", "5/3/2025", "a.3.2025", "", "5.3.2025.1", "123.3.2025"})
        EXPECT_FALSE(ParseReminderDate(QString::fromUtf8(bad))) << bad;
    EXPECT_EQ(ParseReminderTime(u"9:05"), QTime(9, 5));
    EXPECT_EQ(ParseReminderTime(u"23:59:59"), QTime(23, 59, 59));
    for (const char *bad : {"25:70", "24:00", "9:5", "12", "12:00:", "12:60", "ab:cd"})
        EXPECT_FALSE(ParseReminderTime(QString::fromUtf8(bad))) << bad;
    EXPECT_EQ(ReminderRowError(2, {"10.12.2025", "25:70", ""}),
              "Напоминание в строке 2: время \"25:70\" не распознано (чч:мм или чч:мм:сс)");
    EXPECT_EQ(ReminderRowError(3, {"31.02.2025", "12:00", ""}),
              "Напоминание в строке 3: дата \"31.02.2025\" не распознана (дд.мм.гггг)");
}

// ---- the windows -------------------------------------------------------------------

class TimeWindowsTest : public QsoWindowTest {
protected:
    void SetUp() override {
        QsoWindowTest::SetUp();
        time_r->LoadReminders();
        Nastroy->n50->setChecked(true);
    }
    // What the operator types: into the rows the grid shows.
    static void setRows(const std::vector<ReminderRow> &rows) {
        time_r->strtimer->setRowCount(int(rows.size()) + 2);
        for (size_t i = 0; i < rows.size(); ++i) {
            time_r->strtimer->setCell(0, int(i) + 1, rows[i].date);
            time_r->strtimer->setCell(1, int(i) + 1, rows[i].time);
            time_r->strtimer->setCell(2, int(i) + 1, rows[i].info);
        }
    }
    static QString stored(const char *name) { return RegReadString(QStringLiteral("zelmor\\таймер"), QString::fromUtf8(name)); }
    static qint32 storedCount() { return RegReadInteger(QStringLiteral("zelmor\\таймер"), QStringLiteral("кол")); }
    // Checks by the launcher's timer, every 2 s.
    static void checkEvery2s(const QDateTime &from, const QDateTime &to) {
        for (const QDateTime &t : Ticks(from, to)) {
            Clock().time = t;
            LauncherHook.CheckReminders();
        }
    }
    QByteArray hiveBytes() const {
        QFile f(path("registry.reg"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(TimeWindowsTest, OffsetIsClampedAsTypedAndTheClockWaitsWhileItIsEdited) {
    struct Case {
        const char *typed, *shown;
    };
    for (const Case c : {Case{"+", ""}, Case{"13", "12"}, Case{"-15", "-12"}, Case{"+3", "3"}, Case{"ab1", "1"},
                         Case{"123", "12"}}) {
        SCOPED_TRACE(c.typed);
        gmtf->utc->clear();
        glawnf->Timer2->start();
        type(gmtf->utc, QString::fromUtf8(c.typed));
        EXPECT_EQ(gmtf->utc->text(), c.shown);
        EXPECT_FALSE(glawnf->Timer2->isActive());
    }
    // The QSO window's clock follows the typed offset at once.
    Clock().time = At(20, 6, 2024, 1, 30);
    gmtf->utc->clear();
    type(gmtf->utc, "-3");
    EXPECT_EQ(form1->tim->text(), "22:30");
    EXPECT_EQ(form1->data2->text(), "19.06.2024");

    QTest::mouseClick(gmtf->utc, Qt::LeftButton);
    glawnf->Timer2->start();
    QTest::mousePress(gmtf->utc, Qt::LeftButton);
    EXPECT_FALSE(glawnf->Timer2->isActive());
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(gmtf->utc, &out);
    EXPECT_TRUE(glawnf->Timer2->isActive());
}

TEST_F(TimeWindowsTest, OkStoresAValidOffsetAndClosing) {
    gmtf->show();
    for (const char *text : {"", "-"}) {
        gmtf->utc->setText(text);
        gmtf->SpeedButton1->click();
        EXPECT_TRUE(gmtf->isVisible()) << text;
        EXPECT_EQ(gmtf->utc->text(), text);
    }
    EXPECT_EQ(gmtf->StBar1->currentMessage(), "Добавте еще цифру");
    gmtf->utc->clear();
    gmtf->SpeedButton1->click();
    EXPECT_EQ(gmtf->StBar1->currentMessage(), "Где-же время?");
    EXPECT_EQ(RegReadString("zelmor\\qso", "GMT"), "");

    glawnf->Timer2->stop();
    gmtf->utc->setText("-3");
    gmtf->SpeedButton1->click();
    EXPECT_FALSE(gmtf->isVisible());
    EXPECT_EQ(RegReadString("zelmor\\qso", "GMT"), "-3");
    EXPECT_TRUE(glawnf->Timer2->isActive());
    EXPECT_TRUE(gmtf->StBar1->currentMessage().isEmpty());
}

TEST_F(TimeWindowsTest, ClosingTheDialogAnyWayStartsTheClockAndStoresNothing) {
    RegWriteValue(0, "zelmor\\qso", "GMT", 0, "0");
    gmtf->show();
    gmtf->utc->clear();
    type(gmtf->utc, "5");
    ASSERT_FALSE(glawnf->Timer2->isActive());
    gmtf->close(); // the close box
    EXPECT_TRUE(glawnf->Timer2->isActive());
    EXPECT_EQ(RegReadString("zelmor\\qso", "GMT"), "0");

    gmtf->show();
    gmtf->utc->clear();
    type(gmtf->utc, "-");
    QTest::keyClick(gmtf, Qt::Key_Escape);
    EXPECT_FALSE(gmtf->isVisible());
    EXPECT_EQ(gmtf->utc->text(), "0"); // a lone minus becomes no offset
    EXPECT_TRUE(glawnf->Timer2->isActive());
}

TEST_F(TimeWindowsTest, StoringCompactsTheRowsWithADate) {
    setRows({{" 10.12.2025 ", "12:00", " A "}, {"", "", ""}, {"11.12.2025", "00:00", "B"}});
    ASSERT_TRUE(time_r->SpeedButton1Click());
    EXPECT_EQ(storedCount(), 2);
    EXPECT_EQ(stored("дата0"), "10.12.2025");
    EXPECT_EQ(stored("информ0"), "A");
    EXPECT_EQ(stored("дата1"), "11.12.2025");
    EXPECT_EQ(stored("время1"), "00:00");
    EXPECT_EQ(time_r->Rows(), (std::vector<ReminderRow>{{"10.12.2025", "12:00", "A"}, {"11.12.2025", "00:00", "B"}, {}}));
    EXPECT_TRUE(glawnf->Timer5->isActive());

    // Typing into the empty row opens the next.
    time_r->strtimer->setCell(0, 3, "12.12.2025");
    EXPECT_EQ(time_r->strtimer->rowCount(), 5);

    // Stored again, read back by the next run's loader.
    time_r->strtimer->setCell(0, 3, "");
    time_r->LoadReminders();
    EXPECT_EQ(time_r->Rows().size(), 3u);
    EXPECT_EQ(time_r->Rows()[1], (ReminderRow{"11.12.2025", "00:00", "B"}));

    setRows({{"", "", ""}, {"", "", ""}});
    ASSERT_TRUE(time_r->SpeedButton1Click());
    EXPECT_EQ(storedCount(), 1);
    EXPECT_EQ(stored("дата0"), "");
    EXPECT_EQ(stored("время0"), "");
    EXPECT_EQ(stored("информ0"), "");
    EXPECT_EQ(time_r->strtimer->rowCount(), 2);
}

TEST_F(TimeWindowsTest, ABadRowStoresNothingAndTheOthersStillRing) {
    setRows({{"10.12.2025", "12:00", "A"}});
    ASSERT_TRUE(time_r->SpeedButton1Click());
    setRows({{"10.12.2025", "12:00", "A"}, {"10.12.2025", "25:70", "X"}, {"10.12.2025", "12:00", "B"}});
    const QByteArray before = hiveBytes();
    ASSERT_FALSE(before.isEmpty());
    EXPECT_FALSE(time_r->SpeedButton1Click());
    ASSERT_EQ(Dialogs().messages().size(), 1u);
    EXPECT_EQ(Dialogs().messages()[0].text, "Напоминание в строке 2: время \"25:70\" не распознано (чч:мм или чч:мм:сс)");
    EXPECT_EQ(hiveBytes(), before);
    // Nor a text the settings file cannot hold (it would come back as "?").
    Dialogs().clear();
    time_r->strtimer->setCell(1, 2, "12:00");
    time_r->strtimer->setCell(2, 2, "Sked \u260E");
    EXPECT_FALSE(time_r->SpeedButton1Click());
    ASSERT_EQ(Dialogs().messages().size(), 1u);
    EXPECT_TRUE(Dialogs().messages()[0].text.startsWith("Напоминание в строке 2: знак")) << Dialogs().messages()[0].text.toStdString();
    EXPECT_EQ(hiveBytes(), before);
    time_r->strtimer->setCell(1, 2, "25:70");

    checkEvery2s(At(10, 12, 2025, 11, 59, 30), At(10, 12, 2025, 12, 0, 4));
    EXPECT_EQ(time_r->Memo3Lines(), (QStringList{"10.12.2025   12:00    A", "12:00  A", "10.12.2025   12:00    B",
                                                 "12:00  B"}));
    EXPECT_EQ(Sound().count("rin.wav"), 1);
    EXPECT_TRUE(glawnf->Timer5->isActive());
}

TEST_F(TimeWindowsTest, ANoticeShowsTheWindowWithoutTheFocusAndRingsWhenAsked) {
    showWindow();
    RegWriteValue(1, "zelmor\\таймер", "кол", 2, "");
    RegWriteValue(0, "zelmor\\таймер", "дата0", 0, "10.12.2025");
    RegWriteValue(0, "zelmor\\таймер", "время0", 0, "12:00");
    RegWriteValue(0, "zelmor\\таймер", "информ0", 0, "Sked");
    RegWriteValue(0, "zelmor\\таймер", "дата1", 0, "32.12.2025");
    RegWriteBool("zelmor\\главное", "звук таймера", true);
    LoadSettings(); // the start-up's load: the rows and the sound switch
    EXPECT_TRUE(Nastroy->n50->isChecked());
    EXPECT_TRUE(time_r->Memo3Lines().isEmpty());

    Clock().time = At(10, 12, 2025, 11, 0);
    LauncherHook.CheckReminders();
    EXPECT_EQ(StatusText, "Напоминание в строке 2 не распознано");
    EXPECT_EQ(time_r->UpcomingListed, 1);
    EXPECT_FALSE(time_r->isVisible());

    Clock().time = At(10, 12, 2025, 11, 59, 10);
    Sound().succeed = false; // no audio device: the notice all the same
    LauncherHook.CheckReminders();
    EXPECT_EQ(time_r->Memo3Lines().last(), "12:00  Sked");
    EXPECT_EQ(StatusText, "12:00  Sked");
    EXPECT_TRUE(time_r->isVisible());
    EXPECT_EQ(Sound().count("rin.wav"), 1);

    // Without the sound switch: the notice alone. The switch is stored at
    // its click.
    Nastroy->n50->click();
    EXPECT_FALSE(RegReadBool("zelmor\\главное", "звук таймера"));
    time_r->strtimer->setCell(2, 1, "Sked 2");
    LauncherHook.CheckReminders();
    EXPECT_EQ(time_r->Memo3Lines().last(), "12:00  Sked 2");
    EXPECT_EQ(Sound().count("rin.wav"), 1);
}

} // namespace
} // namespace zelmor::test

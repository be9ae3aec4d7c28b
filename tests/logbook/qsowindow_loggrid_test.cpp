// The QSO window's log grid on fixture logs: paging, recall and rewrite in
// place, delete and restore, corrections and the column layout, checked on
// the log's bytes.
#include "tests/logbook/qsowindow_fixture.h"

#include "logbook/loggrid.h"
#include "logbook/settingscatalogue.h"
#include "logbook/shutdown.h"

#include <QAction>
#include <QFile>
#include <QMouseEvent>
#include <QScrollBar>
#include <sys/stat.h>

using namespace zelmor;
using test::QsoWindowTest;

namespace {

qint64 Inode(const QString &path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? qint64(st.st_ino) : -1;
}

class LogGridTest : public QsoWindowTest {
protected:
    void SetUp() override {
        QsoWindowTest::SetUp();
        // Every column shown, as a first start stores it.
        for (int n = 0; n < 20; ++n) WriteSetting(SettingId::LogGridShown, qint32(1), n);
    }
    // A log of n records; record i has number i + 1 and the call "UA3<i+1>AA".
    void writeLog(int n, const std::function<void(QsoRecord &, int)> &tweak = {}) {
        std::vector<QsoRecord> rs;
        for (int i = 0; i < n; ++i) {
            QsoRecord r;
            r.number = QString::number(i + 1);
            r.call = QStringLiteral("UA3%1AA").arg(i + 1);
            r.name = QStringLiteral("Name%1").arg(i + 1);
            r.qth = "Moscow";
            r.date = "01.02.2024";
            r.time = "12:00";
            r.band = "14  Mhz";
            r.mode = "SSB";
            r.rstReceived = "57";
            r.rstSent = "59";
            r.info = QStringLiteral("info%1").arg(i + 1);
            r.waz = "16";
            r.itu = "29";
            r.country = "European Russia";
            r.qslState = QslNotToSend;
            r.qslVia = QStringLiteral("VIA%1").arg(i + 1);
            r.iota = QStringLiteral("EU-%1").arg(i + 1);
            r.frequency = QStringLiteral("%1").arg(14000 + i);
            r.longitude = "37,62";
            r.latitude = "55,75";
            r.regionNumber = "0";
            if (tweak) tweak(r, i);
            rs.push_back(r);
        }
        WriteAllRecords(path("test.log"), rs);
        OpenLog();
        test::Dialogs().calls.clear(); // the fixture has no club lists
    }
    static TStringGrid *grid() { return form1->str11; }
    static QString number(int row) { return grid()->cell(0, row); }
    static QStringList numbers() {
        QStringList out;
        for (int r = 1; r <= 9; ++r) out << number(r);
        return out;
    }
    static int rowOf(const QString &qso) {
        for (int r = 1; r <= 9; ++r)
            if (number(r) == qso) return r;
        return -1;
    }
    static void selectQso(const QString &qso) { grid()->setRow(rowOf(qso)); }
    QByteArray logBytes() const {
        QFile f(path("test.log"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Byte positions, relative to record `index`, where the log differs;
    // -1 for a difference outside that record.
    static std::vector<int> changedIn(const QByteArray &before, const QByteArray &after, int index) {
        std::vector<int> out;
        for (int i = 0; i < int(std::min(before.size(), after.size())); ++i) {
            if (before[i] == after[i]) continue;
            out.push_back(i / 457 == index ? i % 457 : -1);
        }
        return out;
    }
    static void mouse(QWidget *w, QEvent::Type type) {
        const QPoint at(2, 2);
        QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    static void answer(int button) { test::Dialogs().answers.push_back(button); }
};

} // namespace

TEST_F(LogGridTest, ALogShorterThanAPageFillsTheBottomRowsNewestHighest) {
    writeLog(5);
    showWindow();
    EXPECT_EQ(numbers(), (QStringList{"", "", "", "", "5", "4", "3", "2", "1"}));
    for (int r = 1; r <= 4; ++r) EXPECT_EQ(grid()->model().rowTexts(r), QStringList(20, QString())) << r;
    EXPECT_EQ(grid()->cell(1, 9), "UA31AA");
    // Up at the top row pages nowhere.
    grid()->setFocus();
    grid()->setRow(1);
    key(grid(), Qt::Key_Up);
    EXPECT_EQ(number(9), "1");
    EXPECT_EQ(number(5), "5");
    // The headers of the activation.
    EXPECT_EQ(grid()->cell(0, 0), "    №");
    EXPECT_EQ(grid()->cell(19, 0), " Частота");
}

TEST_F(LogGridTest, PagingByKeysPicturesSliderAndScrollBar) {
    writeLog(100);
    showWindow();
    EXPECT_EQ(number(9), "92");
    EXPECT_EQ(number(1), "100");

    writeLog(1000);
    RefreshLogGrid();
    EXPECT_EQ(number(9), "992");
    // Held paging: one record at the press, then growing jumps per tick.
    mouse(form1->Image8, QEvent::MouseButtonPress);
    EXPECT_TRUE(form1->Image8->isHidden());
    EXPECT_EQ(number(9), "991");
    ASSERT_TRUE(form1->Timer6->isActive());
    form1->Timer6Timer();
    ASSERT_TRUE(form1->Timer7->isActive());
    // A running Timer7 keeps its rhythm: Timer6 firing again does not
    // restart it (a restart would put its time left back up; a timer id
    // cannot tell, Qt gives a restarted timer the same one).
    QTest::qSleep(30);
    const int left = form1->Timer7->remainingTime();
    form1->Timer6Timer();
    EXPECT_LE(form1->Timer7->remainingTime(), left);
    QStringList bottoms;
    for (int tick = 0; tick < 13; ++tick) {
        form1->Timer7Timer();
        bottoms << number(9);
    }
    EXPECT_EQ(bottoms, (QStringList{"961", "921", "871", "811", "741", "661", "571", "471", "361", "241", "111", "111",
                                    "111"}));
    // The release reaches the pressed twin under the hidden picture.
    mouse(form1->Image52, QEvent::MouseButtonRelease);
    EXPECT_FALSE(form1->Image8->isHidden());
    EXPECT_FALSE(form1->Timer6->isActive());
    EXPECT_FALSE(form1->Timer7->isActive());

    // Up and Down at the grid's edges page by one.
    grid()->setFocus();
    grid()->setRow(1);
    key(grid(), Qt::Key_Up);
    EXPECT_EQ(number(9), "112");
    grid()->setRow(9);
    key(grid(), Qt::Key_Down);
    EXPECT_EQ(number(9), "111");

    // The slider.
    struct Slide {
        int top;
        const char *bottom;
    };
    for (const Slide &s : {Slide{451, "9"}, Slide{452, "9"}, Slide{355, "992"}}) {
        form1->SliderTop = s.top;
        form1->PageLogGrid(PageBySlider, 0);
        EXPECT_EQ(number(9), s.bottom) << s.top;
    }
    // Dragged: the slider's top follows the cursor inside its track only.
    form1->Image54MouseDown(4);
    form1->Image54MouseMove(100);
    EXPECT_EQ(form1->SliderTop, 451);
    EXPECT_EQ(number(9), "9");
    form1->Image54MouseMove(200);
    EXPECT_EQ(form1->SliderTop, 451);
    form1->Image54MouseUp();
    form1->Image54MouseMove(10);
    EXPECT_EQ(form1->SliderTop, 451);

    // The scroll bar's fill writes every cell, via, IOTA and frequency too.
    form1->fbar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(number(9), "9");
    EXPECT_EQ(grid()->cell(17, 9), "VIA9");
    EXPECT_EQ(grid()->cell(19, 1), "14016");
    form1->FillLogGridFrom(995);
    EXPECT_EQ(numbers(), (QStringList{"", "", "", "", "1000", "999", "998", "997", "996"}));
    EXPECT_EQ(grid()->model().rowTexts(1), QStringList(20, QString()));
    // One row from the current record; past the end the row is emptied.
    LogRecordIndex = 41;
    form1->AddLogGridRow(1);
    EXPECT_EQ(number(1), "42");
    EXPECT_EQ(grid()->cell(18, 1), "EU-42");
    LogRecordIndex = 1000;
    form1->AddLogGridRow(5);
    EXPECT_EQ(grid()->model().rowTexts(5), QStringList(20, QString()));

    // A purged log shows none of the old rows.
    QFile(path("test.log")).resize(0);
    OpenLog();
    RefreshLogGrid();
    for (int r = 1; r <= 9; ++r) EXPECT_EQ(grid()->model().rowTexts(r), QStringList(20, QString())) << r;
}

namespace {
// Record 7: stored values the analysis would not give (the table says
// "Asiatic Russia" for UA9).
void SeventhRecord(QsoRecord &r, int i) {
    if (i != 6) return;
    r.call = "UA9XYZ";
    r.name = "Ivan";
    r.country = "European Russia";
    r.waz = "16";
    r.itu = "29";
    r.latitude = "55,75";
    r.longitude = "37,62";
    r.regionNumber = "";
    r.mode = "RTTY";
    r.rstReceived = "599";
    r.rstSent = "599";
    r.qslState = QslReceived;
    r.frequency = "14080";
    r.locator = "KO85UR";
}
} // namespace

TEST_F(LogGridTest, AnEditWritesOnlyWhatTheOperatorChangedAndPutsTheFieldsBack) {
    writeLog(10, SeventhRecord);
    Nastroy->avtmode->setChecked(true);
    Nastroy->qslf2->setChecked(true);
    showWindow();
    form1->cb1->setText("7.0 Mhz");
    form1->cb2->setText("CW");
    const QStringList preRecall = {form1->cb1->text(), form1->cb2->text(), form1->rst->text(),
                                   form1->rsts->text(), form1->ochk->text(), form1->cqsl->text()};
    const QByteArray before = logBytes();
    const qint64 inode = Inode(path("test.log"));

    selectQso("7");
    form1->N2Click();
    EXPECT_EQ(EditMode, 1);
    EXPECT_EQ(StatusText, "Включен режим редактирования QSO № 7");
    EXPECT_TRUE(form1->n34->isEnabled());
    EXPECT_TRUE(Nastroy->tim1->isChecked());
    // The stored values, not the analysis', and no field derived from another.
    EXPECT_EQ(DxCountry, "European Russia");
    EXPECT_EQ(DxWaz, "16");
    EXPECT_EQ(form1->cb2->text(), "RTTY");
    EXPECT_EQ(form1->rst->text(), "599");
    EXPECT_EQ(form1->cqsl->text(), QslReceived);

    form1->name1->setText("Petr");
    answer(MbYes);
    form1->N34Click();
    ASSERT_EQ(test::Dialogs().messages().size(), 1u);
    EXPECT_EQ(test::Dialogs().messages()[0].caption, "Редактирование файла");
    EXPECT_EQ(test::Dialogs().messages()[0].text, "Подтверждаете ввод?");

    const QByteArray after = logBytes();
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(Inode(path("test.log")), inode);
    const auto changed = changedIn(before, after, 6);
    ASSERT_FALSE(changed.empty());
    for (int at : changed) EXPECT_TRUE(at >= 22 && at <= 47) << at;
    EXPECT_EQ(grid()->cell(2, rowOf("7")), "Petr");

    EXPECT_EQ(EditMode, 0);
    EXPECT_FALSE(form1->n34->isEnabled());
    EXPECT_FALSE(Nastroy->tim1->isChecked());
    EXPECT_EQ((QStringList{form1->cb1->text(), form1->cb2->text(), form1->rst->text(), form1->rsts->text(),
                           form1->ochk->text(), form1->cqsl->text()}),
              preRecall);
    EXPECT_EQ(DxQslState, preRecall[5]);
}

TEST_F(LogGridTest, ANewCallBringsTheAnalysisCountryZonesCoordinatesAndLocator) {
    writeLog(10, SeventhRecord);
    showWindow();
    selectQso("7");
    form1->N2Click();
    form1->call->setText("JA1ABC");
    form1->FlushPendingAnalysis();
    const QString locator = DxLocator;
    ASSERT_FALSE(locator.isEmpty());
    answer(MbYes);
    form1->N34Click();

    const QsoRecord r = ReadRecord<QsoRecord>(path("test.log"), 6);
    EXPECT_EQ(r.call, "JA1ABC");
    EXPECT_EQ(r.country, "Japan");
    EXPECT_EQ(r.waz, "25");
    EXPECT_EQ(r.itu, "45");
    EXPECT_EQ(r.latitude, "36,0");
    EXPECT_EQ(r.longitude, "138,0");
    EXPECT_EQ(r.regionNumber, "");
    EXPECT_EQ(r.locator, locator);
    EXPECT_EQ(r.name, "Ivan");
    EXPECT_EQ(r.mode, "RTTY");
    EXPECT_EQ(r.rstReceived, "599");
    EXPECT_EQ(r.qslState, QslReceived);
    EXPECT_EQ(r.number, "7");
    EXPECT_EQ(LogCalls[6], "JA1ABC");
    EXPECT_EQ(LogCountries[6], "Japan");
    EXPECT_EQ(LogColumns.indexesOfCall("JA1ABC"), std::vector<qint64>{6});
    EXPECT_TRUE(LogColumns.indexesOfCall("UA9XYZ").empty());
}

TEST_F(LogGridTest, TheRewriteTargetsTheRecalledRecordWhereverTheCursorWent) {
    writeLog(10, SeventhRecord);
    showWindow();
    selectQso("7");
    form1->N2Click();
    form1->name1->setText("Petr");
    form1->info->setText("edited");
    selectQso("5"); // a click: the edit stays with QSO 7
    EXPECT_EQ(StatusText, "Включен режим редактирования QSO № 7");
    const QStringList row5 = grid()->model().rowTexts(rowOf("5"));
    const QByteArray before = logBytes();
    answer(MbYes);
    form1->N34Click();
    const QByteArray after = logBytes();
    const auto changed = changedIn(before, after, 6);
    ASSERT_FALSE(changed.empty());
    for (int at : changed) EXPECT_NE(at, -1); // no byte of another record
    EXPECT_EQ(grid()->model().rowTexts(rowOf("5")), row5);
    EXPECT_EQ(grid()->cell(2, rowOf("7")), "Petr");
    EXPECT_EQ(grid()->cell(12, rowOf("7")), "edited");

    // Up and Down while editing take the edit to the row reached.
    selectQso("7");
    form1->N2Click();
    grid()->setFocus();
    key(grid(), Qt::Key_Down);
    EXPECT_EQ(number(grid()->row()), "6");
    EXPECT_EQ(form1->call->text(), "UA36AA");
    EXPECT_EQ(EditedQsoNumber, 6);
    form1->N3Click();

    // No, and the cancel, write nothing.
    for (int how = 0; how < 2; ++how) {
        selectQso("7");
        form1->N2Click();
        form1->name1->setText("Other");
        if (how == 0) {
            answer(MbNo);
            form1->N34Click();
        } else {
            form1->N3Click();
        }
        EXPECT_EQ(EditMode, 0) << how;
        EXPECT_EQ(logBytes(), after) << how;
    }
}

TEST_F(LogGridTest, AnEditEndsWithNothingWrittenWhenTheRecordIsGoneOrAnotherLogIsOpened) {
    writeLog(10, SeventhRecord);
    showWindow();
    const QString band = form1->cb1->text();
    selectQso("7");
    form1->N2Click();
    form1->name1->setText("Petr");
    QFile(path("test.log")).resize(5 * 457);
    const QByteArray shrunk = logBytes();
    answer(MbYes);
    form1->N34Click();
    ASSERT_EQ(test::Dialogs().messages().size(), 2u);
    EXPECT_EQ(test::Dialogs().messages()[1].caption, "ERROR");
    EXPECT_EQ(logBytes(), shrunk);

    writeLog(10, SeventhRecord);
    RefreshLogGrid();
    selectQso("7");
    form1->N2Click();
    ASSERT_EQ(EditMode, 1);
    OpenLog();
    EXPECT_EQ(EditMode, 0);
    EXPECT_FALSE(form1->n34->isEnabled());
    EXPECT_EQ(form1->cb1->text(), band);
    EXPECT_EQ(form1->call->text(), "");
    EXPECT_FALSE(Nastroy->tim1->isChecked());

    // The shut-down ends an edit first: the switches are the operator's again.
    selectQso("7");
    form1->N2Click();
    ASSERT_TRUE(Nastroy->tdata1->isChecked());
    ShutDown();
    EXPECT_EQ(EditMode, 0);
    EXPECT_FALSE(Nastroy->tdata1->isChecked());
}

TEST_F(LogGridTest, DeleteAndRestore) {
    writeLog(20);
    showWindow();
    const qint64 index = LogRecordIndex;
    selectQso("12");
    const int row = grid()->row();
    const QByteArray before = logBytes();
    form1->N1Click();
    const QByteArray deleted = logBytes();
    const auto changed = changedIn(before, deleted, 11);
    ASSERT_FALSE(changed.empty());
    for (int at : changed) EXPECT_TRUE(at >= 445 && at <= 450) << at;
    EXPECT_EQ(ReadRecord<QsoRecord>(path("test.log"), 11).deleteMark, "Delet");
    EXPECT_EQ(LogCalls[11], "");
    EXPECT_TRUE(LogColumns.indexesOfCall("UA312AA").empty());
    EXPECT_EQ(LogRecordIndex, index);
    QStringList onlyNumber(20, QString());
    onlyNumber[0] = "12";
    EXPECT_EQ(grid()->model().rowTexts(row), onlyNumber);

    form1->N36Click();
    EXPECT_TRUE(form1->n22->isEnabled());
    EXPECT_FALSE(form1->n1->isEnabled());
    EXPECT_FALSE(form1->n2->isEnabled());
    form1->N2Click(); // nothing to recall
    EXPECT_EQ(EditMode, 0);

    form1->N22Click();
    EXPECT_FALSE(form1->n22->isEnabled());
    EXPECT_EQ(logBytes(), before);
    EXPECT_EQ(grid()->cell(1, row), "UA312AA");
    EXPECT_EQ(grid()->cell(19, row), "14011");
    analyse("UA312AA");
    EXPECT_EQ(StatusText, "Повторное QSO");
}

TEST_F(LogGridTest, TheEditingKeysFollowTheRowTheyArePressedOn) {
    writeLog(20);
    showWindow();
    const QByteArray before = logBytes();
    grid()->setFocus();
    selectQso("12");
    key(grid(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(ReadRecord<QsoRecord>(path("test.log"), 11).deleteMark, "Delet");
    // The restore's key works on the deleted row without the menu opened.
    key(grid(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(logBytes(), before);

    // The menu opened on a deleted row leaves the recall's key working on
    // the next row with a call, and the restore's key dead there.
    key(grid(), Qt::Key_G, Qt::ControlModifier);
    form1->N36Click();
    ASSERT_FALSE(form1->n2->isEnabled());
    selectQso("13");
    const QByteArray deleted = logBytes();
    key(grid(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(logBytes(), deleted);
    key(grid(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(EditMode, 1);
    EXPECT_EQ(form1->call->text(), "UA313AA");
    form1->N3Click();
}

TEST_F(LogGridTest, CallAndBandCorrections) {
    writeLog(5);
    showWindow();
    // Band of the row "3".
    form1->cb1->setText("7.0 Mhz");
    selectQso("3");
    const int row = grid()->row();
    const QByteArray before = logBytes();
    answer(MbYes);
    form1->SetBandOfSelectedRows();
    const auto changed = changedIn(before, logBytes(), 2);
    ASSERT_FALSE(changed.empty());
    for (int at : changed) EXPECT_TRUE(at >= 96 && at <= 106) << at;
    EXPECT_EQ(grid()->cell(6, row), "7.0 Mhz");
    EXPECT_EQ(LogBands[2], "7.0 Mhz");
    EXPECT_EQ(test::Dialogs().messages().back().text, "Подтверждаете исправление BANDa?");

    // An empty row, or No, changes nothing.
    const QByteArray corrected = logBytes();
    const qint64 index = LogRecordIndex;
    form1->cb1->setText("3.5 Mhz");
    grid()->setRow(1);
    answer(MbYes);
    form1->SetBandOfSelectedRows();
    grid()->setRow(row);
    answer(MbNo);
    form1->SetBandOfSelectedRows();
    EXPECT_EQ(logBytes(), corrected);
    EXPECT_EQ(LogRecordIndex, index);

    // The call, by Enter in the call column after the new call was analysed.
    analyse("JA 1ABC");
    grid()->setFocus();
    grid()->setCurrentIndex(grid()->model().index(row, 1));
    answer(MbYes);
    key(grid(), Qt::Key_Return);
    const QsoRecord r = ReadRecord<QsoRecord>(path("test.log"), 2);
    EXPECT_EQ(r.call, "JA1ABC");
    EXPECT_EQ(r.country, "Japan");
    EXPECT_EQ(r.waz, "25");
    EXPECT_EQ(r.latitude, "55,75"); // the coordinates keep their stored values
    EXPECT_EQ(r.band, "7.0 Mhz");
    EXPECT_EQ(grid()->cell(1, row), "JA1ABC");
    EXPECT_EQ(LogCalls[2], "JA1ABC");
    EXPECT_EQ(form1->call->text(), "");
    EXPECT_EQ(focused(), form1->call);
}

TEST_F(LogGridTest, ColumnsHiddenShownAndKeptAcrossARestart) {
    writeLog(5);
    showWindow();
    grid()->setCurrentIndex(grid()->model().index(9, 3));
    form1->N27Click();
    EXPECT_EQ(grid()->colWidth(3), 0);
    for (int n = 0; n < 20; ++n)
        EXPECT_EQ(ReadSettingInteger(SettingId::LogGridShown, n), n == 3 ? 0 : 1) << n;

    // The next start: hidden whatever width is stored.
    WriteSetting(SettingId::LogGridWidth, qint32(150), 3);
    WriteSetting(SettingId::LogGridWidth, qint32(120), 5);
    DestroyAllWindows();
    CreateAllWindows();
    LoadLogGridColumnLayout(*form1->str11);
    EXPECT_EQ(form1->str11->colWidth(3), 0);
    EXPECT_EQ(form1->str11->colWidth(5), 120);
    EXPECT_EQ(form1->str11->colWidth(4), 80);

    form1->N28Click();
    EXPECT_EQ(form1->str11->colWidth(3), 150);
    EXPECT_EQ(form1->str11->colWidth(0), 80);
    for (int n = 0; n < 20; ++n) EXPECT_EQ(ReadSettingInteger(SettingId::LogGridShown, n), 1) << n;

    // Closing the window stores the flags and empties the call.
    form1->str11->setColWidth(7, 0);
    form1->call->setText("UA3AA");
    form1->close();
    EXPECT_EQ(ReadSettingInteger(SettingId::LogGridShown, 7), 0);
    EXPECT_EQ(form1->call->text(), "");
}

TEST_F(LogGridTest, ARowShowsItsInfoOnlyWhileNothingIsTypedOrEdited) {
    writeLog(5);
    showWindow();
    selectQso("2");
    EXPECT_EQ(form1->info->text(), "info2");
    form1->call->setText("UA3AA");
    form1->info->setText("typed");
    selectQso("3");
    EXPECT_EQ(form1->info->text(), "typed");
    // The header row takes no cursor: no header text in the info field.
    form1->call->clear();
    grid()->setCurrentIndex(grid()->model().index(0, 12));
    EXPECT_EQ(grid()->row(), 1);
    EXPECT_EQ(form1->info->text(), ""); // row 1 of this short log is empty
}

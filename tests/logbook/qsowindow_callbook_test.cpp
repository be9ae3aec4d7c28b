// The QSO window's address look-ups: Ctrl+A over the fixture callbook and
// the postal files, an edit of a logged QSO, a callbook chosen in the
// settings, and Ctrl+D through a fake CD library and the program's own.
#include "tests/logbook/qsowindow_fixture.h"

#include "logbook/callbook.h"
#include "logbook/loggrid.h"
#include "platform/callbookcd.h"
#include "platform/paths.h"
#include "station/settingsbinder.h"
#include "tests/logbook/callbookfixture.h"

#include <QFile>
#include <QFrame>
#include <QPushButton>

using namespace zelmor;
using test::QsoWindowTest;

namespace {

#define NEED_SHAPELIB() \
    if (!test::HaveShapelib) GTEST_SKIP() << "shapelib (libshp-dev) is not installed: no callbook fixtures"

class CallbookWindowTest : public QsoWindowTest {
protected:
    void SetUp() override {
        QsoWindowTest::SetUp();
        ClearCallbookIndex();
        StatusText.clear();
        showWindow();
    }
    void TearDown() override {
        platform::install(static_cast<CallbookCd *>(nullptr));
        ClearCallbookIndex();
        QsoWindowTest::TearDown();
    }
    // The fixture callbook chosen and indexed as at start-up.
    void chooseFixture() {
        ASSERT_TRUE(test::WriteFixtureCallbook(path("cb.dbf")));
        Nastroy->Edit3->setText(path("cb.dbf"));
        IndexCallbookAtStartup(path("cb.dbf"));
    }
    // The call analysed, then Ctrl+A in the call field.
    void lookUp(const QString &c) {
        analyse(c);
        form1->call->setFocus();
        key(form1->call, Qt::Key_A, Qt::ControlModifier);
    }
    static QStringList panel() { return {form1->Edit17->text(), form1->Edit18->text(), form1->Edit19->text()}; }
};

TEST_F(CallbookWindowTest, CtrlAFillsThePanelNameQthAndRemarksOnce) {
    NEED_SHAPELIB();
    chooseFixture();
    // A name list that would offer "Иван" if the change handler ran unwarned.
    Nastroy->Name_qth->setChecked(true);
    FirstNameList = {"Иван", "Игорь"};
    lookUp("UA3ABC");
    EXPECT_TRUE(form1->Panel4->isVisible());
    EXPECT_EQ(panel(), (QStringList{" Тел: 1234567", "Иванов Иван Иванович ",
                                    "123456, Московская, Москва, ул. Ленина 1-2, Россия, "}));
    EXPECT_EQ(form1->name1->text(), "Иван");
    EXPECT_EQ(form1->qth->text(), "Москва");
    EXPECT_EQ(form1->info->text(), "ua3abc@mail.ru Ветеран");
    EXPECT_FALSE(form1->pname->isVisible());
    key(form1->call, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(form1->info->text(), "ua3abc@mail.ru Ветеран");

    struct Key {
        const char *call;
        bool shown;
    };
    for (const Key k : {Key{"RA9XYZ", true}, Key{"UA3 ABC", false}, Key{"UA3ZZZ", false}, Key{"UA1AAA", true}}) {
        lookUp(k.call);
        EXPECT_EQ(form1->Panel4->isVisible(), k.shown) << k.call;
    }
    EXPECT_TRUE(test::Dialogs().calls.empty());
}

TEST_F(CallbookWindowTest, PostalAddressesShowWithoutACallbookAndStayWhenTheCallbookHasNone) {
    test::WritePostalFiles(ProgramDir);
    lookUp("UA3ABC");
    EXPECT_TRUE(form1->Panel4->isVisible());
    EXPECT_EQ(panel(), (QStringList{"123456", "Москва", "ул. Ленина 1"}));
    lookUp("UA3ZZZ"); // two of its numbers point outside "adres.adr"
    EXPECT_TRUE(form1->Panel4->isVisible());
    EXPECT_EQ(form1->Edit17->text(), "630000");
    lookUp("UA3XYZ");
    EXPECT_FALSE(form1->Panel4->isVisible());
    EXPECT_TRUE(test::Dialogs().calls.empty());

    NEED_SHAPELIB();
    // A callbook without the call leaves the postal hit in view.
    ASSERT_TRUE(test::WriteDbf(path("other.dbf"), test::CallbookFields(), {test::CallbookRow({"UA9A"})}));
    Nastroy->Edit3->setText(path("other.dbf"));
    IndexCallbookAtStartup(path("other.dbf"));
    lookUp("UA3ABC");
    EXPECT_TRUE(form1->Panel4->isVisible());
    EXPECT_EQ(panel(), (QStringList{"123456", "Москва", "ул. Ленина 1"}));
    // Gone since it was indexed: said so, and the postal hit stays.
    ASSERT_TRUE(QFile::remove(path("other.dbf")));
    lookUp("UA3ABC");
    EXPECT_EQ(StatusText, "Нет файла колбука");
    EXPECT_TRUE(form1->Panel4->isVisible());
    EXPECT_EQ(form1->Edit19->text(), "ул. Ленина 1");
    EXPECT_TRUE(test::Dialogs().calls.empty());
}

TEST_F(CallbookWindowTest, EditingALoggedQsoShowsTheCallbookButKeepsItsFields) {
    NEED_SHAPELIB();
    chooseFixture();
    QsoRecord r;
    r.number = "1";
    r.call = "UA3ABC";
    r.name = "Сергей";
    r.qth = "Тверь";
    r.info = "сосед";
    r.date = "01.02.2024";
    r.time = "12:00";
    r.band = "14  Mhz";
    r.mode = "SSB";
    r.country = "European Russia";
    WriteAllRecords(path("test.log"), std::vector<QsoRecord>{r});
    OpenLog();
    form1->PageLogGrid(PageLast, 0);
    int row = 1;
    while (row <= 9 && form1->str11->cell(0, row) != "1") ++row;
    ASSERT_LE(row, 9);
    form1->str11->setRow(row);
    form1->N2Click();
    ASSERT_EQ(EditMode, 1);
    ASSERT_EQ(form1->name1->text(), "Сергей");
    form1->call->setFocus();
    key(form1->call, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(form1->Panel4->isVisible());
    EXPECT_EQ(form1->Edit18->text(), "Иванов Иван Иванович ");
    EXPECT_EQ(form1->name1->text(), "Сергей");
    EXPECT_EQ(form1->qth->text(), "Тверь");
    EXPECT_EQ(form1->info->text(), "сосед");
}

TEST_F(CallbookWindowTest, ACallbookChosenInTheSettingsIsFoundWithoutARestart) {
    NEED_SHAPELIB();
    ASSERT_TRUE(test::WriteFixtureCallbook(path("cb.dbf")));
    ASSERT_TRUE(test::WriteDbf(path("next.dbf"), test::CallbookFields(), {test::CallbookRow({"K1ABC", "Smith", "Joe"})}));
    ConnectSettingWriters();
    Nastroy->show();
    Nastroy->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Nastroy));

    // Typed: indexed when the field is left, not on every keystroke.
    Nastroy->Edit3->setFocus();
    ASSERT_TRUE(Nastroy->Edit3->hasFocus());
    Nastroy->Edit3->setText(path("cb.dbf"));
    EXPECT_TRUE(CallbookIndex.isEmpty());
    Nastroy->Edit21->setFocus();
    EXPECT_EQ(CallbookIndex.size(), 4);

    // Picked: indexed at once.
    test::Dialogs().fileAnswers.push_back(path("next.dbf"));
    Nastroy->callbookButton->click();
    EXPECT_EQ(CallbookIndex.entries(), QStringList{"K1ABC+450"});
    Nastroy->hide();
    showWindow();
    lookUp("K1ABC");
    EXPECT_EQ(form1->name1->text(), "Joe");
    EXPECT_EQ(form1->Edit18->text(), "Smith Joe  ");

    // A file that is no table: said in a box.
    test::WriteBytes(path("notes.dbf"), "not a table, only some notes in a file");
    test::Dialogs().calls.clear(); // the analysis' word on the fixture's missing club lists
    test::Dialogs().fileAnswers.push_back(path("notes.dbf"));
    Nastroy->callbookButton->click();
    ASSERT_EQ(test::Dialogs().messages().size(), 1u);
    EXPECT_EQ(test::Dialogs().messages()[0].text, "Файл не является таблицей dBASE: " + path("notes.dbf"));
    EXPECT_TRUE(CallbookIndex.isEmpty());
    DisconnectSettingWriters();
}

TEST_F(CallbookWindowTest, CtrlDShowsTheCdAnswerOrSaysWhyNot) {
    FakeCallbookCd cd;
    platform::install(&cd);
    cd.result = QByteArray("a\x01" "b\x01" "Ivan Petrov\x01", 16);
    for (int f = 4; f <= 13; ++f) cd.result += "f" + QByteArray::number(f) + '\x01';
    cd.result += QByteArray("Moscow\x01\x00", 8);
    form1->Edit18->setText("old");

    // No folder set: nothing called.
    lookUp("UA3ABC");
    key(form1->call, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(StatusText, "Укажите путь к CD (callbook) в настройках");
    EXPECT_TRUE(cd.calls.empty());

    Nastroy->Edit21->setText("/media/cd/");
    key(form1->call, Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(cd.calls.size(), 3u);
    EXPECT_TRUE(form1->Panel4->isVisible());
    EXPECT_EQ(panel(), (QStringList{"Moscow", "", "Ivan Petrov"}));
    EXPECT_EQ(form1->name1->text(), "Ivan");

    cd.failAt = "GetCallInfo";
    key(form1->call, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(StatusText, "Callbook CD: диск не найден");
    EXPECT_FALSE(form1->Panel4->isVisible());

    // The program's own back-end: said, and the panel as it was.
    platform::install(static_cast<CallbookCd *>(nullptr));
    form1->Panel4->show();
    key(form1->call, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(StatusText, "Поиск на CD (callbook) в этой версии недоступен");
    EXPECT_TRUE(form1->Panel4->isVisible());
    EXPECT_EQ(panel(), (QStringList{"Moscow", "", "Ivan Petrov"}));
    EXPECT_TRUE(test::Dialogs().calls.empty());
}

} // namespace

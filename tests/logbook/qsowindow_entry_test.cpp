// QSO entry in the QSO window: the Enter walk, the field keys, the UTC
// clock, the name and QTH bases, and the save, driven by key events.
#include "tests/logbook/qsowindow_fixture.h"

#include "common/codepage.h"
#include "logtools/dxcc9b.h"
#include "platform/hotkeyedit.h"

#include <QFile>
#include <functional>

using namespace zelmor;
using test::QsoWindowTest;

namespace {
class QsoEntryTest : public QsoWindowTest {
protected:
    void SetUp() override {
        QsoWindowTest::SetUp();
        showWindow();
        form1->call->setFocus();
        QApplication::processEvents();
    }
    // Enter in the field that has the focus.
    static void enter() { key(focused(), Qt::Key_Return); }
    static void saveKey(Qt::KeyboardModifiers mods = Qt::NoModifier) { key(focused(), Qt::Key_F1, mods); }
    // A QSO already in the log, on 14 MHz.
    static void logEarlier(const QString &call, const QString &name, const QString &country) {
        QsoEntry e;
        e.call = call;
        e.name = name;
        e.band = "14  Mhz";
        e.country = country;
        WriteQsoRecord(e);
    }
};
} // namespace

TEST_F(QsoEntryTest, TheEnterWalk) {
    ASSERT_EQ(focused(), form1->call);
    form1->call->setText("UA3ABC");
    enter();
    EXPECT_EQ(focused(), form1->name1);
    enter();
    EXPECT_EQ(focused(), form1->qth);
    enter();
    EXPECT_EQ(focused(), form1->call); // VIA to QTHL are off: on to the final CALL

    Nastroy->tname->setChecked(false);
    form1->call->setFocus();
    enter();
    EXPECT_EQ(focused(), form1->qth);

    // Every field after CALL off: the walk ends on CALL, saving first with enterc.
    Nastroy->tqth->setChecked(false);
    Nastroy->enterc->setChecked(true);
    form1->call->setFocus();
    enter();
    EXPECT_EQ(focused(), form1->call);
    EXPECT_EQ(logRecords().size(), 1u);
    EXPECT_EQ(form1->call->text(), "");

    // DATE with data23 off fills in the month and year.
    Nastroy->enterc->setChecked(false);
    Nastroy->tdata1->setChecked(true);
    Nastroy->Edit4->setText("05");
    Nastroy->Edit8->setText("2024");
    form1->call->setFocus();
    enter();
    EXPECT_EQ(focused(), form1->data2);
    EXPECT_EQ(form1->data2->text(), "  .05.2024");

    // A key missing from the order leaves the focus where it is.
    Nastroy->eentr->setText("CALL,NAME,CALL,");
    form1->qth->setFocus();
    form1->FocusNextEntryField("QTH");
    EXPECT_EQ(focused(), form1->qth);
}

TEST_F(QsoEntryTest, FieldKeys) {
    // Enter in an empty report fills the mode's default, then moves on.
    Nastroy->trst->setChecked(true);
    form1->call->setText("K1ABC"); // entering an empty call would reset the reports
    form1->cb2->setText("CW");
    form1->rst->setFocus();
    form1->rst->clear();
    enter();
    EXPECT_EQ(form1->rst->text(), "599");
    EXPECT_NE(focused(), form1->rst);

    form1->rst->setFocus();
    key(form1->rst, Qt::Key_Delete);
    EXPECT_EQ(form1->rst->text(), "");
    key(form1->rst, Qt::Key_Down);
    EXPECT_EQ(focused(), form1->ochk);
    EXPECT_EQ(form1->ochk->text(), ""); // entering it empties the placeholder
    key(form1->ochk, Qt::Key_Down);
    EXPECT_EQ(focused(), form1->tim);
    key(form1->tim, Qt::Key_Down);
    EXPECT_EQ(focused(), form1->data2);
    key(form1->data2, Qt::Key_Down);
    EXPECT_EQ(focused(), form1->call);

    form1->call->setText("K1ABC");
    key(form1->call, Qt::Key_Escape);
    EXPECT_EQ(form1->call->text(), "");
    // Down in the call steps the log grid's row, never past its last row.
    for (int i = 0; i < 15; ++i) {
        form1->call->setFocus();
        key(form1->call, Qt::Key_Down);
    }
    EXPECT_EQ(form1->str11->row(), 9);

    // Band pick list: Down opens it, Enter takes the band.
    form1->cb1->setFocus();
    key(form1->cb1, Qt::Key_Down);
    ASSERT_FALSE(form1->List_band->isHidden());
    form1->List_band->setCurrentRow(3);
    key(form1->List_band, Qt::Key_Return);
    EXPECT_EQ(form1->cb1->text(), "7.0 Mhz");
    EXPECT_TRUE(form1->List_band->isHidden());
}

TEST_F(QsoEntryTest, TheUtcClock) {
    struct Case { const char *offset; int h, m; const char *time, *date; };
    const Case cases[] = {{"-3", 1, 30, "22:30", "30.04.2024"}, {"3", 22, 30, "01:30", "02.05.2024"},
                          {"0", 10, 15, "10:15", "01.05.2024"}};
    for (const auto &c : cases) {
        test::Clock().time = QDateTime(QDate(2024, 5, 1), QTime(c.h, c.m));
        gmtf->utc->setText(c.offset);
        form1->UpdateUtcDateTime();
        EXPECT_EQ(form1->tim->text(), c.time) << c.offset;
        EXPECT_EQ(form1->data2->text(), c.date) << c.offset;
    }
    // Fields the operator types are left alone.
    Nastroy->tim1->setChecked(true);
    form1->tim->setText("99:99");
    form1->UpdateUtcDateTime();
    EXPECT_EQ(form1->tim->text(), "99:99");

    const std::pair<const char *, const char *> corrected[] = {{"15", "12"}, {"-15", "-12"}, {"+", ""}};
    for (const auto &[in, out] : corrected) {
        gmtf->utc->setText(in);
        form1->ValidateUtcOffset();
        EXPECT_EQ(gmtf->utc->text(), out);
    }
    StatusText.clear();
    gmtf->utc->setText("");
    form1->UpdateUtcDateTime();
    EXPECT_EQ(StatusText, "Установите правильно UTC");
    StatusText.clear();
    gmtf->utc->setText("-");
    form1->UpdateUtcDateTime();
    EXPECT_EQ(StatusText, "Установите правильно UTC");
}

TEST_F(QsoEntryTest, ASavedQsoEndToEnd) {
    test::Clock().time = QDateTime(QDate(2024, 5, 1), QTime(1, 30));
    gmtf->utc->setText("-3");
    form1->UpdateUtcDateTime();
    form1->cb1->setText("7.0 Mhz");
    form1->cb2->setText("SSB");
    type(form1->call, "ua3abc");
    EXPECT_EQ(form1->call->text(), "UA3ABC");
    QTRY_COMPARE_WITH_TIMEOUT(DxCountry, QStringLiteral("European Russia"), 10000);
    enter();
    ASSERT_EQ(focused(), form1->name1);
    type(form1->name1, "Иван");
    enter();
    type(form1->qth, "Москва");
    saveKey();

    const auto log = logRecords();
    ASSERT_EQ(log.size(), 1u);
    const QsoRecord &r = log[0];
    EXPECT_EQ(r.number, "1");
    EXPECT_EQ(r.call, "UA3ABC");
    EXPECT_EQ(r.name, "Иван");
    EXPECT_EQ(r.qth, "Москва");
    EXPECT_EQ(r.date, "30.04.2024");
    EXPECT_EQ(r.time, "22:30");
    EXPECT_EQ(r.band, "7.0 Mhz");
    EXPECT_EQ(r.mode, "SSB");
    EXPECT_EQ(r.rstReceived, "59"); // the mode's default filled the fields
    EXPECT_EQ(r.rstSent, "59");
    EXPECT_EQ(r.country, "European Russia");
    EXPECT_EQ(r.waz, "16");
    EXPECT_EQ(r.itu, "29");
    EXPECT_EQ(r.regionNumber, "0");
    EXPECT_EQ(r.locator, "KO85TS");
    EXPECT_EQ(r.qslState, "Отправить"); // what the activation put into the QSL field
    // The name is cp1251 on disk.
    QFile f(path("test.log"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().mid(23, 4), ToCp1251(u"Иван"));
    // The fields are reset and the focus is back in the call.
    EXPECT_EQ(form1->call->text(), "");
    EXPECT_EQ(form1->name1->text(), "");
    EXPECT_EQ(form1->rst->text(), "RSTr");
    EXPECT_EQ(form1->ochk->text(), "Очки");
    EXPECT_EQ(DxCountry, "");
    EXPECT_EQ(focused(), form1->call);
    EXPECT_EQ(LogCalls, QStringList{"UA3ABC"});

    saveKey(); // an empty call saves nothing
    type(form1->call, "k1abc");
    saveKey(Qt::ControlModifier); // Ctrl+F1 is not the hot key F1
    EXPECT_EQ(logRecords().size(), 1u);

    // A hot key with a shift state works as configured.
    Nastroy->wKey1->setShortcutCode(112 + 0x4000);
    form1->call->setFocus();
    saveKey(Qt::ControlModifier);
    EXPECT_EQ(logRecords().size(), 2u);
}

TEST_F(QsoEntryTest, SavingRightAfterTypingStoresTheNewCallsCountry) {
    analyse("K1ABC");
    type(form1->call, "ja1xyz");
    ASSERT_TRUE(form1->Timer4->isActive()); // saved before the analysis' timer fired
    saveKey();
    const auto log = logRecords();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].call, "K1ABCJA1XYZ");
    EXPECT_EQ(log[0].country, "United States");
    form1->call->setText("");
    type(form1->call, "ja1xyz");
    ASSERT_TRUE(form1->Timer4->isActive());
    saveKey();
    EXPECT_EQ(logRecords().back().country, "Japan");
    EXPECT_EQ(logRecords().back().waz, "25");
}

TEST_F(QsoEntryTest, TheQslStateShownIsTheOneStored) {
    form1->cqsl->clear(); // not the activation's "Отправить"
    analyse("JA1ABC");
    ASSERT_NE(DxQslState, "Отправить"); // not what the analysis chose
    // Typed over the default, then as a pick list puts it.
    form1->cqsl->setFocus();
    form1->cqsl->clear();
    type(form1->cqsl, QStringLiteral("Отправить"));
    saveKey();
    analyse("JA1ABD");
    form1->cqsl->setText(QStringLiteral("Отпр. и получ."));
    form1->SaveQso();
    const auto log = logRecords();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].qslState, "Отправить");
    EXPECT_EQ(log[1].qslState, "Отпр. и получ.");
}

TEST_F(QsoEntryTest, AQuickSaveAfterCorrectingTheCallKeepsWhatWasTyped) {
    // A rule that chooses the QSL state: the own country's QSOs get "Не отправлять".
    Nastroy->qslf2->setChecked(true);
    type(form1->call, "ua3ab");
    QTRY_VERIFY_WITH_TIMEOUT(!form1->Timer4->isActive(), 10000);
    ASSERT_EQ(DxCountry, "European Russia");
    ASSERT_EQ(form1->cqsl->text(), "Не отправлять");
    ASSERT_FALSE(form1->qthl->text().isEmpty()); // the locator of the region's centre
    const std::pair<QLineEdit *, QString> typed[] = {
        {form1->name1, "Иван"}, {form1->qth, "Москва"}, {form1->info, "важно"},
        {form1->Pvia, "UA9XBB"}, {form1->pIOTA, "EU133"}, {form1->pFreq, "14195"}};
    for (const auto &[field, text] : typed) {
        field->setFocus();
        type(field, text);
    }
    // The analysis's own locator and QSL state, changed by the operator.
    form1->qthl->setFocus();
    form1->qthl->selectAll();
    type(form1->qthl, "KO85WS");
    form1->cqsl->setFocus();
    form1->cqsl->selectAll();
    type(form1->cqsl, QStringLiteral("Получено"));
    form1->call->setFocus();
    form1->call->end(false);
    type(form1->call, "c");
    ASSERT_TRUE(form1->Timer4->isActive()); // saved within the 300 ms
    saveKey();

    const auto log = logRecords();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].call, "UA3ABC");
    EXPECT_EQ(log[0].country, "European Russia");
    EXPECT_EQ(log[0].name, "Иван");
    EXPECT_EQ(log[0].qth, "Москва");
    EXPECT_EQ(log[0].info, "важно");
    EXPECT_EQ(log[0].qslVia, "UA9XBB");
    EXPECT_EQ(log[0].iota, "EU133");
    EXPECT_EQ(log[0].frequency, "14195");
    EXPECT_EQ(log[0].locator, "KO85WS");
    EXPECT_EQ(log[0].qslState, "Получено");
    // The typed name was the operator's: it goes into the name base.
    EXPECT_EQ(ReadAllRecords<NameListRecord>(path("name/name.bas")).back().text, "Иван");

    // Fields left empty are still filled by the late analysis.
    logEarlier("UA3XYZ", "Пётр", "European Russia");
    type(form1->call, "ua3xy");
    QTRY_VERIFY_WITH_TIMEOUT(!form1->Timer4->isActive(), 10000);
    form1->qth->setFocus();
    type(form1->qth, "Тверь");
    form1->call->setFocus();
    form1->call->end(false);
    type(form1->call, "z");
    saveKey();
    EXPECT_EQ(logRecords().back().name, "Пётр");
    EXPECT_EQ(logRecords().back().qth, "Тверь");
    // The locator and the QSL state the analysis filled are the new call's.
    EXPECT_EQ(logRecords().back().qslState, "Не отправлять");
    EXPECT_NE(logRecords().back().locator, "KO85WS");
    EXPECT_FALSE(logRecords().back().locator.isEmpty());
}

TEST_F(QsoEntryTest, ManagerAndIslandAreStoredUpperCase) {
    analyse("UA3ABC");
    form1->Pvia->setFocus();
    type(form1->Pvia, "ua9xbb");
    EXPECT_EQ(form1->Pvia->text(), "UA9XBB"); // shown so while typing
    form1->pIOTA->setFocus();
    type(form1->pIOTA, "as005");
    EXPECT_EQ(form1->pIOTA->text(), "AS005");
    saveKey();
    // Filled by other means than typing, e.g. the call memory.
    analyse("UA3ABD");
    form1->Pvia->setText("ua9xbb");
    form1->pIOTA->setText("as005");
    form1->SaveQso();
    for (const QsoRecord &r : logRecords()) {
        EXPECT_EQ(r.qslVia, "UA9XBB");
        EXPECT_EQ(r.iota, "AS005");
    }
}

TEST_F(QsoEntryTest, TheSavedCountryZonesAndRegionAreTheCallsOwn) {
    struct Case {
        const char *before, *call, *country, *waz, *itu, *latitude, *region;
    };
    const Case cases[] = {
        // An unknown prefix keeps nothing of the call before it.
        {"JA1ABC", "Q1ABC", "", "", "", "", ""},
        // Russian prefixes of other countries keep that country's zones.
        {"UA3ABC", "RI1FJ", "Franz Josef Land", "40", "75", "80,68", ""},
        {"UA3ABC", "RI1ANZ", "Antarctica", "29", "69", "-90,00", ""},
        // Russia's own calls get their region.
        {"JA1ABC", "UA2FAA", "Kaliningrad", "15", "29", "54,72", "23"},
        {"JA1ABC", "RA3ABC", "European Russia", "16", "29", "55,75", "0"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.call);
        analyse(c.before);
        ASSERT_FALSE(DxCountry.isEmpty());
        form1->call->setFocus();
        form1->call->selectAll();
        type(form1->call, QString::fromLatin1(c.call).toLower());
        saveKey();
        const QsoRecord r = logRecords().back();
        EXPECT_EQ(r.call, c.call);
        EXPECT_EQ(r.country, QString::fromUtf8(c.country));
        EXPECT_EQ(r.waz, c.waz);
        EXPECT_EQ(r.itu, c.itu);
        EXPECT_EQ(r.latitude, c.latitude);
        EXPECT_EQ(r.regionNumber, c.region);
        if (QString::fromUtf8(c.country).isEmpty()) {
            EXPECT_EQ(r.longitude, "");
            EXPECT_EQ(r.locator, "");
        }
    }
}

TEST_F(QsoEntryTest, TheNameBaseGrowsOnceByTypedNames) {
    auto saveWithName = [&](const QString &call, const QString &name) {
        form1->call->setFocus();
        form1->call->setText(call);
        form1->FlushPendingAnalysis();
        form1->name1->setFocus();
        form1->name1->clear();
        type(form1->name1, name);
        saveKey();
    };
    const QString longName = QStringLiteral("Константин-Александр");
    saveWithName("UA1AAA", longName + "ович");
    auto names = ReadAllRecords<NameListRecord>(path("name/name.bas"));
    ASSERT_EQ(names.size(), 2u); // the empty first record and the new one
    EXPECT_EQ(names[1].text, longName); // cut to 20 characters
    EXPECT_EQ(QFile(path("name/name.bas")).size(), 2 * 21);

    saveWithName("UA1BBB", longName + "ович");
    EXPECT_EQ(ReadAllRecords<NameListRecord>(path("name/name.bas")).size(), 2u);

    // A name that came from an earlier QSO of the same call is not appended.
    logEarlier("JA1CCC", "Сергей", "Japan");
    form1->call->setFocus();
    form1->call->setText("JA1CCC");
    form1->FlushPendingAnalysis();
    EXPECT_EQ(form1->name1->text(), "Сергей");
    saveKey();
    EXPECT_EQ(ReadAllRecords<NameListRecord>(path("name/name.bas")).size(), 2u);

    // Without the base file the save still goes through, with one message.
    QFile::remove(path("name/name.bas"));
    test::Dialogs().calls.clear();
    const size_t before = logRecords().size();
    saveWithName("UA1DDD", "Олег");
    EXPECT_EQ(logRecords().size(), before + 1);
    ASSERT_EQ(test::Dialogs().messages().size(), 1u);
    EXPECT_EQ(test::Dialogs().messages()[0].text, "Нет файла \" Name.bas\"");
    EXPECT_EQ(form1->call->text(), "");
}

// Keys typed on the desktop's layout, as the window system sends them: the
// X11 key code of the key and the text of the desktop's layout.
static void typeOnDesktop(QWidget *w, const QString &latinKeys, bool desktopRussian) {
    static const QString rows[] = {QStringLiteral("1234567890"), QStringLiteral("qwertyuiop[]"),
                                   QStringLiteral("asdfghjkl;'"), QStringLiteral("zxcvbnm,./")};
    static const int firstCode[] = {10, 24, 38, 52};
    for (QChar c : latinKeys) {
        quint32 code = 0;
        for (int r = 0; r < 4 && !code; ++r)
            if (const auto i = rows[r].indexOf(c.toLower()); i >= 0) code = quint32(firstCode[r] + i);
        ASSERT_NE(code, 0u) << "no key for " << c.toLatin1();
        const QChar russian = RussianAtSamePosition(c);
        const QString text = desktopRussian && !russian.isNull() ? QString(russian) : QString(c);
        const auto mods = c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
        for (const auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent e(type, text[0].toUpper().unicode(), mods, code, 0, 0, text);
            QApplication::sendEvent(w, &e);
        }
    }
}

TEST_F(QsoEntryTest, EachFieldTypesInTheLayoutItAskedForAndNoOtherDoes) {
    auto typeInto = [](QLineEdit *field, const QString &keys, bool desktopRussian) {
        field->setFocus();
        field->clear();
        typeOnDesktop(field, keys, desktopRussian);
        return field->text();
    };
    Nastroy->show();
    auto edit4 = [&](const QString &keys, bool desktopRussian) {
        Nastroy->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Nastroy, 30000));
        Nastroy->Edit4->setFocus();
        Nastroy->Edit4->clear();
        typeOnDesktop(Nastroy->Edit4, keys, desktopRussian);
        return Nastroy->Edit4->text();
    };

    for (const bool desktopRussian : {true, false}) {
        SCOPED_TRACE(desktopRussian ? "desktop layout Russian" : "desktop layout US");
        showWindow();
        // The call types Latin whatever the desktop gives.
        EXPECT_EQ(typeInto(form1->call, "ua3abc", desktopRussian), "UA3ABC");
        form1->FlushPendingAnalysis();
        ASSERT_EQ(RegionalCall, 1);
        // A Russian station's name types Cyrillic on either desktop layout.
        EXPECT_EQ(typeInto(form1->name1, "Bdfy", desktopRussian), "Иван");
        EXPECT_EQ(typeInto(form1->qth, "Vjcrdf", desktopRussian), "Москва");
        // The manager and the island reference ask for Latin after the QTH.
        EXPECT_EQ(typeInto(form1->Pvia, "ua9xbb", desktopRussian), "UA9XBB");
        EXPECT_EQ(typeInto(form1->pIOTA, "as005", desktopRussian), "AS005");
        // The info field asked for nothing: it types what the desktop gives.
        EXPECT_EQ(typeInto(form1->info, "ghbdtn", desktopRussian), desktopRussian ? "привет" : "ghbdtn");
        EXPECT_EQ(platform::keyboardLayout().active(), "");
        // Nor is another window's field touched, straight after the call and the name.
        form1->call->setFocus();
        EXPECT_EQ(edit4("ghbdtn", desktopRussian), desktopRussian ? "привет" : "ghbdtn");
        showWindow();
        form1->name1->setFocus();
        EXPECT_EQ(platform::keyboardLayout().active(), LayoutRussian);
        EXPECT_EQ(edit4("ghbdtn", desktopRussian), desktopRussian ? "привет" : "ghbdtn");
        EXPECT_EQ(platform::keyboardLayout().active(), "");
    }

    // With ru_en off the name and the QTH type as the desktop does.
    Nastroy->ru_en->setChecked(false);
    showWindow();
    form1->call->setFocus();
    EXPECT_EQ(typeInto(form1->name1, "Bdfy", false), "Bdfy");
    EXPECT_EQ(typeInto(form1->qth, "Bdfy", true), "Иван");
    EXPECT_EQ(typeInto(form1->Pvia, "ua9xbb", true), "UA9XBB");
}

TEST_F(QsoEntryTest, SuggestionsFromTheNameList) {
    Nastroy->Name_qth->setChecked(true);
    Nastroy->ru_en->setChecked(false);
    platform::keyboardLayout().reset();
    FirstNameList = {"Иван", "Игорь", "Пётр"};
    form1->name1->setFocus();
    type(form1->name1, "И");
    ASSERT_FALSE(form1->pname->isHidden());
    EXPECT_EQ(form1->pname->count(), 2);
    EXPECT_EQ(NameKnown, 1);
    key(form1->name1, Qt::Key_Down);
    enter();
    EXPECT_EQ(form1->name1->text(), "Игорь");
    EXPECT_TRUE(form1->pname->isHidden());
    EXPECT_EQ(focused(), form1->qth);
}

TEST_F(QsoEntryTest, EditModeSavesNothing) {
    form1->call->setText("UA3ABC");
    form1->name1->setText("Правка");
    EditMode = 1;
    saveKey();
    EditMode = 0;
    EXPECT_TRUE(logRecords().empty());
    EXPECT_EQ(form1->name1->text(), "Правка");
}

TEST_F(QsoEntryTest, TheDxccCellCountsTheSave) {
    StringGridModel &g = DXcc9b->str2->model();
    g.setCell(3, 0, "1.8");
    g.setCell(11, 0, "14 ");
    g.setCell(0, 1, "Japan");
    g.setCell(11, 1, "2");
    form1->cb1->setText("14  Mhz");
    form1->call->setText("JA1ABC");
    form1->FlushPendingAnalysis();
    form1->SaveQso();
    EXPECT_EQ(g.cell(11, 1), "3");
}

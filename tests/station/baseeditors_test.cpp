// The "Базы" sections of the settings dialog over the real windows
// (offscreen): their buttons, finds and counts, and what the QSO window and
// the award tables see right after a write.
#include "station/baseeditors.h"

#include "tests/logbook/qsowindow_fixture.h"

#include <QFile>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

using namespace zelmor;

namespace {

QByteArray Bytes(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

class BaseEditorsTest : public test::QsoWindowTest {
protected:
    void SetUp() override {
        QsoWindowTest::SetUp();
        bases = Nastroy->baseEditors;
        ASSERT_NE(bases, nullptr);
    }
    void TearDown() override {
        StartupHook = {};
        QsoWindowTest::TearDown();
    }
    // The dialog shown at a section, so its grids have a viewport to scroll.
    void showAt(const char *section) {
        Nastroy->resize(1000, 900);
        Nastroy->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Nastroy));
        for (const SettingsPage &p : SettingsPageTable)
            if (p.caption && QString::fromUtf8(p.caption) == QString::fromUtf8(section))
                Nastroy->nast_data->verticalScrollBar()->setValue(p.position);
        QApplication::processEvents();
    }
    std::vector<QString> messages() const {
        std::vector<QString> out;
        for (const auto &m : test::Dialogs().messages()) out.push_back(m.text);
        return out;
    }
    TBaseEditors *bases = nullptr;
};

} // namespace

TEST_F(BaseEditorsTest, ACountryWrittenIsFoundByTheQsoWindowAtOnce) {
    WriteAllRecords<CountryRecord>(path("dx/world.dat"), {
        test::Country("DL", "Fed. Rep. of Germany", "14", "28", "51,0", "10,0", "-1", "EU"),
        test::Country("3Y", "Antarctica", "13", "67", "-90,0", "0,0", "", "SA", "4,5,"),
        test::Country("SV", "Greece", "20", "28", "39,0", "22,0", "-2", "EU"),
        CountryRecord{},
        test::Country("3Y0C", "Bouvet", "38", "67", "-54,4", "3,4", "-1", "AF"),
        test::Country("3Y0X", "Peter 1 Island", "12", "72", "-68,8", "-90,6", "", "SA"),
    });
    ASSERT_TRUE(LoadCountryTable(&form1->strw->model()));
    int headings = 0, refreshed = 0;
    StartupHook.activdxcc = [&] { ++headings; };
    StartupHook.RefreshDxccTables = [&] { ++refreshed; };

    bases->dxccRead->click();
    TStringGrid *g = bases->strdxcc;
    EXPECT_TRUE(g->isColumnHidden(CountryTableEditor::IndexColumn));
    EXPECT_EQ(g->rowCount(), 26);

    // A bad cell becomes current; nothing is written or reloaded.
    g->setCell(2, 3, "4a");
    bases->dxccWrite->click();
    EXPECT_EQ(messages(), std::vector<QString>({"Строка 3, \"WAZ\": \"4a\" — нужно число от 1 до 40"}));
    EXPECT_EQ(g->currentIndex(), g->model().index(3, 2));
    EXPECT_EQ(headings + refreshed, 0);
    g->setCell(2, 3, "20");

    const QStringList dm = {"DM", "Fed. Rep. of Germany", "14", "28", "51,0", "10,0", "-1", "EU", "DL", "*"};
    for (int c = 0; c < dm.size(); ++c) g->setCell(c, 6, dm[c]);
    bases->dxccWrite->click();
    EXPECT_EQ(Bytes(path("dx/world.dat")).size(), 1260);
    EXPECT_EQ(std::pair(headings, refreshed), std::pair(1, 1));
    EXPECT_EQ(PrefixList.size(), 7);
    analyse("DM1ABC");
    EXPECT_EQ(DxCountry, "Fed. Rep. of Germany");
    EXPECT_EQ(DxCommonPrefix, "DL");
    bool listed = false;
    for (int r = 0; r < form1->strw->rowCount(); ++r) listed |= form1->strw->cell(0, r) == "DM";
    EXPECT_TRUE(listed) << "the QSO window's country list";
}

TEST_F(BaseEditorsTest, FindsOnTheShippedCountryTable) {
    QFile::remove(path("dx/world.dat"));
    ASSERT_TRUE(QFile::copy(test::SourceDir() + "/data/dx/world.dat", path("dx/world.dat")));
    const qint64 records = QFileInfo(path("dx/world.dat")).size() / CountryRecord::Size;
    showAt("DXCC");
    bases->dxccRead->click();
    QApplication::processEvents();
    TStringGrid *g = bases->strdxcc;
    EXPECT_EQ(g->rowCount(), records + 21) << "more rows than the design's 2500";

    QTest::keyClicks(bases->dxccpf, "ua9");
    EXPECT_EQ(bases->dxccpf->text(), "UA9");
    EXPECT_EQ(StatusText, "Префикс UA9 в базе есть");
    EXPECT_EQ(g->cell(0, g->topRow()), "UA9");
    bases->dxccpf->clear();
    QTest::keyClicks(bases->dxccpf, "QQ");
    EXPECT_EQ(StatusText, "Префикса QQ в базе нет");

    // Mixed-case countries are found by the upper-case field: the last
    // country beginning "Bel" is Belize.
    QTest::keyClicks(bases->dxccwor, "bel");
    EXPECT_EQ(bases->dxccwor->text(), "BEL");
    EXPECT_EQ(g->model().rowTexts(g->topRow()).mid(0, 2), QStringList({"V3", "Belize"}));
}

TEST_F(BaseEditorsTest, AClubWriteReachesTheQsoWindowsLookUp) {
    std::vector<ClubMemberRecord> members;
    for (int i = 1; i <= 60; ++i)
        members.push_back({QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0')),
                           QStringLiteral("UA1A%1%2").arg(QChar(u'A' + i % 26)).arg(i), ""});
    members[49].number = "0012"; // a second "0012"
    WriteAllRecords(path("dig.dat"), members);
    for (const char *f : {"vet.dat", "agb.dat", "kdr.dat", "hfc.dat", "rcc.dat", "srvs.dat"}) RecordIO::Touch(path(f));
    ReloadLogLists();
    Nastroy->cdig->setChecked(true);
    showAt("DIG");

    bases->club(Club::Dig).readButton->click();
    QApplication::processEvents(); // the grid lays out its new rows, as before any typing
    EXPECT_EQ(bases->Panel23->text(), "60");
    EXPECT_EQ(bases->Strdig->rowCount(), 70);
    // By number: at four digits, the first of two.
    QTest::keyClicks(bases->ndig, "001");
    EXPECT_EQ(bases->Strdig->topRow(), 0);
    QTest::keyClicks(bases->ndig, "2");
    EXPECT_EQ(bases->Strdig->topRow(), 12);
    QTest::keyClicks(bases->calldig, members[40].call.toLower());
    EXPECT_EQ(bases->Strdig->topRow(), 41);

    // The third member deleted: his record goes blank, the list follows, and
    // the QSO window tags him no more.
    const QString gone = members[2].call, kept = members[3].call;
    for (int c = 0; c < 3; ++c) bases->Strdig->setCell(c, 3, QString());
    bases->club(Club::Dig).writeButton->click();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(QFileInfo(path("dig.dat")).size(), 60 * 39);
    EXPECT_EQ(ClubCallLists.of(Club::Dig).size(), 60);
    EXPECT_EQ(ClubCallLists.of(Club::Dig)[2], "");
    analyse(gone);
    EXPECT_FALSE(form1->info->text().contains("DIG")) << form1->info->text().toStdString();
    analyse(kept);
    EXPECT_EQ(form1->info->text(), " DIG-№0004");
}

TEST_F(BaseEditorsTest, IslandsMergeAndDeleteRefillTheAwardTable) {
    const QString iota = path("dx/iota.dat");
    WriteAllRecords<IslandRecord>(
        iota, {{"EU005", "G", "Great Britain"}, {}, {"AF001", "3B6", "Agalega Islands"}, {}, {"AS007", "JA", "Honshu"}});
    int refills = 0;
    StartupHook.FillIotaTable = [&] { ++refills; };
    bases->iotaRead->click();
    EXPECT_EQ(bases->Panel19->text(), "4");
    EXPECT_FALSE(bases->striota->model().flags(bases->striota->model().index(1, 0)) & Qt::ItemIsEditable)
        << "new and changed islands go in Striota1";

    bases->Striota1->setCell(0, 1, "EU005");
    bases->Striota1->setCell(1, 1, "G W");
    bases->Striota1->setCell(2, 1, "Isle+Wight");
    bases->iotaWrite->click();
    EXPECT_EQ(refills, 1);
    EXPECT_FALSE(bases->Gauge2->isVisible());
    EXPECT_EQ(ReadAllRecords<IslandRecord>(iota).size(), 5u);
    EXPECT_EQ(bases->striota->model().rowTexts(3), QStringList({"EU005", "GW", "Isle+Wight"})) << "the list shown is the file's";

    // Deleting asks first; No changes nothing.
    bases->striota->setRow(1);
    ASSERT_EQ(bases->striota->cell(0, 1), "AF001");
    const QByteArray before = Bytes(iota);
    test::Dialogs().answers = {MbNo};
    bases->iotaDelete->click();
    ASSERT_EQ(test::Dialogs().messages().size(), 1u);
    EXPECT_EQ(test::Dialogs().messages()[0].caption, "Удаление острова");
    EXPECT_EQ(test::Dialogs().messages()[0].text, "Вы действительно хотите удалить выделенный остров AF001");
    EXPECT_EQ(Bytes(iota), before);
    test::Dialogs().answers = {MbYes};
    bases->iotaDelete->click();
    EXPECT_EQ(Bytes(iota).mid(164, 164), QByteArray(164, '\0')) << "blanked in place";
    EXPECT_EQ(Bytes(iota).size(), before.size());
    EXPECT_EQ(bases->striota->model().rowTexts(1), QStringList({"", "", ""}));
    EXPECT_EQ(refills, 2);

    QTest::keyClicks(bases->eiota, "as007");
    EXPECT_EQ(StatusText, "Остров AS007 в базе есть");
    bases->eiota->clear();
    QTest::keyClicks(bases->eiota, "AF001");
    EXPECT_EQ(StatusText, "Острова AF001 в базе нет");
}

TEST_F(BaseEditorsTest, ANameDeletedLeavesEveryListAtOnce) {
    WriteAllRecords<NameListRecord>(path("name/name.bas"), {{"Иван"}, {""}, {"Пётр"}, {"Иван"}});
    LoadNameBase();
    bases->nameRead->click();
    QStringList shown;
    for (int i = 0; i < bases->mname->count(); ++i) shown << bases->mname->item(i)->text();
    EXPECT_EQ(shown, QStringList({"Иван", "Иван", "Пётр"}));
    EXPECT_EQ(bases->Panel18->text(), "3");

    const QByteArray before = Bytes(path("name/name.bas"));
    StatusText.clear();
    bases->nameDelete->click();
    EXPECT_EQ(StatusText, "Обходимо выделить имя для удаления");
    EXPECT_TRUE(test::Dialogs().calls.empty());
    EXPECT_EQ(Bytes(path("name/name.bas")), before);
    bases->qthDelete->click();
    EXPECT_EQ(StatusText, "Необходимо выделить QTH для удаления");

    bases->mname->setCurrentRow(0);
    bases->nameDelete->click();
    const auto records = ReadAllRecords<NameListRecord>(path("name/name.bas"));
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(EncodeRecord(records[0]), QByteArray(21, '\0'));
    EXPECT_EQ(EncodeRecord(records[3]), QByteArray(21, '\0'));
    EXPECT_EQ(FirstNameList, QStringList({"Пётр"}));
    EXPECT_EQ(bases->mname->item(0)->text(), "");
    EXPECT_EQ(bases->mname->count(), 3);
}

TEST_F(BaseEditorsTest, ShowingTheDialogReadsNothingAndAWriteNeedsARead) {
    WriteAllRecords<VeteranRecord>(path("vet.dat"), {{"1", "UA3AA", "Иван", "10"}, {"2", "RA9BB", "Пётр", "5"}});
    const QByteArray vet = Bytes(path("vet.dat"));
    bases->strvet->setCell(1, 1, "TYPED");
    Nastroy->show();
    Nastroy->hide();
    EXPECT_EQ(bases->strvet->cell(1, 1), "TYPED") << "a showing keeps what was typed";
    EXPECT_EQ(bases->Panel24->text(), "");

    // Not read yet: "Запись" says so and writes nothing, here and in Россия.
    bases->club(Club::Veteran).writeButton->click();
    bases->rusWrite->click();
    EXPECT_EQ(messages(), std::vector<QString>(2, NotReadText()));
    EXPECT_EQ(Bytes(path("vet.dat")), vet);
    EXPECT_EQ(Bytes(path("russia22.dat")).size(), 6 * RegionRecord::Size);

    bases->club(Club::Veteran).readButton->click();
    EXPECT_EQ(bases->Panel24->text(), "2");
    EXPECT_EQ(bases->strvet->rowCount(), 12);
    EXPECT_EQ(bases->strvet->cell(1, 1), "UA3AA");
    bases->strvet->setCell(1, 2, "RA9BC");
    bases->club(Club::Veteran).writeButton->click();
    EXPECT_EQ(ReadRecord<VeteranRecord>(path("vet.dat"), 1).call, "RA9BC");
    EXPECT_EQ(ClubCallLists.of(Club::Veteran), QStringList({"UA3AA", "RA9BC"}));
    EXPECT_EQ(bases->Str_rus->model().rowTexts(0),
              QStringList({"Префикс", "Название", "WAZ", "ITU", "Долгота", "Щирота", "Номер", "OBL", "UTC"}));
}

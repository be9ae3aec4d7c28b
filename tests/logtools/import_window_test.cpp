// The import and export window: its menus and filters, the conversion
// through the timer, saving the grid to a log, the ADIF range boxes and the
// editing panel.
#include "app/allwindows.h"
#include "logbook/form1.h"
#include "logbook/glawnf.h"
#include "logbook/logfile.h"
#include "logbook/startup.h"
#include "logtools/import.h"
#include "tests/logtools/adiffixture.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTimer>

namespace zelmor::test {
namespace {

class ImportWindowTest : public AdifTest {
protected:
    void SetUp() override {
        AdifTest::SetUp();
        WriteLog(path("test.log"), {LogQso("K1ABC", "01.02.2020", "10:00", "7.0 Mhz", "CW")});
        CreateAllWindows();
        glawnf->Timer6->stop();
        StartupHook = {};
        LogFileName = QStringLiteral("test.log");
        OpenLog();
        StartupDone = 1;
        Dialogs().calls.clear();
    }
    void TearDown() override {
        RefreshLogGrid = nullptr;
        ImportHook = {};
        DestroyAllWindows();
        AdifTest::TearDown();
    }
    // What "Конвертация" does, without waiting for the timer.
    void convert() {
        import->SpeedButton2Click();
        EXPECT_TRUE(import->Panel1->isVisibleTo(import));
        EXPECT_TRUE(import->Timer1->isActive());
        import->Timer1Timer();
        EXPECT_FALSE(import->Timer1->isActive());
    }
    void importFile(const QString &file) {
        import->ADIFG1Click();
        Dialogs().fileAnswers.push_back(file);
        import->N3Click();
        convert();
    }
    StringGridModel &grid() { return import->Stre->model(); }
};

TEST_F(ImportWindowTest, TheFormatMenuTicksOneItemAndGivesItsFilter) {
    struct Item {
        QAction *action;
        void (Timport::*click)();
        const char *caption, *filter;
    };
    const Item items[] = {
        {import->EQF1, &Timport::EQF1Click, "Импорт из программы LOG-EQF формат файла - ACSII (Commas)", "Файл программы LOG-EQF(*.dat)|*.dat"},
        {import->LOGEQF1, &Timport::LOGEQF1Click, "Импорт из программы LOG-EQF формат файла (*.log)", "Файл программы LOG-EQF(*.log)|*.log"},
        {import->QZ4W1, &Timport::QZ4W1Click, "Импорт из программы QZ4W в формат ZELMOR", "Файл программы QZ4W(log.dat)|log.dat"},
        {import->QZ5WW, &Timport::QZ5WWClick, "Иморт из программы  QZ5WW в формат ZELMOR", "Файл программы QZ5WW|*.log"},
        {import->SWIS1, &Timport::SWIS1Click, "Импорт из программы SWISLOG в формат ZELMOR", "Файл программы SWISLOG|*.dat"},
        {import->LOGPLUS1, &Timport::LOGPLUS1Click, "Импорт из программы LOGPLUS в формат ZELMOR", "Файл программы LOGPLUS|*.dbf"},
        {import->LOGPLUS2, &Timport::LOGPLUS2Click, "Импорт  инфо из программы LOGPLUS в файл  лога  ", "Файл программы Zelmor(*log.dat|*log.dat|Файл программы Zelmor(*.log)|*.log"},
        {import->AALOG1, &Timport::AALOG1Click, "Импорт файла программы AALOG в формат ZELMOR", "Файл программы AALOG(*.log)|*.log"},
        {import->ADIFG1, &Timport::ADIFG1Click, "Импорт из ADIF формата в ZELMOR", "Файл программы ADIF(*.adi)|*.adi"},
        {import->Mixw2, &Timport::Mixw2Click, "Импорт из программы Mixw2 в формат ZELMOR", "Файл программы MIXW2(*.log)|*.log"},
        {import->Zelmor1, &Timport::Zelmor1Click, "Экспорт файла программы  Zelmor в текстовый файл", "Файл программы Zelmor(*log.dat|*log.dat|Текстовый файл(*.txt)|*.txt"},
        {import->QZ4W2, &Timport::QZ4W2Click, "Экспорт контестового файла  в текстовый формат ( формат QZ4W).", "Контестовый файл|*.tst"},
        {import->ADIF1, &Timport::ADIF1Click, "Экспорт файла программы Zelmor в формат ADIF", "Файл программы Zelmor(*log.dat)|*log.dat|Файл программы Zelmor(*.log)|*.log"},
    };
    EXPECT_EQ(import->openFilter(), QStringLiteral("Файл программы LOG-EQF(*.dat)|*.txt|Файл программы Zelmor(*log.dat|*log.dat|"
                                                   "Текстовый файл(*.txt)|*.txt|Контестовый файл|*test.dat"));
    // The menu in its order, with the separator between importers and exporters.
    const QList<QAction *> menu = import->FormatMenu->actions();
    ASSERT_EQ(menu.size(), 14);
    EXPECT_TRUE(menu[10]->isSeparator());
    EXPECT_EQ(menu[10], import->N7);
    for (const Item &item : items) {
        EXPECT_EQ(item.action->text(), QString::fromUtf8(item.caption));
        (import->*item.click)();
        int ticked = 0;
        for (QAction *a : import->formatItems()) ticked += a->isChecked();
        EXPECT_EQ(ticked, 1) << item.caption;
        EXPECT_TRUE(item.action->isChecked()) << item.caption;
        EXPECT_EQ(import->openFilter(), QString::fromUtf8(item.filter)) << item.caption;
    }
    EXPECT_TRUE(import->Panel5->isVisibleTo(import)); // ADIF1 shows the range boxes
    const QStringList titles = {import->FormatMenu->title(), import->FileMenu->title(), import->EditMenu->title()};
    EXPECT_EQ(titles, (QStringList{"Формат", "Файл", "Редактирование"}));
    EXPECT_EQ(import->N3->text(), "Открыть");
    EXPECT_EQ(import->N4->text(), "Сохранить");
    EXPECT_EQ(import->N6->text(), "Панель редактирования");

    // The open dialog gets the filter and the path lands in Edit1.
    Dialogs().fileAnswers.push_back(path("x.log"));
    import->N3Click();
    ASSERT_FALSE(Dialogs().calls.empty());
    EXPECT_EQ(Dialogs().calls.back().text, QString::fromUtf8(items[12].filter));
    EXPECT_EQ(import->Edit1->text(), path("x.log"));
}

TEST(FileDialogFilter, MasksMatchRegardlessOfCase) {
    const QString filter = QtFilterFromParts(QStringLiteral("Файл программы Zelmor(*log.dat)|*log.dat|Все|*.log;*.adi"));
    EXPECT_EQ(filter, QStringLiteral("Файл программы Zelmor(*log.dat) (*[lL][oO][gG].[dD][aA][tT]);;"
                                     "Все (*.[lL][oO][gG] *.[aA][dD][iI])"));
    const QString mask = QStringLiteral("*[lL][oO][gG].[dD][aA][tT]");
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(mask));
    for (const char *name : {"TESTLOG.DAT", "testlog.dat", "MyLog.Dat"}) EXPECT_TRUE(re.match(name).hasMatch()) << name;
    EXPECT_FALSE(re.match("test.log").hasMatch());
}

TEST_F(ImportWindowTest, ActivationFillsThePanelsListsAndTheCaptions) {
    grid().setCell(3, 0, "junk");
    import->show();
    EXPECT_EQ(import->iqsl->count(), 5);
    EXPECT_EQ(import->iqsl->itemText(3), QslSentAndReceived); // List_qsl's order
    EXPECT_EQ(import->iband->count(), form1->List_mode->count()); // the names cross
    EXPECT_EQ(import->iband->itemText(1), "CW");
    EXPECT_EQ(import->imode->count(), 14);
    EXPECT_EQ(import->imode->itemText(11), "144Mhz");
    EXPECT_EQ(grid().rowTexts(0), ImportGridCaptions);
    EXPECT_EQ(ImportGridCaptions.size(), 21);
    EXPECT_EQ(grid().colCount(), 21);
    import->hide();
}

TEST_F(ImportWindowTest, AnAdifFileThroughTheGridIntoTheCurrentLog) {
    int refreshed = 0;
    RefreshLogGrid = [&] { ++refreshed; };
    importFile(Crafted("boundaries.adi"));
    EXPECT_FALSE(import->Panel1->isVisibleTo(import));
    EXPECT_EQ(import->Stre->rowCount(), 7);
    EXPECT_EQ(grid().cell(1, 2), "K2ABC");
    EXPECT_EQ(grid().cell(4, 1), "United States");
    // One closing message counts the record without a date.
    ASSERT_EQ(Dialogs().messages().size(), 1u);
    EXPECT_TRUE(Dialogs().messages()[0].text.contains(" 1 ")) << Dialogs().messages()[0].text.toStdString();

    // A correction in the grid, then the save into the current log.
    grid().setCell(5, 4, "04.01.2020");
    Dialogs().fileAnswers.push_back(path("test.log"));
    import->N4Click();
    EXPECT_EQ(import->Edit2->text(), path("test.log"));
    const auto log = ReadAllRecords<QsoRecord>(path("test.log"));
    ASSERT_EQ(log.size(), 6u);
    EXPECT_EQ(log[4].call, "K4ABC");
    EXPECT_EQ(log[4].date, "04.01.2020");
    EXPECT_EQ(log[5].number, "6");
    EXPECT_EQ(LogColumns.size(), 6);
    EXPECT_EQ(LogColumns.indexesOfCall("K5ABC"), (std::vector<qint64>{5}));
    EXPECT_EQ(refreshed, 1);
}

TEST_F(ImportWindowTest, SaveCancelledOrRefusedWritesNothing) {
    importFile(Crafted("one_record.adi"));
    const QByteArray before = ReadBytes(path("test.log"));
    import->Edit2->setText(path("test.log"));
    Dialogs().calls.clear();
    import->N4Click(); // the dialog cancelled
    EXPECT_EQ(ReadBytes(path("test.log")), before);
    EXPECT_TRUE(Dialogs().messages().empty());

    WriteBytes(path("old.adi"), "<call:5>K1ABC<eor>\r\n");
    Dialogs().fileAnswers.push_back(path("old.adi"));
    import->N4Click();
    ASSERT_EQ(Dialogs().messages().size(), 1u);
    EXPECT_EQ(Dialogs().messages()[0].caption, "ERROR");
    EXPECT_EQ(ReadBytes(path("old.adi")), "<call:5>K1ABC<eor>\r\n");
    EXPECT_EQ(LogColumns.size(), 1);

    // A new name gets ".log" and a log of its own.
    Dialogs().fileAnswers.push_back(path("mylog"));
    import->N4Click();
    EXPECT_EQ(import->Edit2->text(), path("mylog.log"));
    EXPECT_EQ(RecordIO::Count(path("mylog.log"), QsoRecord::Size), 1);
}

TEST_F(ImportWindowTest, ABadFileIsReportedAndKeepsTheRowsBefore) {
    WriteBytes(path("bad.adi"), "<call:5>K1ABC<eor><call:5>K2ABC<eor><call:6 K3ABC<eor>");
    importFile(path("bad.adi"));
    ASSERT_EQ(Dialogs().messages().size(), 2u); // the error, then the missing dates
    EXPECT_EQ(Dialogs().messages()[0].caption, "ERROR");
    EXPECT_TRUE(Dialogs().messages()[0].text.startsWith("ADIF: запись 3")) << Dialogs().messages()[0].text.toStdString();
    EXPECT_EQ(import->Stre->rowCount(), 4);
    EXPECT_EQ(grid().cell(1, 2), "K2ABC");
    EXPECT_TRUE(grid().cell(1, 3).isEmpty());

    // A missing country table stops the import with the missing-file message.
    QFile::remove(path("dx/world.dat"));
    Dialogs().calls.clear();
    import->Timer1Timer();
    ASSERT_EQ(Dialogs().messages().size(), 1u);
    EXPECT_EQ(Dialogs().messages()[0].text, MissingFileText(" World.dat"));
}

TEST_F(ImportWindowTest, TheExportRangeBoxes) {
    std::vector<QsoRecord> log;
    for (int i = 0; i < 10; ++i) log.push_back(LogQso("K1ABC", "01.02.2020", "10:00", "7.0 Mhz", "CW"));
    WriteLog(path("ten.log"), log);
    import->ADIF1Click();
    import->Edit1->setText(path("ten.log"));
    struct Case {
        const char *first, *last, *firstAfter, *lastAfter;
    };
    for (const Case &c : {Case{"5", "4", "", ""}, Case{"1", "", "", ""}, Case{"1", "11", "1", ""}}) {
        import->Edit4->setText(c.first);
        import->Edit11->setText(c.last);
        convert();
        EXPECT_EQ(import->Edit4->text(), c.firstAfter) << c.first << ".." << c.last;
        EXPECT_EQ(import->Edit11->text(), c.lastAfter) << c.first << ".." << c.last;
        EXPECT_FALSE(QFile::exists(path("ten.adi")));
        EXPECT_TRUE(import->Panel5->isVisibleTo(import));
    }
    import->Edit4->setText("2");
    import->Edit11->setText("10");
    convert();
    EXPECT_EQ(import->Edit2->text(), path("ten.adi"));
    EXPECT_EQ(ReadBytes(path("ten.adi")).count("<eor>"), 9);
    EXPECT_FALSE(import->Panel5->isVisibleTo(import));
    EXPECT_TRUE(Dialogs().messages().empty());
}

TEST_F(ImportWindowTest, TheEditingPanelFillsOnlyDataRows) {
    importFile(Crafted("boundaries.adi"));
    import->N6Click();
    EXPECT_TRUE(import->Panel2->isVisibleTo(import));
    import->Stre->setCurrentIndex(grid().index(2, ImportColumn::Qsl));
    import->iqsl->setCurrentText(QslReceived);
    import->SpeedButton1Click(); // no range: the selected cell
    EXPECT_EQ(grid().cell(ImportColumn::Qsl, 2), QslReceived);
    EXPECT_TRUE(grid().cell(ImportColumn::Qsl, 1).isEmpty());

    import->Stre->setCurrentIndex(grid().index(1, ImportColumn::Mode));
    import->iband->setCurrentText("RTTY");
    import->edit7->setText("0");
    import->edit8->setText("99999");
    import->SpeedButton3Click();
    for (int r = 1; r <= 5; ++r) EXPECT_EQ(grid().cell(ImportColumn::Mode, r), "RTTY") << r;
    EXPECT_EQ(grid().cell(ImportColumn::Mode, 0), "Mode");
    EXPECT_TRUE(grid().cell(ImportColumn::Mode, 6).isEmpty());
    EXPECT_EQ(static_cast<ImportGridModel &>(grid()).rows().size(), 5);
    import->N6Click();
    EXPECT_FALSE(import->Panel2->isVisibleTo(import));
}

TEST_F(ImportWindowTest, TheOtherConvertersAreHooks) {
    QStringList ran;
    ImportHook.ImportMixw2 = [&] { ran << "mixw"; };
    ImportHook.LoadLogForInfoImport = [&] { ran << "info"; };
    ImportHook.ExportContestToText = [&] { ran << "contest"; };
    import->Mixw2Click();
    convert();
    EXPECT_FALSE(import->Panel1->isVisibleTo(import));
    import->QZ4W2Click();
    convert();
    import->LOGPLUS2Click();
    convert();
    EXPECT_TRUE(import->Panel1->isVisibleTo(import)); // the info import goes on in Panel3
    EXPECT_TRUE(import->Panel3->isVisibleTo(import));
    EXPECT_EQ(ran, (QStringList{"mixw", "contest", "info"}));
    import->SWIS1Click(); // a hook nobody filled does nothing
    convert();
}

} // namespace
} // namespace zelmor::test

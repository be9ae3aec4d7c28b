// The search window driven through its controls and handlers, offscreen.
#include "app/allwindows.h"
#include "logbook/form1.h"
#include "logbook/glawnf.h"
#include "logbook/startup.h"
#include "logbook/settingsstore.h"
#include "logbook/reference.h"
#include "logtools/award.h"
#include "logtools/logsearch.h"
#include "logtools/otchet.h"
#include "logtools/poisk.h"
#include "logtools/searchgrid.h"
#include "platform/paths.h"
#include "tests/logtools/searchfixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

using namespace zelmor;
using namespace zelmor::test;

namespace {
class PoiskTest : public SearchLogTest {
protected:
    void SetUp() override {
        SearchLogTest::SetUp();
        CreateAllWindows();
        glawnf->Timer6->stop();
        StartupHook = {};
        OpenLog();
        w_ = poisk;
        w_->LoadLogIntoLists();
        refreshed_ = 0;
        RefreshLogGrid = [this] { ++refreshed_; };
    }
    void TearDown() override {
        RefreshLogGrid = nullptr;
        DestroyAllWindows();
        SearchLogTest::TearDown();
    }
    void select(int row, int col) { w_->Str->setCurrentIndex(w_->StrRows->index(row, col)); }
    std::vector<int> listed() const {
        std::vector<int> out;
        for (int r = 1; r <= w_->StrRows->listedCount(); ++r) out.push_back(w_->Str->cell(0, r).toInt());
        return out;
    }
    void search() {
        test::Dialogs().calls.clear();
        w_->RunSearch();
    }
    Tpoisk *w_ = nullptr;
    int refreshed_ = 0;
};
} // namespace

TEST_F(PoiskTest, ListsTheWholeLogAndDeletedRowsGreyed) {
    EXPECT_EQ(w_->Str->rowCount(), 12);
    EXPECT_EQ(w_->Str->cell(1, 1), "UA3ABC");
    EXPECT_EQ(w_->Str->cell(22, 7), "Delet");
    EXPECT_TRUE(w_->StrRows->data(w_->StrRows->index(7, 1), Qt::ForegroundRole).isValid());
    EXPECT_FALSE(w_->StrRows->data(w_->StrRows->index(6, 1), Qt::ForegroundRole).isValid());
    EXPECT_EQ(w_->Str->cell(1, 11), ""); // the blank row after the last
    EXPECT_EQ(w_->Str->cell(0, 0), "№ QSO");
}

TEST_F(PoiskTest, SearchByTheControls) {
    search();
    EXPECT_EQ(w_->Str->rowCount(), 2);
    EXPECT_EQ(w_->Str->cell(1, 1), "");

    w_->wordp1->setText("Germany");
    w_->Lworx1->addItems({"Japan", "Germany", "Japan"});
    w_->cbm->setEditText("SSB");
    search();
    EXPECT_EQ(listed(), (std::vector<int>{1, 5, 7}));
    EXPECT_EQ(w_->FoundCount, 3);
    EXPECT_EQ(w_->Str->rowCount(), 5);

    w_->N10Click();
    EXPECT_EQ(w_->Lworx1->count(), 0);
    w_->Memo1->setPlainText("UA3***\nW1**");
    w_->mdata2->setText("01.01.2000");
    search();
    EXPECT_EQ(listed(), (std::vector<int>{1, 2}));
}

TEST_F(PoiskTest, DateProblemsAreReported) {
    w_->mdata1->setText("31.02.2024");
    search();
    EXPECT_EQ(w_->StrRows->listedCount(), 0);
    ASSERT_EQ(test::Dialogs().messages().size(), 1u);
    EXPECT_TRUE(test::Dialogs().messages()[0].text.contains("31.02.2024"));

    auto qsos = TenQsos();
    qsos[2].date = "  .  .    ";
    WriteAllRecords(log_, qsos);
    w_->mdata1->setText("01.01.2000");
    search();
    EXPECT_EQ(listed(), (std::vector<int>{1, 4, 5, 6, 7, 8, 9, 10}));
    ASSERT_EQ(test::Dialogs().messages().size(), 1u);
    EXPECT_TRUE(test::Dialogs().messages()[0].text.contains(": 1 "));
    EXPECT_TRUE(test::Dialogs().messages()[0].text.contains("№ 3"));
}

TEST_F(PoiskTest, SortListsTheWholeLogAfterASearch) {
    w_->mEdit1->setText("9");
    search();
    ASSERT_EQ(listed(), (std::vector<int>{9, 10}));
    select(1, 1);
    w_->N23Click();
    EXPECT_EQ(listed(), (std::vector<int>{7, 6, 8, 5, 2, 1, 3, 4, 9, 10}));
    EXPECT_EQ(w_->Str->rowCount(), 12);
}

TEST_F(PoiskTest, EditModeCaptionsAndEditor) {
    auto qsos = TenQsos();
    qsos.push_back(Qso(11, "R1A", "Japan"));
    qsos.push_back(Qso(12, "R2A", "Japan"));
    WriteAllRecords(log_, qsos);
    w_->LoadLogIntoLists();
    w_->show();
    w_->N24->setChecked(true);
    w_->N24Click();
    EXPECT_TRUE(w_->Timer3->isActive());
    EXPECT_TRUE(w_->N27->isVisible());
    select(12, 2);
    w_->StrClick();
    EXPECT_EQ(w_->N27->text(), "Сохранить QSO № 12 колонка: Name");
    EXPECT_EQ(w_->N26->text(), "Заполнить ячейку: QSO № 12 колонка: Name");
    EXPECT_EQ(w_->Label2->text(), "Редактируем QSO №12 колон.:Name");
    EXPECT_TRUE(w_->search_name->isVisible());
    EXPECT_FALSE(w_->search_call->isVisible());
    w_->N24->setChecked(false);
    w_->N24Click();
    EXPECT_FALSE(w_->search_name->isVisible());
    EXPECT_FALSE(w_->Timer3->isActive());
}

TEST_F(PoiskTest, SavingAnEditedCell) {
    select(2, 2);
    w_->search_name->setText("Пётр");
    w_->FillRow();
    EXPECT_EQ(w_->Str->cell(2, 2), "Пётр");

    const QByteArray before = bytes();
    test::Dialogs().answers = {MbNo};
    w_->SaveEditedCell();
    EXPECT_EQ(bytes(), before);

    test::Dialogs().answers = {MbYes};
    w_->SaveEditedCell();
    EXPECT_EQ(record(1).name, "Пётр");
    EXPECT_EQ(refreshed_, 1);

    // A country edit reaches LogColumns.
    select(2, 14);
    w_->Str->setCell(14, 2, "France");
    test::Dialogs().answers = {MbYes};
    w_->SaveEditedCell();
    EXPECT_EQ(LogCountries[1], "France");

    // The blank date mask does not fill the cell; an impossible date is not written.
    select(2, 4);
    w_->search_date->clear();
    w_->FillRow();
    EXPECT_EQ(w_->Str->cell(4, 2), "31.12.99");
    w_->search_date->setText("31.02.2024");
    w_->FillRow();
    const QByteArray beforeDate = bytes();
    test::Dialogs().calls.clear();
    test::Dialogs().answers = {MbYes};
    w_->SaveEditedCell();
    EXPECT_EQ(bytes(), beforeDate);
    EXPECT_EQ(test::Dialogs().messages().size(), 2u); // the question, then the refusal
}

TEST_F(PoiskTest, AnEditOfARecordNoLongerInTheLogWritesNothing) {
    auto qsos = TenQsos();
    qsos.resize(5);
    WriteAllRecords(log_, qsos); // the log shrank after the listing
    const QByteArray before = bytes();
    select(8, 2);
    w_->Str->setCell(2, 8, "X");
    test::Dialogs().answers = {MbYes};
    w_->SaveEditedCell();
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(test::Dialogs().messages().back().caption, "ERROR");
}

TEST_F(PoiskTest, SaveTheListingAsALog) {
    w_->StrRows->setListing(LogFilePath(), {6, 1, 8});
    w_->Str->setCell(2, 2, "Edited");
    test::Dialogs().fileAnswers = {path("abc")};
    w_->N3Click();
    const auto saved = ReadAllRecords<QsoRecord>(path("abclog.dat"));
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_EQ(saved[0].number, "1");
    EXPECT_EQ(saved[1].number, "2");
    EXPECT_EQ(saved[2].number, "3");
    EXPECT_EQ(saved[0].call, "DL1AB");
    EXPECT_EQ(saved[0].deleteMark, "Delet");
    EXPECT_EQ(saved[1].name, "Edited");
    EXPECT_EQ(saved[2].call, "W1AW");
    EXPECT_EQ(QDir::currentPath(), ProgramDir);

    // "abc" again: the derived file exists; Yes replaces it with exactly the rows.
    WriteAllRecords(path("abclog.dat"), TenQsos());
    test::Dialogs().calls.clear();
    test::Dialogs().fileAnswers = {path("abc")};
    test::Dialogs().answers = {MbYes};
    w_->N3Click();
    EXPECT_EQ(RecordIO::Count(path("abclog.dat"), QsoRecord::Size), 3);
    // No keeps the file.
    WriteAllRecords(path("abc.log"), TenQsos());
    test::Dialogs().fileAnswers = {path("abc.log")};
    test::Dialogs().answers = {MbNo};
    w_->N3Click();
    EXPECT_EQ(RecordIO::Count(path("abc.log"), QsoRecord::Size), 10);
    EXPECT_FALSE(QFile::exists(path("abc.loglog.dat")));

    // The current log is refused and stays as it was.
    const QByteArray before = bytes();
    test::Dialogs().calls.clear();
    test::Dialogs().fileAnswers = {log_};
    w_->N3Click();
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(test::Dialogs().messages().back().caption, "ERROR");
    EXPECT_EQ(LogColumns.size(), 10);

    // An unwritable target: the system's reason, and no file.
    RecordIO::Touch(path("plainfile"));
    test::Dialogs().calls.clear();
    test::Dialogs().fileAnswers = {path("plainfile/abc")};
    w_->N3Click();
    ASSERT_EQ(test::Dialogs().messages().size(), 1u);
    EXPECT_TRUE(test::Dialogs().messages()[0].text.contains("plainfile/abclog.dat"));
    EXPECT_FALSE(QFile::exists(path("plainfile/abclog.dat")));

    // An empty listing writes no file.
    w_->StrRows->setListing(LogFilePath(), {});
    test::Dialogs().calls.clear();
    test::Dialogs().fileAnswers = {path("empty")};
    w_->N3Click();
    EXPECT_FALSE(QFile::exists(path("emptylog.dat")));
    EXPECT_EQ(test::Dialogs().calls.size(), 1u); // a message, no save dialog
}

TEST_F(PoiskTest, OnlyTheCheckedFormatPrints) {
    WriteDefaultSettings();
    w_->N31Click();
    w_->N13Click();
    EXPECT_FALSE(w_->N31->isChecked());
    w_->PrintSearchResult();
    EXPECT_EQ(test::Printer().jobs, (std::vector<QString>{"listing1"}));
    test::Printer().clear();
    w_->N12Click();
    w_->PrintSearchResult();
    EXPECT_EQ(test::Printer().jobs, (std::vector<QString>{"application"}));
}

TEST_F(PoiskTest, FontDialogsWriteTheReportFonts) {
    WriteDefaultSettings();
    FontChoice red;
    red.name = "times new roman";
    red.size = 12;
    red.colour = 255;
    test::Dialogs().fontAnswers = {red};
    w_->N6Click();
    EXPECT_EQ(RegReadString("zelmor\\отчет", "fontnam"), "times new roman");
    EXPECT_EQ(RegReadString("zelmor\\отчет", "fontsiz"), "12");
    EXPECT_EQ(RegReadString("zelmor\\отчет", "fontcol"), "255");
    test::Dialogs().fontAnswers = {std::nullopt};
    w_->N6Click(); // cancelled: nothing changes
    EXPECT_EQ(RegReadString("zelmor\\отчет", "fontsiz"), "12");

    FontChoice face;
    face.name = "arial";
    test::Dialogs().fontAnswers = {face};
    otchet->N4Click();
    EXPECT_EQ(RegReadString("zelmor\\отчет", "font2"), "arial");
}

TEST_F(PoiskTest, ReloadsOnShowAndFromAnotherWindowButNotAfterABox) {
    w_->StrRows->setListing(LogFilePath(), {0});
    w_->show();
    QTRY_COMPARE_WITH_TIMEOUT(w_->StrRows->listedCount(), 10, 10000);

    QWidget other(nullptr, Qt::Window);
    other.show();
    other.activateWindow();
    QTRY_VERIFY_WITH_TIMEOUT(other.isActiveWindow(), 10000);
    w_->StrRows->setListing(LogFilePath(), {0});
    w_->activateWindow();
    QTRY_VERIFY_WITH_TIMEOUT(w_->isActiveWindow(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(w_->StrRows->listedCount(), 10, 10000);

    QDialog box(w_);
    box.show();
    box.activateWindow();
    QTRY_VERIFY_WITH_TIMEOUT(box.isActiveWindow(), 10000);
    w_->StrRows->setListing(LogFilePath(), {0});
    box.hide();
    w_->activateWindow();
    QTRY_VERIFY_WITH_TIMEOUT(w_->isActiveWindow(), 10000);
    // The activation has been handled by now: no reload is pending, and none
    // comes later.
    EXPECT_FALSE(w_->Timer2->isActive());
    QTest::qWait(300);
    EXPECT_EQ(w_->StrRows->listedCount(), 1);
}

TEST_F(PoiskTest, TheAwardWindowsGridPrintsAsItsApplication) {
    WriteDefaultSettings();
    award->Edit3->setText("R3AA Petrov");
    award->Str3->setRowCount(4);
    const QStringList row1 = {"1", "UA3ABC", "01.01.2000", "10:00", "14  Mhz", "59", "10", ""};
    for (int c = 0; c < 8; ++c) award->Str3->setCell(c, 1, row1[c]);
    award->Str3->setCell(0, 2, "Итого:");
    award->Str3->setCell(6, 2, "10");
    ASSERT_TRUE(otchet->awardred());
    ASSERT_EQ(test::Printer().jobs, (std::vector<QString>{"award"}));
    const RecordingCanvas &c = *test::Printer().last();
    EXPECT_NE(c.findText("Подпись :  ........................R3AA Petrov"), nullptr);
    const auto *points = c.findText("10");
    ASSERT_NE(points, nullptr);
    EXPECT_EQ(points->x1, 140 + 1900); // column 6, under "Очки"
    EXPECT_EQ(points->y1, 810);
    EXPECT_NE(c.findText("Итого:"), nullptr);
}

TEST_F(PoiskTest, CountryCompletionFillsTheCountryList) {
    DxccCountryList = QStringList{"Japan", "Jan Mayen", "Germany"};
    auto key = [](QWidget *w, int k) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
    };
    w_->wordp1->setText("Ja");
    EXPECT_FALSE(w_->List1->isHidden());
    ASSERT_EQ(w_->List1->count(), 2);
    key(w_->wordp1, Qt::Key_Down);
    EXPECT_EQ(w_->List1->currentRow(), 0);
    key(w_->List1, Qt::Key_Return);
    EXPECT_EQ(w_->wordp1->text(), "Japan");
    ASSERT_EQ(w_->Lworx1->count(), 1);
    EXPECT_EQ(w_->Lworx1->item(0)->text(), "Japan");
    EXPECT_TRUE(w_->List1->isHidden());
    w_->wordp1->setText("Xyz");
    EXPECT_TRUE(w_->List1->isHidden());
    w_->N14Click();
    EXPECT_EQ(w_->Lworx1->count(), 0);
}

// The user award window driven through its controls and handlers, offscreen:
// awards defined, stored, chosen, counted, charted and printed.
#include "app/allwindows.h"
#include "logbook/glawnf.h"
#include "logbook/settingscatalogue.h"
#include "logbook/settingsstore.h"
#include "logbook/startup.h"
#include "logtools/award.h"
#include "logtools/newaw.h"
#include "logtools/poisk.h"
#include "tests/logtools/userawardsfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

using namespace zelmor;
using namespace zelmor::test;

namespace {

class AwardWindowTest : public AwardLogTest {
protected:
    void SetUp() override {
        AwardLogTest::SetUp();
        CreateAllWindows();
        glawnf->Timer6->stop();
        StartupHook = {};
        w_ = award;
    }
    void TearDown() override {
        DestroyAllWindows();
        AwardLogTest::TearDown();
    }
    // The conditions of "RDA" typed into the window.
    void typeRda(bool repeats, bool points) {
        w_->ShowConditions(Rda(repeats, points));
    }
    void choose(const QString &name) {
        const int i = w_->awardBox->findText(name);
        ASSERT_GE(i, 0);
        w_->awardBox->setCurrentIndex(i);
    }
    // A new award named as the name dialog's "OK" adds it.
    void addAward(const QString &name) {
        w_->N1Click();
        newaw->Edit1->setText(name);
        newaw->SpeedButton1->click();
    }
    QByteArray hiveBytes() const {
        QFile f(SettingsRegistry->filePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList row(int r) const { return w_->Str3->model().rowTexts(r); }
    std::vector<double> bars() const {
        std::vector<double> out;
        for (const Bar &b : w_->Series1) out.push_back(b.value);
        return out;
    }
    QString status() const { return w_->sbar1->currentMessage(); }
    Taward *w_ = nullptr;
};

using Op = RecordingCanvas::Op;
bool At(const Op *op, int x, int y) { return op && op->x1 == x && op->y1 == y; }

} // namespace

TEST_F(AwardWindowTest, CountsTheChosenAwardIntoTheGridAndTheChart) {
    typeRda(true, false);
    addAward("RDA");
    const struct {
        bool repeats, points;
        std::vector<int> listed;
        QString total;
    } cases[] = {
        {true, false, {2, 3, 6, 9}, ""},
        {true, true, {2, 3, 6, 9}, "10"},
        {false, false, {2, 6, 9}, ""},
        {false, true, {2, 6, 9}, "7"},
    };
    const QStringList dates = {"", "31.12.1998", "01.01.1999", "02.01.1999", "03.01.1999", "04.01.1999",
                               "05.01.1999", "06.01.1999", "", "07.01.99"};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "repeats " << c.repeats << ", points " << c.points);
        w_->povbox->setChecked(c.repeats);
        w_->podsBox->setChecked(c.points);
        w_->N7Click();
        const int n = int(c.listed.size());
        ASSERT_EQ(w_->Str3->rowCount(), n + 2);
        for (int r = 1; r <= n; ++r) {
            EXPECT_EQ(w_->Str3->cell(0, r), QString::number(r));
            EXPECT_EQ(w_->Str3->cell(2, r), dates[c.listed[size_t(r - 1)]]);
        }
        EXPECT_EQ(row(n + 1), (QStringList{"Итого:", "", "", "", "", "", c.total, ""}));
        EXPECT_EQ(row(1), (QStringList{"1", "UA3AA", "01.01.1999", "12:00", "14  Mhz", "59", "5", ""}));
        EXPECT_EQ(status(), "QSO с неверной датой пропущено: 1, первое № 8");
    }
    // One bar per computation, in order, all red and named.
    EXPECT_EQ(bars(), (std::vector<double>{57, 50, 42, 35}));
    for (const Bar &b : w_->Series1) {
        EXPECT_EQ(b.label, "RDA");
        EXPECT_EQ(b.colour, QColor(255, 0, 0));
    }
    w_->N9Click();
    EXPECT_TRUE(w_->Series1.empty());
}

TEST_F(AwardWindowTest, BadConditionsListNothingWriteNothingAndAddNoBar) {
    typeRda(true, false);
    addAward("RDA");
    w_->N7Click();
    ASSERT_EQ(bars().size(), 1u);
    const QByteArray before = hiveBytes();
    w_->awdate->setText("31.02.1999");
    w_->N7Click();
    EXPECT_EQ(w_->Str3->rowCount(), 2);
    EXPECT_EQ(row(1), QStringList(8));
    EXPECT_EQ(status(), "Укажите дату начала в виде дд.мм.гггг");
    EXPECT_EQ(bars().size(), 1u);
    // A required count of 0: the rows, the status text, no bar.
    w_->awdate->setText("01.01.1999");
    w_->edit2->setText("0");
    w_->N7Click();
    EXPECT_EQ(w_->Str3->rowCount(), 6);
    EXPECT_TRUE(status().startsWith("Укажите в условиях количество QSO или отмените их подсчет"));
    EXPECT_EQ(bars().size(), 1u);
    EXPECT_EQ(hiveBytes(), before);
}

TEST_F(AwardWindowTest, NewSaveAndDeleteThroughTheMenu) {
    // A name dialog always on top and modal to this window.
    w_->show();
    w_->N1Click();
    EXPECT_TRUE(newaw->isVisible());
    EXPECT_EQ(newaw->windowModality(), Qt::WindowModal);
    EXPECT_TRUE(newaw->windowFlags() & Qt::WindowStaysOnTopHint);
    newaw->SpeedButton2->click();
    EXPECT_FALSE(newaw->isVisible());

    typeRda(true, true);
    addAward("RDA");
    EXPECT_FALSE(newaw->isVisible());
    EXPECT_EQ(w_->awardBox->currentText(), "RDA");
    EXPECT_EQ(LoadAwardSlot(0), Rda(true, true));

    // The name again: a message, the settings file as it was, the dialog open.
    const QByteArray before = hiveBytes();
    test::Dialogs().calls.clear();
    addAward("RDA");
    EXPECT_EQ(test::Dialogs().messages().size(), 1u);
    EXPECT_EQ(hiveBytes(), before);
    EXPECT_TRUE(newaw->isVisible());
    EXPECT_EQ(w_->awardBox->count(), 1);
    newaw->SpeedButton2Click();

    // Ctrl+U saves the edited conditions into the chosen award's slot.
    w_->edit2->setText("12");
    w_->N4->trigger();
    EXPECT_EQ(LoadAwardSlot(0).qsos, "12");

    w_->N2Click();
    EXPECT_EQ(w_->str1->cell(1, 1), "");
    EXPECT_EQ(w_->edit2->text(), "");
    EXPECT_EQ(AwardSlotName(0), "");
    EXPECT_EQ(ReadSettingInteger(SettingId::AwardCount), 1);
    // The selector keeps the name; choosing it lists nothing.
    ASSERT_EQ(w_->awardBox->currentText(), "RDA");
    w_->awardBoxClick();
    EXPECT_EQ(w_->Str3->rowCount(), 2);
    EXPECT_EQ(status(), "Условие диплома: список PF пуст");
    EXPECT_TRUE(w_->Series1.empty());
}

TEST_F(AwardWindowTest, AnAwardComesBackAfterARestart) {
    addAward("WAS"); // slot 0, empty conditions
    typeRda(true, true);
    w_->info1->setPlainText("Box 1\nMoscow");
    w_->Edit3->setText("UA3XYZ Петров");
    addAward("RDA");
    DestroyAllWindows();
    ReleaseSettingsRegistry();
    CreateSettingsRegistry(path("registry.reg"));
    CreateAllWindows();
    glawnf->Timer6->stop();
    w_ = award;
    w_->LoadAwardSelector();
    EXPECT_EQ(w_->awardBox->count(), 2);
    choose("RDA");
    w_->awardBoxClick();
    EXPECT_EQ(w_->str1->cell(1, 1), "UA");
    EXPECT_EQ(w_->str1->cell(2, 1), "3");
    EXPECT_EQ(w_->str1->cell(3, 1), "*");
    EXPECT_EQ(w_->info1->toPlainText(), "Box 1\nMoscow");
    EXPECT_EQ(w_->Edit3->text(), "UA3XYZ Петров");
    EXPECT_TRUE(w_->povbox->isChecked() && w_->podsBox->isChecked());
    EXPECT_EQ(w_->Str3->rowCount(), 6);
    EXPECT_EQ(bars(), (std::vector<double>{50}));
}

TEST_F(AwardWindowTest, ConditionCellsAreEditedThroughPf) {
    w_->show();
    w_->str1->setCell(1, 2, "UB");
    w_->str1->setCurrentIndex(w_->str1->model().index(2, 1));
    EXPECT_EQ(w_->editCol(), 1);
    EXPECT_EQ(w_->editRow(), 2);
    EXPECT_EQ(w_->pf->text(), "");
    EXPECT_EQ(w_->str1->cell(1, 2), "UB"); // selecting keeps the entry
    QTest::keyClicks(w_->pf, "r-a?3");       // upper case; two characters; nothing else
    EXPECT_EQ(w_->str1->cell(1, 2), "RA");
    w_->str1->setCurrentIndex(w_->str1->model().index(1, 3));
    QTest::keyClicks(w_->pf, "*7");
    EXPECT_EQ(w_->str1->cell(3, 1), "*");
    // Cells above a blank one: the window's lists keep the gap for the check.
    const AwardDefinition d = w_->Conditions();
    EXPECT_EQ(d.prefixes, (QStringList{"", "RA"}));
    EXPECT_EQ(d.fourths, (QStringList{"*"}));
}

TEST_F(AwardWindowTest, ActivationSetsTheCaptionOnceAndKeepsTheResults) {
    typeRda(true, false);
    addAward("RDA");
    w_->N7Click();
    w_->FormActivate();
    w_->FormActivate();
    EXPECT_EQ(w_->windowTitle(), LogFileName + "  Дипломы");
    EXPECT_EQ(w_->str1->cell(1, 0), "PF");
    EXPECT_EQ(w_->Str3->cell(6, 0), "Очки");
    EXPECT_EQ(w_->Str3->rowCount(), 6);
    EXPECT_EQ(w_->str1->cell(1, 1), "UA");
    EXPECT_EQ(bars().size(), 1u);
}

TEST_F(AwardWindowTest, PrintsTheApplication) {
    typeRda(true, true);
    w_->Edit3->setText("UA3XYZ Петров");
    addAward("RDA");
    w_->N7Click();
    w_->N5Click();
    ASSERT_EQ(test::Printer().jobs, (std::vector<QString>{"award"}));
    {
        const RecordingCanvas &c = *test::Printer().last();
        const Op *name = c.findText("\" RDA \"");
        ASSERT_TRUE(At(name, 800, 200));
        EXPECT_TRUE(name->font.bold);
        EXPECT_EQ(name->font.size, 22);
        std::vector<int> ys;
        for (const Op &op : c.texts())
            if (op.x1 == 140 && op.y1 >= 810 && op.y1 < 3600) ys.push_back(op.y1);
        EXPECT_EQ(ys, (std::vector<int>{810, 880, 950, 1020, 1090}));
        EXPECT_TRUE(At(c.findText("Итого:"), 140, 1090));
        EXPECT_TRUE(At(c.findText("10"), 2040, 1090));
        EXPECT_TRUE(At(c.findText("UA3AA"), 340, 810));
        EXPECT_TRUE(At(c.findText("01.01.1999"), 840, 810));
        EXPECT_TRUE(At(c.findText("59"), 1740, 810));
        EXPECT_TRUE(At(c.findText("5"), 2040, 810));
        EXPECT_TRUE(At(c.findText("Подпись :  ........................UA3XYZ Петров"), 300, 3800));
    }

    // The search window's application heads its page with the chosen award.
    poisk->N12Click();
    poisk->PrintSearchResult();
    ASSERT_EQ(test::Printer().jobs.size(), 2u);
    {
        const RecordingCanvas &c = *test::Printer().last();
        EXPECT_TRUE(At(c.findText(" \"RDA\" "), 800, 200));
        EXPECT_TRUE(At(c.findText("  ........................  UA3XYZ Петров"), 300, 3800));
    }

    SystemPrinter real;
    real.forcePdfFolder(path("print"));
    platform::install(&real);
    w_->N5Click();
    platform::install(&test::Printer());
    QProcess text;
    text.start("pdftotext", {path("print/award-1.pdf"), "-"});
    ASSERT_TRUE(text.waitForFinished(20000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(out.contains("Заявка на диплом.")) << out.left(400).toStdString();
    EXPECT_EQ(out.count("UA3AA"), 2);
    EXPECT_TRUE(out.contains("UA3EE"));
    EXPECT_TRUE(out.contains("Итого:"));
    EXPECT_FALSE(out.contains("UA3CC"));
    EXPECT_FALSE(out.contains("UA3DD"));
}

TEST_F(AwardWindowTest, ResultHeadingsFitTheirColumns) {
    w_->FormActivate();
    QFont bold = w_->Str3->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    for (int c = 0; c < 8; ++c) {
        const QString heading = w_->Str3->cell(c, 0);
        ASSERT_FALSE(heading.isEmpty()) << c;
        // The text plus the cell's margins.
        EXPECT_GE(w_->Str3->colWidth(c), metrics.horizontalAdvance(heading) + 8) << heading.toStdString();
    }
}

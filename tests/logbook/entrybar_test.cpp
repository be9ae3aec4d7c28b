// The entry bar: typing into the QSO window through the bar, saving with the
// hot key, and the bar kept in step with the QSO window's analysis.
#include "tests/logbook/qsowindow_fixture.h"

#include "logbook/loggrid.h"
#include "logbook/psk.h"
#include "platform/hotkeyedit.h"
#include "platform/windowshape.h"

#include <QFile>
#include <QRegion>

using namespace zelmor;
using test::QsoWindowTest;

namespace {

class EntryBarTest : public QsoWindowTest {
protected:
    void SetUp() override {
        QsoWindowTest::SetUp();
        Nastroy->wKey1->setShortcutCode(112); // F1
        form1->cb2->setText("SSB");
    }
    void showBar() {
        psk->show();
        psk->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(psk));
    }
    std::array<QLineEdit *, 9> bar() const {
        return {psk->Edit1, psk->Edit2, psk->Edit3, psk->Edit4, psk->Edit5,
                psk->Edit6, psk->Edit7, psk->Edit8, psk->Edit9};
    }
    QStringList barTexts() const {
        QStringList t;
        for (QLineEdit *e : bar()) t << e->text();
        return t;
    }
    QByteArray logBytes() const {
        QFile f(path("test.log"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(EntryBarTest, ACallTypedInTheBarIsAnalysedInTheQsoWindow) {
    showBar();
    psk->Edit1->setFocus();
    type(psk->Edit1, "ua3abc");
    EXPECT_EQ(psk->Edit1->text(), "UA3ABC");
    EXPECT_EQ(form1->call->text(), "UA3ABC");
    QTRY_COMPARE_WITH_TIMEOUT(DxCountry, QString("European Russia"), 5000);
    // The bar's other upper-case fields, each cut to its mask.
    type(psk->Edit4, "ua9xbb-long-text");
    type(psk->Edit5, "eu005x");
    type(psk->Edit6, "ko85ut");
    EXPECT_EQ(psk->Edit4->text(), "UA9XBB-LONG-");
    EXPECT_EQ(psk->Edit5->text(), "EU005");
    EXPECT_EQ(psk->Edit6->text(), "KO85UT");
    EXPECT_EQ(form1->Pvia->text(), "UA9XBB-LONG-");
    EXPECT_EQ(form1->pIOTA->text(), "EU005");
    EXPECT_EQ(form1->qthl->text(), "KO85UT");
}

TEST_F(EntryBarTest, TheHotKeySavesThroughTheQsoWindowAndEmptiesTheBar) {
    showBar();
    psk->Edit1->setText("UA3ABC");
    psk->Edit2->setFocus();
    type(psk->Edit2, "Иван");
    EXPECT_EQ(form1->name1->text(), "Иван");
    EXPECT_EQ(EntryBarTyping, 1);
    key(psk->Edit2, Qt::Key_F1);
    const QByteArray bytes = logBytes();
    ASSERT_EQ(bytes.size(), QsoRecord::Size);
    EXPECT_EQ(bytes.mid(22, 5), QByteArray("\x04\xC8\xE2\xE0\xED"));
    const QsoRecord r = logRecords().front();
    EXPECT_EQ(r.call, "UA3ABC");
    EXPECT_EQ(r.rstSent, "59");
    EXPECT_EQ(r.rstReceived, "59");
    EXPECT_EQ(barTexts(), QStringList(9, QString()));
    EXPECT_EQ(EntryBarTyping, 0);
    EXPECT_EQ(focused(), psk->Edit1);
}

TEST_F(EntryBarTest, TheHotKeyIsTheWholeShortcut) {
    showBar();
    psk->Edit1->setText("UA3ABC");
    psk->Edit2->setText("Иван");
    // F1 set: Shift+F1 saves nothing and the bar keeps its fields.
    key(psk->Edit2, Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_TRUE(logRecords().empty());
    EXPECT_EQ(psk->Edit1->text(), "UA3ABC");
    EXPECT_EQ(psk->Edit2->text(), "Иван");
    // Set to Shift+F1 (8304), Shift+F1 saves and F1 does not.
    Nastroy->wKey1->setShortcutCode(8304);
    key(psk->Edit2, Qt::Key_F1);
    EXPECT_TRUE(logRecords().empty());
    key(psk->Edit2, Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_EQ(logRecords().size(), 1u);
}

TEST_F(EntryBarTest, TheBarStaysFilledWhenNothingWasAppended) {
    showBar();
    // An empty call: nothing appended, nothing emptied, the caret to the call.
    psk->Edit2->setText("Иван");
    psk->Edit8->setText("57");
    key(psk->Edit8, Qt::Key_F1);
    EXPECT_TRUE(logRecords().empty());
    EXPECT_EQ(psk->Edit2->text(), "Иван");
    EXPECT_EQ(psk->Edit8->text(), "57");
    EXPECT_EQ(focused(), psk->Edit1);

    // A failed write: the message, and the bar keeps the QSO.
    QFile::remove(path("test.log"));
    ASSERT_TRUE(QDir(dir_->path()).mkdir("test.log"));
    psk->Edit1->setText("UA3ABC");
    key(psk->Edit2, Qt::Key_F1);
    EXPECT_EQ(test::Dialogs().messages().size(), 1u);
    EXPECT_EQ(psk->Edit1->text(), "UA3ABC");
    EXPECT_EQ(psk->Edit2->text(), "Иван");
}

TEST_F(EntryBarTest, AnEmptiedReportLeavesTheModesDefaultNotAnEmptyReport) {
    // A mode with no default report of its own.
    form1->cb2->setText("MT63");
    showBar();
    psk->Edit1->setText("UA3ABC");
    psk->Edit8->setText("57");
    psk->Edit9->setText("58");
    key(psk->Edit9, Qt::Key_F1);
    psk->Edit1->setText("UA3ABD");
    // A report typed and taken back again.
    psk->Edit8->setText("5");
    psk->Edit8->clear();
    EXPECT_EQ(form1->rsts->text(), RstSentPlaceholder);
    key(psk->Edit1, Qt::Key_F1);
    const auto records = logRecords();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].rstSent, "57");
    EXPECT_EQ(records[0].rstReceived, "58");
    EXPECT_EQ(records[1].rstSent, "59");
    EXPECT_EQ(records[1].rstReceived, "59");
}

TEST_F(EntryBarTest, ACallMendedAfterTheNameKeepsTheNameInTheRecord) {
    showBar();
    psk->Edit1->setText("UA3AB");
    QTRY_VERIFY_WITH_TIMEOUT(!form1->Timer4->isActive(), 5000);
    psk->Edit2->setText("Иван");
    psk->Edit3->setText("Москва");
    psk->Edit7->setText("RDA MO-12");
    psk->Edit1->setText("UA3ABC");
    // The analysis of the mended call empties the QSO window's fields.
    QTRY_VERIFY_WITH_TIMEOUT(!form1->Timer4->isActive(), 5000);
    ASSERT_EQ(form1->name1->text(), "");
    key(psk->Edit1, Qt::Key_F1);
    const auto records = logRecords();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].call, "UA3ABC");
    EXPECT_EQ(records[0].name, "Иван");
    EXPECT_EQ(records[0].qth, "Москва");
    EXPECT_EQ(records[0].info, "RDA MO-12");
    EXPECT_EQ(records[0].country, "European Russia");
}

TEST_F(EntryBarTest, AQsoBeingEditedIsNeitherOverwrittenNorSaved) {
    showBar();
    EditMode = 1;
    EditedQsoNumber = 5;
    form1->call->setText("UA9XX");
    psk->Edit1->setText("UA3ABC");
    psk->Edit2->setText("Иван");
    EXPECT_EQ(form1->call->text(), "UA9XX");
    EXPECT_EQ(form1->name1->text(), "");
    key(psk->Edit2, Qt::Key_F1);
    EXPECT_TRUE(logRecords().empty());
    ASSERT_EQ(test::Dialogs().messages().size(), 1u);
    EXPECT_EQ(test::Dialogs().messages()[0].text, "В окне QSO редактируется QSO № 5. Завершите редактирование.");
    EXPECT_EQ(psk->Edit1->text(), "UA3ABC");
    EXPECT_EQ(psk->Edit2->text(), "Иван");
    EditMode = 0;
}

TEST_F(EntryBarTest, LatinFieldsAskForTheUsLayoutAndHidingEndsTheBarsTyping) {
    showBar();
    for (QLineEdit *e : bar()) {
        e->setFocus();
        const bool latin = e == psk->Edit1 || e == psk->Edit4 || e == psk->Edit5 || e == psk->Edit6;
        EXPECT_EQ(platform::keyboardLayout().active(), latin ? LayoutUs : QString()) << e->objectName().toStdString();
    }
    // A click puts the caret after the text.
    psk->Edit1->setText("UA3ABC");
    psk->Edit1->setCursorPosition(0);
    QTest::mouseClick(psk->Edit1, Qt::LeftButton, {}, QPoint(2, 5));
    EXPECT_EQ(psk->Edit1->cursorPosition(), 6);

    psk->Edit2->setText("Иван");
    ASSERT_EQ(EntryBarTyping, 1);
    psk->hide();
    EXPECT_EQ(EntryBarTyping, 0);
}

TEST_F(EntryBarTest, TheBarIsOneRoundedStrip) {
    showBar();
    const QRegion shape = WindowRegion(psk->mask());
    EXPECT_TRUE(shape.contains(QPoint(400, 50)));
    EXPECT_FALSE(shape.contains(QPoint(9, 27)));
    EXPECT_TRUE(psk->windowFlags().testFlag(Qt::FramelessWindowHint));
}

} // namespace

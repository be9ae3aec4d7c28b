// The card printing in the running windows: the print button through the
// fake printer to the log, the format items, the font items and the samples
// of the settings dialog.
#include "app/allwindows.h"
#include "logbook/glawnf.h"
#include "logbook/settingscatalogue.h"
#include "logbook/stationprofile.h"
#include "qsl/qsl.h"
#include "qsl/qslprint.h"
#include "qsl/qslprintwindow.h"
#include "platform/printer.h"
#include "station/nastroy.h"
#include "station/settingsbinder.h"
#include "station/settingsglobals.h"
#include "tests/qsl/qslfixture.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

using namespace zelmor;
using namespace zelmor::test;

namespace {

class QslPrintWindowTest : public QslLogTest {
protected:
    void SetUp() override {
        QslLogTest::SetUp();
        CreateAllWindows();
        glawnf->Timer6->stop();
        StationProfile = {};
        StationProfile.call = "QQ0ZZZ";
        StationProfile.nameLatin = "Ivan";
        CardFonts = {};
    }
    void TearDown() override {
        DestroyAllWindows();
        StationProfile = {};
        CardFonts = {};
        QslLogTest::TearDown();
    }
};

// The smallest rectangle holding every dark pixel of a picture.
QRect DarkArea(const QImage &picture) {
    QRect area;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (qGray(picture.pixel(x, y)) < 128) area |= QRect(x, y, 1, 1);
    return area;
}

// A widget lies whole inside every widget above it up to `top`, so nothing
// of it is clipped.
void ExpectWhollyShown(const QWidget *w, const QWidget *top) {
    for (const QWidget *p = w; p != top; p = p->parentWidget()) {
        const QWidget *up = p->parentWidget();
        ASSERT_NE(up, nullptr);
        EXPECT_TRUE(up->contentsRect().contains(p->geometry()))
            << p->objectName().toStdString() << " runs out of " << up->objectName().toStdString();
    }
}

} // namespace

TEST_F(QslPrintWindowTest, ThePrintButtonPrintsTheMarkedCardsAndYesMarksThemSent) {
    writeLog({Qso("JA1A", QslToSend), Qso("JA1B", QslToSend), Qso("JA1C", QslToSend)});
    FillTable(*QSL->qslTable, {record(0), record(1), record(2)}, LogFilePath());
    QSL->qslTable->setCell(QslColMark, 1, QslMark);
    QSL->qslTable->setCell(QslColMark, 3, QslMark);
    QSL->tqsln->trigger();
    EXPECT_TRUE(LoadSetting(SettingId::FmtTqsln).number);
    EXPECT_FALSE(LoadSetting(SettingId::FmtEditor).number);
    test::Dialogs().clear();
    test::Dialogs().answers = {MbYes};

    QSL->Image4->click();
    ASSERT_NE(test::Printer().last(), nullptr);
    EXPECT_EQ(test::Printer().last()->findText("Print-ZELMOR 5.02")->font.size, 4);
    ASSERT_EQ(test::Dialogs().messages().size(), 1u);
    EXPECT_EQ(test::Dialogs().messages()[0].caption, "Сохранение отметки");
    EXPECT_EQ(record(0).qslState, QslSent);
    EXPECT_EQ(record(1).qslState, QslToSend);
    EXPECT_EQ(record(2).qslState, QslSent);
    EXPECT_EQ(QSL->Panel1->text(), "0");
    bool sentSlice = false;
    for (const Bar &b : QSL->Series1) sentSlice |= b.label.contains(QslSent) && b.value == 2;
    EXPECT_TRUE(sentSlice) << "the pie shows the new states";
}

TEST_F(QslPrintWindowTest, PersonalFormatsShowOnlyForTheirStationAndFontItemsStoreTheirChoice) {
    StationProfile.call = "QQ6FX";
    QSL->show();
    for (QAction *a : {QSL->QQ6FX11, QSL->QQ6FX21}) EXPECT_TRUE(a->isVisible()) << a->objectName().toStdString();
    for (QAction *a : {QSL->QQ1AX1, QSL->QQ5EX1, QSL->QQ4DX1, QSL->QQ3CX1, QSL->QQ2BXY1, QSL->QQ7GX1})
        EXPECT_FALSE(a->isVisible()) << a->objectName().toStdString();

    auto *n7 = QSL->findChild<QAction *>("N7");
    ASSERT_NE(n7, nullptr);
    EXPECT_EQ(n7->text(), "Шрифт для средней части QSL (date,utc,rst,mode)");
    test::Dialogs().fontAnswers = {FontChoice{"Arial", 14, false, 0x0000FF}};
    n7->trigger();
    EXPECT_EQ(CardFonts[1].name, "Arial");
    EXPECT_EQ(CardFonts[1].size, 14);
    EXPECT_EQ(CardFonts[1].colour, 0x0000FF);
    EXPECT_EQ(LoadSetting(SettingId::CardMiddleFont).text, "Arial");
    EXPECT_EQ(LoadSetting(SettingId::CardMiddleSize).number, 14);
    EXPECT_EQ(LoadSetting(SettingId::CardMiddleColour).number, 0x0000FF);
    const QImage sample = Nastroy->Image1->pixmap().toImage();
    ASSERT_FALSE(sample.isNull());
    EXPECT_EQ(sample.size(), QSize(400, 100));
    EXPECT_EQ(sample.pixelColor(2, 30), QColor(Qt::black)); // the frame's left edge
    n7->trigger(); // cancelled: nothing changes
    EXPECT_EQ(CardFonts[1].name, "Arial");

    ConnectSettingWriters(); // as the start does once the settings are loaded
    Nastroy->updown1->setValue(420);
    EXPECT_EQ(Nastroy->Edit5->text(), "420");
    EXPECT_EQ(StickerRows[0], 420);
    EXPECT_FALSE(Nastroy->Image2->pixmap().isNull());
}

TEST_F(QslPrintWindowTest, TheSettingsSamplesAreShownWholeInsideTheirFrames) {
    Nastroy->show();
    QApplication::processEvents();
    RedrawQslFontPreview();
    RedrawStickerSheetPreview();

    // The font sample: its picture is whole inside the sample sticker and
    // its page; nothing it draws reaches the picture's edge.
    const QImage font = Nastroy->Image1->pixmap().toImage();
    ASSERT_FALSE(font.isNull());
    EXPECT_TRUE(Nastroy->Image1->contentsRect().contains(QRect(QPoint(), font.size())));
    ExpectWhollyShown(Nastroy->Image1, Nastroy->Image1->parentWidget()->parentWidget()->parentWidget());
    const QRect drawn = DarkArea(font);
    EXPECT_LT(drawn.right(), font.width() - 1);
    EXPECT_LT(drawn.bottom(), font.height() - 1);

    // The sheet sample shows every pair of stickers, down to the last, for
    // the narrowest and the widest gap.
    const QSize room = Nastroy->Image2->contentsRect().size();
    ExpectWhollyShown(Nastroy->Image2, Nastroy->Image2->parentWidget()->parentWidget());
    for (int gap : {0, 20, 420}) {
        SCOPED_TRACE(gap);
        Nastroy->updown1->setValue(gap);
        RedrawStickerSheetPreview();
        const QImage sheet = Nastroy->Image2->pixmap().toImage();
        ASSERT_FALSE(sheet.isNull());
        EXPECT_LE(sheet.width(), room.width());
        EXPECT_LE(sheet.height(), room.height());
        RecordingCanvas units;
        const std::vector<int> tops = DrawStickerSheetPreview(units, gap);
        const double scale = double(sheet.width()) / 241;
        const QRect pairs = DarkArea(sheet);
        EXPECT_LT(pairs.bottom(), sheet.height() - 1) << "the last pair is cut";
        EXPECT_NEAR(pairs.bottom(), (tops.back() + 22) * scale, 2) << "the last pair is shown";
        EXPECT_NEAR(pairs.top(), tops.front() * scale, 2);
    }
}

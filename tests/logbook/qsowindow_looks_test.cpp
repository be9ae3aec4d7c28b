// The QSO window's looks as the stored text selects them, the compact
// variant, and the work of each activation, offscreen.
#include "tests/logbook/qsowindow_fixture.h"

#include "logbook/settingscatalogue.h"
#include "logbook/settingsstore.h"
#include "platform/activation.h"
#include "platform/hints.h"
#include "platform/windowshape.h"
#include "station/settingsloader.h"

#include <QChartView>
#include <QComboBox>
#include <QListView>
#include <QPlainTextEdit>
#include <QDialog>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>

using namespace zelmor;
using test::QsoWindowTest;

namespace {

class QsoLooksTest : public QsoWindowTest {
protected:
    // The outline in the window coordinates the looks are given in.
    static QRegion outline() { return WindowRegion(form1->mask()); }
    static void loadLook(const QString &text) {
        WriteSetting(SettingId::Look, text);
        LoadSettings();
    }
    static QString storedLook() { return ReadSettingString(SettingId::Look); }
    static bool frameless() { return form1->windowFlags().testFlag(Qt::FramelessWindowHint); }
    static void activateFrom(QWidget *other) {
        other->show();
        other->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(other, 30000));
        form1->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form1, 30000));
    }
};

} // namespace

TEST_F(QsoLooksTest, TheStoredTextSelectsTheLook) {
    struct Point {
        int x, y;
    };
    struct Case {
        const char *text;
        std::vector<Point> inside, outside;
        bool shaped;
        int ticker;
    };
    const Case cases[] = {
        {"Авангард", {{400, 85}, {700, 500}, {30, 290}}, {{5, 5}, {760, 400}, {16, 264}}, true, 600},
        {"Классический", {{6, 25}, {734, 553}}, {{735, 300}, {300, 554}, {5, 24}}, true, 600},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        DestroyAllWindows();
        CreateAllWindows();
        loadLook(QString::fromUtf8(c.text));
        EXPECT_TRUE(frameless());
        for (const Point &p : c.inside) EXPECT_TRUE(outline().contains(QPoint(p.x, p.y))) << p.x << "," << p.y;
        for (const Point &p : c.outside) EXPECT_FALSE(outline().contains(QPoint(p.x, p.y))) << p.x << "," << p.y;
        EXPECT_EQ(form1->Image2->stripWidth(), c.ticker);
        // The loader sets the box without storing it again.
        EXPECT_EQ(Nastroy->vid_qso->currentText(), QString::fromUtf8(c.text));
    }
    EXPECT_TRUE(form1->Shape1->isVisibleTo(form1));
    EXPECT_EQ(form1->vfob->font().pointSize(), 28);
    EXPECT_EQ(form1->vfoa->font().pointSize(), 18);

    // A corner is sized by its ellipse: with a radius of 130 the point
    // (30, 290) would fall outside the rounded rectangle.
    const QRegion corner = RoundRectRegion(12, 260, 300, 450, 130, 130);
    EXPECT_TRUE(corner.contains(QPoint(30, 290)));
    EXPECT_FALSE(corner.contains(QPoint(16, 264)));
    EXPECT_FALSE(RectRegion(6, 25, 735, 554).contains(QPoint(735, 25)));
}

TEST_F(QsoLooksTest, TheWindowsLookIsAFramedWindowWithoutArtwork) {
    loadLook("Windows");
    EXPECT_FALSE(frameless());
    EXPECT_TRUE(form1->mask().isEmpty());
    EXPECT_EQ(form1->look(), QsoLook::Windows);
    EXPECT_EQ(form1->Image2->stripWidth(), 1240);
    const QColor tip = form1->palette().color(QPalette::ToolTipBase);
    for (QLineEdit *e : {form1->call, form1->qthl, form1->ochk, form1->cqsl}) {
        EXPECT_EQ(e->palette().color(QPalette::Base), tip) << e->objectName().toStdString();
        EXPECT_EQ(e->palette().color(QPalette::Text), QColor(Qt::black));
    }
    for (QWidget *w : std::initializer_list<QWidget *>{form1->fbar, form1->Chart2, form1->N_zvuk, form1->N_nastr,
                                                       form1->Panel1, form1->Image40})
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
    EXPECT_FALSE(form1->Shape2->isHidden());
}

TEST_F(QsoLooksTest, AnyOtherTextAppliesNoLook) {
    for (const char *text : {"", "авангард", "Windows "}) {
        SCOPED_TRACE(text);
        DestroyAllWindows();
        CreateAllWindows();
        loadLook(QString::fromUtf8(text));
        EXPECT_EQ(form1->look(), QsoLook::Design);
        EXPECT_TRUE(form1->mask().isEmpty());
        EXPECT_FALSE(frameless());
        EXPECT_FALSE(form1->fbar->isHidden());
        EXPECT_TRUE(form1->Shape1->isHidden());
        EXPECT_EQ(storedLook(), QString::fromUtf8(text));
    }
}

TEST_F(QsoLooksTest, AFirstStartShowsTheRoundedLook) {
    ASSERT_TRUE(DetectFirstStart());
    EXPECT_EQ(storedLook(), "Авангард");
    LoadSettings();
    EXPECT_EQ(form1->look(), QsoLook::Avangard);
    EXPECT_EQ(Nastroy->updo->value(), 50);
    EXPECT_EQ(Nastroy->updo1->value(), 37);
    // The box and the compact switch store what the operator changes.
    Nastroy->vid_qso->setEditText("Классический");
    EXPECT_EQ(storedLook(), "Классический");
    Nastroy->Notb->setChecked(true);
    EXPECT_TRUE(ReadSettingBool(SettingId::Compact));
}

TEST_F(QsoLooksTest, TheCompactVariantTakesEffectAtTheNextActivation) {
    loadLook("Авангард");
    showWindow();
    Nastroy->Notb->setChecked(true);
    EXPECT_TRUE(outline().contains(QPoint(700, 500))); // nothing changes before it
    activateFrom(Nastroy);
    EXPECT_TRUE(outline().contains(QPoint(603, 422)));
    EXPECT_TRUE(outline().contains(QPoint(4, 23)));
    EXPECT_FALSE(outline().contains(QPoint(604, 200)));
    EXPECT_FALSE(outline().contains(QPoint(300, 423)));
    EXPECT_EQ(form1->Image2->stripWidth(), 600);
}

TEST_F(QsoLooksTest, EachActivationSetsUpTheGridsTimersAndFields) {
    int mixers = 0;
    CreateAudioMixer = [&] { ++mixers; };
    Nastroy->n21->setChecked(true);
    glawnf->Timer1->setInterval(1000);
    glawnf->Timer3->setInterval(33);
    SetHintsShown(true);
    showWindow();
    EXPECT_FALSE(HintsShown());
    EXPECT_EQ(glawnf->Timer1->Interval(), 50u);
    EXPECT_EQ(glawnf->Timer3->Interval(), 37u);
    EXPECT_TRUE(glawnf->Timer2->isActive());
    EXPECT_TRUE(form1->Timera->isActive());
    const QStringList heads = {"    №", " Call", " Name", " QTH", " Date", " UTC", " Band", " Mode", " RSTs", " RSTr",
                               " Очки", "Locator", " Info", " WAZ", " ITU", " Страна", " QSL", " VIA", " IOTA",
                               " Частота"};
    EXPECT_EQ(form1->str11->model().rowTexts(0), heads);
    const QStringList dxcc = Nastroy->strdxcc->model().rowTexts(0);
    ASSERT_EQ(dxcc.size(), 13); // the last column, hidden, holds the record index
    EXPECT_EQ(dxcc[0], "Префикс");
    EXPECT_EQ(dxcc[10], "WAE");
    EXPECT_EQ(dxcc[11], "");
    EXPECT_EQ(dxcc[12], "");
    EXPECT_EQ(Nastroy->Strdig->cell(0, 0), "№ DIG");
    EXPECT_EQ(form1->strp->cell(0, 0), "№QSO");
    EXPECT_EQ(form1->cqsl->text(), "Отправить");
    EXPECT_EQ(DxQslState, "Отправить");
    EXPECT_EQ(focused(), form1->call);

    // The next activation from another of our windows runs it all again but
    // the mixer; an edit keeps its QSL state.
    form1->cqsl->setText(QslReceived);
    EditMode = 1;
    Nastroy->n21->setChecked(false);
    activateFrom(Nastroy);
    EXPECT_EQ(form1->cqsl->text(), QslReceived);
    EXPECT_EQ(DxQslState, QslReceived);
    EXPECT_FALSE(form1->Timera->isActive());
    Nastroy->n21->setChecked(true);
    EditMode = 0;
    activateFrom(Nastroy);
    EXPECT_EQ(mixers, 1);
    EXPECT_EQ(form1->cqsl->text(), "Отправить");
    CreateAudioMixer = nullptr;
}

TEST_F(QsoLooksTest, ABoxOfTheDialogsSeamClosingRunsNoActivation) {
    showWindow();
    form1->cqsl->setText(QslReceived);
    QDialog box; // what the dialogs seam shows is a dialog
    activateFrom(&box);
    EXPECT_EQ(form1->cqsl->text(), QslReceived);
    // Another window of ours does.
    activateFrom(Nastroy);
    EXPECT_EQ(form1->cqsl->text(), "Отправить");
}

TEST_F(QsoLooksTest, EveryControlOfAShapedLookLiesInsideItsOutline) {
    // Shown, the controls take their styled sizes; the window keeps the
    // size its outline is cut for, so no row of the log grid falls outside.
    for (const char *text : {"Авангард", "Классический"}) {
        SCOPED_TRACE(text);
        DestroyAllWindows();
        CreateAllWindows();
        loadLook(QString::fromUtf8(text));
        showWindow();
        // With the band chart of an empty call, whose title and axes ask for
        // more room than there is, and every list that comes and goes while
        // a QSO is entered.
        analyse("JA1ABC");
        analyse("");
        QApplication::processEvents();
        for (QWidget *w : std::initializer_list<QWidget *>{form1->strp, form1->memlist, form1->Memo1, form1->pname,
                                                           form1->pqth, form1->Memo2}) {
            w->show();
            QApplication::processEvents();
        }
        const QRegion inside = form1->mask();
        for (QWidget *w : form1->findChildren<QWidget *>()) {
            if (!w->isVisibleTo(form1) || w->window() != form1 || w->size().isEmpty()) continue;
            const QRegion place(QRect(w->mapTo(form1, QPoint(0, 0)), w->size()));
            EXPECT_TRUE((place - inside).isEmpty())
                << w->metaObject()->className() << " " << w->objectName().toStdString() << " at "
                << place.boundingRect().y() << "+" << place.boundingRect().height();
        }
    }
}

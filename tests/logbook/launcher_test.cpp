// The launcher: start-up once, label actions, auto-hide, transceiver link
// toggle and shut-down, with all windows created offscreen and the platform
// seams faked.
#include "app/allwindows.h"
#include "common/recordfile.h"
#include "logbook/del_file.h"
#include "logbook/form1.h"
#include "logbook/form20.h"
#include "logbook/glawnf.h"
#include "logbook/logfile.h"
#include "logbook/qsostate.h"
#include "logbook/settingsstore.h"
#include "logbook/startup.h"
#include "logbook/stationprofile.h"
#include "logtools/award.h"
#include "logtools/dxcc9b.h"
#include "logtools/import.h"
#include "logtools/iota.h"
#include "logtools/otchet.h"
#include "logtools/poisk.h"
#include "logtools/russall.h"
#include "logtools/waz9b.h"
#include "platform/help.h"
#include "platform/parallelport.h"
#include "platform/paths.h"
#include "qsl/adbox.h"
#include "qsl/qsl.h"
#include "qsl/qsl_edit.h"
#include "station/form25.h"
#include "station/nastroy.h"
#include "station/rxtx.h"
#include "station/time_r.h"
#include "tests/testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QSignalSpy>
#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <stdexcept>

using namespace zelmor;

namespace {

// A CAT window whose port opens, to see what the link does once it is up.
class OpeningRxtx : public Trxtx {
public:
    int opened = 0, closed = 0;
    bool OpenComPort() override { return ++opened, true; }
    void CloseComPort() override { ++closed; }
};

class LauncherTest : public test::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        oldRegistry_ = qgetenv("ZELMOR_REGISTRY");
        qputenv("ZELMOR_REGISTRY", path("registry.reg").toLocal8Bit());
        // The start-up opens the settings itself.
        ReleaseSettingsRegistry();
        platform::install(&port_);
        platform::install(&help_);
        LptControlPort = 0;
        StationProfile = {};
        createWindows();
    }
    // The windows, with only the start-up routines each test gives them.
    void createWindows() {
        CreateAllWindows();
        StartupHook = {};
        LauncherHook = {};
        OpenLogFillBandBoxes = nullptr;
        OpenLogReloadLists = [this] { ++logOpens_; };
        // The tests run the start-up themselves, not from the event loop.
        glawnf->Timer6->stop();
    }
    void TearDown() override {
        DestroyAllWindows();
        StartupHook = {};
        LauncherHook = {};
        OpenLogReloadLists = nullptr;
        LptControlPort = 0;
        platform::install(static_cast<ParallelPort *>(nullptr));
        platform::install(static_cast<Help *>(nullptr));
        qputenv("ZELMOR_REGISTRY", oldRegistry_);
        ProgramFolderTest::TearDown();
    }

    // An activation and the start-up timer's tick after it.
    void activate() {
        glawnf->FormActivate();
        ASSERT_TRUE(glawnf->Timer6->isActive());
        glawnf->Timer6Timer();
        EXPECT_FALSE(glawnf->Timer6->isActive());
    }
    static void mouse(QWidget *w, QEvent::Type type, QPoint at = QPoint(2, 2)) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    static void release(QLabel *label) {
        mouse(label, QEvent::MouseButtonPress);
        mouse(label, QEvent::MouseButtonRelease);
    }
    // The settings as stored, after the shut-down released them.
    std::optional<qint32> stored(const QString &subkey, const QString &name) {
        SettingsHive hive(path("registry.reg"));
        const auto v = hive.value(QStringLiteral("Software\\") + subkey, name);
        if (!v) return std::nullopt;
        return v->number;
    }

    FakeParallelPort port_;
    FakeHelp help_;
    int logOpens_ = 0;
    QByteArray oldRegistry_;
};

TEST_F(LauncherTest, FirstStartWritesDefaultsBeforeAnyStepReadsThemAndOpensAnEmptyLog) {
    bool defaultsBeforeFirstHook = false, defaultsBeforeSettings = false;
    StartupHook.PrepareDataFolders = [&] { defaultsBeforeFirstHook = SettingsKeyExists(); };
    StartupHook.LoadSettings = [&] {
        defaultsBeforeSettings = RegReadBool(QStringLiteral("zelmor\\главное"), QStringLiteral("главное окно")) &&
                                 RegReadInteger(QStringLiteral("zelmor\\qso"), QStringLiteral("form-left")) == 5;
    };
    ASSERT_FALSE(QFileInfo::exists(path("test.log")));

    activate();

    EXPECT_TRUE(defaultsBeforeFirstHook);
    EXPECT_TRUE(defaultsBeforeSettings);
    EXPECT_EQ(QDir(ProgramDir), QDir(path(".")));
    const QFileInfo log(path("test.log"));
    EXPECT_TRUE(log.isFile());
    EXPECT_EQ(log.size(), 0);
    EXPECT_EQ(logOpens_, 1);
    EXPECT_EQ(StartupDone, 1);
    EXPECT_TRUE(StartupAttempted);
    EXPECT_TRUE(glawnf->Timer2->isActive());
    EXPECT_TRUE(glawnf->Timer4->isActive());
    EXPECT_TRUE(form1->isVisible()); // "qso2" is on by default
    EXPECT_TRUE(test::Dialogs().messages().empty());
}

TEST_F(LauncherTest, LaterActivationsOnlyWriteTheReminderHeadingsAndStartAutoHide) {
    int settingsLoads = 0;
    StartupHook.LoadSettings = [&] { ++settingsLoads; };
    activate();
    glawnf->FormDeactivate();
    EXPECT_EQ(glawnf->x(), Tglawnf::InactiveLeft);
    for (int c = 0; c < 3; ++c) time_r->strtimer->setCell(c, 0, QString());
    glawnf->Timer4->stop();

    activate();

    EXPECT_EQ(settingsLoads, 1);
    EXPECT_EQ(logOpens_, 1);
    EXPECT_EQ(time_r->strtimer->model().rowTexts(0), (QStringList{"Date", "Time", "Info"}));
    EXPECT_TRUE(glawnf->Timer4->isActive());
    EXPECT_EQ(glawnf->x(), 0);
    EXPECT_EQ(glawnf->y(), 10);
    EXPECT_EQ(glawnf->width(), 90);
}

TEST_F(LauncherTest, AFailingStepIsReportedOnceWithItsOwnTextAndNotRunAgain) {
    const QString badLog = path("no such folder/x.log");
    QString ioText;
    try {
        RecordIO::Touch(badLog);
    } catch (const IoError &e) {
        ioText = e.text();
    }
    ASSERT_FALSE(ioText.isEmpty());

    struct Case {
        const char *what;
        std::function<void()> arrange;
        QString text;
    } cases[] = {
        {"input/output error of the log", [&] { StartupHook.LoadSettings = [&] { LogFileName = badLog; }; }, ioText},
        {"any other error of a step",
         [] { StartupHook.LoadCountryTable = [] { throw std::runtime_error("Ошибка таблицы"); }; },
         QStringLiteral("Ошибка таблицы")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        DestroyAllWindows();
        StartupHook = {};
        StartupDone = 0;
        logOpens_ = 0;
        test::Dialogs().calls.clear();
        createWindows();
        int laterSteps = 0;
        StartupHook.BuildCallbookIndex = [&] { ++laterSteps; };
        c.arrange();

        activate();
        activate();

        const auto messages = test::Dialogs().messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].caption, "ERROR");
        EXPECT_EQ(messages[0].text, c.text);
        EXPECT_EQ(laterSteps, 0);
        EXPECT_EQ(StartupDone, 0);
        EXPECT_LE(logOpens_, 1);
    }
}

TEST_F(LauncherTest, PurgeIsOfferedWhenAskedAndRunsBehindItsProgressWindowOnYes) {
    for (const int answer : {int(MbYes), int(MbNo)}) {
        SCOPED_TRACE(answer == MbYes ? "Yes" : "No");
        DestroyAllWindows();
        StartupHook = {};
        StartupDone = 0;
        test::Dialogs().calls.clear();
        test::Dialogs().answers = {answer};
        createWindows();
        Nastroy->del_f->setChecked(true);
        int purges = 0;
        bool progressShown = false;
        StartupHook.PurgeDeletedRecords = [&] {
            ++purges;
            progressShown = del_file->isVisible();
        };

        activate();

        const auto messages = test::Dialogs().messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].caption, PurgeQuestionCaption);
        EXPECT_EQ(messages[0].text, PurgeQuestionText);
        EXPECT_EQ(messages[0].icon, MsgIcon::Question);
        EXPECT_EQ(messages[0].buttons, MbYes | MbNo);
        EXPECT_EQ(purges, answer == MbYes ? 1 : 0);
        EXPECT_EQ(progressShown, answer == MbYes);
        EXPECT_FALSE(del_file->isVisible());
        EXPECT_EQ(StartupDone, 1);
    }
}

TEST_F(LauncherTest, ParallelPortIsWrittenOnlyOnceItHasAnAddress) {
    // The settings set the address after the first write is due.
    StartupHook.LoadSettings = [] { LptControlPort = 0x37A; };
    activate();
    // The idle byte: key up and PTT off, never a keyed transmitter.
    EXPECT_EQ(port_.writes, (std::vector<FakeParallelPort::Write>{{'C', 0x37A, 0x0B}}));
}

TEST_F(LauncherTest, LabelsHideTheOtherWindowsFirstExceptRadioHelpAndTheLogFileLabels) {
    const std::vector<QWidget *> replaced = {form1, QSL, poisk, award, otchet, IOTA, russall, waz9b, DXcc9b, import, Form20};
    int creates = 0;
    LauncherHook.CreateNewLog = [&] { ++creates; };
    struct Case {
        QLabel *label;
        bool hides;
        QWidget *shown; // visible afterwards
    } cases[] = {
        {glawnf->Label1, true, form1},       {glawnf->Label12, true, Nastroy},
        {glawnf->Label8, true, DXcc9b},      {glawnf->Label10, false, nullptr},
        {glawnf->Label19, false, nullptr},   {glawnf->Label5, false, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label->accessibleName().toStdString());
        for (QWidget *w : replaced) w->show();
        Nastroy->hide();
        glawnf->move(0, 10);
        glawnf->Timer4->start();

        release(c.label);

        for (QWidget *w : replaced) EXPECT_EQ(w->isVisible(), !c.hides || w == c.shown) << w->objectName().toStdString();
        if (c.shown) {
            EXPECT_TRUE(c.shown->isVisible());
        }
        EXPECT_EQ(glawnf->x(), c.hides ? Tglawnf::HiddenLeft : 0);
        EXPECT_EQ(glawnf->Timer4->isActive(), !c.hides);
        if (c.hides) {
            EXPECT_EQ(glawnf->width(), 90);
        }
    }
    ASSERT_EQ(help_.calls.size(), 1u);
    EXPECT_EQ(help_.calls[0].file, "zelmor1.hlp");
    EXPECT_EQ(help_.calls[0].command, 11);
    EXPECT_EQ(creates, 1);
}

TEST_F(LauncherTest, LabelColoursFollowHoverAndPress) {
    mouse(glawnf->Label3, QEvent::MouseMove);
    for (QLabel *l : glawnf->labels())
        EXPECT_EQ(l->palette().color(QPalette::WindowText),
                  l == glawnf->Label3 ? Tglawnf::HoverColour() : Tglawnf::IdleColour());
    mouse(glawnf->Label3, QEvent::MouseButtonPress);
    EXPECT_EQ(glawnf->Label3->palette().color(QPalette::WindowText), Tglawnf::PressedColour());
    // Released outside the label: no action.
    mouse(glawnf->Label3, QEvent::MouseButtonRelease, QPoint(-5, -5));
    EXPECT_FALSE(poisk->isVisible());
}

TEST_F(LauncherTest, LinkThatCannotOpenItsPortStaysOff) {
    // COM2 is a device that is not there, whatever this machine has.
    QDir().mkpath(path("dosdevices"));
    ASSERT_TRUE(QFile::link(path("no-such-device"), path("dosdevices/com2")));
    for (const bool atStartup : {false, true}) {
        SCOPED_TRACE(atStartup ? "start-up with n22" : "Radio label");
        StatusText.clear();
        if (atStartup) {
            Nastroy->n22->setChecked(true);
            activate();
        } else {
            release(glawnf->Label10);
        }
        EXPECT_EQ(form1->Label5->text(), "Выкл.");
        EXPECT_FALSE(form1->N48->isEnabled());
        EXPECT_FALSE(rxtx->Timer3->isActive());
        EXPECT_EQ(StatusText, LinkFailedText + " COM2 (" + path("no-such-device") + "): No such file or directory");
    }
}

TEST_F(LauncherTest, LinkTogglesOnAnOpenedPortAndAnyTextButOffCountsAsOn) {
    Trxtx *const real = rxtx;
    OpeningRxtx opening;
    rxtx = &opening;

    release(glawnf->Label10);
    EXPECT_EQ(form1->Label5->text(), "Вкл.");
    EXPECT_TRUE(form1->N48->isEnabled());
    EXPECT_TRUE(rxtx->Timer3->isActive());

    for (const QString &text : {QStringLiteral("Вкл."), QString(), QStringLiteral("выкл.")}) {
        SCOPED_TRACE(text.toStdString());
        form1->Label5->setText(text);
        form1->N48->setEnabled(true);
        rxtx->Timer3->start();
        const int closedBefore = opening.closed;
        release(glawnf->Label10);
        EXPECT_EQ(form1->Label5->text(), "Выкл.");
        EXPECT_FALSE(form1->N48->isEnabled());
        EXPECT_FALSE(rxtx->Timer3->isActive());
        EXPECT_EQ(opening.closed, closedBefore + 1);
    }
    EXPECT_EQ(opening.opened, 1);
    rxtx = real;
}

TEST_F(LauncherTest, AutoHidePositions) {
    glawnf->FormActivate();
    glawnf->FormDeactivate();
    EXPECT_EQ(glawnf->x(), -78);
    EXPECT_EQ(glawnf->width(), 79);
    EXPECT_FALSE(glawnf->Timer4->isActive());

    // Without the auto-hide setting the strip stays after the mouse leaves.
    Nastroy->glaw1->setChecked(false);
    glawnf->Panel2MouseMove();
    EXPECT_EQ(glawnf->x(), 0);
    EXPECT_EQ(glawnf->width(), 90);
    glawnf->Timer4Timer();
    glawnf->Timer4Timer();
    EXPECT_EQ(glawnf->x(), 0);

    // With it, a tick after a move keeps the strip, the next one without a
    // move slides it out.
    Nastroy->glaw1->setChecked(true);
    glawnf->Panel2MouseMove();
    EXPECT_TRUE(glawnf->Timer4->isActive());
    glawnf->Timer4Timer();
    EXPECT_EQ(glawnf->x(), 0);
    EXPECT_FALSE(glawnf->LauncherMouseSeen);
    glawnf->Timer4Timer();
    EXPECT_EQ(glawnf->x(), -89);
    EXPECT_EQ(glawnf->width(), 90);
    EXPECT_FALSE(glawnf->Timer4->isActive());
}

TEST_F(LauncherTest, APointerAtTheScreenEdgeOverALabelSlidesTheStripOut) {
    glawnf->show();
    glawnf->Panel2->layout()->activate();
    // Another window took the focus: the column left on screen is the labels'.
    glawnf->FormDeactivate();
    ASSERT_EQ(glawnf->x(), Tglawnf::InactiveLeft);
    const QPoint edge(0, glawnf->Label8->mapToGlobal(glawnf->Label8->rect().center()).y());
    auto *label = qobject_cast<QLabel *>(glawnf->childAt(glawnf->mapFromGlobal(edge)));
    ASSERT_EQ(label, glawnf->Label8); // the widget the window system sends the move to
    mouse(label, QEvent::MouseMove, label->mapFromGlobal(edge));
    EXPECT_EQ(glawnf->x(), 0);
    EXPECT_EQ(glawnf->width(), 90);
    EXPECT_TRUE(glawnf->LauncherMouseSeen);
    EXPECT_TRUE(glawnf->Timer4->isActive());
    EXPECT_EQ(label->palette().color(QPalette::WindowText), Tglawnf::HoverColour());
}

TEST_F(LauncherTest, ShutDownStoresPositionsAndVisibleColumnWidths) {
    StartupHook.LoadSettings = [] {};
    activate();
    const QString qso = QStringLiteral("zelmor\\qso"), find = QStringLiteral("zelmor\\поиск");
    const auto col = [](int n) { return QStringLiteral("размер колонки") + QString::number(n); };
    RegWriteValue(1, qso, col(0), 77, {});
    RegWriteValue(1, qso, col(2), 66, {});
    RegWriteValue(1, find, col(5), 55, {});
    form1->str11->setColWidth(0, 50);
    form1->str11->setColWidth(1, 93);
    form1->str11->setColWidth(2, 0);
    form1->str11->setColWidth(3, 134);
    poisk->Str->setColWidth(5, 0);
    poisk->Str->setColWidth(20, 120);

    struct Placed {
        QWidget *window;
        const char *subkey;
    } placed[] = {{glawnf, "zelmor\\главное"}, {adbox, "zelmor\\adbox"},       {QSL, "zelmor\\qsl"},
                  {Form25, "zelmor\\map"},     {Form20, "zelmor\\news"},       {qsl_edit, "zelmor\\qsl_edit"},
                  {poisk, "zelmor\\find"}};
    int n = 0;
    for (const Placed &p : placed) p.window->move(100 + n, 200 + n), ++n;
    form1->setGeometry(15, 95, 760, 580);
    const QPoint qsoPos = form1->pos();
    form1->call->setText("UA3ABC");
    Nastroy->tim1->setChecked(true);
    form1->tim->setText("12:00");
    QSignalSpy done(glawnf, &Tglawnf::ShutDownDone);

    glawnf->close();
    glawnf->close();

    EXPECT_EQ(done.count(), 1);
    EXPECT_EQ(SettingsRegistry, nullptr);
    n = 0;
    for (const Placed &p : placed) {
        SCOPED_TRACE(p.subkey);
        EXPECT_EQ(stored(QString::fromUtf8(p.subkey), "form-top"), 200 + n);
        EXPECT_EQ(stored(QString::fromUtf8(p.subkey), "form-left"), 100 + n);
        ++n;
    }
    EXPECT_EQ(stored(qso, "form-height"), 580);
    EXPECT_EQ(stored(qso, "form-width"), 760);
    EXPECT_EQ(stored(qso, "form-top"), qsoPos.y());
    EXPECT_EQ(stored(qso, "form-left"), qsoPos.x());
    EXPECT_EQ(stored(qso, col(0)), 77);
    EXPECT_EQ(stored(qso, col(1)), 93);
    EXPECT_EQ(stored(qso, col(2)), 66);
    EXPECT_EQ(stored(qso, col(3)), 134);
    // The QSO window's activation applied the stored layout: nothing stored, 80.
    EXPECT_EQ(stored(qso, col(19)), 80);
    EXPECT_EQ(stored(find, col(1)), 64);
    EXPECT_EQ(stored(find, col(5)), 55);
    EXPECT_EQ(stored(find, col(20)), std::nullopt);
    EXPECT_TRUE(form1->call->text().isEmpty());
    EXPECT_FALSE(Nastroy->tim1->isChecked());
    EXPECT_TRUE(form1->tim->text().isEmpty());
    EXPECT_FALSE(glawnf->Timer2->isActive());
    EXPECT_FALSE(glawnf->Timer5->isActive());
    EXPECT_EQ(test::Sound().calls.size(), 1u);
    EXPECT_EQ(test::Sound().calls[0].kind, "wait");
    EXPECT_EQ(test::Sound().calls[0].path, DataPath("gbye010.wav"));
}

TEST_F(LauncherTest, ShutDownWithoutLoadedSettingsKeepsTheStoredLayout) {
    struct Case {
        const char *what;
        std::function<void()> arrange;
    } cases[] = {
        {"start-up aborted before the settings",
         [] {
             StartupHook.LoadSettings = [] {};
             StartupHook.PrepareDataFolders = [] { throw IoError(QStringLiteral("Папка недоступна")); };
         }},
        {"no settings loader", [] {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        DestroyAllWindows();
        QFile::remove(path("registry.reg"));
        StartupHook = {};
        StartupDone = 0;
        test::Sound().calls.clear();
        createWindows();
        c.arrange();
        activate();
        glawnf->move(40, 50);
        form1->move(60, 70);
        form1->str11->setColWidth(1, 200);

        glawnf->close();

        EXPECT_EQ(stored("zelmor\\главное", "form-top"), std::nullopt);
        EXPECT_EQ(stored("zelmor\\qso", "form-left"), 5);
        EXPECT_EQ(stored("zelmor\\qso", "размер колонки1"), 0);
        EXPECT_EQ(test::Sound().count("gbye010.wav"), 1);
    }
}

TEST_F(LauncherTest, HelpWithoutWinHelpSaysSoInsteadOfFailingSilently) {
    NoWinHelp().show("zelmor1.hlp", 11);
    const auto messages = test::Dialogs().messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "ZELMOR");
    EXPECT_EQ(messages[0].text, "Справка (zelmor1.hlp) в этой версии недоступна.");
}

} // namespace

// The settings loader and binder over the real windows (offscreen): every
// row's target, the first start, a round trip through every control row,
// the loader's rules and the settings dialog's own handlers.
#include "app/allwindows.h"
#include "logbook/form1.h"
#include "logbook/glawnf.h"
#include "logbook/logfile.h"
#include "logbook/qsostate.h"
#include "logbook/settingscatalogue.h"
#include "logbook/settingsstore.h"
#include "logbook/shutdown.h"
#include "logbook/startup.h"
#include "logbook/stationprofile.h"
#include "logtools/award.h"
#include "logtools/poisk.h"
#include "platform/hirestimer.h"
#include "platform/hotkeyedit.h"
#include "platform/parallelport.h"
#include "platform/paths.h"
#include "station/nastroy.h"
#include "station/catsettings.h"
#include "station/cwkeys.h"
#include "station/gmtf.h"
#include "station/rxtx.h"
#include "station/settingsbinder.h"
#include "station/settingsglobals.h"
#include "station/settingsloader.h"
#include "station/time_r.h"
#include "tests/testsupport.h"

#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QTest>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>

#include <map>

using namespace zelmor;

namespace {

std::optional<HiveValue> Raw(SettingId id, int index = -1) {
    return SettingsRegistry->value(QStringLiteral("Software\\") + SettingSubkey(id), SettingName(id, index));
}
void Put(SettingId id, int index, const HiveValue &v) {
    ASSERT_TRUE(SettingsRegistry->setValue(QStringLiteral("Software\\") + SettingSubkey(id), SettingName(id, index), v));
}
void Put(SettingId id, const HiveValue &v) { Put(id, -1, v); }

// The exported hive as "key|name" -> the value as the file writes it.
std::map<QString, QString> Values() {
    std::map<QString, QString> out;
    QString key;
    static const QRegularExpression value(QStringLiteral("^\"((?:[^\"\\\\]|\\\\.)*)\"=(.*)$"));
    for (const QString &line : SettingsRegistry->exportText().split(u'\n')) {
        const QString l = line.trimmed();
        if (l.startsWith(u'[')) key = l.mid(1, l.size() - 2).toLower();
        else if (const auto m = value.match(l); m.hasMatch()) out[key + u'|' + m.captured(1).toLower()] = m.captured(2);
    }
    return out;
}
QString KeyOf(SettingId id, int index = -1) {
    return (QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\") + SettingSubkey(id) + u'|' + SettingName(id, index)).toLower();
}
std::map<QString, QString> Changed(const std::map<QString, QString> &before, const std::map<QString, QString> &after) {
    std::map<QString, QString> d;
    for (const auto &[k, v] : after)
        if (auto it = before.find(k); it == before.end() || it->second != v) d[k] = v;
    for (const auto &[k, v] : before)
        if (!after.count(k)) d[k] = QStringLiteral("<gone>");
    return d;
}
QString Dword(qint32 n) { return QStringLiteral("dword:%1").arg(quint32(n), 8, 16, QLatin1Char('0')); }

QByteArray Bytes(const QString &file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void FocusOut(QWidget *w) {
    QFocusEvent e(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(w, &e);
}

class SettingsBinderTest : public test::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        platform::install(&port_);
        CreateAllWindows();
        QslPositionTable.fill(20);
        // The launcher's own start-up stays out of these tests: they load
        // the settings themselves.
        StartupAttempted = true;
        glawnf->Timer6->stop();
    }
    void TearDown() override {
        SettingsLoaderHook = {};
        DestroyAllWindows();
        platform::install(static_cast<ParallelPort *>(nullptr));
        LptDataPort = LptStatusPort = LptControlPort = 0;
        ProgramFolderTest::TearDown();
    }
    void firstStart() {
        ASSERT_TRUE(DetectFirstStart());
        LoadSettings();
    }
    FakeParallelPort port_;
};

// The controls the binder drives, by codec.
bool Drives(SettingCodec codec, QObject *o) {
    switch (codec) {
    case SettingCodec::Check: return qobject_cast<QCheckBox *>(o);
    case SettingCodec::Radio:
    case SettingCodec::LptChoice: return qobject_cast<QRadioButton *>(o);
    case SettingCodec::MenuItem: return qobject_cast<QAction *>(o) && static_cast<QAction *>(o)->isCheckable();
    case SettingCodec::Text: return qobject_cast<QLineEdit *>(o) || qobject_cast<QLabel *>(o) || qobject_cast<QPlainTextEdit *>(o);
    case SettingCodec::Combo: return qobject_cast<QComboBox *>(o) || qobject_cast<QLineEdit *>(o);
    case SettingCodec::Position: return qobject_cast<QSpinBox *>(o) || qobject_cast<QAbstractSlider *>(o);
    case SettingCodec::HotKey: return qobject_cast<THotKey *>(o);
    case SettingCodec::Caption: return qobject_cast<QAbstractButton *>(o);
    case SettingCodec::ColumnWidth:
    case SettingCodec::ColumnShown:
    case SettingCodec::GridCell: return qobject_cast<TStringGrid *>(o);
    case SettingCodec::ListItem: return qobject_cast<QComboBox *>(o);
    case SettingCodec::Place: return qobject_cast<QWidget *>(o) && static_cast<QWidget *>(o)->isWindow();
    default: return true;
    }
}

} // namespace

TEST_F(SettingsBinderTest, EveryRowResolvesToAControlItsCodecDrives) {
    int checked = 0;
    for (const SettingRow &r : SettingsCatalogue()) {
        const QString target = QString::fromUtf8(r.target);
        if (r.codec == SettingCodec::Global || r.codec == SettingCodec::None || target.startsWith(QLatin1String("global/"))) continue;
        // The envelope window's own bars come with the issue that builds
        // that window; it reads and writes them.
        static const QStringList notBuiltYet = {"Posta/Sleft1", "Posta/Stop1"};
        if (notBuiltYet.contains(target)) continue;
        const int first = IsFamily(r) ? r.first : -1, last = IsFamily(r) ? std::min(r.last, r.first + 23) : -1;
        for (int i = first; i <= last; ++i) {
            if (r.codec == SettingCodec::LptChoice) {
                for (const QString &t : target.split(u'|'))
                    EXPECT_TRUE(Drives(r.codec, ResolveSettingTarget(t))) << t.toStdString();
                ++checked;
                continue;
            }
            QObject *o = SettingTargetObject(r.id, i);
            ASSERT_NE(o, nullptr) << SettingTarget(r.id, i).toStdString();
            EXPECT_TRUE(Drives(r.codec, o)) << SettingTarget(r.id, i).toStdString() << " is a " << o->metaObject()->className();
            ++checked;
        }
    }
    EXPECT_GT(checked, 170);
}

// A control declared twice (a page's and a stand-in's) would leave the
// loader setting one and the operator seeing the other.
TEST_F(SettingsBinderTest, EachNamedControlOfAWindowExistsOnce) {
    for (const char *window : {"Nastroy", "form1", "fcw", "time_r", "rxtx", "award"}) {
        QWidget *w = static_cast<QWidget *>(ResolveSettingTarget(QString::fromLatin1(window)));
        ASSERT_NE(w, nullptr) << window;
        std::map<QString, int> seen;
        for (QObject *o : w->findChildren<QObject *>()) {
            const QString name = o->objectName();
            if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_"))) ++seen[name];
        }
        for (const auto &[name, count] : seen) EXPECT_EQ(count, 1) << window << "/" << name.toStdString();
    }
}

TEST_F(SettingsBinderTest, AFirstStartChecksExactlyTheDefaultBoxesWhateverTheyShowedBefore) {
    // Design states are not defaults: turn every box the wrong way first.
    for (const SettingRow &r : SettingsCatalogue())
        if (r.step > 0 && r.step != 32 && (r.codec == SettingCodec::Check || r.codec == SettingCodec::Radio || r.codec == SettingCodec::MenuItem))
            for (int i = IsFamily(r) ? r.first : -1; i <= (IsFamily(r) ? r.last : -1); ++i) {
                QObject *o = SettingTargetObject(r.id, i);
                if (auto *b = qobject_cast<QAbstractButton *>(o)) b->setAutoExclusive(false), b->setChecked(!SettingDefaultNumber(r.id));
                if (auto *a = qobject_cast<QAction *>(o)) a->setChecked(!SettingDefaultNumber(r.id));
            }
    Nastroy->RadioButton1->setAutoExclusive(false);
    Nastroy->RadioButton1->setChecked(false);
    Nastroy->RadioButton3->setChecked(true);
    QslLayoutPath = "stale";
    firstStart();
    EXPECT_EQ(QslLayoutPath, "") << "no layout is chosen yet, not a file named \".qsl\"";

    QStringList on;
    for (const SettingRow &r : SettingsCatalogue()) {
        if (r.step == 0 || r.step == 32) continue;
        for (const QString &t : QString::fromUtf8(r.target).split(u'|')) {
            QObject *o = ResolveSettingTarget(IsFamily(r) && t.contains(QLatin1String("%1")) ? QString(t).arg(r.first) : t);
            const bool isOn = qobject_cast<QAbstractButton *>(o) && qobject_cast<QAbstractButton *>(o)->isCheckable()
                                  ? static_cast<QAbstractButton *>(o)->isChecked()
                                  : qobject_cast<QAction *>(o) && static_cast<QAction *>(o)->isChecked();
            if (isOn) on << o->objectName();
        }
    }
    on.sort();
    QStringList expected = {"n24", "n26", "ru_en", "cdig", "cvet", "tname", "tqth", "glaw1", "qso2", "om2",
                            "ft840", "qsl3", "RadioButton1", "D_QSO1", "D_DXCC1"};
    expected.sort();
    EXPECT_EQ(on, expected);

    EXPECT_EQ(Nastroy->updo->value(), 50);
    EXPECT_EQ(Nastroy->edit6->text(), "120");
    EXPECT_EQ(Nastroy->updo1->value(), 37);
    EXPECT_EQ(Nastroy->Panel26->text(), "146");
    EXPECT_EQ(Nastroy->UpDo10->value(), 100);
    EXPECT_EQ(Nastroy->Panel4->text(), "100");
    EXPECT_EQ(form1->Timer3->interval(), 100);
    EXPECT_EQ(Nastroy->sh1->pos(), QPoint(10, 12));
    EXPECT_EQ(Nastroy->vid_qso->currentText(), "Авангард");
    EXPECT_EQ(Raw(SettingId::Look)->text, "Авангард");
    EXPECT_EQ(form1->look(), QsoLook::Avangard);
    for (int n = 1; n <= 19; ++n) EXPECT_EQ(poisk->Str->colWidth(n), 80) << n;
    EXPECT_EQ(Raw(SettingId::SearchGridShown, 5)->number, 1);
    EXPECT_EQ(Nastroy->skorost->currentText(), "4800");
    EXPECT_EQ(Raw(SettingId::CatSpeed)->text, "") << "what the box shows is not stored";
    EXPECT_EQ(LptControlPort.load(), 0x37A);
    EXPECT_EQ(ReadCatLinkSettings().comPort, 2);
    EXPECT_EQ(rxtx->windowTitle(), "Управление трансивером  FT-840");
    EXPECT_EQ(Nastroy->Panel3->text(), "test.log");

    // A hive that holds every value the loader reads: loading it again
    // stores nothing and leaves the file as it is.
    const QString file = SettingsRegistry->filePath();
    const QByteArray bytes = Bytes(file);
    const QDateTime mtime = QFileInfo(file).lastModified();
    LoadSettings();
    EXPECT_EQ(Bytes(file), bytes);
    EXPECT_EQ(QFileInfo(file).lastModified(), mtime);
}

// ---------------------------------------------------------------------------
// Round trip through every control row.

namespace {

struct ControlCase {
    SettingId id;
    int index;
};
void PrintTo(const ControlCase &c, std::ostream *os) { *os << SettingName(c.id, c.index).toStdString(); }

std::vector<ControlCase> ControlRows() {
    std::vector<ControlCase> out;
    for (const SettingRow &r : SettingsCatalogue()) {
        const QString target = QString::fromUtf8(r.target);
        if (r.codec == SettingCodec::Global || r.codec == SettingCodec::None || r.codec == SettingCodec::Place) continue;
        const bool bound = r.written == SettingWrite::Click || r.written == SettingWrite::Change ||
                           r.written == SettingWrite::Exit || r.written == SettingWrite::Group ||
                           r.id == SettingId::CwText || r.id == SettingId::CommandText;
        // The QSO window's chart switches store themselves (its own tests).
        if (!bound || (r.step == 0 && !target.startsWith(QLatin1String("Nastroy/")))) continue;
        if (r.codec == SettingCodec::ColumnWidth || r.codec == SettingCodec::ColumnShown) continue;
        if (IsFamily(r))
            for (int i = r.first; i <= r.last; ++i) out.push_back({r.id, i});
        else
            out.push_back({r.id, -1});
    }
    return out;
}

// A stored value other than the default, and the control's next value.
struct Sample {
    HiveValue stored;
    QString shown;      // text, or the number as text
    HiveValue changed;  // what the change stores
    std::optional<HiveValue> setTo; // what the control is set to, when not `changed`
};

Sample SampleFor(SettingId id) {
    const SettingRow &r = Setting(id);
    using enum SettingId;
    switch (r.codec) {
    case SettingCodec::HotKey:
        if (id == SaveKey) return {HiveValue::dword(0x71), "113", HiveValue::dword(0x2072)};
        return {HiveValue::dword(0x4044), "16452", HiveValue::dword(0x8045)};
    case SettingCodec::Position: {
        // The origin bars show the stored value / 12.
        if (id == QslOriginX || id == QslOriginY) return {HiveValue::dword(120), "10", HiveValue::dword(132), HiveValue::dword(11)};
        qint32 lo = 0, hi = 150;
        if (!SettingRange(id, -1, lo, hi)) lo = 0, hi = id == QslOriginY ? 450 : 150;
        const qint32 a = lo + (hi - lo) / 3 == SettingDefaultNumber(id) ? lo + 1 : lo + (hi - lo) / 3;
        return {HiveValue::dword(a), QString::number(a), HiveValue::dword(a + 1)};
    }
    case SettingCodec::Check:
    case SettingCodec::MenuItem:
    case SettingCodec::Radio: {
        const qint32 d = SettingDefaultNumber(id);
        return {HiveValue::dword(!d), QString::number(!d), HiveValue::dword(d)};
    }
    case SettingCodec::LptChoice: return {HiveValue::string("2"), "2", HiveValue::string("1")};
    default: break;
    }
    if (id == QslPerCard) return {HiveValue::string("7"), "7", HiveValue::string("12")};
    if (id == QslThreshold) return {HiveValue::string("5"), "5", HiveValue::string("17")};
    if (id == Look) return {HiveValue::string("Классический"), "Классический", HiveValue::string("Windows")};
    if (id == CatSpeed) return {HiveValue::string("9600"), "9600", HiveValue::string("19200")};
    if (id == Band) return {HiveValue::string("7.0 Mhz"), "7.0 Mhz", HiveValue::string("21  Mhz")};
    return {HiveValue::string("/home/ivan/Журнал"), "/home/ivan/Журнал", HiveValue::string("Новый текст")};
}

QString Shown(QObject *o, SettingCodec codec) {
    if (auto *h = qobject_cast<THotKey *>(o)) return QString::number(h->shortcutCode());
    if (auto *b = qobject_cast<QAbstractButton *>(o)) return QString::number(int(b->isChecked()));
    if (auto *a = qobject_cast<QAction *>(o)) return QString::number(int(a->isChecked()));
    if (auto *e = qobject_cast<QLineEdit *>(o)) return e->text();
    if (auto *c = qobject_cast<QComboBox *>(o)) return c->currentText();
    if (auto *s = qobject_cast<QSpinBox *>(o)) return QString::number(s->value());
    if (auto *s = qobject_cast<QAbstractSlider *>(o)) return QString::number(s->value());
    (void)codec;
    return QStringLiteral("?");
}

void Change(QObject *o, const HiveValue &v) {
    if (auto *h = qobject_cast<THotKey *>(o)) h->setShortcutCode(v.number);
    else if (auto *b = qobject_cast<QAbstractButton *>(o)) b->setChecked(v.number != 0);
    else if (auto *a = qobject_cast<QAction *>(o)) a->setChecked(v.number != 0);
    else if (auto *e = qobject_cast<QLineEdit *>(o)) e->setText(v.text);
    else if (auto *c = qobject_cast<QComboBox *>(o)) c->setCurrentText(v.text);
    else if (auto *s = qobject_cast<QSpinBox *>(o)) s->setValue(v.number);
    else if (auto *s = qobject_cast<QAbstractSlider *>(o)) s->setValue(v.number);
}

class ControlRoundTrip : public SettingsBinderTest, public ::testing::WithParamInterface<ControlCase> {};

} // namespace

TEST_P(ControlRoundTrip, AStoredValueLoadsAndAChangeStoresExactlyItsValueInItsKind) {
    const auto [id, index] = GetParam();
    const SettingRow &r = Setting(id);
    firstStart();
    const Sample s = SampleFor(id);

    // Radio groups: another member stored true, so the change checks this one.
    std::vector<SettingId> group;
    if (r.codec == SettingCodec::Radio)
        for (const SettingRow &m : SettingsCatalogue())
            if (m.codec == SettingCodec::Radio && QString::fromUtf8(m.changeEffect) == QString::fromUtf8(r.changeEffect))
                group.push_back(m.id);
    // The origin's other axis stored too, so that only the moved one changes.
    if (id == SettingId::QslOriginX) Put(SettingId::QslOriginY, HiveValue::dword(0));
    if (id == SettingId::QslOriginY) Put(SettingId::QslOriginX, HiveValue::dword(0));
    if (r.codec == SettingCodec::Radio) {
        const SettingId other = group.front() == id ? group.back() : group.front();
        for (SettingId m : group) Put(m, HiveValue::dword(m == other));
    } else {
        Put(id, index, s.stored);
    }
    // The mixer's boxes load only with a sound card.
    if (r.step == 32) Put(SettingId::SoundCard, HiveValue::dword(1));
    // The Kenwood speed box shows what is stored only for a Kenwood.
    if (id == SettingId::CatSpeed) {
        Put(SettingId::Ft840, HiveValue::dword(0));
        Put(SettingId::Kenwood, HiveValue::dword(1));
    }
    LoadSettings();

    QObject *o = r.codec == SettingCodec::LptChoice ? Nastroy->RadioButton3 : SettingTargetObject(id, index);
    ASSERT_NE(o, nullptr);
    if (r.codec == SettingCodec::Radio) EXPECT_EQ(Shown(o, r.codec), "0");
    else if (r.codec == SettingCodec::LptChoice) EXPECT_EQ(Shown(o, r.codec), "1") << "LPT2 loaded";
    else EXPECT_EQ(Shown(o, r.codec), s.shown);

    const auto before = Values();
    std::map<QString, QString> expected;
    if (r.codec == SettingCodec::Radio) {
        static_cast<QRadioButton *>(o)->setChecked(true);
        const SettingId other = group.front() == id ? group.back() : group.front();
        expected[KeyOf(id)] = Dword(1);
        expected[KeyOf(other)] = Dword(0);
    } else if (r.codec == SettingCodec::LptChoice) {
        Nastroy->RadioButton1->setChecked(true);
        expected[KeyOf(id)] = QStringLiteral("\"1\"");
    } else {
        Change(o, s.setTo.value_or(s.changed));
        if (r.codec == SettingCodec::HotKey) {
            EXPECT_EQ(Values(), before) << "a hot key is stored when it loses the focus";
            FocusOut(static_cast<QWidget *>(o));
        }
        expected[KeyOf(id, index)] = s.changed.kind == HiveKind::Dword ? Dword(s.changed.number)
                                                                       : u'"' + s.changed.text + u'"';
    }
    EXPECT_EQ(Changed(before, Values()), expected);
}

INSTANTIATE_TEST_SUITE_P(EveryControlRow, ControlRoundTrip, ::testing::ValuesIn(ControlRows()),
                         [](const ::testing::TestParamInfo<ControlCase> &p) {
                             return QStringLiteral("r%1_%2").arg(int(p.param.id)).arg(p.param.index < 0 ? 0 : p.param.index).toStdString();
                         });

// ---------------------------------------------------------------------------
// The loader's rules.

TEST_F(SettingsBinderTest, SamplesOfTheIssue) {
    firstStart();
    auto before = Values();
    Nastroy->tfreq->setChecked(true);
    EXPECT_EQ(Changed(before, Values()), (std::map<QString, QString>{{KeyOf(SettingId::FieldFreq), "dword:00000001"}}));

    Nastroy->om3->setChecked(true);
    EXPECT_EQ(Raw(SettingId::Com1)->number, 0);
    EXPECT_EQ(Raw(SettingId::Com2)->number, 0);
    EXPECT_EQ(Raw(SettingId::Com3)->number, 1);
    EXPECT_EQ(Raw(SettingId::Com4)->number, 0);
    EXPECT_EQ(ReadCatLinkSettings().comPort, 3);

    Nastroy->updo->setValue(30);
    EXPECT_EQ(Values()[KeyOf(SettingId::CwNormal)], "dword:0000001e");
    EXPECT_EQ(Nastroy->edit6->text(), "160");
    Nastroy->updo->setValue(100);
    EXPECT_EQ(Nastroy->edit6->text(), "20");

    // The menus issue builds CALL2; the shortcut reaches it once it exists.
    auto *call2 = new QAction(form1);
    call2->setObjectName("CALL2");
    Nastroy->delcall->setShortcutCode(0x4044);
    FocusOut(Nastroy->delcall);
    EXPECT_EQ(Values()[KeyOf(SettingId::ClearCallKey)], "dword:00004044");
    EXPECT_EQ(call2->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));

    // The operator's way: the key typed, then the focus moved on.
    Nastroy->show();
    QApplication::setActiveWindow(Nastroy);
    Nastroy->wKey1->setFocus();
    before = Values();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
    EXPECT_EQ(Nastroy->wKey1->shortcutCode(), 0x71);
    EXPECT_EQ(Values(), before);
    Nastroy->enterc->setFocus();
    EXPECT_EQ(Changed(before, Values()), (std::map<QString, QString>{{KeyOf(SettingId::SaveKey), "dword:00000071"}}));

    // The UTC offset at the window's OK only.
    {
        auto *utc = ResolveSettingTarget("gmtf/utc");
        static_cast<QLineEdit *>(utc)->setText("3");
        EXPECT_EQ(Raw(SettingId::Gmt)->text, "0");
        static_cast<QAbstractButton *>(ResolveSettingTarget("gmtf/SpeedButton1"))->click();
        EXPECT_EQ(Raw(SettingId::Gmt)->text, "3");
    }
}

TEST_F(SettingsBinderTest, TheOriginAndGroupsLoadAsStoredAndNothingRunsWhileLoading) {
    ASSERT_TRUE(DetectFirstStart());
    Put(SettingId::QslData, 19, HiveValue::dword(5));
    Put(SettingId::QslOriginYLegacy, HiveValue::string("60"));
    LoadSettings();
    EXPECT_EQ(QslPositionTable[19], 60);
    EXPECT_FALSE(Raw(SettingId::QslOriginY)) << "the origin values are not created by the load";
    Put(SettingId::QslOriginY, HiveValue::dword(240));
    Put(SettingId::QslOriginX, HiveValue::dword(120));
    LoadSettings();
    EXPECT_EQ(QslPositionTable[19], 240);
    EXPECT_EQ(QslPositionTable[20], 120);
    EXPECT_EQ(Nastroy->sy->value(), 20);
    EXPECT_EQ(Nastroy->sx->value(), 10);

    // Two models stored true: the last loaded wins, and the caption follows.
    Put(SettingId::Ft840, HiveValue::dword(1));
    Put(SettingId::Kenwood, HiveValue::dword(1));
    // No port stored: none checked, the driver keeps its port.
    for (SettingId c : {SettingId::Com1, SettingId::Com2, SettingId::Com3, SettingId::Com4}) Put(c, HiveValue::dword(0));
    // CW work with the radio's mode, and a CW mode: loading keys nothing.
    Put(SettingId::CwWithMode, HiveValue::dword(1));
    Put(SettingId::Mode, HiveValue::string("CW"));
    Put(SettingId::CatSpeed, HiveValue::string("9600"));
    port_.clear();
    LoadSettings();
    EXPECT_TRUE(Nastroy->kenwood1->isChecked());
    EXPECT_FALSE(Nastroy->ft840->isChecked());
    EXPECT_EQ(rxtx->windowTitle(), "Управление трансивером KENWOOD");
    EXPECT_EQ(ReadCatLinkSettings().speed, br9600);
    for (QRadioButton *b : {Nastroy->om1, Nastroy->om2, Nastroy->om3, Nastroy->om4}) EXPECT_FALSE(b->isChecked());
    EXPECT_EQ(ReadCatLinkSettings().comPort, 0) << "the driver keeps its port";
    EXPECT_TRUE(port_.writes.empty());
    EXPECT_FALSE(glawnf->Timer1->Enabled());
    EXPECT_FALSE(glawnf->Timer3->Enabled());
    EXPECT_FALSE(form1->Timer3->isActive());
    EXPECT_EQ(form1->cb2->text(), "CW");

    // A radio other than Kenwood runs at 4800 whatever the box holds.
    Put(SettingId::Kenwood, HiveValue::dword(0));
    LoadSettings();
    EXPECT_EQ(ReadCatLinkSettings().speed, br4800);
    EXPECT_EQ(Nastroy->skorost->currentText(), "4800");
    EXPECT_EQ(Raw(SettingId::CatSpeed)->text, "9600");

    // LPT: only "1" is LPT1.
    for (const char *lpt : {"2", ""}) {
        Put(SettingId::Lpt, HiveValue::string(lpt));
        LoadSettings();
        EXPECT_EQ(LptDataPort.load(), 0x278) << lpt;
        EXPECT_EQ(LptControlPort.load(), 0x27A) << lpt;
        EXPECT_TRUE(Nastroy->RadioButton3->isChecked()) << lpt;
        EXPECT_FALSE(Nastroy->RadioButton1->isChecked()) << lpt;
    }
    Nastroy->RadioButton1->setChecked(true);
    EXPECT_EQ(LptDataPort.load(), 0x378);
    EXPECT_EQ(Raw(SettingId::Lpt)->text, "1");

    // The look by its exact text; any other applies none.
    form1->ApplyClassicLayout();
    Put(SettingId::Look, HiveValue::string("авангард"));
    LoadSettings();
    EXPECT_EQ(form1->look(), QsoLook::Classic) << "no look applied";

    // Without a sound card nothing of the mixer is read (nor created).
    EXPECT_FALSE(Raw(SettingId::MixerLevel, 1));
    EXPECT_FALSE(Raw(SettingId::MixerLine1)->number == 0);
}

// The mixer sets each line to its level and mutes those whose box is off:
// it runs with a sound card only, once levels and boxes are loaded.
TEST_F(SettingsBinderTest, TheMixerBlockRunsWithASoundCardOnceItsLevelsAndBoxesAreLoaded) {
    ASSERT_TRUE(DetectFirstStart());
    Put(SettingId::MixerLevel, 2, HiveValue::dword(30000));
    Put(SettingId::MixerLine2, HiveValue::dword(0));
    Put(SettingId::MixerLine4, HiveValue::dword(0));
    int runs = 0;
    std::vector<bool> boxes;
    qint32 level = 0;
    SettingsLoaderHook.MixerBlock = [&] {
        ++runs;
        boxes = {form1->tlin->isChecked(), form1->tob1->isChecked(), form1->tob2->isChecked(), form1->tmc->isChecked()};
        level = MixerLevels[1];
    };
    LoadSettings();
    EXPECT_EQ(runs, 0) << "no sound card";
    Put(SettingId::SoundCard, HiveValue::dword(1));
    LoadSettings();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(boxes, (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(level, 30000);
}

TEST_F(SettingsBinderTest, BadStoredValuesLoadTheirDefaultsAndStayStored) {
    ASSERT_TRUE(DetectFirstStart());
    const struct {
        SettingId id;
        int index;
        HiveValue stored;
    } bad[] = {
        {SettingId::CwNormal, -1, HiveValue::dword(5)},
        {SettingId::CwFast, -1, HiveValue::string("fast")},
        {SettingId::Ptt, -1, HiveValue::dword(5000)},
        {SettingId::SaveKey, -1, HiveValue::dword(0x1234)},
        {SettingId::ClearCallKey, -1, HiveValue::dword(0x10044)},
        {SettingId::StickerGap, -1, HiveValue::dword(999)},
        {SettingId::QslPerCard, -1, HiveValue::string("0")},
        {SettingId::ReminderCount, -1, HiveValue::dword(5000)},
        {SettingId::AwardCount, -1, HiveValue::dword(-3)},
        {SettingId::QslData, 14, HiveValue::dword(500)},
        {SettingId::FieldFreq, -1, HiveValue::string("yes")},
    };
    for (const auto &b : bad) Put(b.id, b.index, b.stored);
    LoadSettings();
    EXPECT_EQ(Nastroy->updo->value(), 50);
    EXPECT_EQ(Nastroy->updo1->value(), 37);
    EXPECT_EQ(Nastroy->UpDo10->value(), 100);
    EXPECT_EQ(Nastroy->wKey1->shortcutCode(), 112);
    EXPECT_EQ(Nastroy->delcall->shortcutCode(), 0);
    EXPECT_EQ(Nastroy->updown1->value(), 0);
    EXPECT_EQ(Nastroy->Edit5->text(), "0");
    EXPECT_EQ(Nastroy->edit20->text(), "1");
    EXPECT_EQ(time_r->strtimer->cell(0, 1), "") << "a corrupt count fills no rows";
    EXPECT_EQ(award->awardBox->count(), 0);
    EXPECT_EQ(QslPositionTable[14], 20);
    EXPECT_EQ(Nastroy->sh1->pos(), QPoint(10, 12));
    EXPECT_FALSE(Nastroy->tfreq->isChecked());
    for (const auto &b : bad) {
        const auto v = Raw(b.id, b.index);
        ASSERT_TRUE(v);
        EXPECT_EQ(v->kind, b.stored.kind) << SettingName(b.id, b.index).toStdString();
        EXPECT_EQ(v->number, b.stored.number) << SettingName(b.id, b.index).toStdString();
        EXPECT_EQ(v->text, b.stored.text) << SettingName(b.id, b.index).toStdString();
    }
    EXPECT_TRUE(test::Dialogs().messages().empty()) << "the loader shows no message";
}

TEST_F(SettingsBinderTest, ListsGridsAndWindowsLoadAsStored) {
    ASSERT_TRUE(DetectFirstStart());
    Put(SettingId::ReminderCount, HiveValue::dword(2));
    for (int n = 0; n < 2; ++n) {
        Put(SettingId::ReminderDate, n, HiveValue::string(QStringLiteral("1%1.12.2026").arg(n)));
        Put(SettingId::ReminderTime, n, HiveValue::string("12:00"));
        Put(SettingId::ReminderInfo, n, HiveValue::string(QStringLiteral("sked %1").arg(n)));
    }
    time_r->Memo3->setPlainText("old");
    Put(SettingId::AwardCount, HiveValue::dword(3));
    Put(SettingId::AwardName, 0, HiveValue::string("RDA"));
    Put(SettingId::AwardName, 2, HiveValue::string("W-100-U"));
    Put(SettingId::LogGridWidth, 3, HiveValue::dword(150));
    Put(SettingId::LogGridShown, 3, HiveValue::dword(0));
    Put(SettingId::LogGridWidth, 4, HiveValue::dword(0));
    Put(SettingId::FindTop, HiveValue::dword(700));
    Put(SettingId::FindLeft, HiveValue::dword(-20));
    Put(SettingId::QsoTop, HiveValue::dword(5000));
    Put(SettingId::QsoLeft, HiveValue::dword(5000));
    Put(SettingId::AdboxTop, HiveValue::dword(40));
    Put(SettingId::AdboxLeft, HiveValue::dword(60));
    Put(SettingId::AntennaName, 3, HiveValue::string("Yagi 3el"));
    Put(SettingId::QslLayout, HiveValue::string("2QSL"));
    LoadSettings();

    EXPECT_EQ(time_r->strtimer->cell(0, 2), "11.12.2026");
    EXPECT_EQ(time_r->strtimer->cell(2, 1), "sked 0");
    EXPECT_EQ(time_r->Memo3->toPlainText(), "");
    ASSERT_EQ(award->awardBox->count(), 3);
    EXPECT_EQ(award->awardBox->itemText(1), "") << "a free slot stays an empty entry";
    EXPECT_EQ(award->awardBox->itemText(2), "W-100-U");
    EXPECT_EQ(form1->str11->colWidth(3), 0);
    EXPECT_EQ(form1->str11->colWidth(4), 80);
    EXPECT_EQ(poisk->pos(), QPoint(0, 0));
    EXPECT_EQ(ResolveSettingTarget("adbox")->property("pos").toPoint(), QPoint(60, 40));
    EXPECT_EQ(static_cast<QWidget *>(ResolveSettingTarget("adbox"))->size(), QSize(304, 331));
    // Stored off every screen: the primary screen's available top-left.
    EXPECT_EQ(form1->pos(), QGuiApplication::primaryScreen()->availableGeometry().topLeft());
    EXPECT_EQ(form1->size(), QSize(770, 600));
    EXPECT_EQ(static_cast<QAbstractButton *>(ResolveSettingTarget("Ant/an3"))->text(), "Yagi 3el");
    EXPECT_EQ(QslLayoutPath, ProgramDir + "/qsl/2QSL.qsl");
}

TEST_F(SettingsBinderTest, AHiveWithLinesItCannotParseKeepsThemThroughAToggle) {
    const QString file = SettingsRegistry->filePath();
    ReleaseSettingsRegistry();
    const QByteArray kept[] = {
        "\"bin\"=hex:01,02,03",
        "\"multi\"=hex(7):41,00,00,00",
        "@=\"default\"",
        "\"bad\"=dword:zz",
    };
    QByteArray text = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\zelmor\\qso]\r\n";
    for (const QByteArray &k : kept) text += k + "\r\n";
    text += "\"long\"=hex(1):41,42,\\\r\n  43,00\r\n";
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    f.close();
    CreateSettingsRegistry(file);
    EXPECT_FALSE(DetectFirstStart()) << "the key exists";
    LoadSettings();
    Nastroy->tfreq->setChecked(!Nastroy->tfreq->isChecked());
    const QByteArray after = Bytes(file);
    for (const QByteArray &k : kept) EXPECT_TRUE(after.contains(k)) << k.constData();
    const auto longValue = SettingsRegistry->value("Software\\zelmor\\qso", "long");
    ASSERT_TRUE(longValue);
    EXPECT_EQ(longValue->text, "ABC") << "a continued value is read whole";
    EXPECT_EQ(Raw(SettingId::FieldFreq)->number, int(Nastroy->tfreq->isChecked()));
}

// ---------------------------------------------------------------------------
// The keyer and CAT effects.

TEST_F(SettingsBinderTest, SpeedAndDelayChangesRespectRunningTimers) {
    firstStart();
    // The load gave the keyer the stored times.
    ASSERT_NE(Keyer, nullptr);
    EXPECT_EQ(Keyer->normalElementMs(), 50);
    EXPECT_EQ(Keyer->fastElementMs(), 37);
    EXPECT_EQ(Keyer->pttMs(), 100);
    // Stopped keyer clock: the interval is set, the clock stays stopped.
    Nastroy->updo->setValue(64);
    EXPECT_EQ(Nastroy->edit6->text(), "92");
    EXPECT_EQ(Keyer->normalElementMs(), 64);
    EXPECT_EQ(glawnf->Timer1->Interval(), 64u);
    EXPECT_FALSE(glawnf->Timer1->Enabled());
    // Running: it runs on at the new element time.
    glawnf->Timer3->setInterval(37);
    glawnf->Timer3->setEnabled(true);
    ASSERT_TRUE(glawnf->Timer3->Enabled());
    Nastroy->updo1->setValue(44);
    EXPECT_TRUE(glawnf->Timer3->Enabled());
    EXPECT_EQ(glawnf->Timer3->Interval(), 44u);
    EXPECT_EQ(Nastroy->Panel26->text(), "132");
    glawnf->Timer3->setEnabled(false);

    // A lead or tail in progress completes with its own delay.
    form1->Timer3->start();
    Nastroy->UpDo10->setValue(500);
    EXPECT_EQ(Nastroy->Panel4->text(), "500");
    EXPECT_EQ(Keyer->pttMs(), 500) << "the keyer's next lead";
    EXPECT_EQ(form1->Timer3->interval(), 100);
    EXPECT_TRUE(form1->Timer3->isActive());
    EXPECT_TRUE(QTest::qWaitFor([] { return !form1->Timer3->isActive(); }, 5000));
    EXPECT_EQ(form1->Timer3->interval(), 500) << "the next lead takes the new delay";
    Nastroy->UpDo10->setValue(320);
    EXPECT_EQ(form1->Timer3->interval(), 320);

    // A port chosen while the link is open waits for the next open, which
    // reads the buttons.
    Nastroy->om4->setChecked(true);
    EXPECT_EQ(ReadCatLinkSettings().comPort, 4);
    Nastroy->ft1000mp->setChecked(true);
    EXPECT_EQ(rxtx->windowTitle(), QString::fromUtf8("Управление трансивером  FT-1000\u041c\u0420"));
    for (SettingId m : {SettingId::Ft840, SettingId::Ft890, SettingId::Ft990, SettingId::Ft990_2, SettingId::Ft920,
                        SettingId::Ft1000mp, SettingId::Kenwood})
        EXPECT_EQ(Raw(m)->number, m == SettingId::Ft1000mp ? 1 : 0) << SettingName(m).toStdString();
}

// ---------------------------------------------------------------------------
// The dialog.

TEST_F(SettingsBinderTest, SectionsStandAtTheirPositionsAndTheTreeScrollsToThem) {
    firstStart();
    Nastroy->show();
    for (const SettingsPage &p : SettingsPageTable) {
        if (!p.caption) continue;
        auto *g = static_cast<QGroupBox *>(Nastroy->section(QString::fromUtf8(p.caption)));
        ASSERT_NE(g, nullptr) << p.caption;
        EXPECT_EQ(g->y(), p.position) << p.caption;
        for (const SettingsPage &q : SettingsPageTable)
            if (q.caption && q.position > p.position) EXPECT_LE(g->y() + g->height(), q.position) << p.caption << " over " << q.caption;
    }
    auto node = [](const char *text) {
        const auto items = Nastroy->nast_menu->findItems(QString::fromUtf8(text), Qt::MatchExactly | Qt::MatchRecursive);
        return items.isEmpty() ? nullptr : items.first();
    };
    QScrollBar *bar = Nastroy->nast_data->verticalScrollBar();
    bar->setValue(300);
    Nastroy->nast_menuClick(node("Окно QSO"));
    Nastroy->nast_menuClick(node("Базы"));
    EXPECT_EQ(bar->value(), 300);
    Nastroy->nast_menuClick(node("Россия"));
    EXPECT_EQ(bar->value(), 4978);
    Nastroy->nast_menuClick(node("Своя станция"));
    EXPECT_EQ(bar->value(), 10760);
    Nastroy->N1->trigger();
    EXPECT_TRUE(Nastroy->nast_menu->isHidden());
    Nastroy->N2->trigger();
    EXPECT_FALSE(Nastroy->nast_menu->isHidden());
    Nastroy->hide();
}

TEST_F(SettingsBinderTest, ThePersonalOriginIsStoredAndDrawnAtTheNextShowing) {
    firstStart();
    Nastroy->show();
    Nastroy->sx->setValue(10);
    Nastroy->sy->setValue(20);
    EXPECT_EQ(Raw(SettingId::QslOriginX)->number, 120);
    EXPECT_EQ(Raw(SettingId::QslOriginY)->number, 240);
    Nastroy->hide();
    {
        const QSignalBlocker bx(Nastroy->sx), by(Nastroy->sy);
        Nastroy->sx->setValue(0);
        Nastroy->sy->setValue(0);
    }
    Nastroy->show();
    EXPECT_EQ(Nastroy->sx->value(), 10);
    EXPECT_EQ(Nastroy->sy->value(), 20);
    const QImage img = Nastroy->Image4->pixmap().toImage();
    const QRgb face = Nastroy->palette().color(QPalette::Button).rgb();
    for (QPoint p : {QPoint(10, 20), QPoint(189, 129), QPoint(100, 70)}) EXPECT_EQ(img.pixel(p), qRgb(255, 255, 255)) << p.x() << ',' << p.y();
    for (QPoint p : {QPoint(9, 20), QPoint(10, 19), QPoint(190, 100), QPoint(100, 130), QPoint(300, 400)})
        EXPECT_EQ(img.pixel(p), face) << p.x() << ',' << p.y();
    // Moving one bar keeps the other axis.
    Nastroy->sx->setValue(11);
    EXPECT_EQ(Raw(SettingId::QslOriginY)->number, 240);
    EXPECT_EQ(Raw(SettingId::QslOriginX)->number, 132);
    Nastroy->hide();
}

TEST_F(SettingsBinderTest, TheBlockMarkerStoresOnceAndOnlyWhenADragMovedIt) {
    firstStart();
    Nastroy->show();
    const QString file = SettingsRegistry->filePath();
    auto mouse = [](QEvent::Type type, QPoint at) {
        QMouseEvent e(type, at, Nastroy->Panel5->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Nastroy->Panel5, &e);
    };
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(Nastroy->sh1, &enter);
    const QByteArray before = Bytes(file);
    mouse(QEvent::MouseButtonPress, {40, 30});
    for (int x = 40; x <= 200; x += 10) mouse(QEvent::MouseMove, {x, 150});
    EXPECT_EQ(Bytes(file), before) << "nothing is stored while the mouse moves";
    EXPECT_EQ(Nastroy->Panel7->text(), "X-200");
    EXPECT_EQ(Nastroy->Panel6->text(), "Y-150");
    mouse(QEvent::MouseButtonRelease, {200, 150});
    EXPECT_EQ(Nastroy->sh1->pos(), QPoint(116, 126));
    EXPECT_EQ(Raw(SettingId::QslData, 14)->number, 126);
    EXPECT_EQ(Raw(SettingId::QslData, 15)->number, 134);
    for (int n = 0; n <= 20; ++n) EXPECT_TRUE(Raw(SettingId::QslData, n)) << n;

    // A drag that leaves the marker where it was stores nothing.
    const QByteArray moved = Bytes(file);
    const QDateTime mtime = QFileInfo(file).lastModified();
    QCoreApplication::sendEvent(Nastroy->sh1, &enter);
    mouse(QEvent::MouseButtonPress, {200, 150});
    mouse(QEvent::MouseMove, {250, 170});
    mouse(QEvent::MouseButtonRelease, {250, 170});
    EXPECT_EQ(Bytes(file), moved);
    EXPECT_EQ(QFileInfo(file).lastModified(), mtime);
    Nastroy->hide();
}

TEST_F(SettingsBinderTest, PickersShowingAndShutDown) {
    firstStart();
    // A voice file for F4: stored as "F4" and shown at once.
    test::Dialogs().fileAnswers = {"/home/ivan/cq.wav"};
    Nastroy->voiceButtons[2]->click();
    EXPECT_EQ(Raw(SettingId::VoiceFile, 4)->text, "/home/ivan/cq.wav");
    EXPECT_EQ(Nastroy->Edit30->text(), "/home/ivan/cq.wav");
    EXPECT_EQ(QDir::currentPath(), ProgramDir);
    // The CD folder takes a closing separator; a root keeps its own.
    for (auto [chosen, shown] : {std::pair{"/media/cd", "/media/cd/"}, {"/", "/"}}) {
        test::Dialogs().fileAnswers = {chosen};
        Nastroy->folderButton->click();
        EXPECT_EQ(Nastroy->Edit21->text(), shown);
        EXPECT_EQ(Raw(SettingId::CallbookCd)->text, shown);
    }
    test::Dialogs().fileAnswers.clear();
    Nastroy->folderButton->click();
    EXPECT_EQ(Nastroy->Edit21->text(), "/") << "a cancelled chooser changes nothing";
    test::Dialogs().fileAnswers = {"/home/ivan/cb.dbf"};
    Nastroy->callbookButton->click();
    EXPECT_EQ(Raw(SettingId::CallbookFile)->text, "/home/ivan/cb.dbf");
    ASSERT_FALSE(test::Dialogs().calls.empty());
    EXPECT_EQ(test::Dialogs().calls.back().text, "Colbook(.dbf)|*.dbf");

    // A path cp1251 cannot hold is not stored as "?": refused and told,
    // once while it is typed on, again once something was stored.
    test::Dialogs().clear();
    Nastroy->Edit15->setText("/home/jürgen/rpt.wav");
    EXPECT_EQ(Raw(SettingId::RepeatSound)->text, "");
    EXPECT_EQ(test::Dialogs().messages().size(), 1u);
    Nastroy->Edit15->setText("/home/jürgen/rpt.wa");
    EXPECT_EQ(test::Dialogs().messages().size(), 1u);
    Nastroy->Edit15->setText("/home/ivan/rpt.wav");
    EXPECT_EQ(Raw(SettingId::RepeatSound)->text, "/home/ivan/rpt.wav");
    Nastroy->Edit15->setText("/home/jürgen/rpt.wav");
    EXPECT_EQ(test::Dialogs().messages().size(), 2u);
    EXPECT_EQ(Raw(SettingId::RepeatSound)->text, "/home/ivan/rpt.wav");

    // The own station's page stores as typed and feeds the profile.
    QTest::keyClicks(Nastroy->stationEdits[0], "UA3ABC");
    EXPECT_EQ(Raw(SettingId::StationCall)->text, "UA3ABC");
    EXPECT_EQ(StationProfile.call, "UA3ABC");

    // The log shown is the current one at each showing.
    LogFileName = "other.log";
    Nastroy->show();
    EXPECT_EQ(Nastroy->Panel3->text(), "other.log");
    EXPECT_TRUE(QFileInfo::exists(ProgramDir + "/names2.dat"));
    // The UTC offset window comes up modal to the dialog, and the click
    // returns at once: no event loop of its own holds the clock and keyer.
    Nastroy->utcButton->click();
    EXPECT_TRUE(gmtf->isVisible());
    EXPECT_EQ(gmtf->windowModality(), Qt::WindowModal);
    gmtf->hide();
    Nastroy->hide();

    // Shut-down unchecks the time field's box, which stores it.
    Nastroy->tim1->setChecked(true);
    ASSERT_EQ(Raw(SettingId::FieldTime)->number, 1);
    const QString file = SettingsRegistry->filePath();
    ShutDown();
    CreateSettingsRegistry(file);
    EXPECT_EQ(Raw(SettingId::FieldTime)->kind, HiveKind::Dword);
    EXPECT_EQ(Raw(SettingId::FieldTime)->number, 0);
}

#include "station/settingsbinder.h"

#include "logbook/form1.h"
#include "logbook/glawnf.h"
#include "logbook/logfile.h"
#include "logbook/qsostate.h"
#include "logbook/settingscatalogue.h"
#include "logbook/settingsstore.h"
#include "logtools/award.h"
#include "logtools/poisk.h"
#include "platform/hotkeyedit.h"
#include "platform/keycodes.h"
#include "platform/parallelport.h"
#include "platform/paths.h"
#include "qsl/qsl_edit.h"
#include "station/cwkeys.h"
#include "station/gmtf.h"
#include "station/nastroy.h"
#include "station/rxtx.h"
#include "station/settingsglobals.h"
#include "logbook/loggrid.h"
#include "station/catsettings.h"
#include "station/time_r.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QSet>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>

#include <cstdio>
#include <map>

namespace zelmor {

SettingsLoaderHooks SettingsLoaderHook;

namespace {

using C = SettingCodec;
using W = SettingWrite;

// The windows are top-level and named; a scan of them all is kept until a
// name misses.
QWidget *WindowNamed(const QString &name) {
    static QHash<QString, QPointer<QWidget>> cache;
    auto it = cache.constFind(name);
    if (it != cache.constEnd() && *it && (*it)->objectName() == name) return *it;
    cache.clear();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (!w->objectName().isEmpty()) cache.insert(w->objectName(), w);
    it = cache.constFind(name);
    return it != cache.constEnd() ? it->data() : nullptr;
}

// The value as the hive holds it equals what would be written: writing it
// again would only save the same file.
bool StoredAlready(SettingId id, int index, const QString *text, qint32 number) {
    if (!SettingsRegistry) return false;
    const auto v = SettingsRegistry->value(QStringLiteral("Software\\") + SettingSubkey(id), SettingName(id, index));
    if (!v) return false;
    if (Setting(id).kind == SettingKind::S) return v->kind == HiveKind::String && text && v->text == *text;
    const qint32 want = Setting(id).kind == SettingKind::B ? (number != 0) : number;
    return v->kind == HiveKind::Dword && v->number == want;
}

void Store(SettingId id, const QString &text, int index = -1) {
    if (!StoredAlready(id, index, &text, 0)) WriteSetting(id, text, index);
}
void Store(SettingId id, qint32 number, int index = -1) {
    if (Setting(id).kind == SettingKind::S) {
        Store(id, QString::number(number), index);
        return;
    }
    if (!StoredAlready(id, index, nullptr, number)) WriteSetting(id, number, index);
}

// Members of a family, bounded by its count row when it has one.
int FamilyLast(const SettingRow &r) {
    if (r.count == SettingId::Count) return r.last;
    return std::min(r.last, r.first + LoadSetting(r.count).number - 1);
}

// --- setting a control --------------------------------------------------

void SetChecked(QObject *o, bool on) {
    const QSignalBlocker block(o);
    if (auto *b = qobject_cast<QAbstractButton *>(o)) b->setChecked(on);
    else if (auto *a = qobject_cast<QAction *>(o)) a->setChecked(on);
}

void SetText(QObject *o, const QString &text) {
    const QSignalBlocker block(o);
    if (auto *e = qobject_cast<QLineEdit *>(o)) e->setText(text);
    else if (auto *c = qobject_cast<QComboBox *>(o)) {
        if (c->isEditable()) c->setCurrentText(text);
        else c->setCurrentIndex(c->findText(text));
    } else if (auto *l = qobject_cast<QLabel *>(o)) l->setText(text);
    else if (auto *b = qobject_cast<QAbstractButton *>(o)) b->setText(text);
    else if (auto *p = qobject_cast<QPlainTextEdit *>(o)) p->setPlainText(text);
}

QString TextOf(QObject *o) {
    if (auto *e = qobject_cast<QLineEdit *>(o)) return e->text();
    if (auto *c = qobject_cast<QComboBox *>(o)) return c->currentText();
    if (auto *l = qobject_cast<QLabel *>(o)) return l->text();
    return {};
}

void SetPosition(QObject *o, int n) {
    const QSignalBlocker block(o);
    if (auto *s = qobject_cast<QSpinBox *>(o)) s->setValue(n);
    else if (auto *a = qobject_cast<QAbstractSlider *>(o)) a->setValue(n);
}

int PositionOf(QObject *o) {
    if (auto *s = qobject_cast<QSpinBox *>(o)) return s->value();
    if (auto *a = qobject_cast<QAbstractSlider *>(o)) return a->value();
    return 0;
}

// --- effects --------------------------------------------------------------

void SpeedPanels() {
    Nastroy->edit6->setText(CwSpeedText(Nastroy->updo->value()));
    Nastroy->Panel26->setText(CwSpeedText(Nastroy->updo1->value()));
}

// The element time of the keyer's normal (Timer1) or fast (Timer3) clock. A
// running clock is restarted at the new time; a stopped one stays stopped,
// as CW work may be off. The keyer owns its clocks; without one (a window
// test) the launcher's clock takes the time for its next start.
void KeyerInterval(bool fast, int ms) {
    if (Keyer) {
        if (fast) Keyer->setFastElementMs(ms);
        else Keyer->setNormalElementMs(ms);
        return;
    }
    if (THiResTimer *t = glawnf ? (fast ? glawnf->Timer3 : glawnf->Timer1) : nullptr) t->setInterval(quint32(ms));
}

// Load effect of both speeds: the panels, and the keyer's times.
void SpeedPanelEffect() {
    SpeedPanels();
    if (!Keyer) return;
    Keyer->setNormalElementMs(Nastroy->updo->value());
    Keyer->setFastElementMs(Nastroy->updo1->value());
}

// A lead or tail in progress completes with the delay it started with.
int PendingPttMs = 0;
void PttDelay(int ms, bool loading) {
    Nastroy->Panel4->setText(QString::number(ms));
    // The keyer starts each lead and tail with its own copy of the delay.
    if (Keyer) Keyer->setPttMs(ms);
    QTimer *t = form1 ? form1->Timer3 : nullptr;
    if (!t) return;
    if (loading) {
        t->stop();
        t->setInterval(ms);
    } else if (t->isActive()) {
        PendingPttMs = ms;
    } else {
        t->setInterval(ms);
    }
}

void CallMenuShortcut() {
    if (!form1) return;
    if (auto *a = form1->findChild<QAction *>(QStringLiteral("CALL2")))
        a->setShortcut(KeySequenceFromShortcutCode(Nastroy->delcall->shortcutCode()));
}

void LptPorts(const QString &choice) {
    const LptAddresses a = LptChoice(choice);
    LptDataPort = a.data;
    LptStatusPort = a.status;
    LptControlPort = a.control;
}

// The CAT window's caption follows the checked model, at load as on a
// click; with none checked it keeps its own.
void CatCaptionEffect() {
    if (!rxtx) return;
    for (QRadioButton *b : {Nastroy->ft840, Nastroy->ft890, Nastroy->ft990, Nastroy->ft990_2, Nastroy->ft920, Nastroy->ft1000mp,
                            Nastroy->kenwood1})
        if (b->isChecked()) {
            rxtx->setWindowTitle(CatWindowCaption(ReadCatLinkSettings().model));
            return;
        }
}

void CatSpeedEffect() {
    // What the box shows is not stored: the next start judges "Skorost" anew.
    SetText(Nastroy->skorost, CatSpeedShown(Nastroy->kenwood1->isChecked(), Nastroy->skorost->currentText()));
}

void OriginBars() {
    // The bars follow the entries, so moving one keeps the other axis.
    SetPosition(Nastroy->sx, OriginBar(QslPositionTable[20]));
    SetPosition(Nastroy->sy, OriginBar(QslPositionTable[19]));
}

void BlockMarker() { Nastroy->sh1->move(int(QslPositionTable[14]) - 10, int(QslPositionTable[15]) - 8); }

// Window placement: a fixed size and the stored top-left.
struct PlaceRule {
    SettingId top, left;
    int height, width; // 0: as designed
    bool searchRule;
};
const PlaceRule kPlaces[] = {
    {SettingId::QsoTop, SettingId::QsoLeft, 600, 770, false},
    {SettingId::AdboxTop, SettingId::AdboxLeft, 331, 304, false},
    {SettingId::QslTop, SettingId::QslLeft, 578, 780, false},
    {SettingId::MapTop, SettingId::MapLeft, 455, 757, false},
    {SettingId::NewsTop, SettingId::NewsLeft, 605, 757, false},
    {SettingId::QslEditTop, SettingId::QslEditLeft, 0, 757, false},
    {SettingId::FindTop, SettingId::FindLeft, 0, 780, true},
};

void PlaceWindows() {
    std::vector<QRect> screens;
    for (QScreen *s : QGuiApplication::screens()) screens.push_back(s->availableGeometry());
    const QRect primary = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry() : QRect();
    for (const PlaceRule &p : kPlaces) {
        auto *w = qobject_cast<QWidget *>(SettingTargetObject(p.top));
        if (!w) continue;
        const QPoint stored(LoadSetting(p.left).number, LoadSetting(p.top).number);
        const int width = p.width > 0 ? p.width : w->width();
        const int height = p.height > 0 ? p.height : w->height();
        w->resize(width, height);
        w->move(PlaceWindow(stored, QSize(width, height), p.searchRule, screens, primary));
    }
}

void LogFileEffect() {
    LogFileName = LoadSetting(SettingId::LogFile).text;
    if (LogFileName.isEmpty() || !QFileInfo(DataPath(LogFileName)).isFile()) {
        // The fallback is kept; the operator learns why his log is not there.
        const QString fallback = QStringLiteral("test.log");
        const bool same =
            QFileInfo(DataPath(LogFileName)).absoluteFilePath() == QFileInfo(DataPath(fallback)).absoluteFilePath();
        if (!LogFileName.isEmpty() && !same) {
            StatusText = QStringLiteral("Нет файла лога \"%1\": открыт test.log").arg(LogFileName);
            std::fprintf(stderr, "zelmor: log file %s not found; test.log used\n", LogFileName.toLocal8Bit().constData());
        }
        LogFileName = fallback;
    }
    Nastroy->Panel3->setText(LogFileName);
    form1->setWindowTitle(QStringLiteral("QSO ") + LogFileName);
}

void QslPositions() {
    QslPositionSources s;
    for (int n = 0; n < 19; ++n) s.data[size_t(n)] = LoadSetting(SettingId::QslData, n).number;
    const LoadedSetting v1 = LoadSetting(SettingId::QslOriginY), h1 = LoadSetting(SettingId::QslOriginX);
    if (v1.present) s.vertical1 = v1.number;
    if (h1.present) s.horizontal1 = h1.number;
    s.vertical = LoadSetting(SettingId::QslOriginYLegacy).text;
    s.horizontal = LoadSetting(SettingId::QslOriginXLegacy).text;
    AssembleQslPositions(QslPositionTable, s);
    OriginBars();
    BlockMarker();
}

void Fonts() {
    using enum SettingId;
    const SettingId card[3][3] = {{CardTopColour, CardTopSize, CardTopFont},
                                  {CardMiddleColour, CardMiddleSize, CardMiddleFont},
                                  {CardBottomColour, CardBottomSize, CardBottomFont}};
    for (int p = 0; p < 3; ++p) {
        CardFonts[size_t(p)].colour = LoadSetting(card[p][0]).number;
        CardFonts[size_t(p)].size = LoadSetting(card[p][1]).number;
        CardFonts[size_t(p)].name = LoadSetting(card[p][2]).text;
    }
}

// Rows whose step is loaded by one routine for all of them.
bool LoadedAsGroup(SettingId id) {
    using enum SettingId;
    switch (id) {
    case LogGridWidth: case LogGridShown: case SearchGridWidth: case SearchGridShown: case VoiceFile:
    case ReminderCount: case ReminderDate: case ReminderTime: case ReminderInfo:
    case AwardCount: case AwardName:
    case QslData: case QslOriginY: case QslOriginX: case QslOriginYLegacy: case QslOriginXLegacy:
    case QsoTop: case QsoLeft: case AdboxTop: case AdboxLeft: case QslTop: case QslLeft: case MapTop: case MapLeft:
    case NewsTop: case NewsLeft: case QslEditTop: case QslEditLeft: case FindTop: case FindLeft:
    case CardTopColour: case CardTopSize: case CardTopFont: case CardMiddleColour: case CardMiddleSize:
    case CardMiddleFont: case CardBottomColour: case CardBottomSize: case CardBottomFont:
    case LogFile: case MixerLevel:
    case Chart1: case Chart3: case Chart4: case Chart5: case Chart6:
        return true;
    default: return false;
    }
}

// The routine of a grouped step, run once where its first row stands.
void LoadGroup(SettingId first) {
    using enum SettingId;
    switch (first) {
    case LogGridWidth: LoadLogGridColumnLayout(*form1->str11); break;
    case VoiceFile: LoadMacroKeyStrings(); break;
    case LogFile: LogFileEffect(); break;
    // The reminder window's rows, its notices emptied and its check begun
    // anew; "звук таймера" follows as its own row (22).
    case ReminderCount:
        if (time_r) time_r->LoadReminders();
        break;
    case QsoTop: PlaceWindows(); break;
    // The award selector, by its own window's reading of the slots.
    case AwardCount:
        if (award) award->LoadAwardSelector();
        break;
    case SearchGridWidth: LoadSearchGridColumnWidths(); break;
    case CardTopColour: Fonts(); break;
    case QslOriginXLegacy: QslPositions(); break;
    // The chart switches and their pictures, by the QSO window's own reading.
    case Chart1:
        if (form1) form1->LoadMenuSettings();
        break;
    // The mixer itself follows once its boxes are loaded too (AfterStep).
    case MixerLevel:
        for (int n = 1; n <= 4; ++n) MixerLevels[size_t(n - 1)] = LoadSetting(MixerLevel, n).number;
        break;
    default: break;
    }
}

// A radio group loads with its buttons' exclusivity off: none stored true
// leaves none checked, and of several the last loaded wins.
void LoadRadio(QRadioButton *b, bool on, std::map<QString, QRadioButton *> &lastOn, const QString &group) {
    b->setAutoExclusive(false);
    if (on) {
        if (QRadioButton *earlier = lastOn[group]) SetChecked(earlier, false);
        lastOn[group] = b;
    }
    SetChecked(b, on);
}

void LoadGlobal(SettingId id, const LoadedSetting &v) {
    using enum SettingId;
    switch (id) {
    case EnvelopeFont: EnvelopeFontName = v.text; break;
    case EnvelopeColour: EnvelopeFontColour = v.number; break;
    case ReportFontName: ListingFont.name = v.text; break;
    case ReportFontSize: ListingFont.size = v.text; break;
    case ReportFontColour: ListingFont.colour = v.text; break;
    default: break;
    }
}

void LoadRow(SettingId id, int index, std::map<QString, QRadioButton *> &lastOn) {
    const SettingRow &r = Setting(id);
    const LoadedSetting v = LoadSetting(id, index);
    if (!v.present) return;
    QObject *o = r.codec == C::Global ? nullptr : SettingTargetObject(id, index);
    switch (r.codec) {
    case C::Check:
    case C::MenuItem:
        if (o) SetChecked(o, v.on());
        break;
    case C::Radio:
        if (auto *b = qobject_cast<QRadioButton *>(o)) LoadRadio(b, v.on(), lastOn, QString::fromUtf8(r.changeEffect));
        break;
    case C::LptChoice: {
        const LptAddresses a = LptChoice(v.text);
        LptPorts(v.text);
        for (QRadioButton *b : {Nastroy->RadioButton1, Nastroy->RadioButton3}) b->setAutoExclusive(false);
        SetChecked(Nastroy->RadioButton1, a.lpt1);
        SetChecked(Nastroy->RadioButton3, !a.lpt1);
        break;
    }
    case C::Text:
    case C::Combo:
        if (o) SetText(o, v.text);
        break;
    case C::Position:
        if (o) SetPosition(o, v.number);
        break;
    case C::HotKey:
        if (auto *h = qobject_cast<THotKey *>(o)) {
            const QSignalBlocker block(h);
            h->setShortcutCode(v.number);
        }
        break;
    case C::Caption:
        if (o) SetText(o, v.text);
        break;
    case C::Global:
        if (id == SettingId::ReportFonts) ReportFontNames[size_t(index - 1)] = v.text;
        else LoadGlobal(id, v);
        break;
    default: break;
    }

    const QString effect = QString::fromUtf8(r.loadEffect);
    if (effect == QLatin1String("speedPanel")) SpeedPanelEffect();
    else if (effect == QLatin1String("pttDelay")) PttDelay(v.number, true);
    else if (effect == QLatin1String("callMenuShortcut")) CallMenuShortcut();
    else if (effect == QLatin1String("gapText")) Nastroy->Edit5->setText(QString::number(Nastroy->updown1->value()));
    else if (effect == QLatin1String("qslLayoutPath"))
        // No name stored (the first start): no layout is chosen, rather than
        // a file named ".qsl".
        QslLayoutPath = v.text.isEmpty() ? QString()
                                         : (ProgramDir.isEmpty() ? QStringLiteral(".") : ProgramDir) + QStringLiteral("/qsl/") +
                                               v.text + QStringLiteral(".qsl");
    else if (effect == QLatin1String("applyLook")) form1->ApplyLook(v.text);
}

// Load effects that are rules over several rows run once their step is
// loaded: the caption over the seven model buttons; the CAT speed rule over
// `kenwood1` (loaded before) and "Skorost", also when "Skorost" is missing.
// "catPort" has nothing to do here: the link reads the port, the model and
// the speed from the buttons and `skorost` when it opens (ReadCatLinkSettings
// then ApplyCatLinkSettings), the one place the CAT line is set up.
// The mixer's block ("mixerLine") runs after its levels and all four boxes.
bool IsStepEffect(const QString &effect) {
    return effect == QLatin1String("catCaption") || effect == QLatin1String("catSpeed") ||
           effect == QLatin1String("catPort") || effect == QLatin1String("mixerLine");
}

void AfterStep(const QSet<QString> &effects) {
    if (effects.contains(QStringLiteral("catCaption"))) CatCaptionEffect();
    if (effects.contains(QStringLiteral("catSpeed"))) CatSpeedEffect();
    // The mixer sets each line to its level and mutes those whose box is
    // off: it needs the four boxes, the step's last rows.
    if (effects.contains(QStringLiteral("mixerLine")) && SettingsLoaderHook.MixerBlock) SettingsLoaderHook.MixerBlock();
}

// --- writers --------------------------------------------------------------

class Binder : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::FocusOut) {
            // The focus sits in the hot key's own line edit.
            while (watched && !qobject_cast<THotKey *>(watched)) watched = watched->parent();
            if (watched == Nastroy->wKey1) Store(SettingId::SaveKey, qint32(Nastroy->wKey1->shortcutCode()));
            else if (watched == Nastroy->delcall) {
                CallMenuShortcut();
                Store(SettingId::ClearCallKey, qint32(Nastroy->delcall->shortcutCode()));
            }
        }
        return false;
    }
};
QPointer<Binder> TheBinder;

void ChangeEffect(const SettingRow &r, QObject *o) {
    const QString effect = QString::fromUtf8(r.changeEffect);
    if (effect == QLatin1String("keyerTimer1")) {
        SpeedPanels();
        KeyerInterval(false, PositionOf(o));
    } else if (effect == QLatin1String("keyerTimer3")) {
        SpeedPanels();
        KeyerInterval(true, PositionOf(o));
    } else if (effect == QLatin1String("pttDelay")) {
        PttDelay(PositionOf(o), false);
    } else if (effect == QLatin1String("stickerRows")) {
        Nastroy->Edit5->setText(QString::number(PositionOf(o)));
        if (SettingsDialogHook.StickerPreview) SettingsDialogHook.StickerPreview();
    } else if (effect == QLatin1String("originPreview")) {
        Nastroy->sxChange();
    } else if (effect == QLatin1String("callbookIndex")) {
        if (SettingsDialogHook.CallbookIndex) SettingsDialogHook.CallbookIndex();
    }
}

// Every member of a radio group stored as it stands now.
void StoreGroup(const QString &group) {
    SettingsBatch batch;
    for (const SettingRow &r : SettingsCatalogue())
        if (r.codec == C::Radio && QString::fromUtf8(r.changeEffect) == group)
            if (auto *b = qobject_cast<QAbstractButton *>(SettingTargetObject(r.id))) Store(r.id, qint32(b->isChecked()));
    if (group == QLatin1String("catCaption")) CatCaptionEffect();
}

void Bind(Binder *binder, const SettingRow &r, int index) {
    QObject *o = SettingTargetObject(r.id, index);
    if (!o) return;
    const SettingId id = r.id;
    switch (r.codec) {
    case C::Check:
    case C::MenuItem:
        if (auto *b = qobject_cast<QAbstractButton *>(o))
            QObject::connect(b, &QAbstractButton::toggled, binder, [id, index](bool on) { Store(id, qint32(on), index); });
        else if (auto *a = qobject_cast<QAction *>(o))
            QObject::connect(a, &QAction::toggled, binder, [id, index](bool on) { Store(id, qint32(on), index); });
        break;
    case C::Radio:
        if (auto *b = qobject_cast<QRadioButton *>(o)) {
            b->setAutoExclusive(true);
            const QString group = QString::fromUtf8(r.changeEffect);
            QObject::connect(b, &QAbstractButton::toggled, binder, [group](bool on) {
                if (on) StoreGroup(group);
            });
        }
        break;
    case C::Text:
    case C::Combo:
        if (auto *e = qobject_cast<QLineEdit *>(o))
            QObject::connect(e, &QLineEdit::textChanged, binder, [id, index, &r, e](const QString &t) {
                Store(id, t, index);
                ChangeEffect(r, e);
            });
        else if (auto *c = qobject_cast<QComboBox *>(o))
            QObject::connect(c, &QComboBox::currentTextChanged, binder, [id, index, &r, c](const QString &t) {
                Store(id, t, index);
                ChangeEffect(r, c);
            });
        break;
    case C::Position:
        // The origin bars store 12 x their position, both from one handler.
        if (id == SettingId::QslOriginX || id == SettingId::QslOriginY) {
            QObject::connect(static_cast<QAbstractSlider *>(o), &QAbstractSlider::valueChanged, binder, [] { Nastroy->sxChange(); });
            break;
        }
        if (auto *s = qobject_cast<QSpinBox *>(o))
            QObject::connect(s, &QSpinBox::valueChanged, binder, [id, index, &r, s](int n) {
                Store(id, qint32(n), index);
                ChangeEffect(r, s);
            });
        else if (auto *a = qobject_cast<QAbstractSlider *>(o))
            QObject::connect(a, &QAbstractSlider::valueChanged, binder, [id, index, &r, a](int n) {
                Store(id, qint32(n), index);
                ChangeEffect(r, a);
            });
        break;
    case C::HotKey:
        o->installEventFilter(binder);
        for (QWidget *inner : o->findChildren<QWidget *>()) inner->installEventFilter(binder);
        break;
    default: break;
    }
}

bool BoundHere(const SettingRow &r) {
    switch (r.written) {
    case W::Click:
    case W::Change:
    case W::Exit:
    case W::Group: return true;
    // Owners whose moment is any change of their control; the other owners
    // (the QSO window's band, mode and chart switches among them) write
    // their values themselves.
    case W::Owner: return r.id == SettingId::CwText || r.id == SettingId::CommandText;
    default: return false;
    }
}

} // namespace

QObject *ResolveSettingTarget(const QString &target) {
    if (target.isEmpty() || target.startsWith(QLatin1String("global/"))) return nullptr;
    const int slash = target.indexOf(u'/');
    QWidget *w = WindowNamed(slash < 0 ? target : target.left(slash));
    if (!w || slash < 0) return w;
    return w->findChild<QObject *>(target.mid(slash + 1));
}

QObject *SettingTargetObject(SettingId id, int index) { return ResolveSettingTarget(SettingTarget(id, index)); }

void LoadSearchGridColumnWidths() {
    if (!poisk) return;
    TStringGrid *g = poisk->Str;
    for (int n = 1; n < g->colCount() && n <= Setting(SettingId::SearchGridWidth).last; ++n)
        g->setColWidth(n, ColumnWidthRule(LoadSetting(SettingId::SearchGridWidth, n).number,
                                          LoadSetting(SettingId::SearchGridShown, n).number != 0));
}

void LoadMacroKeyStrings() {
    if (!Nastroy) return;
    for (int n = 0; n < 6; ++n) SetText(Nastroy->voiceKeyFile(n), LoadSetting(SettingId::VoiceFile, n + 2).text);
}

void WriteDefaultDialogSettings() {
    WriteSetting(SettingId::Look, LookAvangard);
    if (Nastroy) SetText(Nastroy->vid_qso, LookAvangard);
}

// Order that matters (the table's steps carry it):
// - first-start detection runs before any read: it judges the hive as it
//   was opened, and a read that creates "Software\zelmor" would hide it;
// - this load runs before the purge question (del_f), the UTC clock (utc),
//   opening the log, the CAT link (n22) and any window showing, so hot
//   keys, places, sizes, the look and the grids' columns are set before
//   the QSO window first appears;
// - inside: the look (14) before the placement (33); the models, the ports
//   and "Skorost" (26, 27) before the CAT rules (29, 30); n21 (31) before
//   the mixer (32); "данные" before "горизонталь"/"вертикаль" before sh1
//   (40, 41); the grids with their design columns (the search window loads
//   its 24 again when it builds them);
// - radio groups load with exclusivity off: none true leaves none checked,
//   the last true loaded wins;
// - the writers are connected at the very end: neither a design value nor
//   a start-up that stopped half-way is ever stored.
void LoadSettings() {
    DisconnectSettingWriters();
    SettingsBatch batch; // values created by their first read: one save
    std::map<QString, QRadioButton *> lastOn;
    int step = 0;
    QSet<QString> stepEffects;
    SettingId groupDone = SettingId::Count;
    for (SettingId id : LoaderOrder()) {
        const SettingRow &r = Setting(id);
        if (r.step != step) {
            AfterStep(stepEffects);
            stepEffects.clear();
            step = r.step;
        }
        // The mixer is read only with a sound card.
        if (r.step == 32 && !Nastroy->n21->isChecked()) continue;
        if (const QString e = QString::fromUtf8(r.loadEffect); IsStepEffect(e)) stepEffects.insert(e);
        if (LoadedAsGroup(id)) {
            if (id == SettingId::QsoTop || id == SettingId::LogGridWidth || id == SettingId::VoiceFile ||
                id == SettingId::LogFile || id == SettingId::ReminderCount || id == SettingId::AwardCount ||
                id == SettingId::SearchGridWidth || id == SettingId::CardTopColour ||
                id == SettingId::QslOriginXLegacy || id == SettingId::MixerLevel || id == SettingId::Chart1) {
                if (groupDone != id) LoadGroup(id);
                groupDone = id;
            }
            continue;
        }
        if (IsFamily(r)) {
            for (int i = r.first, last = FamilyLast(r); i <= last; ++i) LoadRow(id, i, lastOn);
        } else {
            LoadRow(id, -1, lastOn);
        }
    }
    AfterStep(stepEffects);
    ConnectSettingWriters();
}

void ConnectSettingWriters() {
    DisconnectSettingWriters();
    if (!Nastroy) return;
    auto *binder = new Binder;
    TheBinder = binder;
    for (const SettingRow &r : SettingsCatalogue()) {
        if (!BoundHere(r)) continue;
        if (r.codec == C::LptChoice) continue;
        if (IsFamily(r)) {
            for (int i = r.first; i <= r.last; ++i) Bind(binder, r, i);
        } else {
            Bind(binder, r, -1);
        }
    }
    for (QRadioButton *b : {Nastroy->RadioButton1, Nastroy->RadioButton3}) {
        b->setAutoExclusive(true);
        QObject::connect(b, &QAbstractButton::toggled, binder, [b](bool on) {
            if (!on) return;
            const QString choice = b == Nastroy->RadioButton1 ? QStringLiteral("1") : QStringLiteral("2");
            LptPorts(choice);
            Store(SettingId::Lpt, choice);
        });
    }
    // The UTC offset is stored at the window's OK.
    if (gmtf)
        QObject::connect(gmtf->SpeedButton1, &QPushButton::clicked, binder, [] { Store(SettingId::Gmt, gmtf->utc->text()); });
    // The next lead or tail takes a delay changed while one ran.
    if (form1)
        QObject::connect(form1->Timer3, &QTimer::timeout, binder, [] {
            if (PendingPttMs > 0) form1->Timer3->setInterval(PendingPttMs);
            PendingPttMs = 0;
        });
}

void DisconnectSettingWriters() {
    delete TheBinder.data();
    TheBinder = nullptr;
    PendingPttMs = 0;
}

} // namespace zelmor

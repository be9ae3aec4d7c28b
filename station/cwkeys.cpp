#include "station/cwkeys.h"

#include "logbook/cwhooks.h"
#include "logbook/form1.h"
#include "logbook/glawnf.h"
#include "logbook/logfile.h"
#include "logbook/qsostate.h"
#include "logbook/shutdown.h"
#include "logbook/startup.h"
#include "logbook/stationprofile.h"
#include "platform/parallelport.h"
#include "station/fcw.h"
#include "station/nastroy.h"
#include "station/recording.h"
#include "station/rxtx.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>
#include <memory>

namespace zelmor {

CwKeyer *Keyer = nullptr;

namespace {

std::unique_ptr<QtOneShotTimer> g_ptt;
std::unique_ptr<CwKeyer> g_keyer;

QString Field(const QLineEdit *e, const QString &placeholder = QString()) {
    const QString t = e->text();
    return t == placeholder && !placeholder.isEmpty() ? QString() : t;
}

void SendCommandLine(int line) {
    if (!Keyer || !Keyer->CwWorkOn() || line < 1 || line > 4) return;
    QCheckBox *boxes[4] = {Nastroy->cwcom10, Nastroy->cwcom11, Nastroy->cwcom12, Nastroy->cwcom13};
    if (!boxes[line - 1]->isChecked()) return;
    // The save's own command line never saves again.
    ExpandAndSendMacro(fcw->text(12 + line)->text(), line != 4);
}

} // namespace

void CreateCwKeyer(PeriodicTimer *normal, PeriodicTimer *fast, OneShotTimer *ptt) {
    g_ptt = std::make_unique<QtOneShotTimer>(form1->Timer3);
    g_keyer = std::make_unique<CwKeyer>(normal ? *normal : *glawnf->Timer1, fast ? *fast : *glawnf->Timer3,
                                        ptt ? *ptt : *g_ptt);
    Keyer = g_keyer.get();
    Keyer->view.AppendEcho = [](const QString &echo) { form1->Edit1->setText(form1->Edit1->text() + echo); };
    Keyer->view.ClearEcho = [] { form1->Edit1->clear(); };
    Keyer->view.AddSentText = [](const QString &text) { form1->Memo3->appendPlainText(text); };
    Keyer->view.ShowStatus = [](const QString &text) { StatusText = text; };
    Keyer->view.ShowCwWork = [](bool on) {
        form1->Panel7->setVisible(on);
        if (!on) form1->Memo3->hide();
        if (CwMenu.CheckCwWork) CwMenu.CheckCwWork(on);
    };
    LauncherHook.Timer1Timer = [] { Keyer->CwKeyerTick(0); };
    LauncherHook.Timer3Timer = [] { Keyer->CwKeyerTick(1); };
    CwCharacterTyped = [](QChar c) { Keyer->TypeCharacter(c); };
    CwPttTimerExpired = [] { Keyer->Timer3Timer(); };
    SendCwCommandLine = SendCommandLine;
    StartupHook.ResetCwFastSpeed = [] { Keyer->ResetCwFastSpeed(); };
    ShutDownCwKeyer = [] {
        Keyer->StopCwWork();
        Keyer->Halt();
    };
    // The rig going to CW and leaving it (with cw_ssb).
    TransceiverHook.StartCwWork = [] { zelmor::StartCwWork(); };
    TransceiverHook.StopCwWork = [] { zelmor::StopCwWork(); };
    const auto check = CwMenu.CheckCwWork; // the menu's own
    CwMenu = {SSBCW1Click, CW1Click, StopCW1Click, CW23Click, CW33Click, Cw2Click, Cw31Click,
              CwMemoryCellClick, [] { return zelmor::CwWorkOn(); }, check};
}

void DestroyCwKeyer() {
    TransceiverHook = {};
    CwMenu = {.CheckCwWork = CwMenu.CheckCwWork};
    ShutDownCwKeyer = nullptr;
    StartupHook.ResetCwFastSpeed = nullptr;
    SendCwCommandLine = nullptr;
    CwPttTimerExpired = nullptr;
    CwCharacterTyped = nullptr;
    // The clocks stop before the hooks their threads call go.
    g_keyer.reset();
    Keyer = nullptr;
    LauncherHook.Timer1Timer = nullptr;
    LauncherHook.Timer3Timer = nullptr;
    g_ptt.reset();
}

void StartCwWork() {
    if (Keyer) Keyer->StartCwWork();
}
void StopCwWork() {
    if (Keyer) Keyer->StopCwWork();
}
bool CwWorkOn() { return Keyer && Keyer->CwWorkOn(); }

void SSBCW1Click() {
    if (CwWorkOn()) StopCwWork();
    else StartCwWork();
}

void CW1Click() {
    if (Keyer) Keyer->StopCw();
    form1->Memo3->show();
    form1->Memo3->setFocus();
}

void StopCW1Click() {
    if (Keyer) Keyer->StopCw();
}

void Cw2Click() { form1->Memo3->clear(); }

void Cw31Click() { form1->Memo3->setVisible(form1->Memo3->isHidden()); }

namespace {
void StepNormalSpeed(int deltaMs) {
    const int ms = std::clamp(Nastroy->updo->value() + deltaMs, MinElementMs, MaxElementMs);
    // The up-down's change stores it, shows the speed and restarts a
    // running Timer1 (the settings binder).
    Nastroy->updo->setValue(ms);
}
} // namespace

void CW23Click() { StepNormalSpeed(+1); }
void CW33Click() { StepNormalSpeed(-1); }

const std::array<CwMemoryCell, 22> &CwMemoryCells() {
    static const std::array<CwMemoryCell, 22> cells = {{
        {"cqrus11", "Звук1 / Командная строка CW 1", "F2", 1},
        {"cqrus21", "Звук2 / Командная строка CW 2", "F3", 2},
        {"cqrus31", "Звук3 / Командная строка CW 3", "F4", 3},
        {"cqlat11", "Звук4 / Командная строка CW 4", "F5", 4},
        {"cqlat21", "Звук5 / Командная строка CW 5", "F6", 5},
        {"cqlat31", "Звук6 / Командная строка CW 6", "F7", 6},
        {"cwf31", "Командная строка CW 7", "F8", 7},
        {"cwf21", "Командная строка CW 8", "F9", 8},
        {"cwf42", "Командная строка CW 9", "F10", 9},
        {"cwf41", "Командная строка CW 10", "F11", 10},
        {"cwf61", "Командная строка CW 11", "F12", 11},
        {"N11", "Командная строка CW 12", "Alt+F2", 13},
        {"N25", "Командная строка CW 13", "Alt+F3", 14},
        {"N31", "Командная строка CW 14", "Alt+F4", 15},
        {"N41", "Командная строка CW 15", "Alt+F5", 16},
        {"N52", "Командная строка CW 16", "Ctrl+F6", 17},
        {"N63", "Командная строка CW 17", "Alt+F7", 18},
        {"N71", "Командная строка CW 18", "Alt+F8", 19},
        {"N81", "Командная строка CW 19", "Alt+F9", 20},
        {"N91", "Командная строка CW 20", "Alt+F10", 21},
        {"N101", "Командная строка CW 21", "Alt+F11", 22},
        {"cwf71", "Командная строка CW 22", "Alt+F12", 12},
    }};
    return cells;
}

void CwMemoryCellClick(int text) {
    if (!fcw || text < 1 || text > CwTextCount) return;
    if (text <= 6 && !CwWorkOn()) {
        // Through the media player, so the stop key ends a long message.
        PlayVoiceMessage(Nastroy->voiceKeyFile(text - 1)->text());
        return;
    }
    if (text == 12) {
        if (CwWorkOn()) Keyer->SendCwTextRaw(fcw->cwf7->text());
        return;
    }
    ExpandAndSendMacro(fcw->text(text)->text());
}

void ExpandAndSendMacro(const QString &text, bool maySave) {
    if (!Keyer) return;
    MacroContext c;
    c.call = form1->call->text();
    c.name = form1->name1->text();
    c.qth = form1->qth->text();
    c.rsts = Field(form1->rsts, RstSentPlaceholder);
    c.rst = Field(form1->rst, RstReceivedPlaceholder);
    c.address = StationProfile.address;
    if (fcw) c.texts = fcw->texts();
    const ExpandedMacro m = ExpandMacroText(text, c);
    const bool sent = Keyer->SendCwTextRaw(m.text);
    if (sent && m.save && maySave) form1->SaveQso();
}

} // namespace zelmor

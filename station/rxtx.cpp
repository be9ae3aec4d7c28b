#include "station/rxtx.h"

#include "logbook/form1.h"
#include "logbook/glawnf.h"
#include "logbook/qsostate.h"
#include "platform/dialogs.h"
#include "station/catsettings.h"
#include "station/nastroy.h"

#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace zelmor {

Trxtx *rxtx = nullptr;
TransceiverHooks TransceiverHook;

namespace {

bool Checked(QCheckBox *b) { return b && b->isChecked(); }

// The QSO window and the settings as the poll cycle sees them.
class QsoWindowCatView : public CatView {
public:
    QString vfob() const override { return form1 ? form1->vfob->text() : QString(); }
    void setVfob(const QString &t) override {
        if (form1) form1->vfob->setText(t);
    }
    void setVfoa(const QString &t) override {
        if (form1) form1->vfoa->setText(t);
    }
    void setBandField(const QString &t) override {
        if (form1) form1->cb1->setText(t);
    }
    void setModeLabel(const QString &t) override {
        if (form1) form1->lsb->setText(t);
    }
    void setModeField(const QString &t) override {
        if (form1) form1->cb2->setText(t);
    }
    void chartChanged(const BandPointChart &chart) override {
        if (!form1) return;
        form1->chart2 = chart;
        form1->bandChartChanged();
    }
    QString callText() const override { return form1 ? form1->call->text() : QString(); }
    void setCallText(const QString &t) override {
        if (form1) form1->call->setText(t);
    }
    void setStatusText(const QString &t) override { StatusText = t; }
    void showError(const QString &t) override { ShowErrorBox(t); }
    void startCwWork() override {
        if (TransceiverHook.StartCwWork) TransceiverHook.StartCwWork();
    }
    void stopCwWork() override {
        if (TransceiverHook.StopCwWork) TransceiverHook.StopCwWork();
    }
    bool bandFieldKept() const override { return Nastroy && Checked(Nastroy->tcb2); }
    bool editMode() const override { return EditMode == 1; }
    bool cwFollowsMode() const override { return Nastroy && Checked(Nastroy->cw_ssb); }
    bool pollOnCommand() const override { return Nastroy && Checked(Nastroy->rxtx_1); }
    bool pollWhileTyping() const override { return Nastroy && Checked(Nastroy->rxtx_call); }
};

QLabel *SwitchLabel(QWidget *parent, const char *name, const QString &caption) {
    auto *l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->hide();
    return l;
}

} // namespace

Trxtx::Trxtx(QWidget *parent) : QWidget(parent, Qt::Window), view_(std::make_unique<QsoWindowCatView>()) {
    setObjectName(QStringLiteral("rxtx"));
    setWindowTitle(CatWindowCaption(RadioModel::ft840));

    port1 = new TCommPortDriver(this);
    port1->setObjectName(QStringLiteral("port1"));
    port1->SetComPortNumber(pnCOM1);
    port1->SetComPortBaudRate(br4800);
    port1->OnReceiveData = [this](TCommPortDriver *, const char *data, int size) { port1ReceiveData(data, size); };
    port1->OnPortError = [this](const QString &error) {
        linkLost(QStringLiteral("Порт трансивера ") + port1->PortDisplayName() + QStringLiteral(": ") + error);
    };

    auto timer = [this](const char *name, int ms) {
        auto *t = new QTimer(this);
        t->setObjectName(QString::fromLatin1(name));
        t->setInterval(ms);
        return t;
    };
    Timer1 = timer("Timer1", 55);
    Timer2 = timer("Timer2", 5000);
    Timer2->setSingleShot(true);
    Timer3 = timer("Timer3", 700);
    connect(Timer1, &QTimer::timeout, this, &Trxtx::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &Trxtx::Timer2Timer);
    connect(Timer3, &QTimer::timeout, this, &Trxtx::Timer3Timer);

    Label5 = SwitchLabel(this, "Label5", QStringLiteral("SPLIT"));
    Label1 = SwitchLabel(this, "Label1", QStringLiteral("PTT"));
    Label8 = SwitchLabel(this, "Label8", QStringLiteral("LOCK"));
    auto *layout = new QVBoxLayout(this);
    for (QLabel *l : {Label5, Label1, Label8}) layout->addWidget(l);

    engine = new CatEngine(view_.get(), this);
    engine->setObjectName(QStringLiteral("engine"));
    // The pacer never waits on the GUI thread: a port that does not take
    // the byte now gets it at the next tick.
    engine->sendByte = [this](char c) { return port1->SendComData(&c, 1, 0) == 1; };
    connect(engine, &CatEngine::switchesChanged, this, &Trxtx::syncSwitches);
    connect(engine, &CatEngine::rigSilent, this,
            [this] { linkLost(QStringLiteral("Трансивер не отвечает: ") + port1->PortDisplayName()); });
}

Trxtx::~Trxtx() {
    ShutDown();
    if (form1) form1->ch12->removeEventFilter(this);
}

bool Trxtx::OpenComPort() {
    if (closing_) ShutDown();
    if (port1->IsComPortOpen()) return true;
    const CatLinkSettings settings = ReadCatLinkSettings();
    ApplyCatLinkSettings(settings, *port1);
    engine->model = settings.model;
    setWindowTitle(CatWindowCaption(settings.model));
    if (!port1->OpenComPort()) {
        failureText_ = QStringLiteral("Не удалось открыть порт трансивера ") + port1->PortDisplayName() +
                       QStringLiteral(": ") + port1->LastOpenError();
        return false;
    }
    failureText_.clear();
    engine->reset();
    engine->FormActivate();
    Timer3->setInterval(700);
    return true;
}

void Trxtx::CloseComPort() {
    Timer3->stop();
    Timer2->stop();
    if (!port1->IsComPortOpen()) {
        finishClose();
        return;
    }
    engine->prepareClose();
    if (engine->pacerBusy()) {
        closing_ = true;
        if (!Timer1->isActive()) Timer1->start();
        return;
    }
    finishClose();
}

void Trxtx::finishClose() {
    Timer1->stop();
    closing_ = false;
    port1->CloseComPort();
}

void Trxtx::ShutDown() {
    Timer1->stop();
    Timer2->stop();
    Timer3->stop();
    if (port1->IsComPortOpen()) {
        const QByteArray rest = engine->takeRemaining();
        if (!rest.isEmpty()) port1->SendComBuffer(rest.constData(), int(rest.size()));
    }
    finishClose();
}

void Trxtx::linkLost(const QString &message) {
    SwitchTransceiverLinkOff();
    if (rxtx != this) CloseComPort();
    StatusText = message;
}

void Trxtx::syncSwitches() {
    Label5->setVisible(engine->splitOn);
    Label1->setVisible(engine->pttOn);
    Label8->setVisible(engine->lockOn);
}

void Trxtx::Timer1Timer() {
    const bool more = port1->IsComPortOpen() && engine->onPacerTick();
    if (more) return;
    Timer1->stop();
    if (closing_) finishClose();
}

void Trxtx::Timer2Timer() { engine->onSecondDecode(); }

void Trxtx::Timer3Timer() {
    if (!port1->IsComPortOpen() || closing_) {
        Timer3->stop();
        return;
    }
    const int next = engine->onPollTick();
    // Three unanswered requests have switched the link off.
    if (!port1->IsComPortOpen() || closing_ || !Timer3->isActive()) return;
    if (next == 0) {
        Timer3->stop();
        Timer2->start();
    } else {
        Timer3->setInterval(next);
    }
    if (engine->pacerBusy() && !Timer1->isActive()) Timer1->start();
}

void Trxtx::port1ReceiveData(const char *data, int size) { engine->onReceive(data, size); }

void Trxtx::FormActivate() { engine->FormActivate(); }

void Trxtx::showEvent(QShowEvent *e) {
    FormActivate();
    QWidget::showEvent(e);
}

void Trxtx::N50Click() { engine->N50Click(); }
void Trxtx::Lock1Click() { engine->Lock1Click(); }
void Trxtx::AB1Click() { engine->AB1Click(); }
void Trxtx::AB2Click() { engine->AB2Click(); }
void Trxtx::USB1Click() { engine->USB1Click(); }
void Trxtx::LSB1Click() { engine->LSB1Click(); }
void Trxtx::CW20Click() { engine->CW20Click(); }
void Trxtx::CW21Click() { engine->CW21Click(); }
void Trxtx::AB3Click() { engine->AB3Click(); }
void Trxtx::PTT1Click() { engine->PTT1Click(); }
void Trxtx::F100Hz1Click() { engine->F100Hz1Click(); }
void Trxtx::F100Hz2Click() { engine->F100Hz2Click(); }
void Trxtx::N54Click() { engine->N54Click(); }
void Trxtx::N56Click() { engine->N56Click(); }
void Trxtx::n67Click() { engine->RememberCallAtFrequency(); }
void Trxtx::n64Click() { engine->ClearCallMemory(); }

void Trxtx::N13Click() {
    if (!engine->N13Click() || !form1) return;
    form1->ch12->setEnabled(true);
    form1->ch12->setMaximum(int(engine->channels.size()) - 1);
    form1->ch12->setFocus();
}

void Trxtx::N6Click() {
    if (Nastroy && Checked(Nastroy->rxtx_1) && port1->IsComPortOpen() && !closing_) Timer3->start();
}

void Trxtx::StartTransceiverPoll() {
    if (form1 && form1->Label5->text() == LinkOnText && port1->IsComPortOpen() && !closing_) Timer3->start();
}

void Trxtx::GiveBandChartMarkers() {
    if (!form1) return;
    form1->chart2.series5 = {QPointF(14235, 1)};
    form1->chart2.series6 = {QPointF(14100, 1)};
    // Shown on the 14 MHz range until the rig reports its band.
    form1->chart2.axisMin = BandChartRanges[4].first;
    form1->chart2.axisMax = BandChartRanges[4].second;
    form1->bandChartChanged();
}

void Trxtx::ConnectQsoWindow() {
    if (!form1) return;
    connect(form1->ch12, &QScrollBar::valueChanged, this, [this](int v) { engine->SelectChannel(v); });
    form1->ch12->installEventFilter(this);
}

bool Trxtx::eventFilter(QObject *watched, QEvent *event) {
    if (form1 && watched == form1->ch12) {
        if (event->type() == QEvent::FocusOut) {
            form1->ch12->setEnabled(false);
        } else if (event->type() == QEvent::KeyRelease) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Escape) {
                form1->ch12->setEnabled(false);
                form1->call->setFocus();
                return true;
            }
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                const int c = engine->currentChannel;
                if (c >= 0 && c < engine->channels.size()) engine->TuneToFrequencyText(engine->channels[c]);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zelmor

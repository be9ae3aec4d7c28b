#include "station/catengine.h"

#include "common/text.h"

#include <cstdlib>

namespace zelmor {

namespace {
// The ten-hertz number of a dotted frequency text, or nothing.
std::optional<qint64> TenHzOf(const QString &dotted) {
    QString digits = dotted;
    digits.remove(u'.');
    bool ok = false;
    const qint64 v = Trim(digits).toLongLong(&ok);
    if (!ok || v < 0) return std::nullopt;
    return v;
}

// Seven digits, as the set-frequency command takes them; nothing from
// 100 MHz up, which seven digits cannot hold.
std::optional<QString> SevenDigits(qint64 tenHz) {
    if (tenHz < 0 || tenHz > 9999999) return std::nullopt;
    return QString::number(tenHz).rightJustified(7, u'0');
}
} // namespace

CatEngine::CatEngine(CatView *view, QObject *parent) : QObject(parent), view_(view) {}

void CatEngine::reset() {
    queue_.clear();
    outgoing_.clear();
    next_.clear();
    pacerIndex_ = 0;
    CatReply.clear();
    CatCommandPending = 0;
    CatPollCounter = 0;
    replyDue_ = false;
    outgoingExpectsReply_ = false;
    nextExpectsReply_ = false;
    silentPolls = 0;
    closing_ = false;
}

void CatEngine::FormActivate() {
    if (IsKenwood(model)) KenwoodPollStep = 0;
}

int CatEngine::onPollTick() {
    int interval = model == RadioModel::ft990_2 ? 5000 : 1000;
    ++CatPollCounter;
    if ((view_->pollOnCommand() || view_->pollWhileTyping()) && CatPollCounter > 1) {
        CatPollCounter = 0;
        interval = 0;
    }
    const CatStatus status = DecodeStatus(model, CatReply);
    ApplyStatus(status);
    // Only a request whose last byte went out a period ago counts as
    // unanswered: one the pacer is still sending (a busy machine) does not.
    if (status.answered) silentPolls = 0;
    else if (replyDue_) ++silentPolls;
    replyDue_ = false;
    RecallCallAtFrequency();
    CatReply.clear();
    if (silentPolls >= SilentPollLimit) {
        silentPolls = 0;
        emit rigSilent();
        return 0;
    }
    if (!queue_.empty()) {
        const QByteArray block = queue_.front();
        queue_.pop_front();
        startBlock(block, false);
    } else {
        PrepareStatusPoll();
    }
    CatCommandPending = queue_.empty() ? 0 : 1;
    return interval;
}

void CatEngine::PrepareStatusPoll() {
    if (IsKenwood(model)) {
        const QByteArray poll = KenwoodPoll(KenwoodPollStep);
        KenwoodPollStep = (KenwoodPollStep + 1) % 3;
        startBlock(poll, true);
    } else {
        startBlock(StatusRequest(model), true);
    }
}

void CatEngine::startBlock(const QByteArray &block, bool expectsReply) {
    if (block.isEmpty()) return;
    if (!outgoing_.isEmpty()) {
        // One block at a time: this one follows the last byte of the one
        // going out. A command it would displace waits at the queue's head.
        if (!next_.isEmpty() && !nextExpectsReply_) queue_.push_front(next_);
        next_ = block;
        nextExpectsReply_ = expectsReply;
        return;
    }
    outgoing_ = block;
    pacerIndex_ = 0;
    outgoingExpectsReply_ = expectsReply;
}

bool CatEngine::onPacerTick() {
    if (outgoing_.isEmpty()) {
        if (next_.isEmpty()) return false;
        outgoing_ = next_;
        pacerIndex_ = 0;
        outgoingExpectsReply_ = nextExpectsReply_;
        next_.clear();
    }
    // A byte the port could not take goes again at the next tick: a block
    // never loses a byte in its middle.
    if (sendByte && !sendByte(outgoing_[pacerIndex_])) return true;
    if (++pacerIndex_ >= outgoing_.size()) {
        outgoing_.clear();
        pacerIndex_ = 0;
        if (outgoingExpectsReply_) replyDue_ = true;
    }
    return pacerBusy();
}

void CatEngine::onReceive(const char *data, int size) {
    const int room = ReplyLimit - int(CatReply.size());
    if (room > 0) CatReply.append(data, qMin(size, room));
}

void CatEngine::onSecondDecode() {
    if (model == RadioModel::ft990_2) ApplyStatus(DecodeFt990Mode2Status(CatReply));
}

void CatEngine::prepareClose() {
    queue_.clear();
    next_.clear();
    if (pttOn) {
        pttOn = false;
        startBlock(PttCommand(model, false), false);
        emit switchesChanged();
    }
}

QByteArray CatEngine::takeRemaining() {
    prepareClose();
    QByteArray rest = outgoing_.mid(pacerIndex_) + next_;
    outgoing_.clear();
    outgoingExpectsReply_ = false;
    next_.clear();
    pacerIndex_ = 0;
    return rest;
}

void CatEngine::queueCommand(const QByteArray &block) {
    if (block.isEmpty()) return;
    queue_.push_back(block);
    CatCommandPending = 1;
}

bool CatEngine::QueueSetFrequencyCommand(const QString &text) {
    const QString t = Trim(text);
    if (t.isEmpty()) return false;
    const std::optional<QByteArray> cmd = SetFrequencyCommand(model, t);
    if (!cmd) {
        view_->showError(QStringLiteral("Неверная частота: ") + text);
        return false;
    }
    queueCommand(*cmd);
    return true;
}

void CatEngine::TuneToFrequencyText(const QString &dotted) {
    if (Trim(dotted).isEmpty()) return;
    const std::optional<qint64> v = TenHzOf(dotted);
    if (!v) {
        view_->showError(QStringLiteral("Неверная частота: ") + dotted);
        return;
    }
    if (const auto digits = SevenDigits(*v)) QueueSetFrequencyCommand(*digits);
}

void CatEngine::N50Click() {
    if (QueueSetFrequencyCommand(view_->callText())) view_->setCallText(QString());
}

void CatEngine::nudgeFrequency(int tenHz) {
    const std::optional<qint64> v = TenHzOf(view_->vfob());
    if (!v) return;
    if (const auto digits = SevenDigits(*v + tenHz)) QueueSetFrequencyCommand(*digits);
}

void CatEngine::F100Hz1Click() { nudgeFrequency(10); }
void CatEngine::F100Hz2Click() { nudgeFrequency(-10); }

void CatEngine::Lock1Click() {
    lockOn = !lockOn;
    queueCommand(LockCommand(model, lockOn));
    emit switchesChanged();
}

void CatEngine::USB1Click() {
    splitOn = !splitOn;
    queueCommand(SplitCommand(model, splitOn));
    emit switchesChanged();
}

void CatEngine::PTT1Click() {
    pttOn = !pttOn;
    queueCommand(PttCommand(model, pttOn));
    emit switchesChanged();
}

void CatEngine::AB1Click() { queueCommand(VfoCommand(model, false)); }
void CatEngine::AB2Click() { queueCommand(VfoCommand(model, true)); }
void CatEngine::LSB1Click() { queueCommand(ModeCommand(model, CatMode::Lsb)); }
void CatEngine::CW20Click() { queueCommand(ModeCommand(model, CatMode::Usb)); }
void CatEngine::CW21Click() { queueCommand(ModeCommand(model, CatMode::Cw)); }

void CatEngine::AB3Click() {
    if (IsKenwood(model)) {
        view_->setStatusText(KenwoodNoAeqBText);
        return;
    }
    queueCommand(EqualizeVfosCommand(model));
}

void CatEngine::N54Click() {
    const QString f = view_->vfob();
    if (Trim(f).isEmpty()) return;
    channels << f;
    currentChannel = int(channels.size()) - 1;
}

void CatEngine::N56Click() {
    if (currentChannel >= 0 && currentChannel < channels.size()) TuneToFrequencyText(channels[currentChannel]);
}

bool CatEngine::N13Click() {
    if (channels.isEmpty()) {
        view_->setStatusText(QStringLiteral("Каналы памяти пусты"));
        return false;
    }
    return true;
}

void CatEngine::SelectChannel(int index) {
    if (index < 0 || index >= channels.size()) return;
    currentChannel = index;
    view_->setStatusText(QStringLiteral("Канал памяти № ") + QString::number(index) + QStringLiteral(" частота ") +
                         channels[index]);
}

void CatEngine::RememberCallAtFrequency() {
    const QString call = view_->callText();
    if (Trim(call).isEmpty()) return;
    memoryCalls << call;
    memoryFrequencies << QString::number(CurrentFrequency);
    while (memoryCalls.size() > CallMemorySize) {
        memoryCalls.removeFirst();
        memoryFrequencies.removeFirst();
    }
    view_->setCallText(QString());
}

void CatEngine::ClearCallMemory() {
    memoryCalls.clear();
    memoryFrequencies.clear();
}

void CatEngine::RecallCallAtFrequency() {
    const std::optional<qint64> v = TenHzOf(view_->vfob());
    CurrentFrequency = v.value_or(0);
    if (!v || view_->editMode()) return;
    for (qsizetype i = memoryFrequencies.size() - 1; i >= 0; --i) {
        const qint64 f = memoryFrequencies[i].toLongLong();
        if (std::llabs(f - CurrentFrequency) < 150) {
            if (memoryCalls[i] != LastRecalledCall) {
                view_->setCallText(memoryCalls[i]);
                LastRecalledCall = memoryCalls[i];
            }
            return;
        }
    }
    if (!LastRecalledCall.isEmpty() && view_->callText() == LastRecalledCall) view_->setCallText(QString());
    LastRecalledCall.clear();
}

void CatEngine::ShowRadioMode(const QString &mode) {
    if (view_->editMode()) return;
    const bool cw = mode == QLatin1String("CW");
    const bool wasCw = lastMode_ == QLatin1String("CW");
    lastMode_ = mode;
    // CW work follows a change of the rig's mode, not every report of it.
    if (view_->cwFollowsMode()) {
        if (cw && !wasCw) view_->startCwWork();
        else if (!cw && wasCw) view_->stopCwWork();
    }
    const bool keepField = view_->bandFieldKept();
    if (mode == QLatin1String("USB") || mode == QLatin1String("LSB")) {
        view_->setModeLabel(mode);
        if (!keepField) view_->setModeField(QStringLiteral("SSB"));
    } else if (cw || mode == QLatin1String("AM") || mode == QLatin1String("FM") || mode == QLatin1String("RTTY")) {
        view_->setModeLabel(mode);
        if (!keepField) view_->setModeField(mode);
    }
}

void CatEngine::UpdateBandChart(qint64 kHz) {
    chart.series5.clear();
    chart.series6.clear();
    if (CurrentBandIndex < 0 || CurrentBandIndex >= ChartBandCount) return;
    const auto &range = BandChartRanges[CurrentBandIndex];
    if (chart.axisMin != range.first) {
        chart.axisMin = range.first;
        chart.axisMax = range.second;
    }
    chart.series5.push_back(QPointF(double(kHz), 0));
}

void CatEngine::ApplyStatus(const CatStatus &s) {
    bool plotted = false;
    bool chartTouched = false;
    if (s.vfob) {
        view_->setVfob(*s.vfob);
        const DetectedBand band = DetectBandFromFrequency(*s.vfob);
        CurrentBandIndex = band.chartBand;
        if (!view_->bandFieldKept() && !view_->editMode()) view_->setBandField(band.name);
        chartTouched = true;
        if (band.chartBand >= 0 && s.chartB) {
            UpdateBandChart(*s.chartB);
            plotted = true;
        } else {
            // Off the chart bands, or a rig whose frequencies are not
            // plotted: no point is left from before.
            chart.series5.clear();
            chart.series6.clear();
        }
    }
    if (s.vfoa) {
        view_->setVfoa(*s.vfoa);
        if (plotted && s.chartA) chart.series6.push_back(QPointF(double(*s.chartA), 0));
    }
    if (chartTouched) view_->chartChanged(chart);
    if (!s.mode.isEmpty()) ShowRadioMode(s.mode);
}

} // namespace zelmor

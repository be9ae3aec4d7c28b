#include "station/oscilloscope.h"

#include "platform/sound.h"

#include <QPainter>
#include <algorithm>

namespace zelmor {

namespace {
// 0x00BBGGRR colours of the picture.
const QColor Red(0xFF, 0, 0), Blue(0, 0, 0xFF), Green(0, 0xFF, 0);
constexpr int GridStep = 15;
} // namespace

OscilloscopeFrame BuildOscilloscopeFrame(const std::vector<qint16> &latest, quint8 previous) {
    OscilloscopeFrame f;
    f.previous = previous;
    f.samples.fill(128);
    const size_t n = std::min(latest.size(), size_t(ScopeSamples));
    const size_t from = latest.size() - n;
    for (size_t i = 0; i < n; ++i) f.samples[ScopeSamples - n + i] = ScopeSample(latest[from + i]);
    return f;
}

std::array<QPoint, ScopeSamples + 1> TracePoints(const OscilloscopeFrame &frame) {
    std::array<QPoint, ScopeSamples + 1> p;
    p[0] = QPoint(0, ScopeY(frame.previous));
    for (int x = 0; x < ScopeSamples; ++x) p[size_t(x) + 1] = QPoint(x, ScopeY(frame.samples[size_t(x)]));
    return p;
}

void PaintOscilloscope(QImage &image, const OscilloscopeFrame &frame) {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(0, 0, ScopeSize, ScopeSize, Qt::black);
    p.setPen(QPen(Red, 0));
    p.drawRect(0, 0, ScopeSize - 1, ScopeSize - 1);
    p.setPen(QPen(Blue, 0));
    for (int y = 0; y <= 120; y += GridStep) p.drawLine(0, y, ScopeSize - 1, y);
    for (int x = 0; x <= 135; x += GridStep) p.drawLine(x, 0, x, ScopeSize - 1);
    p.setPen(QPen(Green, 0));
    const auto points = TracePoints(frame);
    p.drawPolyline(points.data(), int(points.size()));
}

Oscilloscope::Oscilloscope() : image_(ScopeSize, ScopeSize, QImage::Format_RGB32) {
    PaintOscilloscope(image_, BuildOscilloscopeFrame({}, previous_));
}

Oscilloscope::~Oscilloscope() { stop(); }

bool Oscilloscope::start() { return platform::soundInput().acquire(SoundInput::Scope); }

void Oscilloscope::stop() { platform::soundInput().release(SoundInput::Scope); }

const QImage &Oscilloscope::DrawOscillogram() {
    SoundInput &input = platform::soundInput();
    const OscilloscopeFrame f = BuildOscilloscopeFrame(
        input.heldBy(SoundInput::Scope) ? input.latest(ScopeSamples) : std::vector<qint16>(), previous_);
    previous_ = f.samples.back();
    PaintOscilloscope(image_, f);
    return image_;
}

} // namespace zelmor


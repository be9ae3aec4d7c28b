#pragma once
// The QSO window's oscilloscope: 131 samples of the sound input per frame,
// drawn as a green trace over a blue grid on a 140 x 140 black picture with
// a red outline. The frame is a plain model; QPainter draws it.
#include <QImage>
#include <QPoint>
#include <QtGlobal>
#include <array>
#include <vector>

namespace zelmor {

inline constexpr int ScopeSize = 140;
inline constexpr int ScopeSamples = 131;

// A 16-bit sample as the picture's 8-bit one: its high byte + 128.
inline quint8 ScopeSample(qint16 s) { return quint8((s >> 8) + 128); }
// The row of an 8-bit sample: 128 is the middle line (60), the whole range
// stays on the picture.
inline int ScopeY(int s) { return s < 68 ? 0 : s - 68 > ScopeSize - 1 ? ScopeSize - 1 : s - 68; }

struct OscilloscopeFrame {
    quint8 previous = 128; // the last sample of the frame before
    std::array<quint8, ScopeSamples> samples{};
};

// The latest samples of the input (oldest first) as a frame: the last 131,
// with 128 in front while fewer came.
OscilloscopeFrame BuildOscilloscopeFrame(const std::vector<qint16> &latest, quint8 previous);
// The trace: from (0, y(previous)) through (x, y(sample x)) for x = 0..130.
std::array<QPoint, ScopeSamples + 1> TracePoints(const OscilloscopeFrame &frame);
// Draws the frame on a 140 x 140 picture.
void PaintOscilloscope(QImage &image, const OscilloscopeFrame &frame);

// The frames of the running oscilloscope, from the installed sound input.
class Oscilloscope {
public:
    Oscilloscope();
    ~Oscilloscope();
    // Holds the input; false when it cannot (no device), and the frames
    // then show a flat trace.
    bool start();
    void stop();
    // One frame from the input's latest samples.
    const QImage &DrawOscillogram();
    const QImage &image() const { return image_; }

private:
    QImage image_;
    quint8 previous_ = 128;
};

} // namespace zelmor

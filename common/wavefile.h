#pragma once
// RIFF/WAVE files of PCM samples: the recording "Текущий.wav" is written as
// 16-bit mono with the canonical 44-byte header, whatever the sound card
// captured, and the lengths of wave files are read from their headers.
#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

class QIODevice;

namespace zelmor {

// How captured samples are laid out: interleaved frames of `channels`
// samples of one kind.
enum class SampleKind : unsigned char { UInt8, Int16, Int32, Float };

struct PcmFormat {
    int rate = 22050;
    int channels = 1;
    SampleKind kind = SampleKind::Int16;
    int bytesPerSample() const;
    int bytesPerFrame() const { return bytesPerSample() * channels; }
    bool valid() const { return rate > 0 && channels > 0; }
    bool operator==(const PcmFormat &) const = default;
};

// The format "Текущий.wav" is recorded in when the device allows it.
inline constexpr PcmFormat RecordingFormat{22050, 1, SampleKind::Int16};

// Appends `frames` whole frames of `data` as 16-bit mono: float and 32-bit
// samples are scaled to 16 bits, 8-bit ones centred, the channels of a frame
// averaged.
void AppendMono16(const char *data, qsizetype frames, const PcmFormat &format, std::vector<qint16> &out);

// The canonical 44-byte header of a 16-bit mono file.
QByteArray WaveHeader(int rate, quint32 dataBytes);

// Writes a 16-bit mono wave file to a device opened for writing at its
// start: the header first with no data, the samples as they come, the sizes
// at the end. After a failed write the device's error is kept and nothing
// more is written but the sizes of what reached it.
class WaveWriter {
public:
    WaveWriter(QIODevice &device, int rate);
    bool begin();
    bool append(const qint16 *samples, qsizetype count);
    // The sizes of the bytes written into the header, the file cut after them.
    bool finish();
    quint32 dataBytes() const { return dataBytes_; }
    bool failed() const { return !error_.isEmpty(); }
    QString error() const { return error_; }

private:
    bool fail();
    QIODevice &device_;
    int rate_;
    quint32 dataBytes_ = 0;
    QString error_;
};

// Length of a PCM wave file from its header; none when it is not one.
std::optional<int> WaveDurationMs(const QString &path);

} // namespace zelmor

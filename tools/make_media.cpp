// The world map and the sounds of the program folder.
#include "make_data.h"

#include "common/recordfile.h"
#include "logbook/bearing.h"

#include <QImage>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace zelmor::makedata {

// ---- map.bmp ---------------------------------------------------------------
//
// The program puts a station at x = Int(lon / 20 * 38 + 328),
// y = Int(lat / -20 * 38 + 189) and then pushes it away from the centre by
// |x - 328| div 18 and |y - 189| div 10. The map is resampled so that every
// place lands there: each map pixel is taken back through that rule
// (MapPixelToLonLat, the program's own inverse) to a longitude and latitude,
// and the day map is averaged over a 4 x 4 grid of points inside the pixel.

namespace {
constexpr int MapWidth = 689, MapHeight = 361;

double LongitudeAt(double x) { return MapPixelToLonLat(x, 0).x(); }
double LatitudeAt(double y) { return MapPixelToLonLat(0, y).y(); }
} // namespace

void MakeMap(const QString &earthImage, const QString &outDir) {
    const QImage earth = QImage(earthImage).convertToFormat(QImage::Format_RGB32);
    if (earth.isNull()) throw SourceError(QStringLiteral("cannot read the day map %1").arg(earthImage));
    const int w = earth.width(), h = earth.height();
    QImage map(MapWidth, MapHeight, QImage::Format_RGB32);
    constexpr int Sub = 4;
    for (int py = 0; py < MapHeight; ++py) {
        for (int px = 0; px < MapWidth; ++px) {
            int r = 0, g = 0, b = 0;
            for (int sy = 0; sy < Sub; ++sy) {
                const double lat = LatitudeAt(py + (sy + 0.5) / Sub);
                const int iy = std::clamp(int(std::floor((90.0 - lat) / 180.0 * h)), 0, h - 1);
                for (int sx = 0; sx < Sub; ++sx) {
                    double lon = LongitudeAt(px + (sx + 0.5) / Sub);
                    lon = std::fmod(lon + 540.0, 360.0) - 180.0;
                    const int ix = std::clamp(int(std::floor((lon + 180.0) / 360.0 * w)), 0, w - 1);
                    const QRgb c = earth.pixel(ix, iy);
                    r += qRed(c);
                    g += qGreen(c);
                    b += qBlue(c);
                }
            }
            constexpr int n = Sub * Sub;
            map.setPixel(px, py, qRgb((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n));
        }
    }
    // Qt writes 32-bit images as 24-bit BMP without any time stamp.
    map.setDotsPerMeterX(3780);
    map.setDotsPerMeterY(3780);
    if (!map.save(outDir + QStringLiteral("/map.bmp"), "BMP"))
        throw SourceError(QStringLiteral("cannot write map.bmp"));
}

// ---- sounds ------------------------------------------------------------------
//
// 16-bit PCM mono at 22050 Hz, synthesised; the whoosh's noise comes from a
// fixed-seed generator, so every run writes the same samples.

namespace {

constexpr int Rate = 22050;
constexpr double Pi = 3.14159265358979323846;

QByteArray Wave(const std::vector<double> &samples) {
    QByteArray pcm;
    pcm.reserve(qsizetype(samples.size() * 2));
    for (double s : samples) {
        const auto v = int16_t(std::lround(std::clamp(s, -1.0, 1.0) * 32767.0));
        pcm.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
    }
    auto le32 = [](QByteArray &b, uint32_t v) { for (int i = 0; i < 4; ++i) b.append(char((v >> (8 * i)) & 0xFF)); };
    auto le16 = [](QByteArray &b, uint16_t v) { b.append(char(v & 0xFF)).append(char(v >> 8)); };
    QByteArray out("RIFF");
    le32(out, uint32_t(36 + pcm.size()));
    out += "WAVEfmt ";
    le32(out, 16);
    le16(out, 1); // PCM
    le16(out, 1); // mono
    le32(out, Rate);
    le32(out, Rate * 2);
    le16(out, 2);
    le16(out, 16);
    out += "data";
    le32(out, uint32_t(pcm.size()));
    return out + pcm;
}

// The closing chime: three falling bell notes.
std::vector<double> Chime() {
    std::vector<double> s(size_t(Rate * 1.3), 0.0);
    const double notes[3] = {1318.5, 1046.5, 784.0};
    for (int k = 0; k < 3; ++k) {
        const size_t start = size_t(k * 0.22 * Rate);
        for (size_t i = start; i < s.size(); ++i) {
            const double t = double(i - start) / Rate;
            const double env = std::exp(-t * 4.0) * std::min(1.0, t * 200.0);
            s[i] += 0.25 * env * (std::sin(2 * Pi * notes[k] * t) + 0.3 * std::sin(2 * Pi * 2 * notes[k] * t));
        }
    }
    return s;
}

// The reminder ring: two bursts of a telephone-like trill.
std::vector<double> Ring() {
    std::vector<double> s(size_t(Rate * 1.0), 0.0);
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / Rate;
        const bool on = t < 0.4 || (t >= 0.6 && t < 1.0);
        if (!on) continue;
        const double local = t < 0.4 ? t : t - 0.6;
        const double edge = std::min({1.0, local * 100.0, (0.4 - local) * 100.0});
        const double f = std::fmod(t * 25.0, 1.0) < 0.5 ? 1400.0 : 1750.0;
        s[i] = 0.45 * edge * std::sin(2 * Pi * f * t);
    }
    return s;
}

// A whoosh: noise through a low-pass filter whose corner sweeps up and down.
std::vector<double> Whoosh() {
    std::mt19937 gen(0x5A454Cu); // fixed seed: the same noise every run
    const size_t n = size_t(Rate * 0.7);
    std::vector<double> s(n);
    double y = 0;
    for (size_t i = 0; i < n; ++i) {
        const double x = double(gen()) / 4294967295.0 * 2.0 - 1.0;
        const double phase = double(i) / double(n);
        const double a = 0.02 + 0.25 * std::sin(Pi * phase);
        y += a * (x - y);
        const double env = std::pow(std::sin(Pi * phase), 2.0);
        s[i] = 1.6 * env * y;
    }
    return s;
}

} // namespace

void MakeSounds(const QString &outDir) {
    WriteAllBytes(outDir + QStringLiteral("/gbye010.wav"), Wave(Chime()));
    WriteAllBytes(outDir + QStringLiteral("/rin.wav"), Wave(Ring()));
    WriteAllBytes(outDir + QStringLiteral("/whoosh.wav"), Wave(Whoosh()));
    WriteAllBytes(outDir + QStringLiteral("/Текущий.wav"), Wave(std::vector<double>(size_t(Rate / 4), 0.0)));
}

} // namespace zelmor::makedata

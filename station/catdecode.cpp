#include "station/catdecode.h"

#include "common/bands.h"

namespace zelmor {

const std::pair<double, double> BandChartRanges[ChartBandCount] = {
    {1800, 2000},   {3500, 3800},   {7000, 7100},   {10100, 10150}, {14000, 14350},
    {18068, 18168}, {21000, 21450}, {24890, 25000}, {28000, 29500},
};

QString ChartBandName(int index) {
    // The chart bands are the log bands 1.8 .. 28 MHz, in order.
    return index >= 0 && index < ChartBandCount ? LogBandNames[size_t(index) + 1] : QString();
}

namespace {

// Dots before the last `cents` and the last `cents` + 3 digits.
QString Dotted(QString digits, int cents) {
    digits.insert(digits.size() - cents, u'.');
    digits.insert(digits.size() - cents - 4, u'.');
    return digits;
}

quint64 BigEndian(const QByteArray &r, int from, int to) {
    quint64 v = 0;
    for (int i = from; i <= to; ++i) v = (v << 8) | quint8(r[i]);
    return v;
}

struct YaesuLayout {
    int longerThan;
    int bFrom, bTo, aFrom, aTo;
    int modeByte;
    quint8 modeMask;
};

enum class Unit { TenHz, OneHz, Counts };

CatStatus DecodeYaesu(RadioModel m, const QByteArray &reply, const YaesuLayout &l, Unit unit) {
    CatStatus s;
    if (reply.size() <= l.longerThan) return s;
    s.answered = true;
    auto text = [&](quint64 v, std::optional<qint64> &chart) {
        switch (unit) {
        case Unit::TenHz:
            chart = qint64(v / 100);
            return TenHzFrequencyText(qint64(v));
        case Unit::OneHz:
            chart = qint64(v / 1000);
            return OneHzFrequencyText(qint64(v));
        case Unit::Counts:
            // 0.625 Hz per count; this model's frequencies are not plotted.
            return OneHzFrequencyText(qint64(v * 5 / 8));
        }
        return QString();
    };
    s.vfob = text(BigEndian(reply, l.bFrom, l.bTo), s.chartB);
    s.vfoa = text(BigEndian(reply, l.aFrom, l.aTo), s.chartA);
    s.mode = YaesuModeName(m, quint8(reply[l.modeByte]) & l.modeMask);
    return s;
}

} // namespace

QString TenHzFrequencyText(qint64 tenHz) { return Dotted(QString::number(tenHz).rightJustified(6, u'0'), 2); }

QString OneHzFrequencyText(qint64 hz) {
    QString t = Dotted(QString::number(hz).rightJustified(7, u'0'), 3);
    t.chop(1);
    return t;
}

QString YaesuModeName(RadioModel m, int code) {
    static const char *ft890[] = {"LSB", "USB", "CW", "AM", "FM"};
    static const char *ft990[] = {"LSB", "USB", "CW", "AM", "FM", "RTTY", "PKT"};
    static const char *ft920[] = {"SSB", "CW", "AM", "FM", "LSB", "USB", "FM"};
    const char *const *table = ft990;
    int size = 7;
    if (m == RadioModel::ft890 || m == RadioModel::ft840) table = ft890, size = 5;
    else if (m == RadioModel::ft920) table = ft920;
    return code >= 0 && code < size ? QString::fromLatin1(table[code]) : QString();
}

QString KenwoodModeName(QChar code) {
    switch (code.unicode()) {
    case '1': return QStringLiteral("LSB");
    case '2': return QStringLiteral("USB");
    case '3': return QStringLiteral("CW");
    case '4': return QStringLiteral("FM");
    case '5': return QStringLiteral("AM");
    case '7': return QStringLiteral("CW");
    default: return {};
    }
}

CatStatus DecodeFt890Status(const QByteArray &r) {
    return DecodeYaesu(RadioModel::ft890, r, {18, 2, 4, 11, 13, 7, 0x1F}, Unit::TenHz);
}
CatStatus DecodeFt990Status(const QByteArray &r) {
    return DecodeYaesu(RadioModel::ft990, r, {30, 1, 3, 17, 19, 7, 0x1F}, Unit::TenHz);
}
CatStatus DecodeFt990Mode2Status(const QByteArray &r) {
    return DecodeYaesu(RadioModel::ft990_2, r, {52, 21, 23, 37, 39, 27, 0x1F}, Unit::TenHz);
}
CatStatus DecodeFt920Status(const QByteArray &r) {
    return DecodeYaesu(RadioModel::ft920, r, {20, 1, 4, 15, 18, 7, 0x07}, Unit::OneHz);
}
CatStatus DecodeFt1000mpStatus(const QByteArray &r) {
    return DecodeYaesu(RadioModel::ft1000mp, r, {30, 1, 4, 17, 20, 7, 0x07}, Unit::Counts);
}

CatStatus DecodeKenwoodReply(const QByteArray &reply) {
    CatStatus s;
    // The first answer, up to its ";".
    const qsizetype end = reply.indexOf(';');
    if (end < 0) return s;
    const QByteArray frame = reply.left(end);
    const QByteArray kind = frame.left(2);
    if (kind == "FA" || kind == "FB") {
        if (frame.size() != 13) return s;
        for (qsizetype i = 2; i < 13; ++i)
            if (frame[i] < '0' || frame[i] > '9') return s;
        const qint64 hz = frame.mid(2).toLongLong();
        // Ten-hertz digits, two of them before the MHz dot at least, as the
        // rig sends them; all of them from 100 MHz up.
        const QString text = Dotted(QString::number(hz / 10).rightJustified(7, u'0'), 2);
        s.answered = true;
        if (kind == "FA") {
            s.vfob = text;
            s.chartB = hz / 1000;
        } else {
            s.vfoa = text;
        }
        return s;
    }
    if (kind == "MD" && frame.size() == 3) {
        s.answered = true;
        s.mode = KenwoodModeName(QChar::fromLatin1(frame[2]));
    }
    return s;
}

CatStatus DecodeStatus(RadioModel m, const QByteArray &reply) {
    switch (m) {
    case RadioModel::ft840:
    case RadioModel::ft890: return DecodeFt890Status(reply);
    case RadioModel::ft990: return DecodeFt990Status(reply);
    case RadioModel::ft990_2: return DecodeFt990Mode2Status(reply);
    case RadioModel::ft920: return DecodeFt920Status(reply);
    case RadioModel::ft1000mp: return DecodeFt1000mpStatus(reply);
    case RadioModel::kenwood1: return DecodeKenwoodReply(reply);
    }
    return {};
}

DetectedBand DetectBandFromFrequency(const QString &text) {
    DetectedBand b;
    const qsizetype dot = text.indexOf(u'.');
    if (dot <= 0) return b;
    bool ok = false;
    const int mhz = text.left(dot).toInt(&ok);
    if (!ok) return b;
    static const int chart[][2] = {{1, 0}, {3, 1}, {7, 2}, {10, 3}, {14, 4}, {18, 5}, {21, 6}, {24, 7}, {28, 8}, {29, 8}};
    for (const auto &c : chart)
        if (c[0] == mhz) {
            b.chartBand = c[1];
            b.name = ChartBandName(c[1]);
            return b;
        }
    // The log's bands above the chart: named, not plotted.
    static const int higher[][3] = {{50, 53, 10}, {144, 147, 11}, {430, 440, 12}, {1240, 1300, 13}};
    for (const auto &h : higher)
        if (mhz >= h[0] && mhz <= h[1]) b.name = LogBandNames[size_t(h[2])];
    return b;
}

} // namespace zelmor

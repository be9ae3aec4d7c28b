#include "station/catcommands.h"

#include "common/text.h"

namespace zelmor {

QByteArray YaesuBlock(quint8 p4, quint8 opcode, quint8 p3, quint8 p2, quint8 p1) {
    QByteArray b(5, '\0');
    b[0] = char(p1);
    b[1] = char(p2);
    b[2] = char(p3);
    b[3] = char(p4);
    b[4] = char(opcode);
    return b;
}

QByteArray StatusRequest(RadioModel m) {
    const bool three = m == RadioModel::ft990 || m == RadioModel::ft920 || m == RadioModel::ft1000mp;
    return YaesuBlock(three ? 0x03 : 0x02, 0x10);
}

QByteArray KenwoodPoll(int step) {
    static const char *polls[3] = {"FA;", "FB;", "MD;"};
    return QByteArray(polls[qBound(0, step, 2)]);
}

bool IsFrequencyDigits(const QString &trimmed) {
    if (trimmed.isEmpty()) return false;
    for (qsizetype i = 0; i < qMin<qsizetype>(7, trimmed.size()); ++i)
        if (trimmed[i] < u'0' || trimmed[i] > u'9') return false;
    return true;
}

std::optional<QByteArray> SetFrequencyCommand(RadioModel m, const QString &text) {
    const QString t = Trim(text);
    if (!IsFrequencyDigits(t)) return std::nullopt;
    // The leading digits of a seven-digit number in 10 Hz units.
    const QString digits = t.left(7).leftJustified(7, u'0');
    if (IsKenwood(m)) {
        const qint64 hz = digits.toLongLong() * 10;
        return QByteArray("FA") + QByteArray::number(hz).rightJustified(11, '0') + ';';
    }
    auto pair = [&](int i) { return quint8(((digits[i].unicode() - '0') << 4) | (digits[i + 1].unicode() - '0')); };
    return YaesuBlock(quint8(digits[0].unicode() - '0'), 0x0A, pair(1), pair(3), pair(5));
}

QByteArray VfoCommand(RadioModel m, bool vfoB) {
    if (IsKenwood(m)) return vfoB ? "FR1;" : "FR0;";
    return YaesuBlock(vfoB ? 1 : 0, 0x05);
}

QByteArray ModeCommand(RadioModel m, CatMode mode) {
    if (IsKenwood(m)) return mode == CatMode::Lsb ? "MD1;" : mode == CatMode::Usb ? "MD2;" : "MD3;";
    // CW is P4 02 on every model, the FT-1000MP's CW-USB included.
    return YaesuBlock(mode == CatMode::Lsb ? 0 : mode == CatMode::Usb ? 1 : 2, 0x0C);
}

QByteArray SplitCommand(RadioModel m, bool on) {
    if (IsKenwood(m)) return on ? "FR0;FT1;" : "FR0;";
    return YaesuBlock(on ? 1 : 0, 0x01);
}

QByteArray PttCommand(RadioModel m, bool on) {
    if (IsKenwood(m)) return on ? "TX;" : "RX;";
    return YaesuBlock(on ? 1 : 0, 0x0F);
}

QByteArray LockCommand(RadioModel m, bool on) {
    if (IsKenwood(m)) return on ? "LK1;" : "LK0;";
    return YaesuBlock(on ? 1 : 0, 0x04);
}

QByteArray EqualizeVfosCommand(RadioModel m) {
    if (IsKenwood(m)) return {};
    return YaesuBlock(0, 0x85);
}

} // namespace zelmor

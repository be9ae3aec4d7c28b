#include "tests/station/fakerig.h"

#include "station/catdecode.h"

#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace zelmor::test {

PseudoTerminal::PseudoTerminal() {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        master_ = slave_ = -1;
        return;
    }
    path_ = QString::fromLocal8Bit(name);
    termios t{};
    tcgetattr(slave_, &t);
    cfmakeraw(&t);
    tcsetattr(slave_, TCSANOW, &t);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
}

PseudoTerminal::~PseudoTerminal() {
    closeMaster();
    closeSlave();
}

void PseudoTerminal::closeSlave() {
    if (slave_ >= 0) ::close(slave_);
    slave_ = -1;
}

void PseudoTerminal::closeMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
}

FakeRig::FakeRig(RadioModel m, PseudoTerminal &pty) : model(m), pty_(pty) {
    notifier_ = std::make_unique<QSocketNotifier>(pty.master(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &FakeRig::readable);
}

FakeRig::~FakeRig() { notifier_->setEnabled(false); }

void FakeRig::readable() {
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(pty_.master(), buf, sizeof buf);
        if (n <= 0) {
            // The slave side closed and nobody holds it: nothing to read until
            // it opens again; stop the busy notifier meanwhile.
            if (n < 0 && errno == EIO) notifier_->setEnabled(false);
            break;
        }
        received.append(buf, n);
        pending_.append(buf, n);
    }
    if (IsKenwood(model)) {
        qsizetype end;
        while ((end = pending_.indexOf(';')) >= 0) {
            const QByteArray text = pending_.left(end + 1);
            pending_.remove(0, end + 1);
            commands.push_back(text);
            if (!silent) kenwood(text);
        }
    } else {
        while (pending_.size() >= 5) {
            const QByteArray block = pending_.left(5);
            pending_.remove(0, 5);
            commands.push_back(block);
            if (!silent) yaesu(block);
        }
    }
}

void FakeRig::answer(const QByteArray &bytes) {
    if (pty_.master() >= 0) (void)!::write(pty_.master(), bytes.constData(), size_t(bytes.size()));
}

int FakeRig::modeCode() const {
    for (int c = 0; c < 8; ++c)
        if (YaesuModeName(model, c) == mode) return c;
    return 0;
}

QByteArray FakeRig::yaesuStatus(int p4) const {
    auto put = [](QByteArray &r, int from, int bytes, quint64 v) {
        for (int i = bytes - 1; i >= 0; --i, v >>= 8) r[from + i] = char(v & 0xFF);
    };
    const bool ft990Family = model == RadioModel::ft990 || model == RadioModel::ft990_2;
    int size = 19;
    if (p4 == 3) size = model == RadioModel::ft920 ? 28 : model == RadioModel::ft840 || model == RadioModel::ft890 ? 18 : 32;
    else if (ft990Family) size = 94;
    QByteArray r(size, '\0');
    const quint64 b10 = quint64(frequencyHz / 10), a10 = quint64(otherHz / 10);
    switch (model) {
    case RadioModel::ft840:
    case RadioModel::ft890:
        if (p4 == 3) { // two records of nine bytes
            put(r, 1, 3, b10);
            put(r, 10, 3, a10);
            r[7] = char(modeCode());
        } else {
            put(r, 2, 3, b10);
            put(r, 11, 3, a10);
            r[7] = char(modeCode());
        }
        break;
    case RadioModel::ft990:
    case RadioModel::ft990_2:
        if (p4 == 3) {
            put(r, 1, 3, b10);
            put(r, 17, 3, a10);
            r[7] = char(modeCode());
        } else {
            put(r, 21, 3, b10);
            put(r, 37, 3, a10);
            r[27] = char(modeCode());
            put(r, 1, 3, b10);
            r[7] = char(modeCode());
        }
        break;
    case RadioModel::ft920:
        put(r, 1, 4, quint64(frequencyHz));
        put(r, 15, 4, quint64(otherHz));
        r[7] = char(modeCode());
        break;
    case RadioModel::ft1000mp:
        put(r, 1, 4, quint64(frequencyHz) * 8 / 5);
        put(r, 17, 4, quint64(otherHz) * 8 / 5);
        r[7] = char(modeCode());
        break;
    case RadioModel::kenwood1:
        break;
    }
    return r;
}

void FakeRig::yaesu(const QByteArray &b) {
    const quint8 p1 = quint8(b[0]), p2 = quint8(b[1]), p3 = quint8(b[2]), p4 = quint8(b[3]), op = quint8(b[4]);
    auto bcd = [](quint8 v) { return (v >> 4) * 10 + (v & 0x0F); };
    switch (op) {
    case 0x10: answer(yaesuStatus(p4)); break;
    case 0xFA: { // status flags: split, VFO B and transmit in the first byte
        QByteArray flags(5, '\0');
        flags[0] = char((split ? 0x01 : 0) | (vfoB ? 0x02 : 0) | (ptt ? 0x80 : 0));
        answer(flags);
        break;
    }
    case 0x0A:
        frequencyHz = (qint64(bcd(p4)) * 1000000 + bcd(p3) * 10000 + bcd(p2) * 100 + bcd(p1)) * 10;
        break;
    case 0x0C: {
        static const char *modes[] = {"LSB", "USB", "CW", "CW", "AM", "AM", "FM", "FM"};
        if (p4 < 8) mode = QString::fromLatin1(modes[p4]);
        break;
    }
    case 0x05: vfoB = p4 == 1; break;
    case 0x01: split = p4 == 1; break;
    case 0x0F: ptt = p4 == 1; break;
    case 0x04: lock = p4 == 1; break;
    case 0x85: otherHz = frequencyHz; break;
    default: break;
    }
}

void FakeRig::kenwood(const QByteArray &text) {
    const QByteArray cmd = text.left(2), arg = text.mid(2, text.size() - 3);
    auto freq = [](qint64 hz) { return QByteArray::number(hz).rightJustified(11, '0'); };
    auto modeDigit = [&]() -> char {
        if (mode == QLatin1String("LSB")) return '1';
        if (mode == QLatin1String("USB")) return '2';
        if (mode == QLatin1String("CW")) return '3';
        if (mode == QLatin1String("AM")) return '5';
        return '4';
    };
    if (arg.isEmpty()) {
        if (cmd == "FA") answer("FA" + freq(frequencyHz) + ';');
        else if (cmd == "FB") answer("FB" + freq(otherHz) + ';');
        else if (cmd == "MD") answer(QByteArray("MD") + modeDigit() + ';');
        else if (cmd == "ID") answer("ID019;");
        else if (cmd == "PS") answer("PS1;");
        else if (cmd == "AI") answer("AI0;");
        else if (cmd == "FR") answer(vfoB ? "FR1;" : "FR0;");
        else if (cmd == "FT") answer(split ? "FT1;" : "FT0;");
        else if (cmd == "SL") answer("SL00;");
        else if (cmd == "SH") answer("SH00;");
        else if (cmd == "FW") answer("FW0000;");
        else if (cmd == "SA") answer("SA0000000;");
        else if (cmd == "IF") {
            QByteArray r = "IF" + freq(frequencyHz) + "0000" + "+00000" + "0" + "0" + "0" + "00" + (ptt ? "1" : "0") +
                           modeDigit() + (vfoB ? "1" : "0") + "0" + (split ? "1" : "0") + "0" + "00" + "0" + ";";
            answer(r);
        } else if (cmd == "TX" || cmd == "RX") {
            ptt = cmd == "TX";
        } else {
            answer("?;");
        }
        return;
    }
    if (cmd == "FA") frequencyHz = arg.toLongLong();
    else if (cmd == "FB") otherHz = arg.toLongLong();
    else if (cmd == "MD") {
        switch (arg[0]) {
        case '1': mode = "LSB"; break;
        case '2': mode = "USB"; break;
        case '3': case '7': mode = "CW"; break;
        case '5': mode = "AM"; break;
        default: mode = "FM"; break;
        }
    } else if (cmd == "FR") vfoB = arg == "1";
    else if (cmd == "FT") split = arg == "1";
    else if (cmd == "LK") lock = arg == "1";
}

} // namespace zelmor::test

#include "station/antenna.h"

#include "platform/parallelport.h"

namespace zelmor {

std::optional<quint8> AntennaCode(int antenna) {
    if (antenna < 1 || antenna > 10) return std::nullopt;
    return quint8(antenna);
}

std::optional<quint8> RotationCode(Rotation r) {
    switch (r) {
    case Rotation::Clockwise: return quint8(0x11);
    case Rotation::CounterClockwise: return quint8(0x12);
    case Rotation::Stop: return quint8(0x10);
    case Rotation::Automatic: return std::nullopt;
    }
    return std::nullopt;
}

AntennaPressResult PressAntennaCode(quint8 code) {
    AntennaPressResult r;
    const quint16 data = LptDataPort;
    r.written = platform::controlRegister().strobe(data, code);
    ParallelPort &port = platform::parallelPort();
    r.problem = port.TakeProblem();
    r.fresh = !r.problem.isEmpty();
    if (!r.fresh) r.problem = port.problemOf(data);
    if (!r.written && r.problem.isEmpty()) r.problem = QStringLiteral("Ошибка записи в порт LPT");
    return r;
}

} // namespace zelmor

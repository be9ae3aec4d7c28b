#pragma once
// The antenna switch and rotator: each button writes one code to the
// parallel port's data register and strobes the control register, under
// the port owner's lock, so the keyer's key and PTT bits are never touched.
#include <QString>
#include <QtGlobal>
#include <optional>

namespace zelmor {

// The rotator's buttons.
enum class Rotation { Clockwise, CounterClockwise, Stop, Automatic };

// Antenna 1-10 is code 1-10; none outside.
std::optional<quint8> AntennaCode(int antenna);
// "По часовой" 0x11, "Против часовой" 0x12, "Стоп" 0x10; the automatic
// turn has no code.
std::optional<quint8> RotationCode(Rotation r);

struct AntennaPressResult {
    bool written = false; // every write reached the port
    // A problem of the port to show: one just reported, or the port's
    // standing one; empty when the port was reached.
    QString problem;
    // The problem was not shown before (the status line takes it then).
    bool fresh = false;
};
// One press: the code to LptDataPort, then the strobe.
AntennaPressResult PressAntennaCode(quint8 code);

} // namespace zelmor

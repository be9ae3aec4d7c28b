#pragma once
// The bytes the program sends to a transceiver. Yaesu models take five-byte
// blocks P1 P2 P3 P4 opcode, P1 first; the Kenwood model takes text commands
// ending in ";". Every command is built whole, from zero.
#include <QByteArray>
#include <QString>
#include <optional>

namespace zelmor {

enum class RadioModel { ft840, ft890, ft990, ft990_2, ft920, ft1000mp, kenwood1 };

inline bool IsKenwood(RadioModel m) { return m == RadioModel::kenwood1; }

// A Yaesu block from its four parameters and opcode.
QByteArray YaesuBlock(quint8 p4, quint8 opcode, quint8 p3 = 0, quint8 p2 = 0, quint8 p1 = 0);

// The status request: 00 00 00 02 10 (P4 03 for ft990, ft920, ft1000mp).
QByteArray StatusRequest(RadioModel m);
// The Kenwood poll of a step 0, 1, 2: "FA;", "FB;", "MD;".
QByteArray KenwoodPoll(int step);

// Set frequency from the digits typed (10 Hz units, leading digits: "14025"
// is 14.025.00). Only the first seven characters count and they must be
// decimal digits; nullopt otherwise, and for an empty text.
std::optional<QByteArray> SetFrequencyCommand(RadioModel m, const QString &text);
// True when the trimmed text's first seven characters are decimal digits.
bool IsFrequencyDigits(const QString &trimmed);

enum class CatMode { Lsb, Usb, Cw };
QByteArray VfoCommand(RadioModel m, bool vfoB);
QByteArray ModeCommand(RadioModel m, CatMode mode);
QByteArray SplitCommand(RadioModel m, bool on);
QByteArray PttCommand(RadioModel m, bool on);
QByteArray LockCommand(RadioModel m, bool on);
// A=B: empty for the Kenwood model, which has no such command here.
QByteArray EqualizeVfosCommand(RadioModel m);

inline const QString KenwoodNoAeqBText = QStringLiteral("Команда A=B для KENWOOD не определена");

} // namespace zelmor

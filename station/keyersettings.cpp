#include "station/keyersettings.h"

#include "logbook/settingsstore.h"
#include "platform/parallelport.h"
#include "station/keyer.h"

#include <algorithm>

namespace zelmor {

namespace {
const QString kQso = QStringLiteral("zelmor\\qso");
const QString kMain = QStringLiteral("zelmor\\главное");

int ReadClamped(const char *name, int low, int high) {
    return std::clamp(int(RegReadInteger(kQso, QString::fromUtf8(name))), low, high);
}
void WriteInt(const char *name, int value) { RegWriteValue(1, kQso, QString::fromUtf8(name), value, QString()); }
} // namespace

int ReadNormalCwElementMs() { return ReadClamped("cw по умолч.", MinElementMs, MaxElementMs); }
void WriteNormalCwElementMs(int ms) { WriteInt("cw по умолч.", ms); }
int ReadFastCwElementMs() { return ReadClamped("cw ускоренно", MinElementMs, MaxElementMs); }
void WriteFastCwElementMs(int ms) { WriteInt("cw ускоренно", ms); }
int ReadPttMs() { return ReadClamped("PTT", MinPttMs, MaxPttMs); }
void WritePttMs(int ms) { WriteInt("PTT", ms); }

QString ReadLptSetting() { return RegReadString(kMain, QStringLiteral("LPT")); }
void WriteLptSetting(const QString &lpt) { RegWriteValue(0, kMain, QStringLiteral("LPT"), 0, lpt); }

QString CwTextValueName(int n) {
    if (n <= 12) return QStringLiteral("cw строка") + QString::number(n);
    return QStringLiteral("ком строка №") + QString::number(n - 12);
}
QString ReadCwText(int n) { return RegReadString(kQso, CwTextValueName(n)); }
void WriteCwText(int n, const QString &text) { RegWriteValue(0, kQso, CwTextValueName(n), 0, text); }

bool ReadCwCommandLineBox(int line) { return RegReadBool(kQso, QStringLiteral("ком строка") + QString::number(line)); }
void WriteCwCommandLineBox(int line, bool on) {
    RegWriteBool(kQso, QStringLiteral("ком строка") + QString::number(line), on);
}

QString ReadVoiceKeyFile(int n) { return RegReadString(kQso, QStringLiteral("F") + QString::number(n + 2)); }

void SetLptPorts(const QString &lpt) {
    const bool first = lpt == QLatin1String("1");
    LptDataPort = first ? 0x378 : 0x278;
    LptStatusPort = first ? 0x379 : 0x279;
    LptControlPort = first ? 0x37A : 0x27A;
}

} // namespace zelmor

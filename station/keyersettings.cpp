#include "station/keyersettings.h"

#include "logbook/settingscatalogue.h"
#include "platform/parallelport.h"
#include "station/keyer.h"

#include <algorithm>

namespace zelmor {

using enum SettingId;

// A stored value outside the up-down's range loads as the row's default.
int ReadNormalCwElementMs() { return std::clamp(int(LoadSetting(CwNormal).number), MinElementMs, MaxElementMs); }
void WriteNormalCwElementMs(int ms) { WriteSetting(CwNormal, qint32(ms)); }
int ReadFastCwElementMs() { return std::clamp(int(LoadSetting(CwFast).number), MinElementMs, MaxElementMs); }
void WriteFastCwElementMs(int ms) { WriteSetting(CwFast, qint32(ms)); }
int ReadPttMs() { return std::clamp(int(LoadSetting(Ptt).number), MinPttMs, MaxPttMs); }
void WritePttMs(int ms) { WriteSetting(Ptt, qint32(ms)); }

QString ReadLptSetting() { return LoadSetting(Lpt).text; }
void WriteLptSetting(const QString &lpt) { WriteSetting(Lpt, lpt); }

QString CwTextValueName(int n) { return n <= 12 ? SettingName(CwText, n) : SettingName(CommandText, n - 12); }
QString ReadCwText(int n) { return n <= 12 ? LoadSetting(CwText, n).text : LoadSetting(CommandText, n - 12).text; }
void WriteCwText(int n, const QString &text) {
    if (n <= 12) WriteSetting(CwText, text, n);
    else WriteSetting(CommandText, text, n - 12);
}

bool ReadCwCommandLineBox(int line) { return LoadSetting(CommandOn, line).on(); }
void WriteCwCommandLineBox(int line, bool on) { WriteSetting(CommandOn, on, line); }

QString ReadVoiceKeyFile(int n) { return LoadSetting(VoiceFile, n + 2).text; }

void SetLptPorts(const QString &lpt) {
    const bool first = lpt == QLatin1String("1");
    LptDataPort = first ? 0x378 : 0x278;
    LptStatusPort = first ? 0x379 : 0x279;
    LptControlPort = first ? 0x37A : 0x27A;
}

} // namespace zelmor

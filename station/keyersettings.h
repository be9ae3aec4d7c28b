#pragma once
// The settings values of the CW keyer and its texts, read and written
// through their rows of the settings table. Element and PTT times come back
// within the ranges of their up-downs.
#include <QString>

namespace zelmor {

int ReadNormalCwElementMs();          // "cw по умолч.", 30..100, design 50
void WriteNormalCwElementMs(int ms);
int ReadFastCwElementMs();            // "cw ускоренно", 30..100, design 37
void WriteFastCwElementMs(int ms);
int ReadPttMs();                      // "PTT", 1..3000, design 100
void WritePttMs(int ms);
QString ReadLptSetting();             // "LPT" under "zelmor\главное": "1" or "2"
void WriteLptSetting(const QString &lpt);
// The 22 texts: n 1..12 "CW строка<n>", 13..22 "ком строка №<n-12>".
QString CwTextValueName(int n);
QString ReadCwText(int n);
void WriteCwText(int n, const QString &text);
// Command lines 1..4 sent at Enter in call, name, QTH and at the save.
bool ReadCwCommandLineBox(int line);  // "ком строка1".."ком строка4"
void WriteCwCommandLineBox(int line, bool on);
// The voice-message files of F2..F7 (n 0..5): "F2".."F7".
QString ReadVoiceKeyFile(int n);

// The port addresses of "LPT": "1" is LPT1 (0x378..0x37A), anything else LPT2.
void SetLptPorts(const QString &lpt);

} // namespace zelmor

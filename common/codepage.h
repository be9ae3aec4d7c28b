#pragma once
// Code-page conversions. Every text the program stores (record files, the
// settings hive) is cp1251; files of DOS programs come in cp866. Our own tables
// keep the program independent of ICU and of the converters a Qt build ships.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace zelmor {

// cp1251 byte -> Unicode. 0x98 is unassigned in cp1251 and maps to U+0098.
char16_t Cp1251ToUnicode(unsigned char c);
// Unicode -> cp1251 byte; characters cp1251 lacks become '?'.
unsigned char UnicodeToCp1251(char16_t u);

QString FromCp1251(QByteArrayView bytes);
QByteArray ToCp1251(QStringView text);

char16_t Cp866ToUnicode(unsigned char c);
QString FromCp866(QByteArrayView bytes);
// OemToCharA: DOS text to cp1251 bytes. Box-drawing characters, which cp1251
// lacks, become '+', '-' or '|' as Windows' best fit does.
QByteArray OemToChar(QByteArrayView oem);

} // namespace zelmor

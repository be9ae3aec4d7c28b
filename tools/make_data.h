#pragma once
// zelmor-make-data: the shipped reference files, map, sounds and texts, made
// from public sources. Every generator writes fixed bytes for fixed input (no
// time stamps, fixed ordering), so regenerating leaves data/ unchanged.
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace zelmor::makedata {

// A source file that does not read as expected: the tool stops with the text.
struct SourceError : std::runtime_error {
    explicit SourceError(const QString &text) : std::runtime_error(text.toStdString()) {}
};

QStringList ReadSourceLines(const QString &path);
// "41.90" -> "41,90"; the data files carry a decimal comma.
QString WithComma(QString number);

// "dx/world.dat" from cty.csv; returns the record count and the count of "*"
// (DXCC) records through the arguments.
void MakeWorld(const QString &ctyCsv, const QString &outDir, int &records, int &dxcc);
// "russia22.dat", "ucraina.dat", "Kaz_tan.dat", "brasil.dat" from the call-area
// table; "dx/iota.dat" from the IOTA list. Each returns its record count.
int MakeRussia(const QString &areaTable, const QString &outDir);
int MakeUkraine(const QString &areaTable, const QString &outDir);
int MakeKazakhstan(const QString &areaTable, const QString &outDir);
int MakeBrazil(const QString &areaTable, const QString &outDir);
int MakeIota(const QString &iotaTable, const QString &outDir);
// "map.bmp" from an equirectangular day map of the earth.
void MakeMap(const QString &earthImage, const QString &outDir);
// The four sounds.
void MakeSounds(const QString &outDir);

} // namespace zelmor::makedata

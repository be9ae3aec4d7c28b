// zelmor-make-data: regenerates the shipped program folder.
//
//   zelmor-make-data --out DIR [--cty cty.csv] [--area AreaOK1RR.tbl]
//                    [--iota iota.tbl] [--earth earth.jpg]
//
// The defaults are where Debian's hamradio-files, cqrlog-data and
// xplanet-images put these files.
#include "make_data.h"

#include "common/codepage.h"
#include "common/recordfile.h"
#include "common/refrecords.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

namespace zelmor::makedata {

QStringList ReadSourceLines(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw SourceError(QStringLiteral("cannot read %1").arg(path));
    QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
    for (QString &l : lines)
        if (l.endsWith(u'\r')) l.chop(1);
    return lines;
}

QString WithComma(QString number) { return number.replace(u'.', u','); }

namespace {

// Texts of the news window, in cp1251 with CR LF line ends.
void WriteText(const QString &path, const QString &text) {
    QString crlf = text;
    crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    WriteAllBytes(path, ToCp1251(crlf));
}

const char *const NewsText =
    "ZELMOR — аппаратный журнал радиолюбителя.\n"
    "\n"
    "Программа ведёт журнал связей, по позывному определяет страну, зоны CQ и ITU,\n"
    "область России, Украины, Казахстана, Белоруссии и штат Бразилии, считает\n"
    "азимут и расстояние, показывает станцию на карте и следит за дипломами.\n"
    "Она управляет трансивером, работает телеграфным ключом, печатает QSL-карточки\n"
    "и конверты, обменивается журналами в формате ADIF.\n"
    "\n"
    "Что нового:\n"
    "- таблица префиксов составлена заново по списку стран AD1C (country-files.com);\n"
    "- таблицы областей и список IOTA составлены заново по открытым источникам;\n"
    "- новая карта мира по снимку NASA;\n"
    "- базы имён и QTH при каждом открытии журнала читаются заново, без повторов.\n";

const char *const NoNewsText =
    "Если что-то работает не так:\n"
    "\n"
    "1. Проверьте, что в папке с программой есть все файлы данных: при запуске\n"
    "   программа сама перечисляет недостающие.\n"
    "2. Запишите, что вы делали, что ожидали увидеть и что увидели, и текст\n"
    "   сообщения об ошибке, если оно было.\n"
    "3. Сообщите об этом разработчикам ZELMOR и приложите, если можно, файл\n"
    "   журнала (копию) и файлы данных, с которыми это случилось.\n";

void MakeEmptyFiles(const QString &out) {
    // The name and QTH bases start with one free slot; the club, veteran,
    // name, QSL-manager and address-book files start empty.
    WriteAllRecords<NameListRecord>(out + QStringLiteral("/name/name.bas"), {NameListRecord{}});
    WriteAllRecords<NameListRecord>(out + QStringLiteral("/name/qth.bas"), {NameListRecord{}});
    for (const char *name : {"names1.dat", "vet.dat", "dig.dat", "kdr.dat", "agb.dat", "hfc.dat", "rcc.dat",
                             "srvs.dat", "qslmng.mng", "mail/adrbox.dat"})
        WriteAllBytes(out + u'/' + QString::fromLatin1(name), QByteArray());
}

} // namespace

} // namespace zelmor::makedata

int main(int argc, char **argv) {
    using namespace zelmor::makedata;
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Regenerates the ZELMOR program folder from public sources."));
    parser.addHelpOption();
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("Program folder to write."), QStringLiteral("dir"));
    const QCommandLineOption cty(QStringLiteral("cty"), QStringLiteral("cty.csv of hamradio-files."), QStringLiteral("file"),
                                 QStringLiteral("/usr/share/hamradio-files/cty.csv"));
    const QCommandLineOption area(QStringLiteral("area"), QStringLiteral("AreaOK1RR.tbl of cqrlog-data."), QStringLiteral("file"),
                                  QStringLiteral("/usr/share/cqrlog/ctyfiles/AreaOK1RR.tbl"));
    const QCommandLineOption iota(QStringLiteral("iota"), QStringLiteral("iota.tbl of cqrlog-data."), QStringLiteral("file"),
                                  QStringLiteral("/usr/share/cqrlog/ctyfiles/iota.tbl"));
    const QCommandLineOption earth(QStringLiteral("earth"), QStringLiteral("Day map of xplanet-images."), QStringLiteral("file"),
                                   QStringLiteral("/usr/share/xplanet/images/earth.jpg"));
    parser.addOptions({out, cty, area, iota, earth});
    parser.process(app);
    if (!parser.isSet(out)) {
        std::fprintf(stderr, "zelmor-make-data: --out is required\n");
        return 2;
    }
    const QString dir = parser.value(out);
    try {
        for (const char *sub : {"", "dx", "name", "mail"})
            if (!QDir().mkpath(dir + u'/' + QString::fromLatin1(sub)))
                throw SourceError(QStringLiteral("cannot create %1/%2").arg(dir, QString::fromLatin1(sub)));
        int worldRecords = 0, dxcc = 0;
        MakeWorld(parser.value(cty), dir, worldRecords, dxcc);
        std::printf("dx/world.dat    %6d records, %d DXCC entities\n", worldRecords, dxcc);
        std::printf("dx/iota.dat     %6d records\n", MakeIota(parser.value(iota), dir));
        std::printf("russia22.dat    %6d records\n", MakeRussia(parser.value(area), dir));
        std::printf("ucraina.dat     %6d records\n", MakeUkraine(parser.value(area), dir));
        std::printf("Kaz_tan.dat     %6d records\n", MakeKazakhstan(parser.value(area), dir));
        std::printf("brasil.dat      %6d records\n", MakeBrazil(parser.value(area), dir));
        MakeEmptyFiles(dir);
        MakeMap(parser.value(earth), dir);
        MakeSounds(dir);
        WriteText(dir + QStringLiteral("/news.txt"), QString::fromUtf8(NewsText));
        WriteText(dir + QStringLiteral("/no_news.txt"), QString::fromUtf8(NoNewsText));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "zelmor-make-data: %s\n", e.what());
        return 1;
    }
    return 0;
}

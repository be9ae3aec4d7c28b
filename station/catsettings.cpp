#include "station/catsettings.h"

#include "station/nastroy.h"
#include "station/rxtx.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

namespace zelmor {

namespace {
struct ModelButton {
    QRadioButton *TNastroy::*button;
    RadioModel model;
};
// The seven models; the last one checked counts.
const ModelButton ModelButtons[] = {
    {&TNastroy::ft840, RadioModel::ft840},       {&TNastroy::ft1000mp, RadioModel::ft1000mp},
    {&TNastroy::ft920, RadioModel::ft920},       {&TNastroy::ft990, RadioModel::ft990},
    {&TNastroy::ft990_2, RadioModel::ft990_2}, {&TNastroy::ft890, RadioModel::ft890},
    {&TNastroy::kenwood1, RadioModel::kenwood1},
};

QRadioButton *PortButton(int n) {
    QRadioButton *const b[4] = {Nastroy->om1, Nastroy->om2, Nastroy->om3, Nastroy->om4};
    return b[n];
}

} // namespace

QString CatWindowCaption(RadioModel m) {
    switch (m) {
    case RadioModel::ft840: return QStringLiteral("Управление трансивером  FT-840");
    case RadioModel::ft890: return QStringLiteral("Управление трансивером  FT-890");
    case RadioModel::ft990: return QStringLiteral("Управление трансивером  FT-990");
    case RadioModel::ft990_2: return QStringLiteral("Управление трансивером FT-990 (2)");
    case RadioModel::ft920: return QStringLiteral("Управление трансивером  FT-920");
    case RadioModel::ft1000mp: return QStringLiteral("Управление трансивером  FT-1000МР");
    case RadioModel::kenwood1: return QStringLiteral("Управление трансивером KENWOOD");
    }
    return {};
}

CatLinkSettings ReadCatLinkSettings() {
    CatLinkSettings s;
    if (!Nastroy) return s;
    for (const ModelButton &m : ModelButtons)
        if ((Nastroy->*m.button)->isChecked()) s.model = m.model;
    for (int n = 0; n < 4; ++n)
        if (PortButton(n)->isChecked()) s.comPort = n + 1;
    if (IsKenwood(s.model)) {
        const QString rate = Nastroy->skorost->currentText();
        static const std::pair<const char *, TComPortBaudRate> rates[] = {
            {"2400", br2400}, {"4800", br4800}, {"9600", br9600}, {"19200", br19200}};
        for (const auto &r : rates)
            if (rate == QLatin1String(r.first)) s.speedSet = true, s.speed = r.second;
    } else {
        s.speedSet = true;
        s.speed = br4800;
    }
    return s;
}

void ApplyCatLinkSettings(const CatLinkSettings &s, TCommPortDriver &port) {
    if (s.comPort >= 1 && s.comPort <= 4) port.SetComPortNumber(TComPortNumber(s.comPort - 1));
    if (s.speedSet) port.SetComPortBaudRate(s.speed);
    port.SetComPortDataBits(db8BITS);
    port.SetComPortParity(ptNONE);
    port.SetComPortStopBits(sb1BITS);
    port.SetComPortHwHandshaking(hhNONERTSON);
    port.EnableDTROnOpen = true;
}



} // namespace zelmor

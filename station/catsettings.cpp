#include "station/catsettings.h"

#include "logbook/settingscatalogue.h"
#include "station/nastroy.h"
#include "station/rxtx.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

namespace zelmor {

namespace {
struct ModelButton {
    QRadioButton *TNastroy::*button;
    RadioModel model;
    SettingId row;
};
// In the order the loader restores them.
const ModelButton ModelButtons[] = {
    {&TNastroy::ft840, RadioModel::ft840, SettingId::Ft840},       {&TNastroy::ft1000mp, RadioModel::ft1000mp, SettingId::Ft1000mp},
    {&TNastroy::ft920, RadioModel::ft920, SettingId::Ft920},       {&TNastroy::ft990, RadioModel::ft990, SettingId::Ft990},
    {&TNastroy::ft990_2, RadioModel::ft990_2, SettingId::Ft990_2}, {&TNastroy::ft890, RadioModel::ft890, SettingId::Ft890},
    {&TNastroy::kenwood1, RadioModel::kenwood1, SettingId::Kenwood},
};
const SettingId PortRows[4] = {SettingId::Com1, SettingId::Com2, SettingId::Com3, SettingId::Com4};

QRadioButton *PortButton(int n) {
    QRadioButton *const b[4] = {Nastroy->om1, Nastroy->om2, Nastroy->om3, Nastroy->om4};
    return b[n];
}

// Radio buttons of one group take stored states one by one, all unchecked
// included.
void SetFreely(QRadioButton *b, bool checked) {
    QButtonGroup *g = b->group();
    const bool exclusive = g && g->exclusive();
    if (g) g->setExclusive(false);
    b->setChecked(checked);
    if (g) g->setExclusive(exclusive);
}

void WriteModels() {
    for (const ModelButton &m : ModelButtons)
        WriteSetting(m.row, (Nastroy->*m.button)->isChecked());
}

void WritePorts() {
    for (int n = 0; n < 4; ++n)
        WriteSetting(PortRows[n], PortButton(n)->isChecked());
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

void LoadCatSettings() {
    if (!Nastroy) return;
    Nastroy->cw_ssb->setChecked(LoadSetting(SettingId::CwWithMode).on());
    for (const ModelButton &m : ModelButtons) SetFreely(Nastroy->*m.button, LoadSetting(m.row).on());
    for (int n = 0; n < 4; ++n) SetFreely(PortButton(n), LoadSetting(PortRows[n]).on());
    const QString rate = LoadSetting(SettingId::CatSpeed).text;
    const QSignalBlocker quiet(Nastroy->skorost);
    Nastroy->skorost->setCurrentText(rate.isEmpty() || !Nastroy->kenwood1->isChecked() ? QStringLiteral("4800") : rate);
    if (rxtx) rxtx->setWindowTitle(CatWindowCaption(ReadCatLinkSettings().model));
}

void ConnectCatSettingsWriters() {
    if (!Nastroy) return;
    for (const ModelButton &m : ModelButtons)
        QObject::connect(Nastroy->*m.button, &QRadioButton::clicked, Nastroy, [model = m.model] {
            WriteModels();
            if (rxtx) rxtx->setWindowTitle(CatWindowCaption(model));
        });
    for (int n = 0; n < 4; ++n) QObject::connect(PortButton(n), &QRadioButton::clicked, Nastroy, WritePorts);
    QObject::connect(Nastroy->skorost, &QComboBox::currentTextChanged, Nastroy,
                     [](const QString &t) { WriteSetting(SettingId::CatSpeed, t); });
    QObject::connect(Nastroy->cw_ssb, &QCheckBox::clicked, Nastroy,
                     [](bool on) { WriteSetting(SettingId::CwWithMode, on); });
}

} // namespace zelmor

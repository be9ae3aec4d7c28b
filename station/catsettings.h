#pragma once
// The CAT link's settings: which port, which radio, which speed, read from
// the settings dialog's controls when the link opens. The settings loader
// and binder (station/settingsbinder) keep those controls and the store in
// step.
#include "station/catcommands.h"
#include "station/commportdriver.h"

#include <QString>

namespace zelmor {

struct CatLinkSettings {
    RadioModel model = RadioModel::ft840;
    int comPort = 0;            // 1..4; 0 when no port button is checked
    bool speedSet = false;      // false: the driver keeps its speed
    TComPortBaudRate speed = br4800;
};

// From the settings dialog's controls: Yaesu radios at 4800 baud, Kenwood
// at the rate of `skorost` ("2400", "4800", "9600", "19200"; any other text
// keeps the driver's speed).
CatLinkSettings ReadCatLinkSettings();
// Port, speed, 8N1, RTS and DTR on.
void ApplyCatLinkSettings(const CatLinkSettings &s, TCommPortDriver &port);

// The CAT window's caption for a model.
QString CatWindowCaption(RadioModel m);

} // namespace zelmor

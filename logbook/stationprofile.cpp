#include "logbook/stationprofile.h"

#include "logbook/settingsstore.h"

namespace zelmor {

StationProfileData StationProfile;

void LoadStationProfile() {
    auto read = [](const char *name) { return RegReadString(StationProfileKey, QString::fromUtf8(name)); };
    StationProfileData p;
    p.call = read("call");
    p.nameCyrillic = read("name");
    p.nameLatin = read("name_lat");
    p.address = read("address");
    p.email = read("e-mail");
    p.latitude = read("latitude");
    p.longitude = read("longitude");
    p.itu = read("itu");
    p.waz = read("waz");
    p.country = read("country");
    p.continent = read("continent");
    StationProfile = p;
}

} // namespace zelmor

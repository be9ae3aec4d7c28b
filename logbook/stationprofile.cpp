#include "logbook/stationprofile.h"

#include "logbook/settingscatalogue.h"

namespace zelmor {

StationProfileData StationProfile;

void LoadStationProfile() {
    using enum SettingId;
    StationProfileData p;
    p.call = ReadSettingString(StationCall);
    p.nameCyrillic = ReadSettingString(StationName);
    p.nameLatin = ReadSettingString(StationNameLatin);
    p.address = ReadSettingString(StationAddress);
    p.email = ReadSettingString(StationEmail);
    p.latitude = ReadSettingString(StationLatitude);
    p.longitude = ReadSettingString(StationLongitude);
    p.itu = ReadSettingString(StationItu);
    p.waz = ReadSettingString(StationWaz);
    p.country = ReadSettingString(StationCountry);
    p.continent = ReadSettingString(StationContinent);
    StationProfile = p;
}

} // namespace zelmor

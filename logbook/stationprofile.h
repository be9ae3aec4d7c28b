#pragma once
// The own station's data, read by the CW macros, bearing and distance, the
// map, QSL cards, envelopes and report headers. Kept in the settings (the
// station rows of the catalogue); loaded by the start-up before the log is
// opened.
#include <QString>

namespace zelmor {

struct StationProfileData {
    QString call;
    QString nameCyrillic;
    QString nameLatin;
    QString address;    // comma-separated parts, postcode first, each closed by a comma
    QString email;
    QString latitude;   // decimal degrees, decimal comma
    QString longitude;
    QString itu;
    QString waz;
    QString country;
    QString continent;
};

extern StationProfileData StationProfile;

// Reads the profile from the settings store (missing values read as "").
void LoadStationProfile();

} // namespace zelmor

#pragma once
// The settings loader lives in station/settingsbinder; the log grid's column
// layout in logbook/loggrid.
#include "logbook/loggrid.h"
#include "station/settingsbinder.h"

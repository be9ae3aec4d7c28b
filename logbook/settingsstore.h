#pragma once
// The settings store: one hive object for the whole run, and the five
// operations through which every window reads and writes a value under
// "Software\" + subkey. A read of a missing value creates it with
// ""/false/0. A hive that cannot be written still reads what it holds;
// writes then fail: the hive says why on stderr, and the status line tells
// the operator once. The value names live in
// the settings catalogue (logbook/settingscatalogue.h), whose rows call these.
#include "platform/hive.h"

#include <QString>
#include <functional>

namespace zelmor {

// Created by the start-up, released at shut-down.
extern SettingsHive *SettingsRegistry;

void CreateSettingsRegistry(const QString &path = SettingsHive::DefaultPath());
void ReleaseSettingsRegistry();

QString RegReadString(const QString &subkey, const QString &name);
bool RegReadBool(const QString &subkey, const QString &name);
qint32 RegReadInteger(const QString &subkey, const QString &name);
// False when the value could not be stored.
bool RegWriteBool(const QString &subkey, const QString &name, bool value);
// kind 1 writes the integer, kind 0 the string, any other kind nothing.
bool RegWriteValue(int kind, const QString &subkey, const QString &name, qint32 intValue, const QString &stringValue);

// Writes inside its life are saved once, at its end (see SettingsHive::Batch).
class SettingsBatch {
public:
    SettingsBatch();
    ~SettingsBatch();
    SettingsBatch(const SettingsBatch &) = delete;
    SettingsBatch &operator=(const SettingsBatch &) = delete;

private:
    SettingsHive *hive_;
};

// True when "Software\zelmor" exists.
bool SettingsKeyExists();
// The first-start table, then the column values of the log grid and the QSL
// position table. Runs the dialog hook at the end.
void WriteDefaultSettings();
// First-start detection: writes the defaults when "Software\zelmor" is
// missing. Returns true when it did.
bool DetectFirstStart();

// Steps that touch the settings dialog (its look box and block marker); the
// settings dialog fills it.
extern std::function<void()> WriteDefaultSettingsDialogHook;

// Columns of the QSO window's log grid.
inline constexpr int LogGridColumnCount = 20;

} // namespace zelmor

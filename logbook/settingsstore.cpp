#include "logbook/settingsstore.h"

#include "common/text.h"
#include "logbook/qsostate.h"
#include "logbook/settingscatalogue.h"

#include <memory>
#include <utility>

namespace zelmor {

SettingsHive *SettingsRegistry = nullptr;
std::function<void()> WriteDefaultSettingsDialogHook;

namespace {
std::unique_ptr<SettingsHive> g_hive;

QString KeyOf(const QString &subkey) { return QStringLiteral("Software\\") + subkey; }

// Without a store every read gives the kind's empty value.
SettingsHive *Hive() { return SettingsRegistry; }

// A change that did not reach the file (a full disk) is told on the status
// line, once until a write succeeds again; a read-only file was told at
// start-up.
bool g_failureTold = false;
bool Reported(SettingsHive *h, bool stored) {
    // A write inside a batch is stored later: only a save that went well
    // (it clears the hive's error) ends the failure.
    if (stored) {
        if (h->lastError().isEmpty()) g_failureTold = false;
    } else if (!h->readOnly() && !h->lastError().isEmpty() && !std::exchange(g_failureTold, true))
        StatusText = h->lastError();
    return stored;
}

bool WriteString(const QString &subkey, const QString &name, const QString &v) {
    auto *h = Hive();
    return h && Reported(h, h->setValue(KeyOf(subkey), name, HiveValue::string(v)));
}
bool WriteDword(const QString &subkey, const QString &name, qint32 v) {
    auto *h = Hive();
    return h && Reported(h, h->setValue(KeyOf(subkey), name, HiveValue::dword(v)));
}
} // namespace

void CreateSettingsRegistry(const QString &path) {
    g_hive = std::make_unique<SettingsHive>(path);
    g_failureTold = false;
    SettingsRegistry = g_hive.get();
    // Said once, where the operator looks: the hive has put it on stderr.
    if (g_hive->readOnly()) StatusText = g_hive->readOnlyNotice();
}

SettingsBatch::SettingsBatch() : hive_(SettingsRegistry) {
    if (hive_) hive_->beginBatch();
}

SettingsBatch::~SettingsBatch() {
    if (hive_ && hive_ == SettingsRegistry) Reported(hive_, hive_->endBatch());
}

void ReleaseSettingsRegistry() {
    SettingsRegistry = nullptr;
    g_hive.reset();
}

QString RegReadString(const QString &subkey, const QString &name) {
    auto *h = Hive();
    if (!h) return QString();
    const auto v = h->value(KeyOf(subkey), name);
    if (!v) {
        WriteString(subkey, name, QString());
        return QString();
    }
    if (v->kind == HiveKind::Dword) return QString::number(v->number);
    return v->text;
}

qint32 RegReadInteger(const QString &subkey, const QString &name) {
    auto *h = Hive();
    if (!h) return 0;
    const auto v = h->value(KeyOf(subkey), name);
    if (!v) {
        WriteDword(subkey, name, 0);
        return 0;
    }
    if (v->kind == HiveKind::String) return ParseInteger(v->text).value_or(0);
    return v->number;
}

bool RegReadBool(const QString &subkey, const QString &name) {
    auto *h = Hive();
    if (!h) return false;
    const auto v = h->value(KeyOf(subkey), name);
    if (!v) {
        WriteDword(subkey, name, 0);
        return false;
    }
    if (v->kind == HiveKind::String) return ParseInteger(v->text).value_or(0) != 0;
    return v->number != 0;
}

bool RegWriteBool(const QString &subkey, const QString &name, bool value) { return WriteDword(subkey, name, value ? 1 : 0); }

bool RegWriteValue(int kind, const QString &subkey, const QString &name, qint32 intValue, const QString &stringValue) {
    if (kind == 1) return WriteDword(subkey, name, intValue);
    if (kind == 0) return WriteString(subkey, name, stringValue);
    return false;
}

bool SettingsKeyExists() { return Hive() && Hive()->keyExists(QStringLiteral("Software\\zelmor")); }

void WriteDefaultSettings() {
    // Some 130 values: one save at the end, not one each.
    SettingsBatch batch;
    for (SettingId id : FirstStartRows()) {
        switch (Setting(id).kind) {
        case SettingKind::S: WriteSetting(id, SettingDefaultText(id)); break;
        case SettingKind::N: WriteSetting(id, SettingDefaultNumber(id)); break;
        case SettingKind::B: WriteSetting(id, SettingDefaultNumber(id) != 0); break;
        }
    }

    // The log grid loads its widths (each read creates "размер колонки"N as
    // 0, and 0 means 80 pixels), then stores which columns are shown.
    for (int n = 0; n < LogGridColumnCount; ++n) {
        const qint32 stored = ReadSettingInteger(SettingId::LogGridWidth, n);
        const int width = stored == 0 ? 80 : stored;
        WriteSetting(SettingId::LogGridShown, qint32(width != 0 ? 1 : 0), n);
    }
    for (int n = 0; n <= 20; ++n) WriteSetting(SettingId::QslData, SettingDefaultNumber(SettingId::QslData), n);

    if (WriteDefaultSettingsDialogHook) WriteDefaultSettingsDialogHook();
}

bool DetectFirstStart() {
    if (!Hive() || SettingsKeyExists()) return false;
    WriteDefaultSettings();
    return true;
}

} // namespace zelmor

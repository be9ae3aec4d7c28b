#pragma once
// The settings loader and binder. At start-up `LoadSettings` walks the
// settings table in load order: each row's target is found in its window,
// its value read through the store and checked, the control set with its
// signals blocked and the row's load effect run; no change handler runs,
// so loading stores nothing and starts nothing. At its end every control
// row is bound: from then on a change of the control stores its value at
// once (hot keys when they lose the focus) and runs the row's change effect.
#include "station/settingsrules.h"

#include <QString>
#include <functional>

class QObject;

namespace zelmor {

enum class SettingId : int;

// "window/control" or "window" to the object; nullptr when there is none
// (yet). Menu items and timers are found like controls.
QObject *ResolveSettingTarget(const QString &target);
QObject *SettingTargetObject(SettingId id, int index = -1);

void LoadSettings();
// The search window's grid from its stored widths and shown flags.
void LoadSearchGridColumnWidths();
// "F2" to "F7" into the voice key edits.
void LoadMacroKeyStrings();
// The first start's steps of the dialog: the look stored as "Авангард".
void WriteDefaultDialogSettings();

// The writers of the control rows; LoadSettings connects them at its end.
// Connecting again replaces the earlier connections.
void ConnectSettingWriters();
void DisconnectSettingWriters();

// Later Parts' effects of the loader.
struct SettingsLoaderHooks {
    // With a sound card only, once the levels (MixerLevels) and the line
    // boxes tlin, tob1, tob2, tmc are loaded.
    std::function<void()> MixerBlock;
};
extern SettingsLoaderHooks SettingsLoaderHook;

} // namespace zelmor

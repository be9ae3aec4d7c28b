#include "platform/sound.h"

namespace zelmor::platform {
namespace {
Sound *g_sound = nullptr;
Sound *g_default = nullptr;
} // namespace
Sound &sound() {
    static NullSound none;
    if (g_sound) return *g_sound;
    return g_default ? *g_default : none;
}
void install(Sound *s) { g_sound = s; }
void setDefaultSound(Sound *s) { g_default = s; }
} // namespace zelmor::platform

#include "platform/sound.h"

#include <time.h>

namespace zelmor {

void FakeSound::setSidetone(bool on) {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    std::lock_guard lock(toneLock_);
    if (on == toneOn_) return;
    toneOn_ = on;
    tones_.push_back({on, qint64(t.tv_sec) * 1000000000 + t.tv_nsec});
}

} // namespace zelmor

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

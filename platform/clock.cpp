#include "platform/clock.h"

namespace zelmor::platform {
namespace {
Clock *g_clock = nullptr;
}
Clock &clock() {
    static SystemClock pc;
    return g_clock ? *g_clock : pc;
}
void install(Clock *c) { g_clock = c; }
} // namespace zelmor::platform

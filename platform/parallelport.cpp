#include "platform/parallelport.h"

namespace zelmor {

std::atomic<quint16> LptDataPort{0};
std::atomic<quint16> LptStatusPort{0};
std::atomic<quint16> LptControlPort{0};

namespace platform {
namespace {
ParallelPort *g_port = nullptr;
}
ParallelPort &parallelPort() {
    static NullParallelPort none;
    return g_port ? *g_port : none;
}
void install(ParallelPort *p) { g_port = p; }
} // namespace platform

} // namespace zelmor

#include "platform/mixer.h"

namespace zelmor {

MixerVolume FakeMixer::GetMixerVolume(int destination, int source) {
    gets.emplace_back(destination, source);
    MixerVolume v;
    if (id_ < 0) return v;
    const auto it = lines.find({destination, source});
    if (it == lines.end()) return v;
    v.ok = true;
    v.left = it->second.left;
    v.right = it->second.right;
    v.mute = it->second.mute;
    v.volumeDisabled = v.left < 0;
    v.muteDisabled = v.mute < 0;
    return v;
}

bool FakeMixer::SetMixerVolume(int destination, int source, int left, int right, int mute) {
    sets.push_back({destination, source, left, right, mute});
    if (id_ < 0) return false;
    const auto it = lines.find({destination, source});
    if (it == lines.end()) return false;
    it->second.left = left;
    if (it->second.right >= 0) it->second.right = right < 0 ? left : right;
    if (mute >= 0) it->second.mute = mute;
    return true;
}

namespace {
std::function<std::unique_ptr<Mixer>()> &Factory() {
    static std::function<std::unique_ptr<Mixer>()> f;
    return f;
}
} // namespace

std::unique_ptr<Mixer> ConstructAudioMixer() {
    std::unique_ptr<Mixer> m = Factory() ? Factory()() : nullptr;
    if (!m) return std::make_unique<NullMixer>();
    if (m->MixerID() < 0 && m->deviceCount() > 0) m->SetMixerID(0);
    return m;
}

namespace platform {
void setMixerFactory(std::function<std::unique_ptr<Mixer>()> factory) { Factory() = std::move(factory); }
} // namespace platform

} // namespace zelmor

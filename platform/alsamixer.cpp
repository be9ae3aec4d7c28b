#include "platform/alsamixer.h"

#include <alsa/asoundlib.h>
#include <algorithm>
#include <cmath>
#include <cstdarg>

namespace zelmor {

namespace alsamixer {

Side VolumeSide(const Element &e) {
    if (e.playbackVolume) return Side::Playback;
    return e.captureVolume ? Side::Capture : Side::None;
}

Side MuteSide(const Element &e) {
    if (e.playbackSwitch) return Side::Playback;
    return e.captureSwitch ? Side::Capture : Side::None;
}

bool Uniform(const Element &e, Side side) {
    return side == Side::Playback ? e.playbackMono : side == Side::Capture ? e.captureMono : true;
}

long LevelToRaw(int level, long min, long max) {
    const double l = std::clamp(level, 0, 65535);
    return min + std::lround(l * double(max - min) / 65535.0);
}

int RawToLevel(long raw, long min, long max) {
    if (max <= min) return 0;
    const long r = std::clamp(raw, min, max);
    return int(std::lround(double(r - min) * 65535.0 / double(max - min)));
}

int LineIndex(int destination, int source) {
    if (destination != 0) return -1;
    for (size_t i = 0; i < LineSources.size(); ++i)
        if (LineSources[i] == source) return int(i);
    return -1;
}

std::array<QString, 4> AssignLines(const QStringList &present) {
    static const std::array<QStringList, 4> names = {
        QStringList{"Master", "Speaker", "PCM", "Headphone"},
        QStringList{"PCM", "Wave"},
        QStringList{"Line", "Line In", "Aux"},
        QStringList{"Mic", "Front Mic", "Rear Mic", "Capture"},
    };
    std::array<QString, 4> lines;
    QStringList taken;
    for (size_t i = 0; i < names.size(); ++i)
        for (const QString &n : names[i])
            if (present.contains(n) && !taken.contains(n)) {
                lines[i] = n;
                taken << n;
                break;
            }
    return lines;
}

} // namespace alsamixer

namespace {

using namespace alsamixer;

void Silent(const char *, int, const char *, int, const char *, ...) {}

snd_mixer_elem_t *Elem(void *p) { return static_cast<snd_mixer_elem_t *>(p); }

Element Describe(snd_mixer_elem_t *e) {
    Element d;
    d.playbackVolume = snd_mixer_selem_has_playback_volume(e);
    d.captureVolume = snd_mixer_selem_has_capture_volume(e);
    d.playbackSwitch = snd_mixer_selem_has_playback_switch(e);
    d.captureSwitch = snd_mixer_selem_has_capture_switch(e);
    d.playbackMono = snd_mixer_selem_is_playback_mono(e);
    d.captureMono = snd_mixer_selem_is_capture_mono(e);
    d.active = snd_mixer_selem_is_active(e);
    return d;
}

bool Range(snd_mixer_elem_t *e, Side side, long &min, long &max) {
    const int rc = side == Side::Playback ? snd_mixer_selem_get_playback_volume_range(e, &min, &max)
                                          : snd_mixer_selem_get_capture_volume_range(e, &min, &max);
    return rc == 0 && max > min;
}

bool ReadRaw(snd_mixer_elem_t *e, Side side, snd_mixer_selem_channel_id_t ch, long &raw) {
    return (side == Side::Playback ? snd_mixer_selem_get_playback_volume(e, ch, &raw)
                                   : snd_mixer_selem_get_capture_volume(e, ch, &raw)) == 0;
}

} // namespace

AlsaMixer::AlsaMixer() {
    snd_lib_error_set_handler(Silent);
    for (int card = -1; snd_card_next(&card) == 0 && card >= 0;) ++cards_;
    if (cards_ > 0) SetMixerID(0);
}

AlsaMixer::~AlsaMixer() {
    close();
    snd_config_update_free_global();
}

void AlsaMixer::close() {
    if (handle_) snd_mixer_close(static_cast<snd_mixer_t *>(handle_));
    handle_ = nullptr;
    lines_ = {};
    id_ = -1;
}

void AlsaMixer::SetMixerID(int id) {
    if (id >= cards_) return;
    close();
    if (id < 0) return;
    snd_mixer_t *m = nullptr;
    if (snd_mixer_open(&m, 0) != 0) return;
    if (snd_mixer_attach(m, "default") != 0 || snd_mixer_selem_register(m, nullptr, nullptr) != 0 ||
        snd_mixer_load(m) != 0) {
        snd_mixer_close(m);
        return;
    }
    handle_ = m;
    id_ = id;
    QStringList present;
    std::vector<snd_mixer_elem_t *> elems;
    for (snd_mixer_elem_t *e = snd_mixer_first_elem(m); e; e = snd_mixer_elem_next(e)) {
        if (snd_mixer_selem_get_index(e) != 0) continue;
        present << QString::fromUtf8(snd_mixer_selem_get_name(e));
        elems.push_back(e);
    }
    const auto names = AssignLines(present);
    for (size_t i = 0; i < names.size(); ++i)
        if (!names[i].isEmpty()) lines_[i] = elems[size_t(present.indexOf(names[i]))];
}

void *AlsaMixer::element(int destination, int source) const {
    const int i = LineIndex(destination, source);
    return i < 0 || !handle_ ? nullptr : lines_[size_t(i)];
}

MixerVolume AlsaMixer::GetMixerVolume(int destination, int source) {
    MixerVolume v;
    snd_mixer_elem_t *e = Elem(element(destination, source));
    if (!e) return v;
    v.ok = true;
    const Element d = Describe(e);
    const Side vol = VolumeSide(d);
    long min = 0, max = 0, raw = 0;
    if (vol != Side::None && Range(e, vol, min, max) && ReadRaw(e, vol, SND_MIXER_SCHN_FRONT_LEFT, raw)) {
        v.left = RawToLevel(raw, min, max);
        if (!Uniform(d, vol) && ReadRaw(e, vol, SND_MIXER_SCHN_FRONT_RIGHT, raw)) v.right = RawToLevel(raw, min, max);
        v.volumeDisabled = !d.active;
    }
    const Side sw = MuteSide(d);
    int on = 1;
    if (sw != Side::None && (sw == Side::Playback ? snd_mixer_selem_get_playback_switch(e, SND_MIXER_SCHN_FRONT_LEFT, &on)
                                                  : snd_mixer_selem_get_capture_switch(e, SND_MIXER_SCHN_FRONT_LEFT, &on)) == 0) {
        v.mute = on ? 0 : 1;
        v.muteDisabled = !d.active;
    }
    return v;
}

bool AlsaMixer::SetMixerVolume(int destination, int source, int left, int right, int mute) {
    snd_mixer_elem_t *e = Elem(element(destination, source));
    if (!e) return false;
    const Element d = Describe(e);
    bool ok = true;
    const Side vol = VolumeSide(d);
    long min = 0, max = 0;
    if (vol != Side::None && Range(e, vol, min, max)) {
        const long l = LevelToRaw(left, min, max), r = LevelToRaw(right < 0 ? left : right, min, max);
        const bool play = vol == Side::Playback;
        if (Uniform(d, vol)) {
            ok = (play ? snd_mixer_selem_set_playback_volume_all(e, l) : snd_mixer_selem_set_capture_volume_all(e, l)) == 0;
        } else {
            ok = (play ? snd_mixer_selem_set_playback_volume(e, SND_MIXER_SCHN_FRONT_LEFT, l)
                       : snd_mixer_selem_set_capture_volume(e, SND_MIXER_SCHN_FRONT_LEFT, l)) == 0;
            ok = (play ? snd_mixer_selem_set_playback_volume(e, SND_MIXER_SCHN_FRONT_RIGHT, r)
                       : snd_mixer_selem_set_capture_volume(e, SND_MIXER_SCHN_FRONT_RIGHT, r)) == 0 && ok;
        }
    }
    const Side sw = MuteSide(d);
    if (mute >= 0 && sw != Side::None) {
        const int on = mute ? 0 : 1;
        ok = (sw == Side::Playback ? snd_mixer_selem_set_playback_switch_all(e, on)
                                   : snd_mixer_selem_set_capture_switch_all(e, on)) == 0 && ok;
    }
    return ok;
}

} // namespace zelmor

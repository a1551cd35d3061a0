#pragma once
// "Tell the time", struck as a quarter repeater strikes it: the hours of the twelve-hour clock,
// one a second, each ringing on under the next, then after a pause the sound of the last
// quarter passed. What to strike, and the mixing of the strikes into one sound. No Windows
// header.
#include "core/Chime.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// What the repeater strikes at hour:minute (0-23, 0-59): the hours (12 at noon and midnight),
// and, from :15 on, the slot of the last quarter passed under the three boxes (none when the
// secondary sounds are off).
struct RepeaterPlan {
    int hours = 0;
    bool quarter = false;
    SoundSlot quarterSlot = SoundSlot::QuarterAfter;
};
RepeaterPlan PlanRepeater(int hour, int minute, const ChimeOptions& options);

// Samples as numbers from -1 to 1, frames of `channels` interleaved.
struct Pcm {
    unsigned rate = 0, channels = 0;
    std::vector<float> samples;
    size_t Frames() const { return channels ? samples.size() / channels : 0; }
};
// The samples of the WAV file `file` of `size` bytes; none when its encoding is not one whose
// level can be scaled (see SampleKind).
Pcm DecodeWave(const uint8_t* file, size_t size);

// The strikes come this far apart, and the quarter's sound this long after the last beat.
constexpr unsigned kStrikeMs = 1000, kQuarterPauseMs = 1000;

// The repeater's sound as a 16-bit PCM WAV file at `percent` (0-100) of the sounds' level, in
// the rate and channels of `hour` (of `quarter` when there are no strikes): `strikes` of `hour`
// one a second, each ringing on under the next, then, one beat and a pause after the last,
// `quarter` (converted to the same rate and channels). The sum never clips: where it would go
// beyond full scale, the whole sound is scaled down until its loudest sample is at full scale.
// Empty when there is nothing to strike.
std::vector<uint8_t> MixRepeater(const Pcm& hour, int strikes, const Pcm& quarter, int percent);

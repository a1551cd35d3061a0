#pragma once
// "Tell the time", struck as a quarter repeater strikes it, in the way of striking chosen: the
// hours of the twelve-hour clock, one a second, each ringing on under the next, then after a
// pause the last quarter passed as the pattern strikes it (a ship's clock: the bells of the
// last half hour passed). What to strike, and the mixing of strikes into one sound. No Windows
// header.
#include "core/Chime.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// What the repeater strikes at hour:minute (0-23, 0-59): the hours (12 at noon and midnight),
// kStrikeMs apart, and, from :15 on, kQuarterPauseMs after the last beat, the latest quarter
// passed that the pattern strikes, as it strikes it; under ship's bells, the bells of the last
// half hour passed, in their pairs.
std::vector<Stroke> TellStrokes(int hour, int minute, const ChimeOptions& options);

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

// `strokes` as one sound, a 16-bit PCM WAV file at `percent` (0-100) of the sounds' level: each
// the sound of its slot in `sounds` (indexed by slot) at its moment, ringing on under the next,
// in the rate and channels of the first that sounds (the others converted to them). A stroke
// whose slot has no sound is left out, and the first that sounds starts the whole. The sum
// never clips: where it would go beyond full scale, the whole sound is scaled down until its
// loudest sample is at full scale. Empty when nothing sounds.
std::vector<uint8_t> MixStrokes(const Pcm (&sounds)[4], const std::vector<Stroke>& strokes,
                                int percent);

#include "core/Repeater.h"

#include "core/Wave.h"

#include <cmath>
#include <cstring>

RepeaterPlan PlanRepeater(int hour, int minute, const ChimeOptions& options) {
    RepeaterPlan plan;
    plan.hours = TwelveHour(hour);
    if (minute < 15)
        return plan;
    // The last quarter passed, as the chime strikes it: the same slot, or none.
    const QuarterStrike strike = Strikes(hour, options).quarter[minute < 45 ? minute / 15 : 3];
    plan.quarter = strike.count > 0;
    plan.quarterSlot = strike.slot;
    return plan;
}

namespace {
uint32_t Read(const uint8_t* p, unsigned bytes) {
    uint32_t value = 0;
    for (unsigned i = 0; i < bytes; ++i)
        value |= static_cast<uint32_t>(p[i]) << (8 * i);
    return value;
}
float Sample(const uint8_t* p, SampleKind kind) {
    switch (kind) {
    case SampleKind::Unsigned8: return static_cast<float>(static_cast<int>(p[0]) - 128) / 128.0f;
    case SampleKind::Signed16:
        return static_cast<float>(static_cast<int16_t>(Read(p, 2))) / 32768.0f;
    case SampleKind::Signed24: {
        int32_t v = static_cast<int32_t>(Read(p, 3) << 8) / 256;
        return static_cast<float>(v) / 8388608.0f;
    }
    case SampleKind::Signed32:
        return static_cast<float>(static_cast<double>(static_cast<int32_t>(Read(p, 4))) /
                                  2147483648.0);
    case SampleKind::Float32: {
        float v;
        std::memcpy(&v, p, 4);
        // A file's NaN or infinity is silence; a value beyond full scale stays as loud.
        return std::isfinite(v) ? v : 0.0f;
    }
    default: return 0.0f;
    }
}

// `in` at the rate and channels of `like`: each frame is interpolated between its two nearest,
// and the channels are averaged down to one or spread from one (or taken in turn).
Pcm Converted(const Pcm& in, unsigned rate, unsigned channels) {
    if (in.rate == rate && in.channels == channels)
        return in;
    Pcm out;
    out.rate = rate;
    out.channels = channels;
    const size_t frames = in.Frames();
    if (!frames || !rate || !in.rate)
        return out;
    const size_t outFrames = static_cast<size_t>(static_cast<double>(frames) * rate / in.rate);
    out.samples.resize(outFrames * channels);
    const auto at = [&](size_t frame, unsigned channel) {
        if (channels == 1 && in.channels > 1) {
            float sum = 0;
            for (unsigned c = 0; c < in.channels; ++c)
                sum += in.samples[frame * in.channels + c];
            return sum / static_cast<float>(in.channels);
        }
        return in.samples[frame * in.channels + channel % in.channels];
    };
    for (size_t f = 0; f < outFrames; ++f) {
        const double position = static_cast<double>(f) * in.rate / rate;
        const size_t first = static_cast<size_t>(position);
        const size_t second = first + 1 < frames ? first + 1 : first;
        const float weight = static_cast<float>(position - static_cast<double>(first));
        for (unsigned c = 0; c < channels; ++c)
            out.samples[f * channels + c] = at(first, c) * (1 - weight) + at(second, c) * weight;
    }
    return out;
}

void Put(std::vector<uint8_t>& out, uint32_t value, unsigned bytes) {
    for (unsigned i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}
} // namespace

Pcm DecodeWave(const uint8_t* file, size_t size) {
    Pcm pcm;
    const WaveLayout layout = ReadWaveLayout(file, size);
    if (layout.kind == SampleKind::None)
        return pcm;
    const unsigned width = layout.kind == SampleKind::Unsigned8  ? 1
                           : layout.kind == SampleKind::Signed16 ? 2
                           : layout.kind == SampleKind::Signed24 ? 3
                                                                 : 4;
    pcm.rate = layout.rate;
    pcm.channels = layout.blockAlign / width;
    pcm.samples.reserve(layout.samplesSize / width);
    for (size_t i = 0; i + width <= layout.samplesSize; i += width)
        pcm.samples.push_back(Sample(file + layout.samplesAt + i, layout.kind));
    return pcm;
}

std::vector<uint8_t> MixRepeater(const Pcm& hour, int strikes, const Pcm& quarter, int percent) {
    const bool striking = strikes > 0 && hour.Frames() > 0;
    const bool quartering = quarter.Frames() > 0;
    if (!striking && !quartering)
        return {};
    const unsigned rate = striking ? hour.rate : quarter.rate;
    const unsigned channels = striking ? hour.channels : quarter.channels;
    const size_t beat = static_cast<size_t>(rate) * kStrikeMs / 1000;
    const Pcm last = quartering ? Converted(quarter, rate, channels) : Pcm();
    // Where each part starts, in frames, and how long the whole is.
    const size_t count = striking ? static_cast<size_t>(strikes) : 0;
    const size_t quarterAt =
        striking ? count * beat + static_cast<size_t>(rate) * kQuarterPauseMs / 1000 : 0;
    size_t frames = striking ? (count - 1) * beat + hour.Frames() : 0;
    if (quartering && quarterAt + last.Frames() > frames)
        frames = quarterAt + last.Frames();

    std::vector<float> mix(frames * channels, 0.0f);
    for (size_t s = 0; s < count; ++s)
        for (size_t i = 0; i < hour.samples.size(); ++i)
            mix[s * beat * channels + i] += hour.samples[i];
    for (size_t i = 0; i < last.samples.size(); ++i)
        mix[quarterAt * channels + i] += last.samples[i];

    float peak = 0;
    for (float v : mix)
        peak = std::fabs(v) > peak ? std::fabs(v) : peak;
    const float level = static_cast<float>(percent < 0 ? 0 : percent > 100 ? 100 : percent) / 100;
    const float gain = peak * level > 1.0f ? 1.0f / peak : level;

    std::vector<uint8_t> wav;
    const uint32_t data = static_cast<uint32_t>(mix.size() * 2);
    wav.reserve(44 + data);
    wav.insert(wav.end(), {'R', 'I', 'F', 'F'});
    Put(wav, 36 + data, 4);
    wav.insert(wav.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    Put(wav, 16, 4);
    Put(wav, 1, 2); // PCM
    Put(wav, channels, 2);
    Put(wav, rate, 4);
    Put(wav, rate * channels * 2, 4);
    Put(wav, channels * 2, 2);
    Put(wav, 16, 2);
    wav.insert(wav.end(), {'d', 'a', 't', 'a'});
    Put(wav, data, 4);
    for (float v : mix) {
        const long scaled = std::lround(static_cast<double>(v * gain) * 32767.0);
        Put(wav,
            static_cast<uint32_t>(static_cast<int16_t>(scaled > 32767    ? 32767
                                                       : scaled < -32768 ? -32768
                                                                         : scaled)),
            2);
    }
    return wav;
}

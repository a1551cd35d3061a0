#include "core/Repeater.h"

#include "core/Wave.h"

#include <cmath>
#include <cstring>

std::vector<Stroke> TellStrokes(int hour, int minute, const ChimeOptions& options) {
    const StrikeTable table = Strikes(hour, options);
    if (options.pattern == Pattern::ShipsBells)
        return table.quarter[minute < 30 ? 0 : 2].strokes;
    std::vector<Stroke> strokes;
    const int hours = TwelveHour(hour);
    for (int i = 0; i < hours; ++i)
        strokes.push_back({SoundSlot::Hour, static_cast<unsigned>(i) * kStrikeMs});
    // The latest quarter passed that strikes, as the chime strikes it.
    for (int quarter = minute < 45 ? minute / 15 : 3; quarter >= 1; --quarter) {
        const QuarterStrike& strike = table.quarter[quarter];
        if (strike.count <= 0)
            continue;
        const unsigned at = static_cast<unsigned>(hours) * kStrikeMs + kQuarterPauseMs;
        if (strike.strokes.empty())
            strokes.push_back({strike.slot, at});
        for (const Stroke& stroke : strike.strokes)
            strokes.push_back({stroke.slot, at + stroke.atMs});
        break;
    }
    return strokes;
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

std::vector<uint8_t> MixStrokes(const Pcm (&sounds)[4], const std::vector<Stroke>& strokes,
                                int percent) {
    const auto soundOf = [&](const Stroke& stroke) -> const Pcm& {
        return sounds[static_cast<int>(stroke.slot) & 3];
    };
    const Stroke* first = nullptr;
    for (const Stroke& stroke : strokes)
        if (soundOf(stroke).Frames() > 0 && (!first || stroke.atMs < first->atMs))
            first = &stroke;
    if (!first)
        return {};
    const unsigned rate = soundOf(*first).rate;
    const unsigned channels = soundOf(*first).channels;
    Pcm converted[4];
    for (int slot = 0; slot < 4; ++slot)
        converted[slot] = Converted(sounds[slot], rate, channels);
    // Where each stroke starts, in frames from the first that sounds, and how long the whole is.
    const auto frameOf = [&](const Stroke& stroke) {
        return static_cast<size_t>(static_cast<unsigned long long>(stroke.atMs - first->atMs) *
                                   rate / 1000);
    };
    size_t frames = 0;
    for (const Stroke& stroke : strokes) {
        const Pcm& sound = converted[static_cast<int>(stroke.slot) & 3];
        if (sound.Frames() > 0 && frameOf(stroke) + sound.Frames() > frames)
            frames = frameOf(stroke) + sound.Frames();
    }

    std::vector<float> mix(frames * channels, 0.0f);
    for (const Stroke& stroke : strokes) {
        const Pcm& sound = converted[static_cast<int>(stroke.slot) & 3];
        if (sound.Frames() == 0)
            continue;
        float* at = mix.data() + frameOf(stroke) * channels;
        for (size_t i = 0; i < sound.samples.size(); ++i)
            at[i] += sound.samples[i];
    }

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

#include "core/Wave.h"

#include <cstring>

namespace {
// Chunk sizes and offsets are computed in 64 bits: a size field near 4 GB cannot wrap.
using u64 = unsigned long long;

unsigned Read16(const uint8_t* p) { return static_cast<unsigned>(p[0] | p[1] << 8); }
uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
void Write32(uint8_t* p, u64 value) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(value >> (8 * i));
}
bool Is(const uint8_t* p, const char* id) { return std::memcmp(p, id, 4) == 0; }

constexpr unsigned kFormatPcm = 1, kFormatFloat = 3, kFormatExtensible = 0xFFFE;
constexpr unsigned kMaxChannels = 8;
constexpr unsigned kMinRate = 1000, kMaxRate = 192000;

SampleKind KindOf(unsigned tag, unsigned bits) {
    if (tag == kFormatFloat)
        return bits == 32 ? SampleKind::Float32 : SampleKind::None;
    if (tag != kFormatPcm)
        return SampleKind::None;
    switch (bits) {
    case 8: return SampleKind::Unsigned8;
    case 16: return SampleKind::Signed16;
    case 24: return SampleKind::Signed24;
    case 32: return SampleKind::Signed32;
    default: return SampleKind::None;
    }
}

unsigned BytesPerSample(SampleKind kind) {
    switch (kind) {
    case SampleKind::Unsigned8: return 1;
    case SampleKind::Signed16: return 2;
    case SampleKind::Signed24: return 3;
    case SampleKind::Signed32:
    case SampleKind::Float32: return 4;
    default: return 0;
    }
}
} // namespace

WaveLayout ReadWaveLayout(const uint8_t* file, size_t size) {
    WaveLayout layout;
    if (!file || size < 12 || !Is(file, "RIFF") || !Is(file + 8, "WAVE"))
        return layout;
    // The RIFF size is not trusted: the chunks are walked to the end of what is really there.
    bool haveFormat = false, haveData = false;
    unsigned tag = 0, channels = 0, bits = 0;
    u64 at = 12;
    while (at + 8 <= size && !(haveFormat && haveData)) {
        const u64 claimed = Read32(file + at + 4);
        const u64 body = at + 8;
        const u64 available = size - body < claimed ? size - body : claimed;
        if (Is(file + at, "fmt ") && !haveFormat && available >= 16) {
            const uint8_t* f = file + body;
            tag = Read16(f);
            channels = Read16(f + 2);
            layout.rate = Read32(f + 4);
            layout.bytesPerSecond = Read32(f + 8);
            layout.blockAlign = Read16(f + 12);
            bits = Read16(f + 14);
            // WAVE_FORMAT_EXTENSIBLE names the real format in its sub-format's first two bytes.
            if (tag == kFormatExtensible)
                tag = available >= 40 ? Read16(f + 24) : 0;
            layout.formatAt = static_cast<size_t>(body);
            layout.formatSize = static_cast<size_t>(available);
            haveFormat = true;
        } else if (Is(file + at, "data") && !haveData) {
            layout.samplesAt = static_cast<size_t>(body);
            layout.samplesSize = static_cast<size_t>(available);
            layout.claimedSamples = static_cast<size_t>(claimed);
            haveData = true;
        }
        at = body + claimed + (claimed & 1); // chunks are padded to an even length
    }
    if (!haveFormat || !haveData)
        return layout;
    layout.complete = true;
    // Whole blocks only, in any encoding.
    if (layout.blockAlign)
        layout.samplesSize -= layout.samplesSize % layout.blockAlign;
    const SampleKind kind = KindOf(tag, bits);
    if (kind == SampleKind::None || channels == 0 || channels > kMaxChannels ||
        layout.blockAlign != channels * BytesPerSample(kind) || layout.rate < kMinRate ||
        layout.rate > kMaxRate)
        return layout;
    layout.kind = kind;
    return layout;
}

void ScaleSamples(uint8_t* samples, size_t size, SampleKind kind, int percent) {
    if (percent >= 100)
        return;
    const long long p = percent < 0 ? 0 : percent;
    const unsigned width = BytesPerSample(kind);
    for (size_t i = 0; width && i + width <= size; i += width) {
        uint8_t* s = samples + i;
        switch (kind) {
        case SampleKind::Unsigned8:
            s[0] = static_cast<uint8_t>(128 + (s[0] - 128) * p / 100);
            break;
        case SampleKind::Signed16: {
            const long long v = static_cast<int16_t>(Read16(s)) * p / 100;
            s[0] = static_cast<uint8_t>(v);
            s[1] = static_cast<uint8_t>(v >> 8);
            break;
        }
        case SampleKind::Signed24: {
            long long v = static_cast<long long>(s[0] | s[1] << 8 | s[2] << 16);
            if (v & 0x800000)
                v -= 0x1000000;
            v = v * p / 100;
            for (int b = 0; b < 3; ++b)
                s[b] = static_cast<uint8_t>(v >> (8 * b));
            break;
        }
        case SampleKind::Signed32:
            Write32(s, static_cast<u64>(static_cast<long long>(static_cast<int32_t>(Read32(s))) *
                                        p / 100));
            break;
        case SampleKind::Float32: {
            float v;
            std::memcpy(&v, s, 4);
            v = v * static_cast<float>(p) / 100.0f;
            std::memcpy(s, &v, 4);
            break;
        }
        default: return;
        }
    }
}

namespace {
// The size of WAVEFORMATEX without its extra bytes.
constexpr size_t kFormatEx = 18;
} // namespace

ChimeImage::ChimeImage(const uint8_t* file, size_t size, int percent, unsigned maxLeadInMs) {
    const WaveLayout layout = ReadWaveLayout(file, size);
    if (!layout.complete || !layout.blockAlign || !layout.bytesPerSecond || !layout.samplesSize)
        return;
    m_scaled = layout.kind != SampleKind::None;
    m_rate = layout.rate;
    m_blockAlign = layout.blockAlign;
    m_bytesPerSecond = m_scaled ? m_rate * m_blockAlign : layout.bytesPerSecond;
    // A 16-byte PCM format becomes a WAVEFORMATEX with no extra bytes; a longer one keeps its
    // own, and its count of them is cut to what is there.
    m_format.assign(kFormatEx, 0);
    std::memcpy(m_format.data(), file + layout.formatAt,
                layout.formatSize < kFormatEx ? layout.formatSize : kFormatEx);
    if (layout.formatSize >= kFormatEx) {
        const size_t extra = Read16(file + layout.formatAt + 16);
        const size_t there =
            layout.formatSize - kFormatEx < extra ? layout.formatSize - kFormatEx : extra;
        m_format.insert(m_format.end(), file + layout.formatAt + kFormatEx,
                        file + layout.formatAt + kFormatEx + there);
        m_format[16] = static_cast<uint8_t>(there);
        m_format[17] = static_cast<uint8_t>(there >> 8);
    } else {
        m_format[16] = m_format[17] = 0;
    }
    if (m_scaled)
        m_maxLeadIn = static_cast<size_t>(u64{maxLeadInMs} * m_rate / 1000) * m_blockAlign;
    m_bytes.assign(m_maxLeadIn, layout.kind == SampleKind::Unsigned8 ? 0x80 : 0);
    m_bytes.insert(m_bytes.end(), file + layout.samplesAt,
                   file + layout.samplesAt + layout.samplesSize);
    if (m_scaled)
        ScaleSamples(m_bytes.data() + m_maxLeadIn, layout.samplesSize, layout.kind, percent);
}

ChimeImage::Span ChimeImage::Samples(unsigned leadInMs) const {
    if (IsEmpty())
        return {};
    size_t leadIn = static_cast<size_t>(u64{leadInMs} * m_rate / 1000) * m_blockAlign;
    if (leadIn > m_maxLeadIn)
        leadIn = m_maxLeadIn;
    return {m_bytes.data() + (m_maxLeadIn - leadIn), m_bytes.size() - (m_maxLeadIn - leadIn)};
}

unsigned ChimeImage::DurationMs(size_t bytes) const {
    return m_bytesPerSecond ? static_cast<unsigned>((u64{bytes} * 1000 + m_bytesPerSecond - 1) /
                                                    m_bytesPerSecond)
                            : 0;
}

unsigned WaveDurationMs(const uint8_t* head, size_t size) {
    const WaveLayout layout = ReadWaveLayout(head, size);
    if (!layout.complete || !layout.bytesPerSecond)
        return 0;
    const u64 ms =
        (u64{layout.claimedSamples} * 1000 + layout.bytesPerSecond - 1) / layout.bytesPerSecond;
    return ms > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<unsigned>(ms);
}

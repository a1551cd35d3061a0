#pragma once
// WAV files as the chime plays them: read from memory, their samples scaled to the chime's own
// volume, ready for an output device after an optional lead-in of silence that wakes a
// sleeping device before the first note. No Windows header.

#include <cstddef>
#include <cstdint>
#include <vector>

// The sample encodings whose level can be changed here; anything else (compressed formats,
// 64-bit floats, inconsistent headers) is None and plays as the file is.
enum class SampleKind { None, Unsigned8, Signed16, Signed24, Signed32, Float32 };

struct WaveLayout {
    SampleKind kind = SampleKind::None;
    bool complete = false;   // a format chunk of 16 bytes or more, and a data chunk, are there
    unsigned rate = 0;       // frames per second
    unsigned blockAlign = 0; // bytes per frame (per block of a compressed encoding)
    unsigned bytesPerSecond = 0;
    size_t claimedSamples = 0; // the data chunk's size as it claims it
    size_t formatAt = 0;     // the format chunk's body within the file
    size_t formatSize = 0;
    size_t samplesAt = 0;   // the sample data within the file: whole frames only, all of
    size_t samplesSize = 0; // them inside the file, however long the chunk claims to be
};

// The layout of the WAV file `file` of `size` bytes. Never reads outside it; a file that is no
// WAV, or whose samples cannot be scaled here, is SampleKind::None (and complete when its
// format and data chunks are there all the same).
WaveLayout ReadWaveLayout(const uint8_t* file, size_t size);

// Scales `size` bytes of samples of `kind` in place to `percent` (0 to 100) of their level.
// Integer samples are truncated toward zero, so no sample ever grows or clips.
void ScaleSamples(uint8_t* samples, size_t size, SampleKind kind, int percent);

// A slot's sound as the output device takes it: the file's format (a WAVEFORMATEX, its
// extra bytes included) and its samples, after room for up to `maxLeadInMs` of silence. Samples
// that can be scaled are scaled to `percent`; any other encoding that the file describes
// whole (ADPCM, MP3 in a WAV, ...) keeps its own level and takes no lead-in: the system's
// codecs decode it.
class ChimeImage {
public:
    ChimeImage() = default;
    // Empty (IsEmpty) when the file is no WAV whose format and samples are both there.
    ChimeImage(const uint8_t* file, size_t size, int percent, unsigned maxLeadInMs);

    bool IsEmpty() const { return m_format.empty(); }
    // Whether the samples were scaled (and so can take a lead-in).
    bool IsScaled() const { return m_scaled; }
    // The format as a WAVEFORMATEX: at least its 18 bytes, and `cbSize` (zero for a file's
    // 16-byte PCM format) never claims more extra bytes than there are.
    const std::vector<uint8_t>& Format() const { return m_format; }

    struct Span {
        const uint8_t* data = nullptr;
        size_t size = 0;
    };
    // The samples after `leadInMs` of silence: at most the prepared amount, in whole frames.
    Span Samples(unsigned leadInMs = 0) const;
    // How long `bytes` of the samples play, in milliseconds (rounded up).
    unsigned DurationMs(size_t bytes) const;

private:
    std::vector<uint8_t> m_bytes; // the longest lead-in, then the samples
    std::vector<uint8_t> m_format;
    size_t m_maxLeadIn = 0;
    unsigned m_rate = 0, m_blockAlign = 0, m_bytesPerSecond = 0;
    bool m_scaled = false;
};

// How long the sound of a WAV file plays, in milliseconds, from its first `size` bytes (its
// header: the data chunk may claim more than is there) ; 0 when they do not say.
unsigned WaveDurationMs(const uint8_t* head, size_t size);

#pragma once
// WAV files as the chime plays them: read from memory, their samples scaled to the chime's own
// volume, and rewritten as an image that PlaySound takes from memory, with an optional lead-in
// of silence that wakes a sleeping sound device before the first note. No Windows header.

#include <cstddef>
#include <cstdint>
#include <vector>

// The sample encodings whose level can be changed here; anything else (compressed formats,
// 64-bit floats, inconsistent headers) is None and plays as the file is.
enum class SampleKind { None, Unsigned8, Signed16, Signed24, Signed32, Float32 };

struct WaveLayout {
    SampleKind kind = SampleKind::None;
    unsigned rate = 0;       // frames per second
    unsigned blockAlign = 0; // bytes per frame
    size_t formatAt = 0;     // the format chunk's body within the file
    size_t formatSize = 0;
    size_t samplesAt = 0;   // the sample data within the file: whole frames only, all of
    size_t samplesSize = 0; // them inside the file, however long the chunk claims to be
};

// The layout of the WAV file `file` of `size` bytes. Never reads outside it; a file that is no
// WAV, or whose samples cannot be scaled here, is SampleKind::None.
WaveLayout ReadWaveLayout(const uint8_t* file, size_t size);

// Scales `size` bytes of samples of `kind` in place to `percent` (0 to 100) of their level.
// Integer samples are truncated toward zero, so no sample ever grows or clips.
void ScaleSamples(uint8_t* samples, size_t size, SampleKind kind, int percent);

// A WAV image ready for PlaySound from memory: the file's format, room for up to
// `maxLeadInMs` of silence, and its samples scaled to `percent`.
class ChimeImage {
public:
    ChimeImage() = default;
    // Empty (IsEmpty) when the file's samples cannot be scaled.
    ChimeImage(const uint8_t* file, size_t size, int percent, unsigned maxLeadInMs);

    bool IsEmpty() const { return m_bytes.empty(); }
    // The image with `leadInMs` of silence before the first note (at most the prepared
    // amount, and whole frames): a pointer to its RIFF header, valid until the next call or
    // until the image is destroyed.
    const uint8_t* WithLeadIn(unsigned leadInMs);
    // The lead-in, in bytes, of the image the last call of WithLeadIn returned.
    size_t LeadInBytes() const { return m_leadIn; }

private:
    std::vector<uint8_t> m_bytes; // header room, the longest lead-in, the samples
    std::vector<uint8_t> m_format;
    size_t m_maxLeadIn = 0, m_samples = 0, m_leadIn = 0;
    unsigned m_rate = 0, m_blockAlign = 0;
    uint8_t m_silence = 0;
};

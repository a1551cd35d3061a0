// The WAV reader and the chime image on any file: a slot's file is whatever the user chose,
// dropped or typed. ASan sees any read past the file; the checks below see the rest.
#include "core/Repeater.h"
#include "core/Wave.h"
#include "fuzz/Check.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first two bytes choose the volume and the lead-in; the rest is the file. The copy has
    // exactly the file's size, so ASan catches the smallest overread.
    if (size < 2)
        return 0;
    const int percent = data[0] % 101;
    const unsigned leadInMs = data[1] * 12u; // 0 to 3060 ms
    const size_t fileSize = size - 2;
    uint8_t* file = static_cast<uint8_t*>(std::malloc(fileSize ? fileSize : 1));
    std::memcpy(file, data + 2, fileSize);

    const WaveLayout layout = ReadWaveLayout(file, fileSize);
    if (layout.kind != SampleKind::None) {
        Check(layout.samplesAt + layout.samplesSize <= fileSize);
        Check(layout.formatAt + layout.formatSize <= fileSize);
        Check(layout.blockAlign && layout.samplesSize % layout.blockAlign == 0);
    }
    ChimeImage image(file, fileSize, percent, leadInMs);
    Check(image.IsScaled() == (layout.kind != SampleKind::None) || image.IsEmpty());
    if (!image.IsEmpty()) {
        // A WAVEFORMATEX whose extra bytes are all there; the samples after the lead-in are
        // the file's whole blocks, nothing else.
        const std::vector<uint8_t>& format = image.Format();
        Check(format.size() >= 18 && format.size() == 18u + (format[16] | format[17] << 8));
        const ChimeImage::Span samples = image.Samples(leadInMs / 2);
        const ChimeImage::Span bare = image.Samples(0);
        Check(bare.size == layout.samplesSize && samples.size >= bare.size);
        Check(image.IsScaled() || samples.size == bare.size);
        Check(samples.data + samples.size == bare.data + bare.size);
    }
    (void)WaveDurationMs(file, fileSize);
    // The repeater's reading and mixing of it: whole frames, and a 16-bit WAV out of them.
    const Pcm pcm = DecodeWave(file, fileSize);
    Check((layout.kind == SampleKind::None) == pcm.samples.empty() || layout.samplesSize == 0);
    Check(!pcm.channels || pcm.samples.size() % pcm.channels == 0);
    if (pcm.Frames() && pcm.Frames() < 4096) {
        const Pcm sounds[4] = {pcm, pcm, Pcm(), Pcm()};
        const std::vector<uint8_t> mixed =
            MixStrokes(sounds, TellStrokes(2, 20, ChimeOptions{}), percent);
        const WaveLayout out = ReadWaveLayout(mixed.data(), mixed.size());
        Check(out.kind == SampleKind::Signed16 && out.rate == pcm.rate);
    }
    std::free(file);
    return 0;
}

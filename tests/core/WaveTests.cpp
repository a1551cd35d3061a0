#include "tests/core/WavFile.h"

#include <gtest/gtest.h>

#include <string>

// What can be scaled, and how much of a file is samples, however the file lies.
TEST(Wave, TheLayoutIsReadOnlyFromWhatIsThere) {
    const Bytes four = Pcm16({1, 2, 3, 4});
    struct Row {
        const char* what;
        Bytes file;
        SampleKind kind;
        size_t samples;
    } rows[] = {
        {"16-bit mono", Wav(1, 1, 16, 22050, four), SampleKind::Signed16, 8},
        {"8-bit stereo", Wav(1, 2, 8, 8000, four), SampleKind::Unsigned8, 8},
        {"24-bit: whole frames only", Wav(1, 1, 24, 44100, four), SampleKind::Signed24, 6},
        {"32-bit float", Wav(3, 1, 32, 48000, four), SampleKind::Float32, 8},
        {"a data size past the end", Wav(1, 1, 16, 22050, four, 1000), SampleKind::Signed16, 8},
        {"a 4 GB data size", Wav(1, 1, 16, 22050, four, 0xFFFFFFFF), SampleKind::Signed16, 8},
        {"a short data size", Wav(1, 1, 16, 22050, four, 3), SampleKind::Signed16, 2},
        {"ADPCM", Wav(2, 1, 4, 22050, four), SampleKind::None, 0},
        {"64-bit float", Wav(3, 1, 64, 22050, four), SampleKind::None, 0},
        {"no channels", Wav(1, 0, 16, 22050, four), SampleKind::None, 0},
        {"an odd block alignment", Wav(1, 1, 16, 22050, four, -1, 3), SampleKind::None, 0},
        {"an absurd rate", Wav(1, 1, 16, 0xFFFFFFFF, four), SampleKind::None, 0},
        {"no rate", Wav(1, 1, 16, 0, four), SampleKind::None, 0},
        {"cut inside the format", Cut(Wav(1, 1, 16, 22050, four), 30), SampleKind::None, 0},
        {"not RIFF", Bytes(44, 0), SampleKind::None, 0},
    };
    for (const Row& row : rows) {
        const WaveLayout layout = ReadWaveLayout(row.file.data(), row.file.size());
        EXPECT_EQ(layout.kind, row.kind) << row.what;
        if (row.kind != SampleKind::None) {
            EXPECT_EQ(layout.samplesSize, row.samples) << row.what;
            EXPECT_LE(layout.samplesAt + layout.samplesSize, row.file.size()) << row.what;
        }
    }
    // A chunk before the format, of odd length (padded), is stepped over.
    Bytes withList = Wav(1, 1, 16, 22050, four);
    Bytes list;
    PutId(list, "LIST");
    Put(list, 3, 4);
    list.insert(list.end(), {'a', 'b', 'c', 0});
    withList.insert(withList.begin() + 12, list.begin(), list.end());
    EXPECT_EQ(ReadWaveLayout(withList.data(), withList.size()).samplesSize, 8u);
}

// Scaling keeps the sign, never grows a sample (so it never clips) and leaves odd bytes be.
TEST(Wave, SamplesScaleTowardZeroInEveryEncoding) {
    struct Row {
        const char* what;
        SampleKind kind;
        Bytes in;
        int percent;
        Bytes out;
    } rows[] = {
        {"16-bit half", SampleKind::Signed16, Pcm16({1000, -1000, 32767, -32768, 3, -3}), 50,
         Pcm16({500, -500, 16383, -16384, 1, -1})},
        {"16-bit full", SampleKind::Signed16, Pcm16({-32768, 32767}), 100, Pcm16({-32768, 32767})},
        {"16-bit silent", SampleKind::Signed16, Pcm16({-32768, 32767}), 0, Pcm16({0, 0})},
        {"16-bit, an odd byte left",
         SampleKind::Signed16,
         {0x10, 0x00, 0x7F},
         50,
         {0x08, 0x00, 0x7F}},
        {"8-bit around 128", SampleKind::Unsigned8, {0, 128, 255, 129}, 50, {64, 128, 191, 128}},
        {"8-bit silent", SampleKind::Unsigned8, {0, 255}, 0, {128, 128}},
        {"24-bit",
         SampleKind::Signed24,
         {0xFF, 0xFF, 0x7F, 0x00, 0x00, 0x80},
         50,
         {0xFF, 0xFF, 0x3F, 0x00, 0x00, 0xC0}},
        {"32-bit",
         SampleKind::Signed32,
         {0x00, 0x00, 0x00, 0x80, 0xFF, 0xFF, 0xFF, 0x7F},
         50,
         {0x00, 0x00, 0x00, 0xC0, 0xFF, 0xFF, 0xFF, 0x3F}},
        {"float", SampleKind::Float32, Float32({1.0f, -0.5f}), 50, Float32({0.5f, -0.25f})},
    };
    for (const Row& row : rows) {
        Bytes samples = row.in;
        ScaleSamples(samples.data(), samples.size(), row.kind, row.percent);
        EXPECT_EQ(samples, row.out) << row.what;
    }
}

// The image: the format as a WAVEFORMATEX, and the scaled samples after as much silence as
// asked for (up to what was prepared); an encoding that cannot be scaled keeps its samples and
// takes no lead-in; a format's extra bytes are never claimed beyond what the file holds.
TEST(Wave, TheImageCarriesTheFormatTheLeadInAndTheSamples) {
    const Bytes file = Wav(1, 1, 16, 1000, Pcm16({200, -200, 40}));
    ChimeImage image(file.data(), file.size(), 50, 10); // room for 10 frames of silence
    ASSERT_FALSE(image.IsEmpty());
    EXPECT_TRUE(image.IsScaled());
    Bytes format(file.begin() + 20, file.begin() + 36);
    format.insert(format.end(), {0, 0}); // cbSize
    EXPECT_EQ(image.Format(), format);
    for (unsigned leadIn : {10u, 0u, 4u, 3000u}) {
        const ChimeImage::Span samples = image.Samples(leadIn);
        const size_t silence = std::min(leadIn, 10u) * 2;
        Bytes expected(silence, 0);
        const Bytes scaled = Pcm16({100, -100, 20});
        expected.insert(expected.end(), scaled.begin(), scaled.end());
        EXPECT_EQ(Bytes(samples.data, samples.data + samples.size), expected) << leadIn;
    }
    EXPECT_EQ(image.DurationMs(6), 3u) << "3 frames at 1000 Hz";
    EXPECT_EQ(image.DurationMs(7), 4u) << "rounded up";

    const Bytes eight = Wav(1, 1, 8, 1000, {0, 255});
    const ChimeImage eightBit(eight.data(), eight.size(), 100, 5);
    const ChimeImage::Span unsigned8 = eightBit.Samples(5);
    EXPECT_EQ(Bytes(unsigned8.data, unsigned8.data + unsigned8.size),
              (Bytes{128, 128, 128, 128, 128, 0, 255}))
        << "8-bit silence is 128";

    const Bytes adpcm = Wav(2, 1, 4, 22050, {1, 2, 3, 4, 5, 6, 7}, -1, 4);
    ChimeImage compressed(adpcm.data(), adpcm.size(), 50, 700);
    ASSERT_FALSE(compressed.IsEmpty());
    EXPECT_FALSE(compressed.IsScaled());
    const ChimeImage::Span raw = compressed.Samples(700);
    EXPECT_EQ(Bytes(raw.data, raw.data + raw.size), (Bytes{1, 2, 3, 4}))
        << "its own level, no lead-in, whole blocks";
    EXPECT_TRUE(ChimeImage(adpcm.data(), 40, 50, 0).IsEmpty()) << "no data chunk";

    // A 20-byte format whose cbSize claims 10 extra bytes holds only 2 of them.
    Bytes extended = Wav(2, 1, 4, 22050, {1, 2, 3, 4}, -1, 4);
    extended[16] = 20;
    extended.insert(extended.begin() + 36, {10, 0, 0xAA, 0xBB});
    ChimeImage cut(extended.data(), extended.size(), 100, 0);
    ASSERT_EQ(cut.Format().size(), 20u);
    EXPECT_EQ(cut.Format()[16], 2);
    EXPECT_EQ(cut.Format()[19], 0xBB);
}

// The length of a file played as named comes from its header alone.
TEST(Wave, ADurationIsReadFromTheHeaderAlone) {
    const Bytes twoSeconds = Wav(1, 2, 16, 44100, Pcm16({1, 2}), 44100 * 4 * 2);
    EXPECT_EQ(WaveDurationMs(twoSeconds.data(), twoSeconds.size()), 2000u);
    EXPECT_EQ(WaveDurationMs(twoSeconds.data(), 30), 0u) << "no format yet";
    const Bytes text = {'n', 'o', ' ', 'w', 'a', 'v', 'e', ' ', 'h', 'e', 'r', 'e', '!'};
    EXPECT_EQ(WaveDurationMs(text.data(), text.size()), 0u);
}

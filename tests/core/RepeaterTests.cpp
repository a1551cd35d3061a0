#include "core/Repeater.h"
#include "tests/core/WavFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {
// The 16-bit samples of a WAV file the mixer made, after checking its header.
std::vector<int16_t> Samples(const std::vector<uint8_t>& wav, unsigned rate, unsigned channels) {
    const WaveLayout layout = ReadWaveLayout(wav.data(), wav.size());
    EXPECT_EQ(layout.kind, SampleKind::Signed16);
    EXPECT_EQ(layout.rate, rate);
    EXPECT_EQ(layout.blockAlign, channels * 2);
    std::vector<int16_t> samples(layout.samplesSize / 2);
    std::memcpy(samples.data(), wav.data() + layout.samplesAt, layout.samplesSize);
    return samples;
}
Pcm Sound(unsigned rate, unsigned channels, std::vector<float> samples) {
    return Pcm{rate, channels, std::move(samples)};
}
} // namespace

// The hours of the twelve-hour clock, and from :15 on the latest quarter passed that the
// pattern strikes, as it strikes it; ship's bells tell the bells of the last half hour.
TEST(Repeater, StrikesTheHoursAndTheLastQuarterPassedAsThePatternDoes) {
    using S = SoundSlot;
    const ChimeOptions plain, same{false, true, false}, off{false, false, true};
    const ChimeOptions quarters{false, false, false, Pattern::QuarterStrikes};
    const ChimeOptions ships{true, false, false, Pattern::ShipsBells};
    const ChimeOptions halfHour{false, false, false, Pattern::HalfHourStroke};
    // The quarter's strokes after `hours` beats and the pause.
    const auto after = [](int hours, std::vector<Stroke> quarter) {
        std::vector<Stroke> strokes;
        for (int i = 0; i < hours; ++i)
            strokes.push_back({S::Hour, static_cast<unsigned>(i) * 1000});
        for (Stroke& stroke : quarter)
            strokes.push_back({stroke.slot, hours * 1000u + 1000 + stroke.atMs});
        return strokes;
    };
    const struct Row {
        int hour, minute;
        const ChimeOptions& options;
        std::vector<Stroke> strokes;
    } rows[] = {
        {12, 0, plain, after(12, {})},
        {12, 14, plain, after(12, {})},
        {12, 15, plain, after(12, {{S::QuarterAfter, 0}})},
        {0, 45, plain, after(12, {{S::QuarterTil, 0}})},
        {13, 59, plain, after(1, {{S::QuarterTil, 0}})},
        {10, 37, plain, after(10, {{S::HalfPast, 0}})},
        {23, 30, plain, after(11, {{S::HalfPast, 0}})},
        {10, 37, same, after(10, {{S::QuarterAfter, 0}})},
        {10, 37, off, after(10, {})},
        {10, 37, quarters, after(10, {{S::QuarterAfter, 0}, {S::QuarterAfter, 600}})},
        {1, 50, quarters,
         after(1, {{S::QuarterAfter, 0}, {S::QuarterAfter, 600}, {S::QuarterAfter, 1200}})},
        {3, 20, halfHour, after(3, {})},
        {3, 50, halfHour, after(3, {{S::HalfPast, 0}})},
        {6,
         40,
         ships,
         {{S::Hour, 0}, {S::Hour, 500}, {S::Hour, 2000}, {S::Hour, 2500}, {S::Hour, 4000}}},
        {4,
         10,
         ships,
         {{S::Hour, 0},
          {S::Hour, 500},
          {S::Hour, 2000},
          {S::Hour, 2500},
          {S::Hour, 4000},
          {S::Hour, 4500},
          {S::Hour, 6000},
          {S::Hour, 6500}}},
        {0, 29, ships, TellStrokes(4, 0, ships)},
    };
    for (const Row& row : rows)
        EXPECT_EQ(TellStrokes(row.hour, row.minute, row.options), row.strokes)
            << row.hour << ":" << row.minute << " pattern "
            << static_cast<int>(row.options.pattern);
}

namespace {
// The repeater's sound of `strikes` hours and then `quarter`, at `percent`.
std::vector<uint8_t> MixRepeater(const Pcm& hour, int strikes, const Pcm& quarter, int percent) {
    std::vector<Stroke> strokes;
    for (int i = 0; i < strikes; ++i)
        strokes.push_back({SoundSlot::Hour, static_cast<unsigned>(i) * kStrikeMs});
    strokes.push_back({SoundSlot::QuarterAfter, strikes * kStrikeMs + kQuarterPauseMs});
    const Pcm sounds[4] = {hour, quarter, Pcm(), Pcm()};
    return MixStrokes(sounds, strokes, percent);
}
} // namespace

// At 1000 frames a second (the lowest rate a WAV may have): strikes one beat apart, the
// quarter a beat and a pause after the last, the length of the whole, and the volume.
TEST(Repeater, StrikesComeABeatApartAndTheQuarterAfterAPause) {
    const Pcm hour = Sound(1000, 1, {0.5f, 0.25f});
    const Pcm quarter = Sound(1000, 1, {-0.5f});
    const std::vector<int16_t> mixed = Samples(MixRepeater(hour, 3, quarter, 100), 1000, 1);
    ASSERT_EQ(mixed.size(), 4001u) << "strikes at 0, 1000 and 2000; the quarter at 3000 + 1000";
    for (size_t i = 0; i < mixed.size(); ++i) {
        const int expected = i % 1000 == 0 && i <= 2000   ? 16384
                             : i % 1000 == 1 && i <= 2001 ? 8192
                             : i == 4000                  ? -16384
                                                          : 0;
        ASSERT_NEAR(mixed[i], expected, 1) << i;
    }
    const std::vector<int16_t> half = Samples(MixRepeater(hour, 1, Pcm(), 50), 1000, 1);
    EXPECT_EQ(half, (std::vector<int16_t>{8192, 4096})) << "no quarter, at half level";
    const std::vector<int16_t> alone = Samples(MixRepeater(Pcm(), 10, quarter, 100), 1000, 1);
    EXPECT_EQ(alone, (std::vector<int16_t>{-16384})) << "no hour sound: the quarter alone";
    EXPECT_TRUE(MixRepeater(Pcm(), 10, Pcm(), 100).empty());
    EXPECT_TRUE(MixRepeater(hour, 0, Pcm(), 100).empty());
}

// Strikes that ring on under each other add up; where they would pass full scale, the whole is
// scaled down to it, so the loudest sample is full scale and the rest keep their proportion.
TEST(Repeater, TheSumNeverClips) {
    const Pcm hour = Sound(1000, 1, std::vector<float>(2500, 0.6f)); // 2.5 beats long
    const std::vector<int16_t> mixed = Samples(MixRepeater(hour, 4, Pcm(), 100), 1000, 1);
    ASSERT_EQ(mixed.size(), 5500u);
    EXPECT_EQ(mixed[2000], 32767) << "three strikes ring together: full scale, no more";
    EXPECT_EQ(mixed[0], 10922) << "one strike: a third of that";
    EXPECT_EQ(mixed[1000], 21845) << "two: two thirds";
    const std::vector<int16_t> quiet = Samples(MixRepeater(hour, 4, Pcm(), 10), 1000, 1);
    EXPECT_EQ(quiet[2000], 5898) << "at 10 % no scaling is needed: 1.8 x 0.1";
}

// The quarter's sound takes the strikes' rate and channels.
TEST(Repeater, TheQuarterIsConvertedToTheStrikesFormat) {
    const Pcm hour = Sound(1000, 2, {0.5f, -0.5f});
    const Pcm quarter = Sound(2000, 1, {0.2f, 0.2f, 0.4f, 0.4f});
    const std::vector<int16_t> mixed = Samples(MixRepeater(hour, 1, quarter, 100), 1000, 2);
    ASSERT_EQ(mixed.size(), 2u * (2000 + 2)) << "four frames at 2000 Hz are two at 1000";
    EXPECT_NEAR(mixed[4000], 6553, 1);
    EXPECT_NEAR(mixed[4001], 6553, 1);
    EXPECT_NEAR(mixed[4002], 13107, 1);
    const Pcm stereo = Sound(1000, 2, {0.5f, 0.1f});
    const std::vector<int16_t> mono =
        Samples(MixRepeater(Sound(1000, 1, {0}), 1, stereo, 100), 1000, 1);
    EXPECT_NEAR(mono.back(), 9830, 1) << "averaged down to one channel";
}

// Every encoding the chime can scale is read as numbers from -1 to 1.
TEST(Repeater, DecodesEveryScalableEncoding) {
    struct Row {
        std::vector<uint8_t> file;
        std::vector<float> samples;
    } rows[] = {
        {Wav(1, 1, 8, 1000, {0, 128, 192}), {-1.0f, 0.0f, 0.5f}},
        {Wav(1, 1, 16, 1000, Pcm16({-32768, 16384})), {-1.0f, 0.5f}},
        {Wav(1, 1, 24, 1000, {0x00, 0x00, 0xC0}), {-0.5f}},
        {Wav(1, 1, 32, 1000, {0x00, 0x00, 0x00, 0x40}), {0.5f}},
        {Wav(3, 1, 32, 1000, Float32({0.25f, NAN})), {0.25f, 0.0f}},
        {Wav(2, 1, 16, 1000, {1, 2}), {}},
    };
    for (const Row& row : rows) {
        const Pcm pcm = DecodeWave(row.file.data(), row.file.size());
        EXPECT_EQ(pcm.samples, row.samples) << row.file[34] << " bits";
    }
}

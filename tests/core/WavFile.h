#pragma once
// WAV files as bytes, for the tests of what reads them.
#include "core/Wave.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace {
using Bytes = std::vector<uint8_t>;

inline void Put(Bytes& b, uint32_t value, int width) {
    for (int i = 0; i < width; ++i)
        b.push_back(static_cast<uint8_t>(value >> (8 * i)));
}
inline void PutId(Bytes& b, const char* id) { b.insert(b.end(), id, id + 4); }

// A WAV file: format `tag`, `channels` of `bits` at `rate`, the samples `data`; `claimed` is
// the data chunk's stated size (its real one unless a test lies).
inline Bytes Wav(unsigned tag, unsigned channels, unsigned bits, unsigned rate, const Bytes& data,
                 long long claimed = -1, unsigned blockAlign = 0) {
    Bytes b;
    PutId(b, "RIFF");
    Put(b, static_cast<uint32_t>(36 + data.size()), 4);
    PutId(b, "WAVE");
    PutId(b, "fmt ");
    Put(b, 16, 4);
    Put(b, tag, 2);
    Put(b, channels, 2);
    Put(b, rate, 4);
    const unsigned align = blockAlign ? blockAlign : channels * bits / 8;
    Put(b, rate * align, 4);
    Put(b, align, 2);
    Put(b, bits, 2);
    PutId(b, "data");
    Put(b, static_cast<uint32_t>(claimed < 0 ? static_cast<long long>(data.size()) : claimed), 4);
    b.insert(b.end(), data.begin(), data.end());
    return b;
}
inline Bytes Cut(Bytes b, size_t size) {
    b.resize(size);
    return b;
}
inline Bytes Pcm16(std::initializer_list<int> samples) {
    Bytes b;
    for (int s : samples)
        Put(b, static_cast<uint32_t>(s), 2);
    return b;
}
inline Bytes Float32(std::initializer_list<float> samples) {
    Bytes b;
    for (float s : samples) {
        uint32_t bits;
        std::memcpy(&bits, &s, 4);
        Put(b, bits, 4);
    }
    return b;
}
} // namespace

// How long the chime takes to prepare a bundled sound: read the file and build its image at
// half volume with room for a 3 s lead-in, the work done before each boundary. Prints one line
// per file: its name and the microseconds (the best of 20 runs).
//   prepare_time FILE.wav...
#include "core/Wave.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        double best = 1e30;
        size_t bytes = 0;
        for (int run = 0; run < 20; ++run) {
            const auto start = std::chrono::steady_clock::now();
            std::ifstream in(argv[i], std::ios::binary);
            const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)),
                                            std::istreambuf_iterator<char>());
            ChimeImage image(file.data(), file.size(), 50, 3000);
            image.Samples(700);
            const std::chrono::duration<double, std::micro> took =
                std::chrono::steady_clock::now() - start;
            best = took.count() < best ? took.count() : best;
            bytes = file.size();
        }
        std::printf("%s\t%zu bytes\t%.0f us\n", argv[i], bytes, best);
    }
    return 0;
}

#pragma once
// What every fuzz target asserts with: a broken property ends the run, and libFuzzer keeps the
// input that broke it.
#include <cstdlib>

inline void Check(bool condition) {
    if (!condition)
        std::abort();
}

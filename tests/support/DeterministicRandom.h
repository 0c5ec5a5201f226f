#pragma once

#include <cstdint>

namespace rollpath::testing {

// A small generator (SplitMix64) whose sequence is the same on every
// platform and standard library, so generated networks repeat exactly from
// their seed.
class DeterministicRandom {
public:
    explicit DeterministicRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

    // Uniform in [lo, hi).
    double Uniform(double lo, double hi) { return lo + (hi - lo) * Unit(); }

    // Uniform in [lo, hi], both inclusive; lo <= hi.
    int Int(int lo, int hi) {
        const auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo + 1);
        return lo + static_cast<int>(Next() % span);
    }

    // True with the given probability.
    bool Chance(double probability) { return Unit() < probability; }

private:
    std::uint64_t state_;
};

}  // namespace rollpath::testing

#pragma once

#include <cstdint>

namespace rollpath {

// The linear congruential generator of the classic C runtime's rand():
// x = 214013 x + 2531011 (mod 2^32), each value (x >> 16) & 32767. Kept
// exactly so that a seed gives the same sequence everywhere.
class CrtRandom {
public:
    static constexpr int kMax = 32767;

    explicit CrtRandom(std::uint32_t seed) : state_(seed) {}

    // A value in [0, kMax].
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

private:
    std::uint32_t state_;
};

}  // namespace rollpath

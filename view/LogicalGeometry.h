#pragma once

// Points and rectangles of the window. Logical units are 0.001 inch with y
// growing upward, so the client area runs from logical y 0 at its top down
// to negative values; device units are client-area pixels with y downward.

#include <cmath>
#include <cstdint>
#include <limits>

namespace rollpath {

struct LPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const LPoint&, const LPoint&) = default;
};

// Left, top, right, bottom in logical units (top > bottom on the screen).
struct LRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const LRect&, const LRect&) = default;
};

struct DevicePoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const DevicePoint&, const DevicePoint&) = default;
};

struct DeviceSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const DeviceSize&, const DeviceSize&) = default;
};

// A double made a 32-bit int by truncation toward zero; values beyond the
// int range saturate and NaN gives 0, so no conversion is ever undefined.
inline int TruncToInt(double v) {
    if (!(v == v)) {
        return 0;
    }
    if (v >= 2147483647.0) {
        return std::numeric_limits<int>::max();
    }
    if (v <= -2147483648.0) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(v);
}

// Round half up as the view's transform uses it: add 0.5, then truncate
// toward zero (so -2.7 becomes -2 and -0.3 becomes 0).
inline int RoundHalfUp(double v) {
    return TruncToInt(v + 0.5);
}

// A 64-bit intermediate brought back into the int range.
inline int SaturateToInt(std::int64_t v) {
    if (v > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (v < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(v);
}

}  // namespace rollpath

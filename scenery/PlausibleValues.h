#pragma once

// Bounds on the numbers the scenery readers take from a file. A finite but
// absurd value (a node a million miles out, a lane wider than an airport)
// would reach the geometry as surely as a NaN does: the readers mend or skip
// it with a message instead. No bound may refuse what our own writers write:
// the editor keeps every position it makes within kMaxFilePosition, and
// every width within kMaxRollpathWidth.

#include <cmath>

#include "document/Records.h"

namespace rollpath {

// Positions in feet from the benchmark. Runways are accepted up to 50 nm
// (about 304000 ft) away; nothing of an airport lies three times as far.
inline constexpr double kMaxFilePosition = 1.0e6;
// Positions in the pavement file, which holds what was built around the
// accepted ones: pavement edges, lights beside them and the tile grid.
inline constexpr double kMaxPavementPosition = 4.0e6;
// Widths of rollpaths in feet.
inline constexpr double kMaxFileWidth = kMaxRollpathWidth;
// A hold distance lies along its segment, whose ends lie within the position
// bound: at most the diagonal of that square.
inline constexpr double kMaxFileExtent = 3.0e6;
// The side of one pavement tile in feet (the editor's tiles cover the
// drawing in 8 by 8, a few thousand feet each for a real airport).
inline constexpr double kMaxFileTileSide = 1.0e6;

inline bool PlausiblePosition(double v) {
    return std::isfinite(v) && std::fabs(v) <= kMaxFilePosition;
}

// The nearest point the files can keep: the editor holds whatever the mouse
// places within it. A coordinate that is no number becomes 0.
inline DPoint WithinFileBounds(DPoint p) {
    const auto bound = [](double v) {
        return std::isnan(v) ? 0.0 : std::fmax(-kMaxFilePosition, std::fmin(kMaxFilePosition, v));
    };
    return DPoint{bound(p.x), bound(p.y)};
}

inline bool PlausiblePavementPosition(double v) {
    return std::isfinite(v) && std::fabs(v) <= kMaxPavementPosition;
}

inline bool PlausibleWidth(double v) {
    return std::isfinite(v) && v >= 0.0 && v <= kMaxFileWidth;
}

// A file's origin in arcseconds: a latitude within the poles, a longitude
// within the stored range (negative ones are read too).
inline bool PlausibleOrigin(double latArcsec, double lonArcsec) {
    return std::isfinite(latArcsec) && std::isfinite(lonArcsec) && std::fabs(latArcsec) <= 90.0 * 3600.0 &&
           std::fabs(lonArcsec) <= 360.0 * 3600.0;
}

}  // namespace rollpath

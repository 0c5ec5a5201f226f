#pragma once

// The decimal settings' values in feet, both ends included: the Rollpaths
// page refuses others, and a stored value outside is read as the nearest
// end. Outside them markings cross or turn inside out and lights stand on
// the pavement.

#include "geometry/NumberRange.h"

namespace rollpath {

inline constexpr NumberRange kLineWidthRange{0.1, 10.0};
inline constexpr NumberRange kEdgeInsetRange{0.0, 50.0};
inline constexpr NumberRange kCenterOffsetRange{0.0, 50.0};
inline constexpr NumberRange kEdgeOffsetRange{0.0, 100.0};

}  // namespace rollpath

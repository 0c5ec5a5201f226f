#pragma once

// The view's fixed colours (0x00BBGGRR); the surfaces' colours are settings.

#include "settings/Settings.h"

namespace rollpath {

inline constexpr ColorRef kMarkingYellow = 0x00FFFF;
inline constexpr ColorRef kRunwayMarkingWhite = 0xFFFFFF;
inline constexpr ColorRef kCentreLightGreen = 0x40FF2A;
inline constexpr ColorRef kEdgeLightBlue = 0xFF6060;
inline constexpr ColorRef kVertexWhite = 0xFFFFFF;
inline constexpr ColorRef kStraightenedSkyBlue = 0xFFC000;
inline constexpr ColorRef kSourceGreen = 0x00FF00;
inline constexpr ColorRef kSinkRed = 0x0000FF;
inline constexpr ColorRef kTriangulationErrorRed = 0x0000FF;
inline constexpr ColorRef kPositioningRunway = 0x78F050;
inline constexpr ColorRef kHandleBlack = 0x000000;
inline constexpr ColorRef kWindowWhite = 0xFFFFFF;

// Sizes on the screen, logical units.
inline constexpr int kMarkRadius = 25;
inline constexpr int kHandleHalfSize = 20;
inline constexpr int kBenchmarkRadius = 60;
inline constexpr int kBenchmarkArm = 90;

}  // namespace rollpath

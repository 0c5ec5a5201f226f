#include "document/Records.h"

#include <algorithm>

namespace rollpath {

namespace {

constexpr std::size_t kMinCodeLength = 3;

}  // namespace

bool IsAirportCode(std::string_view code) {
    const auto alphanumeric = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    };
    return code.size() >= kMinCodeLength && code.size() <= static_cast<std::size_t>(kMaxCodeLength) &&
           std::all_of(code.begin(), code.end(), alphanumeric);
}

int SurfaceIndex(int surfaceBits) {
    for (int bit = 0; bit <= 12; ++bit) {
        if ((surfaceBits & (1 << bit)) != 0) {
            return bit;
        }
    }
    return kUnknownSurface;
}

const char* SurfaceName(int surfaceIndex) {
    static const char* const kNames[] = {"Concrete", "Asphalt", "Turf", "Dirt", "Gravel", "Metal", "Sand",
                                         "Wood",     "Water",   "Mats", "Snow", "Ice",    "Brick", "Unknown"};
    if (surfaceIndex < 0 || surfaceIndex > kUnknownSurface) {
        return kNames[kUnknownSurface];
    }
    return kNames[surfaceIndex];
}

bool IsSoftSurface(int surfaceIndex) {
    return surfaceIndex == kTurf || surfaceIndex == kDirt || surfaceIndex == kGravel || surfaceIndex == kSand;
}

bool IsHardSurface(int surfaceIndex) {
    return surfaceIndex == kConcrete || surfaceIndex == kAsphalt || surfaceIndex == kMetal;
}

const char* EndClassName(int endClass) {
    switch (endClass) {
        case EndClass::DeadEnd:
            return "dead end";
        case EndClass::Rollpath:
            return "rollpath";
        case EndClass::Runway:
            return "runway";
        case EndClass::RunwayEnd:
            return "runway end";
        case EndClass::Extension:
            return "extension";
        default:
            return "";
    }
}

}  // namespace rollpath

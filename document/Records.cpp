#include "document/Records.h"

namespace rollpath {

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

#pragma once

// The layout checks: what is wrong with an airport before the simulator
// shows it. They read the document as it stands, with its generated pavement
// and its tile grid, and change nothing.

#include <array>
#include <span>
#include <vector>

#include "checks/CheckCatalog.h"
#include "checks/Finding.h"
#include "document/RollpathDoc.h"

namespace rollpath {

// The distance of the airport area from its benchmark: 50 nm.
inline constexpr double kAirportAreaNauticalMiles = 50.0;
// Rollpaths meeting at less than this angle fold their junction pavement.
inline constexpr double kSharpTurnDegrees = 30.0;

struct CheckLimits {
    // dangling-end: how far from another segment's pavement edge (its centre
    // line less half its width) a dead end counts as a join almost made;
    // twice the Segment sensitivity (MaxSegLength), feet.
    double joinDistance = 50.0;
    double sharpTurnDegrees = kSharpTurnDegrees;
    double areaRadius = 0.0;  // feet
};

CheckLimits LimitsFrom(const Settings& settings);

// The checks of `enabled` on the document, with the limits of its settings.
// Findings come check by check in the catalog's order, each check's in the
// order of the objects in the document.
std::vector<Finding> RunLayoutChecks(const CRollpathDoc& doc, const CheckSet& enabled);
std::vector<Finding> RunLayoutChecks(const CRollpathDoc& doc, const CheckSet& enabled,
                                     const CheckLimits& limits);

struct FindingCounts {
    int errors = 0;
    int warnings = 0;
    std::array<int, kCheckCount> byCheck{};

    int Of(CheckId check) const { return byCheck[static_cast<std::size_t>(check)]; }
};

FindingCounts CountFindings(std::span<const Finding> findings);

// "3 warnings", "1 error, 2 warnings", "2 errors", "0 warnings".
std::string FindingCountText(const FindingCounts& counts);

}  // namespace rollpath

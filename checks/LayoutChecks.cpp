#include "checks/LayoutChecks.h"

#include <cmath>

#include "checks/CheckContext.h"
#include "geometry/Geodesy.h"
#include "geometry/PortableMath.h"
#include "pavement/NetworkEdits.h"

namespace rollpath {

namespace {

using CheckFunction = void (*)(CheckContext&);

// In the catalog's order.
constexpr CheckFunction kCheckFunctions[kCheckCount] = {
    &CheckUnreachable, &CheckDanglingEnds, &CheckMissingHolds, &CheckShortSegments, &CheckDuplicateSegments,
    &CheckSharpTurns,  &CheckPolygons,     &CheckSourceSink,   &CheckOutsideTiles,
};

std::string Counted(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

CheckContext::CheckContext(const CRollpathDoc& document, const CheckLimits& checkLimits,
                           std::vector<Finding>& findings)
    : doc(document), limits(checkLimits), incidence(document), out(findings) {}

void CheckContext::Add(CheckId check, std::string message, const DPoint& location, ObjectRef object) {
    out.push_back(Finding{check, InfoOf(check).severity, std::move(message), location, object});
}

bool CheckContext::Usable(int segment) const {
    return UsableSegment(doc, Segment(segment));
}

bool CheckContext::UsableRollpath(int segment) const {
    return Usable(segment) && Segment(segment).type == SegmentType::Rollpath;
}

DPoint CheckContext::Midpoint(int segment) const {
    const DPoint a = End(segment, 0);
    const DPoint b = End(segment, 1);
    return DPoint{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
}

double CheckContext::Length(int segment) const {
    const DPoint a = End(segment, 0);
    const DPoint b = End(segment, 1);
    return math::Hypot(b.x - a.x, b.y - a.y);
}

CheckLimits LimitsFrom(const Settings& settings) {
    CheckLimits limits;
    limits.joinDistance = 2.0 * settings.MaxSegLength;
    limits.areaRadius = kAirportAreaNauticalMiles * kFeetPerNauticalMile;
    return limits;
}

std::vector<Finding> RunLayoutChecks(const CRollpathDoc& doc, const CheckSet& enabled) {
    return RunLayoutChecks(doc, enabled, LimitsFrom(doc.GetSettings()));
}

std::vector<Finding> RunLayoutChecks(const CRollpathDoc& doc, const CheckSet& enabled,
                                     const CheckLimits& limits) {
    std::vector<Finding> findings;
    if (enabled.Empty()) {
        return findings;
    }
    CheckContext context(doc, limits, findings);
    for (const CheckInfo& info : AllChecks()) {
        if (enabled.Has(info.check)) {
            kCheckFunctions[static_cast<std::size_t>(info.check)](context);
        }
    }
    return findings;
}

FindingCounts CountFindings(std::span<const Finding> findings) {
    FindingCounts counts;
    for (const Finding& f : findings) {
        ++(f.severity == Severity::Error ? counts.errors : counts.warnings);
        ++counts.byCheck[static_cast<std::size_t>(f.check)];
    }
    return counts;
}

std::string FindingCountText(const FindingCounts& counts) {
    const std::string warnings = Counted(counts.warnings, "warning", "warnings");
    if (counts.errors == 0) {
        return warnings;
    }
    const std::string errors = Counted(counts.errors, "error", "errors");
    return counts.warnings == 0 ? errors : errors + ", " + warnings;
}

}  // namespace rollpath

#include "pavement/SegmentPavement.h"

#include "pavement/SegmentEnds.h"

namespace rollpath {

bool HasExtension(const RollpathSegment& segment) {
    return segment.type == SegmentType::RunwayCentreLine && (segment.flags & SegmentFlag::Extension) != 0;
}

std::array<DPoint, 5> ExtensionPolygon(const RollpathSegment& s) {
    const auto at = [&s](int index) { return s.outline[static_cast<std::size_t>(index)]; };
    if ((s.flags & SegmentFlag::ExtensionAt1) != 0) {
        return {s.extensionCorners[1], s.extensionCorners[0], at(OutlineLeft(1)), at(OutlineCentre(1)),
                at(OutlineRight(1))};
    }
    return {at(OutlineRight(0)), at(OutlineCentre(0)), at(OutlineLeft(0)), s.extensionCorners[0],
            s.extensionCorners[1]};
}

std::span<const DPoint> SegmentPavementPolygon(const RollpathSegment& segment,
                                               std::array<DPoint, 5>& scratch) {
    if (segment.type == SegmentType::Rollpath) {
        return segment.outline;
    }
    if (HasExtension(segment)) {
        scratch = ExtensionPolygon(segment);
        return scratch;
    }
    return {};
}

}  // namespace rollpath

#include "document/RecordCompare.h"

#include <cstddef>

namespace rollpath {

namespace {

template <typename T, int N>
bool SameList(const CappedList<T, N>& a, const CappedList<T, N>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (int i = 0; i < a.size(); ++i) {
        if constexpr (std::is_trivially_copyable_v<T>) {
            if (!SameBits(a[i], b[i])) {
                return false;
            }
        } else if (!SameRecord(a[i], b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool SameRecord(const PolygonRecord& a, const PolygonRecord& b) {
    return a.kind == b.kind && a.state == b.state && SameBits(a.points, b.points);
}

bool SameRecord(const NetworkVertex& a, const NetworkVertex& b) {
    return SameBits(a.x, b.x) && SameBits(a.y, b.y) && a.visited == b.visited && a.flags == b.flags &&
           a.state == b.state && SameList(a.junctionPolys, b.junctionPolys) &&
           SameList(a.centreQuads, b.centreQuads) && SameList(a.edgeQuads, b.edgeQuads) &&
           SameList(a.lightPts0, b.lightPts0) && SameList(a.lightPts1, b.lightPts1);
}

// Ten ints, then nothing but doubles: no padding anywhere.
static_assert(offsetof(RollpathSegment, extent0) == 10 * sizeof(int));
static_assert(sizeof(RollpathSegment) ==
              offsetof(RollpathSegment, throughLine) + sizeof(RollpathSegment::throughLine));

bool SameRecord(const RollpathSegment& a, const RollpathSegment& b) {
    return SameBits(a, b);
}

bool SameRecord(const TileGrid& a, const TileGrid& b) {
    return a.columns == b.columns && a.rows == b.rows && SameBits(a.side, b.side) &&
           SameBits(a.lowerLeft, b.lowerLeft);
}

}  // namespace rollpath

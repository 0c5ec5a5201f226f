#pragma once

#include <string>

#include "document/RollpathDoc.h"

namespace rollpath {

// Runways farther than this from the airport benchmark (midpoint to
// benchmark) belong to some other airport or carry a wrong position.
inline constexpr double kMaxRunwayDistanceNm = 50.0;

// 1 keeps the runway, 0 drops it after a message: no position (all four values
// zero, or both ends at the same place), or its midpoint more than 50 nm from
// the airport benchmark. Latitudes and longitudes in degrees.
int CheckRunway(CRollpathDoc& doc, const std::string& name, double lat1, double lon1, double lat2,
                double lon2);

// Rebuilds the document's runway list from empty, one runway at a time, in
// the order they are read. Each runway goes through CheckRunway; the list
// holds at most kMaxRunways, a further runway is refused with a message
// (shown once per airport).
class RunwayCollector {
public:
    explicit RunwayCollector(CRollpathDoc& doc);
    void Add(RunwayRecord runway);

private:
    CRollpathDoc& m_Doc;
    bool m_bLimitReported = false;
};

}  // namespace rollpath

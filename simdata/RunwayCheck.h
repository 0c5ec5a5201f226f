#pragma once

#include <string>
#include <vector>

#include "document/RollpathDoc.h"

namespace rollpath {

// Runways farther than this from the airport benchmark (midpoint to
// benchmark) belong to some other airport or carry a wrong position.
inline constexpr double kMaxRunwayDistanceNm = 50.0;

// How many dropped runways the message of one opening names; the rest are
// counted ("and N more").
inline constexpr int kMaxNamedDroppedRunways = 20;

// Empty when the runway is kept; otherwise why it is dropped: no position
// (all four values zero, or both ends at the same place), or its midpoint
// (taken the short way round in longitude) more than 50 nm from the airport
// benchmark. Latitudes and longitudes in degrees.
std::string CheckRunway(const CRollpathDoc& doc, const std::string& name, double lat1, double lon1,
                        double lat2, double lon2);

// Rebuilds the document's runway list from empty, one runway at a time, in
// the order they are read. Each runway goes through CheckRunway; the list
// holds at most kMaxRunways, a further runway is refused with a message
// (shown once per airport). The runways dropped by CheckRunway are named in
// one message by ReportDropped, so that a damaged database does not bring a
// message box for each of them.
class RunwayCollector {
public:
    explicit RunwayCollector(CRollpathDoc& doc);
    void Add(RunwayRecord runway);
    // Shows the dropped runways, if any: each one's reason on a line of its
    // own, the first kMaxNamedDroppedRunways of them, then "and N more".
    void ReportDropped();

private:
    CRollpathDoc& m_Doc;
    bool m_bLimitReported = false;
    std::vector<std::string> m_Dropped;
    int m_nDropped = 0;
};

}  // namespace rollpath

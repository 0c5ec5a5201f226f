#include "simdata/RunwayCheck.h"

#include <cmath>
#include <memory>
#include <utility>

#include "geometry/Geodesy.h"
#include "simdata/DatabaseRecords.h"

namespace rollpath {

std::string CheckRunway(const CRollpathDoc& doc, const std::string& name, double lat1, double lon1,
                        double lat2, double lon2) {
    lon1 = ReduceLongitude(lon1);
    lon2 = ReduceLongitude(lon2);
    const bool allZero = lat1 == 0.0 && lon1 == 0.0 && lat2 == 0.0 && lon2 == 0.0;
    // An end beyond a pole has no place on the map either (one that is not a
    // number fails the distance check below).
    const bool beyondPole = std::fabs(lat1) > 90.0 || std::fabs(lat2) > 90.0;
    if (allZero || (lat1 == lat2 && lon1 == lon2) || beyondPole) {
        return "Runway " + name + ": no position data";
    }
    double course = 0.0;
    double distance = 0.0;
    CourseAndDistance(doc.m_Airport.lat, doc.m_Airport.lon, (lat1 + lat2) / 2.0, MidLongitude(lon1, lon2),
                      course, distance);
    // Written so that a distance that is not a number is dropped as well.
    if (distance <= kMaxRunwayDistanceNm) {
        return {};
    }
    return "Runway " + name + ": more than 50 nm from airport benchmark";
}

RunwayCollector::RunwayCollector(CRollpathDoc& doc) : m_Doc(doc) {
    m_Doc.m_pRunways.clear();
}

void RunwayCollector::Add(RunwayRecord runway) {
    std::string dropped =
        CheckRunway(m_Doc, runway.DisplayName(), runway.lat0, runway.lon0, runway.lat1, runway.lon1);
    if (!dropped.empty()) {
        if (m_nDropped++ < kMaxNamedDroppedRunways) {
            m_Dropped.push_back(std::move(dropped));
        }
        return;
    }
    if (static_cast<int>(m_Doc.m_pRunways.size()) >= kMaxRunways) {
        if (!m_bLimitReported) {
            m_bLimitReported = true;
            m_Doc.Messages().Show("Runway limit of 50 reached");
        }
        return;
    }
    m_Doc.AppendRunway() = std::move(runway);
}

void RunwayCollector::ReportDropped() {
    if (m_nDropped == 0) {
        return;
    }
    std::string text;
    for (const std::string& line : m_Dropped) {
        if (!text.empty()) {
            text += '\n';
        }
        text += line;
    }
    if (m_nDropped > kMaxNamedDroppedRunways) {
        text += "\nand " + std::to_string(m_nDropped - kMaxNamedDroppedRunways) + " more";
    }
    m_Doc.Messages().Show(text);
    m_Dropped.clear();
    m_nDropped = 0;
}

}  // namespace rollpath

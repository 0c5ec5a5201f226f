#include "checks/ObjectNames.h"

#include <charconv>
#include <cmath>

#include "geometry/PolygonMeasures.h"

namespace rollpath {

std::string SegmentName(const RollpathSegment& segment) {
    std::string name = segment.type == SegmentType::RunwayCentreLine ? "runway centre line " : "rollpath ";
    name.append(std::to_string(segment.vertex0)).append("-").append(std::to_string(segment.vertex1));
    return name;
}

std::string VertexName(int vertex) {
    return std::string("vertex ").append(std::to_string(vertex));
}

std::string PolygonName(int polygon) {
    return std::string("polygon ").append(std::to_string(polygon));
}

std::string RunwayAt(const CRollpathDoc& doc, const DPoint& p) {
    for (const auto& runway : doc.m_pRunways) {
        if (PointInPolygon(p.x, p.y, runway->corners.data(), 4) >= 0) {
            return runway->DisplayName();
        }
    }
    return {};
}

std::string FormatNumber(double value, int decimals) {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "nan" : (value > 0 ? "inf" : "-inf");
    }
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string text(buffer, result.ptr);
    // A value that rounds to zero reads "0.0", never "-0.0".
    if (text.front() == '-' && text.find_first_not_of("0.", 1) == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

std::string FormatPoint(const DPoint& p) {
    std::string text = "(";
    text.append(FormatNumber(p.x)).append(", ").append(FormatNumber(p.y)).append(")");
    return text;
}

}  // namespace rollpath

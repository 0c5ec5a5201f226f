#pragma once

// The records of the airport model. Coordinates are LocalFeet (feet, x east,
// y north, origin at the airport benchmark); latitudes and longitudes are
// degrees. Records refer to network vertices by pool index, never by pointer.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/CappedList.h"
#include "geometry/DPoint.h"

namespace rollpath {

// Sizes of the model's fixed capacities.
inline constexpr int kMaxVertices = 8192;
inline constexpr int kMaxTouchedVertices = 1024;
inline constexpr int kMaxVertexProducts = 45;
inline constexpr int kMaxCodeLength = 5;
inline constexpr const char* kBadCodeMessage = "Airport codes have 3 to 5 letters and digits";
inline constexpr int kMaxPathLength = 259;
inline constexpr int kMaxRunways = 50;
// The widths in feet a rollpath can be given; the widest runways are about
// 300 ft. Files may hold 0 (an edge without its width).
inline constexpr double kMinRollpathWidth = 1.0;
inline constexpr double kMaxRollpathWidth = 1000.0;

// A code as the database keys airports: FAA identifiers have 3 or 4 letters
// and digits, ICAO ones 4 (their key holds 5). Anything else would find no
// airport, and would name files outside the folders the user chose.
bool IsAirportCode(std::string_view code);

struct AirportRecord {
    std::string key;     // the 10-character database key; selects the runways
    std::string faaId;   // first identifier, 4 characters
    std::string icaoId;  // second identifier, 5 characters
    std::string name;    // 40 characters
    double lat = 0.0;    // benchmark latitude, degrees
    double lon = 0.0;    // benchmark longitude, degrees
    int elevation = 0;   // feet
};

// Indices of the surface names; the surface of a runway is the lowest set bit
// among bits 0 to 12 of its surface bit set, or Unknown.
enum Surface {
    kConcrete = 0,
    kAsphalt = 1,
    kTurf = 2,
    kDirt = 3,
    kGravel = 4,
    kMetal = 5,
    kSand = 6,
    kWood = 7,
    kWater = 8,
    kMats = 9,
    kSnow = 10,
    kIce = 11,
    kBrick = 12,
    kUnknownSurface = 13,
};

int SurfaceIndex(int surfaceBits);
const char* SurfaceName(int surfaceIndex);
// Turf, dirt, gravel and sand: drawn first, under the hard runways.
bool IsSoftSurface(int surfaceIndex);
// Concrete, asphalt and metal.
bool IsHardSurface(int surfaceIndex);

struct RunwayRecord {
    int length = 0;  // feet
    int width = 0;   // feet
    int endAttr0 = 0;
    int endAttr1 = 0;
    double lat0 = 0.0;
    double lat1 = 0.0;
    double lon0 = 0.0;
    double lon1 = 0.0;
    DPoint end0;
    DPoint end1;
    int displaced0 = 0;  // displaced threshold of end 1, feet
    int displaced1 = 0;
    int surface = 0;  // surface bit set
    int closed = 0;
    // End 1 left, end 1 right, end 2 right, end 2 left; left of the direction
    // from end 1 to end 2, each half the width from the end point.
    std::array<DPoint, 4> corners{};
    std::string id0;  // designators, 4 characters each
    std::string id1;

    int SurfaceIndex() const { return rollpath::SurfaceIndex(surface); }
    // "%s/%s" of the two designators.
    std::string DisplayName() const { return id0 + "/" + id1; }
};

struct VertexFlag {
    static constexpr int NoPolygon = 0x1;
    static constexpr int NoMarkings = 0x2;
    static constexpr int NoLighting = 0x4;
};

// A closed polygon owned by its record: ground polygons, junction pavement
// and marking pieces read from a pavement file share this layout.
struct PolygonRecord {
    int kind = 0;
    std::vector<DPoint> points;
    int state = 0;  // -1 when deleted

    int count() const { return static_cast<int>(points.size()); }
    bool live() const { return state != -1; }
    friend bool operator==(const PolygonRecord&, const PolygonRecord&) = default;
};

struct PolygonKind {
    static constexpr int Ordinary = 1;
    static constexpr int Junction = 2;
    static constexpr int Pavement = 3;  // read from a pavement file
    static constexpr int Automatic = 4;
};

struct GroundPolygon : PolygonRecord {};

struct MarkingKind {
    static constexpr int Edge = 1;
    static constexpr int Centre = 2;
};

// A marking piece read from a pavement file; drawn, never written.
struct MarkingPolygon : PolygonRecord {};

struct LightShape {
    static constexpr int Point = 1;
    static constexpr int Run = 2;
};

struct LightClass {
    static constexpr int CentreLine = 0;
    static constexpr int Edge = 1;
};

// A light read from a pavement file; drawn, never written.
struct LightRecord {
    int shape = LightShape::Point;
    int lightClass = LightClass::Edge;
    float x = 0.0f;
    float y = 0.0f;
    float x1 = 0.0f;  // runs only
    float y1 = 0.0f;
    float spacing = 0.0f;  // runs only, 0 for points
    friend bool operator==(const LightRecord&, const LightRecord&) = default;
};

struct NetworkVertex {
    double x = 0.0;
    double y = 0.0;
    int visited = 0;  // scratch mark of one rebuild pass
    // Beside the position, which scans of the pool read with it.
    int flags = 0;
    int state = 0;  // -1 when deleted
    CappedList<GroundPolygon, kMaxVertexProducts> junctionPolys;
    CappedList<Quad, kMaxVertexProducts> centreQuads;
    CappedList<Quad, kMaxVertexProducts> edgeQuads;
    CappedList<DPoint, kMaxVertexProducts> lightPts0;  // centre-line lights
    CappedList<DPoint, kMaxVertexProducts> lightPts1;  // edge lights

    bool live() const { return state != -1; }
    DPoint pos() const { return DPoint{x, y}; }
    void ClearProducts();
    friend bool operator==(const NetworkVertex&, const NetworkVertex&) = default;
};

struct SegmentType {
    static constexpr int RunwayCentreLine = 0;
    static constexpr int Rollpath = 1;
};

struct SegmentFlag {
    static constexpr int NoPolygon = 0x0001;
    static constexpr int NoMarkings = 0x0002;
    static constexpr int NoLighting = 0x0004;
    static constexpr int NoExit = 0x0008;
    static constexpr int NoFill = 0x0010;
    // A runway centre line leaving its runway past an end: the extension
    // polygon lies at vertex0 (0x20) or at vertex1 (0x40).
    static constexpr int ExtensionAt0 = 0x0020;
    static constexpr int ExtensionAt1 = 0x0040;
    static constexpr int RunwayHold = 0x0080;
    // Centre-line closing quads through a junction at vertex0 / vertex1.
    static constexpr int Stub0 = 0x0100;
    static constexpr int Stub1 = 0x0200;
    // A through line drawn by the view at a straight continuation.
    static constexpr int ThroughLine = 0x0400;
    static constexpr int CriticalHold = 0x1000;
    static constexpr int BlastPad = 0x2000;

    static constexpr int Extension = ExtensionAt0 | ExtensionAt1;
};

// Marks kept in RollpathSegment::reserved (zero on every stored segment).
struct SegmentMark {
    // A segment the rollpath tool is still stretching: the end-class search
    // of the network rebuild does not count it as a neighbour.
    static constexpr int Provisional = 0x1;
};

// What a segment meets at one of its ends.
struct EndClass {
    static constexpr int DeadEnd = 0;
    static constexpr int Rollpath = 1;
    static constexpr int Runway = 2;     // inside a runway's outline
    static constexpr int RunwayEnd = 3;  // within 200 ft of a runway's threshold midpoint
    static constexpr int Extension = 4;
};

// "dead end", "rollpath", "runway", "runway end", "extension"; "" otherwise.
const char* EndClassName(int endClass);

struct RollpathSegment {
    int type = SegmentType::Rollpath;
    // The fields every network scan reads come first, in one cache line, ahead
    // of the generated geometry.
    int vertex0 = 0;
    int vertex1 = 0;
    int endClass0 = EndClass::DeadEnd;
    int endClass1 = EndClass::DeadEnd;
    float width = 0.0f;  // feet
    int flags = 0;
    int exitMask = 0;
    int reserved = 0;       // SegmentMark bits
    int state = 0;          // -1 when deleted
    double extent0 = 75.0;  // Runway Hold distance from the runway-side end, feet
    double extent1 = 75.0;  // Critical Hold distance from vertex0, feet

    // Generated geometry. Left and right are relative to the direction from
    // vertex0 to vertex1.
    // Centre at vertex0, left at vertex0, left at vertex1, centre at vertex1,
    // right at vertex1, right at vertex0.
    std::array<DPoint, 6> outline{};
    std::array<DPoint, 2> extensionCorners{};
    Quad centreStripe{};     // left v0, left v1, right v1, right v0
    Quad rightEdgeStripe{};  // inner v0, inner v1, outer v1, outer v0
    Quad leftEdgeStripe{};   // outer v0, outer v1, inner v1, inner v0
    std::array<Quad, 4> exitQuads{};
    Quad stub0{};
    Quad stub1{};
    std::array<Quad, 2> extensionEdgeStripes{};
    std::array<std::array<DPoint, 6>, 4> extensionMarks{};
    std::array<DPoint, 2> centreLightLine{};
    std::array<DPoint, 2> rightLightLine{};
    std::array<DPoint, 2> leftLightLine{};
    std::array<DPoint, 2> throughLine{};

    bool live() const { return state != -1; }
    int VertexAt(int end) const { return end == 0 ? vertex0 : vertex1; }
    int EndClassAt(int end) const { return end == 0 ? endClass0 : endClass1; }
    bool provisional() const { return (reserved & SegmentMark::Provisional) != 0; }
    friend bool operator==(const RollpathSegment&, const RollpathSegment&) = default;
};

// The pavement tile grid, written to and read from the pavement file.
struct TileGrid {
    std::uint32_t columns = 0;
    std::uint32_t rows = 0;
    float side = 0.0f;                               // feet
    std::array<double, 3> lowerLeft{0.0, 0.0, 0.0};  // x, 0.0, y
    friend bool operator==(const TileGrid&, const TileGrid&) = default;
};

// Polygons that the last Save could not clip or triangulate; shown in red.
inline constexpr int kMaxTriangulationErrors = 30;
inline constexpr int kMaxTriangulationErrorPoints = 50;

}  // namespace rollpath

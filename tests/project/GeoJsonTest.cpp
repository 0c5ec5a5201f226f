// GeoJSON exchange: what an export holds comes back on import; map data in
// the shape OpenStreetMap exports becomes a network joined to the runways;
// every refused file leaves the document as it was.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <tuple>

#include "checks/LayoutChecks.h"
#include "geometry/PortableMath.h"
#include "pavement/NetworkRebuild.h"
#include "pavement/PavementRebuild.h"
#include "pavement/SegmentGeometry.h"
#include "project/GeoJsonExport.h"
#include "project/GeoJsonFeatures.h"
#include "project/GeoJsonImport.h"
#include "project/PipelineFixture.h"
#include "support/DocumentSnapshot.h"

namespace rollpath::testing {
namespace {

std::filesystem::path Fixture(const std::string& name) {
    return SamplesDir().parent_path() / "tests" / "project" / "geojson" / name;
}

void PlaceAirport(CRollpathDoc& doc) {
    doc.m_Airport.lat = 37.461149;
    doc.m_Airport.lon = -122.114998;
    doc.m_bAirportLoaded = 1;
}

bool Near(const DPoint& a, const DPoint& b) {
    return math::Hypot(a.x - b.x, a.y - b.y) < 0.1;
}

constexpr int kUserFlags = 0x1 | 0x2 | 0x4 | 0x8 | 0x10 | 0x80 | 0x1000 | 0x2000;

// A lattice of axis-parallel segments at least 200 ft apart: the network
// rebuild leaves it as it is, so whatever differs after the round trip was
// lost on the way.
void BuildLatticeNetwork(CRollpathDoc& doc) {
    const int columns = *rc::gen::inRange(2, 7);
    const int rows = *rc::gen::inRange(1, 6);
    const double spacing = *rc::gen::inRange(200, 600);
    const DPoint origin{*rc::gen::inRange(-30000, 30000) * 1.0, *rc::gen::inRange(-30000, 30000) * 1.0};
    std::map<std::pair<int, int>, int> vertex;
    const auto at = [&](int i, int j) {
        auto [it, added] = vertex.try_emplace({i, j}, -1);
        if (added) {
            it->second = doc.AddVertex(origin.x + i * spacing, origin.y + j * spacing, true);
            doc.Vertex(it->second).flags = *rc::gen::element(0, 0, 0, 1, 2, 4, 7);
        }
        return it->second;
    };
    for (int i = 0; i < columns; ++i) {
        for (int j = 0; j < rows; ++j) {
            for (const auto& [di, dj] : {std::pair{1, 0}, std::pair{0, 1}}) {
                if (i + di >= columns || j + dj >= rows || !*rc::gen::inRange(0, 3)) {
                    continue;
                }
                const bool forward = *rc::gen::arbitrary<bool>();
                RollpathSegment& s = doc.AppendSegment();
                s.vertex0 = forward ? at(i, j) : at(i + di, j + dj);
                s.vertex1 = forward ? at(i + di, j + dj) : at(i, j);
                s.type = *rc::gen::element(1, 1, 1, 0);
                s.width = static_cast<float>(*rc::gen::inRange(20, 150)) + 0.25f;
                s.flags = *rc::gen::inRange(0, 0x4000) & kUserFlags;
                s.extent0 = *rc::gen::inRange(0, 300);
                s.extent1 = *rc::gen::inRange(0, 300) + 0.5;
                SegmentGeometry(doc, s);
            }
        }
    }
    const int polygons = *rc::gen::inRange(0, 3);
    for (int k = 0; k < polygons; ++k) {
        GroundPolygon& polygon = doc.AppendPolygon();
        polygon.kind = *rc::gen::element(PolygonKind::Ordinary, PolygonKind::Automatic);
        const int corners = *rc::gen::inRange(3, 9);
        for (int c = 0; c < corners; ++c) {
            polygon.points.push_back(DPoint{origin.x - *rc::gen::inRange(100, 5000), origin.y + c * 37.0});
        }
    }
    RebuildNetwork(doc);
    RebuildAllPavement(doc);
}

std::vector<const RollpathSegment*> LiveSegments(const CRollpathDoc& doc) {
    std::vector<const RollpathSegment*> live;
    for (const auto& s : doc.m_pSegments) {
        if (s->live()) {
            live.push_back(s.get());
        }
    }
    return live;
}

RC_GTEST_PROP(GeoJsonRoundTrip, ImportOfAnExportGivesBackTheSameNetwork, ()) {
    CRollpathDoc original;
    PlaceAirport(original);
    BuildLatticeNetwork(original);
    CRollpathDoc imported;
    PlaceAirport(imported);
    const std::optional<GeoJsonImportSummary> summary = ImportGeoJson(imported, ExportGeoJson(original));
    RC_ASSERT(summary.has_value());

    const auto a = LiveSegments(original);
    const auto b = LiveSegments(imported);
    RC_ASSERT(a.size() == b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        RC_ASSERT(Near(original.Vertex(a[i]->vertex0).pos(), imported.Vertex(b[i]->vertex0).pos()));
        RC_ASSERT(Near(original.Vertex(a[i]->vertex1).pos(), imported.Vertex(b[i]->vertex1).pos()));
        const auto fields = [](const CRollpathDoc& d, const RollpathSegment& s) {
            return std::tuple(d.Vertex(s.vertex0).flags, d.Vertex(s.vertex1).flags, s.type, s.width,
                              s.flags & kUserFlags, s.extent0, s.extent1, s.endClass0, s.endClass1);
        };
        RC_ASSERT(fields(original, *a[i]) == fields(imported, *b[i]));
    }
    // Every vertex is shared as it was: no more, no fewer.
    const auto liveVertices = [](const CRollpathDoc& doc) {
        return std::count_if(doc.m_Vertices.begin(), doc.m_Vertices.begin() + doc.m_nVertices,
                             [](const NetworkVertex& v) { return v.live(); });
    };
    RC_ASSERT(liveVertices(original) == liveVertices(imported));
    RC_ASSERT(original.m_pPolygons.size() == imported.m_pPolygons.size());
    for (std::size_t k = 0; k < original.m_pPolygons.size(); ++k) {
        const GroundPolygon& p = *original.m_pPolygons[k];
        const GroundPolygon& q = *imported.m_pPolygons[k];
        RC_ASSERT(p.kind == q.kind && p.count() == q.count());
        for (int c = 0; c < p.count(); ++c) {
            RC_ASSERT(Near(p.points[static_cast<std::size_t>(c)], q.points[static_cast<std::size_t>(c)]));
        }
    }
}

using GeoJsonFixtureTest = PipelineTest;

TEST_F(GeoJsonFixtureTest, MapDataBecomesANetworkJoinedToTheRunways) {
    struct Row {
        const char* code;
        const char* file;
        int polygons;
        int holds;
        int wrongGeometry;
        int other;  // the runway, tags of no use
    };
    for (const Row& row :
         {Row{"KPAO", "kpao-osm.geojson", 1, 2, 0, 1}, Row{"KSFO", "ksfo-osm.geojson", 1, 2, 1, 2}}) {
        SCOPED_TRACE(row.code);
        CRollpathDoc d;
        Attach(d);
        ASSERT_TRUE(OpenAirportByCode(d, row.code, false, false));
        PrepareOpenedDocument(d);
        const std::optional<std::string> text = ReadGeoJsonFile(Fixture(row.file), messages);
        ASSERT_TRUE(text);
        const std::optional<GeoJsonImportSummary> summary = ImportGeoJson(d, *text);
        ASSERT_TRUE(summary);
        EXPECT_EQ(std::tuple(summary->polygons, summary->holds, summary->holdsUnmatched,
                             summary->wrongGeometry, summary->otherFeatures),
                  std::tuple(row.polygons, row.holds, 0, row.wrongGeometry, row.other));
        ASSERT_TRUE(Save(d));

        CRollpathDoc reopened;
        Attach(reopened);
        ASSERT_TRUE(OpenAirportByCode(reopened, row.code, false, false));
        PrepareOpenedDocument(reopened);
        // Every rollpath of the saved network reaches a runway through it.
        CheckSet unreachable;
        unreachable.Set(CheckId::Unreachable, true);
        EXPECT_TRUE(RunLayoutChecks(reopened, unreachable).empty());
        for (const int hold : {SegmentFlag::RunwayHold, SegmentFlag::CriticalHold}) {
            EXPECT_EQ(std::count_if(reopened.m_pSegments.begin(), reopened.m_pSegments.end(),
                                    [hold](const auto& s) { return (s->flags & hold) != 0; }),
                      1);
        }
    }
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
}

std::string Collection(const std::string& features) {
    return R"({"type":"FeatureCollection","features":[)" + features + "]}";
}

std::string Way(const std::string& coordinates) {
    return R"({"type":"Feature","properties":{"aeroway":"taxiway"},"geometry":{"type":"LineString","coordinates":[)" +
           coordinates + "]}}";
}

// A line of n points two feet apart, or a ring of them.
std::string ManyPoints(int n, bool ring) {
    std::string coordinates;
    for (int i = 0; i < n; ++i) {
        const double lon = -122.115 + (ring ? 1e-4 * math::Cos(i * 0.001) : 1e-5 * i);
        const double lat = 37.461 + (ring ? 1e-4 * math::Sin(i * 0.001) : 0.0);
        coordinates +=
            (i > 0 ? "," : "") + std::string("[") + std::to_string(lon) + "," + std::to_string(lat) + "]";
    }
    if (ring) {
        return R"({"type":"Feature","properties":{"aeroway":"apron"},"geometry":{"type":"Polygon","coordinates":[[)" +
               coordinates + "]]}}";
    }
    return Way(coordinates);
}

TEST_F(GeoJsonFixtureTest, RefusedFilesLeaveTheDocumentAsItWas) {
    ASSERT_TRUE(OpenAirportByCode(doc, "KPAO", false, false));
    PrepareOpenedDocument(doc);
    ASSERT_TRUE(ImportGeoJson(doc, *ReadGeoJsonFile(Fixture("kpao-osm.geojson"), messages)));
    const DocumentSnapshot before = Snapshot(doc);
    const std::string pre = "The file is not valid GeoJSON: feature 1 ";
    struct Row {
        std::string text;
        std::string message;
    };
    const Row rows[] = {
        {"{\"type\": ", "The file is not JSON (error at byte 10)"},
        {R"([{"type":"FeatureCollection","features":[]}])", "The file is not a GeoJSON FeatureCollection"},
        {Collection(R"({"type":"Feature","geometry":[]})"), pre + "has a geometry that is not an object"},
        {Collection(Way("[1e999,37.46],[-122.11,37.46]")), "The file holds a number that is not finite"},
        {Collection(Way("[-122.11,37.46],[-122.11,-91]")),
         pre + "has a position that is not a longitude and latitude"},
        {std::string(100, '['), "The file nests deeper than 64 levels"},
        {Collection(ManyPoints(9000, false)),
         "The file has 9000 rollpath vertices; the network has room for " +
             std::to_string(kMaxVertices - doc.m_nVertices) + " more (Vertex limit of 8192)"},
        {Collection(ManyPoints(8190, true)),
         "The file has 8190 polygon vertices; the polygons have room for 8188 more (Maximum of 8192 polygon "
         "vertices exceeded)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        messages.shown.clear();
        EXPECT_FALSE(ImportGeoJson(doc, row.text));
        EXPECT_EQ(messages.shown, std::vector<std::string>{row.message});
        EXPECT_EQ(SnapshotDifference(before, Snapshot(doc)), std::nullopt);
    }

    messages.shown.clear();
    const std::filesystem::path huge = dir / "huge.geojson";
    std::ofstream(huge).put('{');
    std::filesystem::resize_file(huge, kMaxGeoJsonFileBytes + 1);
    EXPECT_FALSE(ReadGeoJsonFile(huge, messages));
    EXPECT_FALSE(ReadGeoJsonFile(dir / "missing.geojson", messages));
    CRollpathDoc empty;
    Attach(empty);
    EXPECT_FALSE(ImportGeoJson(empty, Collection("")));
    EXPECT_EQ(messages.shown,
              (std::vector<std::string>{huge.string() + " is larger than 64 MB and is not imported",
                                        "Cannot open " + (dir / "missing.geojson").string(),
                                        "Open an airport before importing a layout"}));
}

TEST(GeoJsonWidthTag, MetresUnlessAUnitSaysFeet) {
    const std::pair<const char*, std::optional<double>> rows[] = {
        {"15", 15 / 0.3048},
        {" 15 m", 15 / 0.3048},
        {"7.5 metres", 7.5 / 0.3048},
        {"50 ft", 50.0},
        {"50'", 50.0},
        {"wide", std::nullopt},
        {"-3", std::nullopt},
        {"15 furlongs", std::nullopt},
        {"inf", std::nullopt},
    };
    for (const auto& [text, feet] : rows) {
        const std::optional<double> got = ParseWidthTag(text);
        ASSERT_EQ(got.has_value(), feet.has_value()) << text;
        if (feet) {
            EXPECT_NEAR(*got, *feet, 1e-9) << text;
        }
    }
}

}  // namespace
}  // namespace rollpath::testing

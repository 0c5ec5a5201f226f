// The dump of the files `rollpath-cli build` writes on the sample
// installation, checked against the model that wrote them.

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CommonOptions.h"
#include "cli/DumpTestSupport.h"
#include "document/ProjectList.h"
#include "pavement/TileContent.h"
#include "pavement/TileGrid.h"
#include "project/DocumentPipeline.h"
#include "scenery/Origin.h"
#include "support/NetworkBuilder.h"

namespace rollpath::cli {
namespace {

std::vector<const JsonValue*> WithTag(const JsonValue& records, const std::string& tag) {
    std::vector<const JsonValue*> found;
    for (const JsonValue& record : records.Items()) {
        if (record["tag"].Text() == tag) {
            found.push_back(&record);
        }
    }
    return found;
}

void ExpectOrigin(const JsonValue& record, const CRollpathDoc& doc) {
    const ArcsecondOrigin origin = OriginToArcseconds(doc.m_Airport.lat, doc.m_Airport.lon);
    EXPECT_EQ(record["tag"].Text(), "<orgn>");
    EXPECT_EQ(record["latArcseconds"].Number(), origin.lat);
    EXPECT_EQ(record["lonArcseconds"].Number(), origin.lon);
    EXPECT_NEAR(record["latDegrees"].Number(), doc.m_Airport.lat, 1e-9);
    EXPECT_NEAR(record["lonDegrees"].Number(), doc.m_Airport.lon, 1e-9);
    EXPECT_EQ(record["number"].Number(), 1);
}

void ExpectNetworkDump(const JsonValue& json, const CRollpathDoc& doc) {
    ASSERT_FALSE(Has(json, "error"));
    const JsonValue& records = json["records"];
    ASSERT_GE(records.size(), 3u);
    EXPECT_EQ(records[0]["tag"].Text(), "<bgno>");
    ExpectOrigin(records[1], doc);
    EXPECT_EQ(records[records.size() - 1]["tag"].Text(), "<endo>");

    const auto nodes = WithTag(records, "<vloc>");
    ASSERT_EQ(nodes.size(), static_cast<std::size_t>(doc.m_nVertices));
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const NetworkVertex& v = doc.Vertex(static_cast<int>(i));
        ExpectFields(*nodes[i], {{"node", static_cast<double>(i)}, {"x", v.x}, {"y", v.y}});
    }
    for (const JsonValue* flow : WithTag(records, "<flow>")) {
        const int node = static_cast<int>((*flow)["node"].Number());
        if ((*flow)["meaning"].Text() == "source") {
            EXPECT_EQ(node, doc.m_nSource);
        } else {
            EXPECT_EQ(node, doc.m_nSink);
        }
    }
    EXPECT_EQ(WithTag(records, "<flow>").size(),
              static_cast<std::size_t>((doc.m_nSource != -1) +
                                       (doc.m_nSink != -1 && doc.m_nSink != doc.m_nSource)));

    std::vector<const RollpathSegment*> live;
    for (const auto& segment : doc.m_pSegments) {
        if (segment->live()) {
            live.push_back(segment.get());
        }
    }
    const auto edges = WithTag(records, "<edge>");
    const auto widths = WithTag(records, "<thck>");
    const auto types = WithTag(records, "<type>");
    ASSERT_EQ(edges.size(), live.size());
    ASSERT_EQ(widths.size(), live.size());
    ASSERT_EQ(types.size(), live.size());
    std::vector<bool> noPolygon(live.size(), false);
    for (const JsonValue* flag : WithTag(records, "<nply>")) {
        noPolygon.at(static_cast<std::size_t>((*flag)["edge"].Number())) = true;
    }
    for (std::size_t k = 0; k < live.size(); ++k) {
        EXPECT_EQ((*edges[k])["edge"].Number(), static_cast<double>(k));
        EXPECT_EQ((*edges[k])["nodes"][0].Number(), live[k]->vertex0) << k;
        EXPECT_EQ((*edges[k])["nodes"][1].Number(), live[k]->vertex1) << k;
        EXPECT_EQ((*widths[k])["edge"].Number(), static_cast<double>(k));
        EXPECT_EQ((*widths[k])["width"].Number(), live[k]->width) << k;
        EXPECT_EQ((*types[k])["type"].Number(), live[k]->type) << k;
        EXPECT_EQ(noPolygon[k], (live[k]->flags & SegmentFlag::NoPolygon) != 0) << k;
    }
}

// Twice the signed area with y up: positive for counter-clockwise corners.
double CounterClockwiseArea(const JsonValue& vertices, std::size_t first, std::size_t count) {
    double sum = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const JsonValue& a = vertices[first + i];
        const JsonValue& b = vertices[first + (i + 1) % count];
        sum += a["x"].Number() * b["y"].Number() - b["x"].Number() * a["y"].Number();
    }
    return sum;
}

void ExpectPolygonDump(const JsonValue& json, const CRollpathDoc& doc) {
    ASSERT_FALSE(Has(json, "error"));
    const JsonValue& records = json["records"];
    ExpectOrigin(records[1], doc);
    const auto pools = WithTag(records, "<vert>");
    ASSERT_EQ(pools.size(), 1u);
    const JsonValue& pool = (*pools[0])["vertices"];
    const auto lists = WithTag(records, "<pvrt>");

    std::size_t next = 0;
    std::size_t k = 0;
    for (const auto& polygon : doc.m_pPolygons) {
        if (!polygon->live()) {
            continue;
        }
        ASSERT_LT(k, lists.size());
        const JsonValue& indices = (*lists[k])["indices"];
        ASSERT_EQ(indices.size(), polygon->points.size());
        for (std::size_t i = 0; i < indices.size(); ++i) {
            EXPECT_EQ(indices[i].Number(), static_cast<double>(next + i));
            EXPECT_EQ(pool[next + i]["x"].Number(), polygon->points[i].x);
            EXPECT_EQ(pool[next + i]["y"].Number(), polygon->points[i].y);
        }
        EXPECT_GT(CounterClockwiseArea(pool, next, indices.size()), 0.0) << k;
        next += indices.size();
        ++k;
    }
    EXPECT_EQ(k, lists.size());
    EXPECT_EQ((*pools[0])["count"].Number(), static_cast<double>(next));
}

void ExpectSideDump(const JsonValue& json, const CRollpathDoc& doc) {
    ASSERT_FALSE(Has(json, "error"));
    EXPECT_EQ(json["trailingBytes"].Number(), 0);
    const JsonValue& records = json["records"];
    const std::size_t segments = doc.m_pSegments.size();
    const auto vertices = static_cast<std::size_t>(doc.m_nVertices);
    ASSERT_EQ(records.size(), 2 + segments + vertices);
    EXPECT_EQ(records[0]["count"].Number(), static_cast<double>(segments));
    for (std::size_t i = 0; i < segments; ++i) {
        const JsonValue& r = records[1 + i];
        const RollpathSegment& s = *doc.m_pSegments[i];
        EXPECT_EQ(r["record"].Text(), "segment");
        ExpectFields(r, {{"vertex0", s.vertex0},
                         {"vertex1", s.vertex1},
                         {"flags", s.flags},
                         {"extent0", s.extent0},
                         {"extent1", s.extent1}});
    }
    EXPECT_EQ(records[1 + segments]["count"].Number(), static_cast<double>(vertices));
    for (std::size_t i = 0; i < vertices; ++i) {
        const JsonValue& r = records[2 + segments + i];
        const NetworkVertex& v = doc.Vertex(static_cast<int>(i));
        EXPECT_EQ(r["record"].Text(), "vertex");
        ExpectFields(r, {{"x", v.x}, {"y", v.y}, {"flags", v.flags}});
    }
}

void ExpectListEntry(const JsonValue& json, const CRollpathDoc& doc) {
    const JsonValue* entry = nullptr;
    for (const JsonValue& record : json["records"].Items()) {
        if (record["record"].Text() == "entry" && record["name"].Text() == doc.m_szCode) {
            entry = &record;
        }
    }
    ASSERT_NE(entry, nullptr);
    std::istringstream written(FormatProjectEntry(doc));
    std::string line;
    std::getline(written, line);
    EXPECT_EQ((*entry)["header"].Text(), line);
    for (std::size_t i = 0; i < 3; ++i) {
        std::getline(written, line);
        EXPECT_EQ((*entry)["lines"][i].Text(), line);
    }
    EXPECT_EQ((*entry)["polygonFile"].Text(), doc.m_szTxpName);
    EXPECT_EQ((*entry)["networkFile"].Text(), doc.m_szBgrName);
    EXPECT_EQ((*entry)["diagram"]["path"].Text(), doc.m_szBmpPath);
    EXPECT_EQ((*entry)["diagram"]["scale"].Number(), doc.m_nBmpScale);
    EXPECT_EQ((*entry)["diagram"]["rotation"].Number(), doc.m_dRotation);
}

void ExpectPavementDump(const JsonValue& json, const CRollpathDoc& doc) {
    ASSERT_FALSE(Has(json, "error"));
    const JsonValue& records = json["records"];
    ASSERT_GE(records.size(), 6u);
    ExpectOrigin(records[1], doc);
    const TileGrid& grid = doc.m_TileGrid;
    ExpectFields(records[2], {{"columns", grid.columns}, {"rows", grid.rows}});
    ExpectFields(records[3], {{"side", grid.side}});
    ExpectFields(records[4], {{"x", grid.lowerLeft[0]}, {"y", grid.lowerLeft[2]}});
    EXPECT_EQ(records[records.size() - 1]["tag"].Text(), "<endo>");
    for (const JsonValue& record : records.Items()) {
        if (Has(record, "computedByteCount")) {
            EXPECT_EQ(record["byteCount"].Number(), record["computedByteCount"].Number())
                << record["offset"].Number();
        }
    }
}

class DumpBuiltTest : public DumpTest {
protected:
    DumpBuiltTest() { InstallLayout("pod"); }

    // Opens the code as build does, with its own output and program folders.
    bool OpenModel(CRollpathDoc& doc, Settings& settings, const std::string& code,
                   const std::string& folder) {
        CommonOptions options;
        options.flyDir = Fly("pod");
        options.outputDir = (dir / folder / "out").string();
        options.projectDir = (dir / folder / "prog").string();
        options.seed = 11;
        std::filesystem::create_directories(dir / folder / "out");
        std::filesystem::create_directories(dir / folder / "prog");
        std::ostringstream err;
        return PrepareDocument(options, settings, doc, err) && OpenAirportByCode(doc, code, false, false);
    }

    void ExpectDumpsMatch(const CRollpathDoc& doc, const std::filesystem::path& out,
                          const std::filesystem::path& prog) {
        const std::string code = doc.m_szCode;
        ExpectNetworkDump(Dump(out / (code + ".bgr"), kExitSuccess), doc);
        ExpectPolygonDump(Dump(out / (code + ".txp"), kExitSuccess), doc);
        ExpectSideDump(Dump(prog / (code + ".txd"), kExitSuccess), doc);
        ExpectListEntry(Dump(prog / "Rollpath.rpj", kExitSuccess), doc);
        ExpectPavementDump(Dump(out / (code + ".tms"), kExitSuccess), doc);
    }
};

TEST_F(DumpBuiltTest, TheBuiltFilesShowWhatTheModelHolds) {
    const std::filesystem::path data = dir / "pod" / "Data";
    const std::filesystem::path prog = dir / "prog";
    for (const std::string code : {"KSFO", "KPAO"}) {
        SCOPED_TRACE(code);
        const Outcome run =
            Call(&RunBuild, {code, "--fly-dir", Fly("pod"), "--project-dir", prog.string(), "--seed", "11"});
        ASSERT_EQ(run.status, kExitSuccess) << run.err;

        // The same opening and Save in the test give the model behind the
        // files: its own copies are byte for byte the build's.
        Settings settings;
        CRollpathDoc doc;
        ASSERT_TRUE(OpenModel(doc, settings, code, "model" + code));
        PrepareOpenedDocument(doc);
        ASSERT_TRUE(Save(doc));
        const std::filesystem::path out = dir / ("model" + code) / "out";
        ASSERT_GT(doc.m_nVertices, 0);
        for (const char* ext : {".bgr", ".txp", ".tms"}) {
            EXPECT_EQ(ReadText(out / (code + ext)), ReadText(data / (code + ext))) << ext;
        }
        EXPECT_EQ(ReadText(dir / ("model" + code) / "prog" / (code + ".txd")),
                  ReadText(prog / (code + ".txd")));

        ExpectDumpsMatch(doc, data, prog);
    }
    // Both airports are listed, each once.
    const JsonValue list = Dump(prog / "Rollpath.rpj", kExitSuccess)["records"];
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]["name"].Text(), "KSFO");
    EXPECT_EQ(list[1]["name"].Text(), "KPAO");
}

TEST_F(DumpBuiltTest, AnEditedAirportShowsItsPolygonsFlagsSourceAndSink) {
    Settings settings;
    CRollpathDoc doc;
    ASSERT_TRUE(OpenModel(doc, settings, "KSFO", "edited"));
    PrepareOpenedDocument(doc);
    ASSERT_GE(doc.m_nVertices, 2);
    ASSERT_FALSE(doc.m_pSegments.empty());

    GroundPolygon& clockwise = doc.AppendPolygon();
    clockwise.kind = PolygonKind::Ordinary;
    clockwise.points = {{0.0, 0.0}, {0.0, 100.0}, {100.0, 100.0}, {100.0, 0.0}};
    GroundPolygon& deleted = doc.AppendPolygon();
    deleted.kind = PolygonKind::Ordinary;
    deleted.points = {{5.0, 5.0}, {6.0, 5.0}, {6.0, 6.0}};
    deleted.state = -1;
    GroundPolygon& automatic = doc.AppendPolygon();
    automatic.kind = PolygonKind::Automatic;
    automatic.points = {{-50.0, -50.0}, {-10.0, -50.0}, {-10.0, -10.0}, {-30.0, 5.5}, {-50.0, -10.0}};

    RollpathSegment& first = *doc.m_pSegments.front();
    first.flags |= SegmentFlag::NoPolygon | SegmentFlag::RunwayHold | SegmentFlag::NoLighting;
    first.extent0 = 120.5;
    first.extent1 = 0.0;
    doc.Vertex(first.vertex1).flags = VertexFlag::NoMarkings | VertexFlag::NoLighting;
    doc.m_nSource = first.vertex1;
    doc.m_nSink = first.vertex0;
    ASSERT_TRUE(Save(doc));

    ExpectDumpsMatch(doc, dir / "edited" / "out", dir / "edited" / "prog");
    const JsonValue txp = Dump(dir / "edited" / "out" / "KSFO.txp", kExitSuccess)["records"];
    EXPECT_EQ(WithTag(txp, "<pvrt>").size(), 2u);
    EXPECT_EQ((*WithTag(txp, "<vert>")[0])["count"].Number(), 9);
    // Written as an ordinary polygon.
    EXPECT_EQ(WithTag(txp, "<auto>").size(), 0u);
    const JsonValue bgr = Dump(dir / "edited" / "out" / "KSFO.bgr", kExitSuccess)["records"];
    EXPECT_EQ(WithTag(bgr, "<nply>").size(), 1u);
    EXPECT_EQ(WithTag(bgr, "<flow>").size(), 2u);
}

TEST_F(DumpBuiltTest, AnAirportWithATileGridDumpsEveryTileWhole) {
    Settings settings;
    CRollpathDoc doc;
    ASSERT_TRUE(OpenModel(doc, settings, "KSFO", "gridded"));
    PrepareOpenedDocument(doc);
    // A parallel rollpath 600 ft off the first runway with two exits onto
    // it, one with a hold marking, and a ground polygon beside it.
    ASSERT_FALSE(doc.m_pRunways.empty());
    const RunwayRecord& runway = *doc.m_pRunways.front();
    const DPoint along{runway.end1.x - runway.end0.x, runway.end1.y - runway.end0.y};
    const double length = std::hypot(along.x, along.y);
    const DPoint side{-along.y / length * 600.0, along.x / length * 600.0};
    const auto at = [&](double t, double off) {
        return DPoint{runway.end0.x + t * along.x + off * side.x, runway.end0.y + t * along.y + off * side.y};
    };
    testing::AddRollpath(doc, at(0.1, 1.0), at(0.9, 1.0), 50.0);
    testing::AddRollpath(doc, at(0.3, 1.0), at(0.3, 0.0), 50.0).flags |= SegmentFlag::RunwayHold;
    testing::AddRollpath(doc, at(0.7, 1.0), at(0.7, 0.0), 60.0);
    GroundPolygon& apron = doc.AppendPolygon();
    apron.kind = PolygonKind::Ordinary;
    apron.points = {at(0.4, 1.2), at(0.6, 1.2), at(0.6, 1.6), at(0.5, 1.4), at(0.4, 1.6)};
    PrepareOpenedDocument(doc);
    ComputeTileGrid(doc);
    ASSERT_TRUE(Save(doc));
    EXPECT_TRUE(doc.m_TriErrors.empty());
    const JsonValue json = Dump(dir / "gridded" / "out" / "KSFO.tms", kExitSuccess);
    ExpectPavementDump(json, doc);
    const JsonValue& records = json["records"];

    std::size_t expectedTiles = 0;
    for (std::uint32_t column = 0; column < 8; ++column) {
        for (std::uint32_t row = 0; row < 8; ++row) {
            expectedTiles += TileHasContent(doc, TileRectangle(doc.m_TileGrid, column, row)) ? 1 : 0;
        }
    }
    ASSERT_GT(expectedTiles, 0u);
    const std::vector<std::string> tile{"<tile>", "<bgno>", "<indx>", "<pave>",
                                        "<edmk>", "<cntr>", "<lite>", "<endo>"};
    ASSERT_EQ(records.size(), 5 + expectedTiles * tile.size() + 1);
    std::size_t polygons = 0;
    for (std::size_t t = 0; t < expectedTiles; ++t) {
        const std::size_t first = 5 + t * tile.size();
        for (std::size_t k = 0; k < tile.size(); ++k) {
            EXPECT_EQ(records[first + k]["tag"].Text(), tile[k]) << first + k;
        }
        EXPECT_LT(records[first + 2]["column"].Number(), 8);
        EXPECT_LT(records[first + 2]["row"].Number(), 8);
        for (std::size_t m = 3; m < 6; ++m) {
            const JsonValue& mesh = records[first + m];
            const double vertices = mesh["vertexCount"].Number();
            EXPECT_EQ(mesh["vertices"].size(), static_cast<std::size_t>(vertices));
            for (const JsonValue& polygon : mesh["polygons"].Items()) {
                EXPECT_EQ(polygon["words"][1].Number(), static_cast<double>(polygon["indices"].size()));
                for (const JsonValue& index : polygon["indices"].Items()) {
                    EXPECT_LT(index.Number(), vertices);
                }
                ++polygons;
            }
        }
    }
    EXPECT_GT(polygons, 0u);
}

}  // namespace
}  // namespace rollpath::cli

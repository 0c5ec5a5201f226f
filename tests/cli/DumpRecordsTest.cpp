// The dump of files with known bytes: every record in file order with its
// offset, tag and decoded payload.

#include <cstdint>
#include <string>
#include <vector>

#include "cli/DumpTestSupport.h"
#include "document/RollpathDoc.h"
#include "scenery/BinaryIO.h"
#include "scenery/PavementSections.h"

namespace rollpath::cli {
namespace {

// Golden bytes with the offset of every record noted as it is begun.
struct Marked {
    Golden& At() {
        offsets.push_back(g.bytes.size());
        return g;
    }
    Golden g;
    std::vector<std::size_t> offsets;
};

void ExpectOffsetsAndTags(const JsonValue& records, const Marked& m, const std::vector<std::string>& tags) {
    ASSERT_EQ(records.size(), m.offsets.size());
    ASSERT_EQ(records.size(), tags.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i]["offset"].Number(), static_cast<double>(m.offsets[i])) << i;
        EXPECT_EQ(records[i]["tag"].Text(), tags[i]) << i;
        EXPECT_FALSE(Has(records[i], "complete")) << i;
    }
}

TEST_F(DumpTest, NetworkFileRecordsWithNodesEdgesAndAttributes) {
    Marked m;
    m.At().tag("<bgno>");
    m.At().tag("<orgn>").f64(37.5 * 3600).f64(855000.0).f64(0.0).i32(1);
    m.At().tag("<node>");
    m.At().tag("<bgno>");
    m.At().tag("<vloc>").f64(10.5).f64(0.0).f64(-20.25);
    m.At().tag("<flow>").i32(1);
    m.At().tag("<endo>");
    m.At().tag("<node>");
    m.At().tag("<bgno>");
    m.At().tag("<vloc>").f64(-3.0).f64(0.0).f64(4.0);
    m.At().tag("<flow>").i32(3);
    m.At().tag("<endo>");
    m.At().tag("<edge>").i32(0).i32(1);
    m.At().tag("<bgno>");
    m.At().tag("<thck>").f32(75.5f);
    m.At().tag("<type>").i32(1);
    m.At().tag("<nply>");
    m.At().tag("<endo>");
    m.At().tag("<endo>");

    const JsonValue json = Dump(Put("KTST.BGR", m.g.bytes), kExitSuccess);
    EXPECT_EQ(json["format"].Text(), "bgr");
    EXPECT_EQ(json["size"].Number(), static_cast<double>(m.g.bytes.size()));
    const JsonValue& r = json["records"];
    ExpectOffsetsAndTags(
        r, m,
        {"<bgno>", "<orgn>", "<node>", "<bgno>", "<vloc>", "<flow>", "<endo>", "<node>", "<bgno>", "<vloc>",
         "<flow>", "<endo>", "<edge>", "<bgno>", "<thck>", "<type>", "<nply>", "<endo>", "<endo>"});
    ExpectFields(r[1], {{"latArcseconds", 135000.0},
                        {"latDegrees", 37.5},
                        {"lonArcseconds", 855000.0},
                        {"lonDegrees", -122.5},
                        {"height", 0.0},
                        {"number", 1}});
    ExpectFields(r[4], {{"node", 0}, {"x", 10.5}, {"y", -20.25}});
    ExpectFields(r[5], {{"node", 0}, {"value", 1}});
    EXPECT_EQ(r[5]["meaning"].Text(), "source");
    // Any flow value but 1 marks the sink.
    ExpectFields(r[10], {{"node", 1}, {"value", 3}});
    EXPECT_EQ(r[10]["meaning"].Text(), "sink");
    ExpectFields(r[12], {{"edge", 0}});
    EXPECT_EQ(Numbers(r[12]["nodes"]), (std::vector<double>{0, 1}));
    ExpectFields(r[14], {{"edge", 0}, {"width", 75.5}});
    ExpectFields(r[15], {{"edge", 0}, {"type", 1}});
    ExpectFields(r[16], {{"edge", 0}});
}

TEST_F(DumpTest, AttributesBeforeAnyEdgeAndFlowsBeforeAnyNodeBelongToNothing) {
    Golden g;
    g.tag("<flow>").i32(1).tag("<thck>").f32(3.0f).tag("<nply>");
    // Text after the six characters is passed over by the reader and shown.
    g.text("<type>trailing").i32(0);
    const JsonValue r = Dump(Put("stray.bgr", g.bytes), kExitSuccess)["records"];
    ASSERT_EQ(r.size(), 4u);
    EXPECT_TRUE(r[0]["node"].IsNull());
    EXPECT_TRUE(r[1]["edge"].IsNull());
    EXPECT_TRUE(r[2]["edge"].IsNull());
    EXPECT_EQ(r[3]["banner"].Text(), "trailing");
    EXPECT_EQ(r[3]["type"].Number(), 0);
}

TEST_F(DumpTest, PolygonFileRecordsWithBannersPoolAndReferences) {
    Marked m;
    m.At().text("<bgno> ========== BEGIN OBJECT ==========");
    m.At().text("<orgn> ---- origin ----").f64(1000.0).f64(1295999.5).f64(0.0).i32(1);
    m.At().text("<vert> ---- vertex pool ----").i32(3);
    m.g.f64(1.0).f64(0.0).f64(2.0).f64(3.0).f64(0.0).f64(4.0).f64(-5.5).f64(0.0).f64(6.25);
    m.At().text("<poly> ---- polygon ----");
    m.At().text("<bgno> ========== BEGIN OBJECT ==========");
    m.At().text("<pvrt> ---- vertex reference list ----").i32(3).i32(0).i32(1).i32(2);
    m.At().text("<endo> ========== END OBJECT ==========");
    // An automatic polygon whose second index lies outside the pool: the
    // dump shows what the file holds.
    m.At().tag("<auto>");
    m.At().tag("<pvrt>").i32(2).i32(2).i32(7);
    m.At().text("<endo> ========== END OBJECT ==========");

    const JsonValue json = Dump(Put("KTST.txp", m.g.bytes), kExitSuccess);
    EXPECT_EQ(json["format"].Text(), "txp");
    const JsonValue& r = json["records"];
    ExpectOffsetsAndTags(
        r, m,
        {"<bgno>", "<orgn>", "<vert>", "<poly>", "<bgno>", "<pvrt>", "<endo>", "<auto>", "<pvrt>", "<endo>"});
    EXPECT_EQ(r[0]["banner"].Text(), " ========== BEGIN OBJECT ==========");
    EXPECT_EQ(r[2]["banner"].Text(), " ---- vertex pool ----");
    EXPECT_EQ(r[5]["banner"].Text(), " ---- vertex reference list ----");
    EXPECT_FALSE(Has(r[7], "banner"));
    EXPECT_NEAR(r[1]["lonDegrees"].Number(), -0.5 / 3600, 1e-12);
    ExpectFields(r[2], {{"pool", 0}, {"count", 3}});
    ASSERT_EQ(r[2]["vertices"].size(), 3u);
    ExpectFields(r[2]["vertices"][2], {{"x", -5.5}, {"height", 0.0}, {"y", 6.25}});
    ExpectFields(r[5], {{"polygon", 0}, {"pool", 0}, {"count", 3}});
    EXPECT_FALSE(r[5]["automatic"].Bool());
    ExpectFields(r[8], {{"polygon", 1}, {"pool", 0}, {"count", 2}});
    EXPECT_TRUE(r[8]["automatic"].Bool());
    EXPECT_EQ(r[8]["indices"][1].Number(), 7);
}

TEST_F(DumpTest, PavementFileFromTheSectionWriters) {
    TileGrid grid;
    grid.columns = 8;
    grid.rows = 8;
    grid.side = 100.5f;
    grid.lowerLeft = {-10.0, 0.0, -20.5};
    const std::vector<DPoint> pave{{10.25, 0.0}, {-0.001, 5.0}, {3.0, 4.0}, {10.25, 8.0}};
    const std::vector<std::uint32_t> paveIndices{4, 0, 1, 2, 3, 3, 0, 2, 3};
    const std::vector<DPoint> centre{{1.0, 1.0}, {2.0, 1.0}, {1.0, 2.0}};
    const std::vector<std::uint32_t> centreIndices{3, 0, 2, 1};
    const std::vector<TileLightPoint> points{{1, 1.5, 2.5}};
    const std::vector<TileLightRun> runs{{0, 0.0, 0.0, 10.0, -10.0, 2.5}};
    ByteWriter w;
    WritePavementHeader(w, 25.75, -80.5, grid);
    WriteTileStart(w, 0, 1);
    WriteMeshSection(w, MeshSection::Pavement, pave, paveIndices);
    WriteMeshSection(w, MeshSection::EdgeMarkings, {}, {});
    WriteMeshSection(w, MeshSection::CentreMarkings, centre, centreIndices);
    WriteLightSection(w, points, runs);
    WriteTileEnd(w);
    WritePavementEnd(w);

    const JsonValue json = Dump(Put("ktst.Tms", w.bytes()), kExitSuccess);
    EXPECT_EQ(json["format"].Text(), "tms");
    const JsonValue& r = json["records"];
    std::vector<std::string> tags;
    for (const JsonValue& record : r.Items()) {
        tags.push_back(record["tag"].Text());
    }
    EXPECT_EQ(tags, (std::vector<std::string>{"<bgno>", "<orgn>", "<tlxz>", "<feet>", "<lowl>", "<tile>",
                                              "<bgno>", "<indx>", "<pave>", "<edmk>", "<cntr>", "<lite>",
                                              "<endo>", "<endo>"}));
    ExpectFields(r[1], {{"lonArcseconds", 1006200.0}, {"lonDegrees", -80.5}, {"latDegrees", 25.75}});
    ExpectFields(r[2], {{"columns", 8}, {"rows", 8}});
    ExpectFields(r[3], {{"side", 100.5}});
    ExpectFields(r[4], {{"x", -10.0}, {"y", -20.5}});
    ExpectFields(r[7], {{"column", 0}, {"row", 1}});

    // 12 x (4 + 2) + (24 + 4 x 4) + (24 + 4 x 3)
    const JsonValue& p = r[8];
    ExpectFields(p, {{"byteCount", 148}, {"computedByteCount", 148}, {"vertexCount", 4}});
    EXPECT_EQ(Numbers(p["header"]), (std::vector<double>{20, 65536, 2, 0, 4}));
    ExpectFields(p["vertices"][0], {{"x", 2624}, {"xFeet", 10.25}});
    // -0.001 ft rounds away from zero.
    ExpectFields(p["vertices"][1],
                 {{"x", -1}, {"xFeet", -0.00390625}, {"height", 0}, {"y", 1280}, {"yFeet", 5}});
    ASSERT_EQ(p["polygons"].size(), 2u);
    EXPECT_EQ(Numbers(p["polygons"][0]["words"]), (std::vector<double>{5, 4, 0, 65535, 0, 0}));
    EXPECT_EQ(Numbers(p["polygons"][1]["indices"]), (std::vector<double>{0, 2, 3}));
    ExpectFields(r[9], {{"byteCount", 24}, {"vertexCount", 0}});
    EXPECT_EQ(Numbers(r[10]["polygons"][0]["indices"]), (std::vector<double>{0, 2, 1}));

    ExpectFields(r[11], {{"byteCount", 16 + 28 + 4}, {"computedByteCount", 16 + 28 + 4}});
    const JsonValue& lights = r[11]["lights"];
    ASSERT_EQ(lights.size(), 2u);
    EXPECT_EQ(lights[0]["kind"].Text(), "point");
    ExpectFields(lights[0], {{"shape", 1}, {"class", 1}, {"x", 1.5}, {"y", 2.5}});
    EXPECT_EQ(lights[1]["kind"].Text(), "run");
    ExpectFields(lights[1], {{"shape", 2}, {"class", 0}, {"x1", 10.0}, {"y1", -10.0}, {"spacing", 2.5}});
}

TEST_F(DumpTest, PavementByteCountsAreShownAsStoredBesideWhatTheContentNeeds) {
    // The reader ignores byte counts; a wrong one is shown, not refused.
    Golden g;
    g.tag("<pave>").u32(99).u32(20).u32(65536).u32(2).u32(0).u32(1).i32(-256).i32(0).i32(512);
    g.u32(5).u32(1).u32(0).u32(65535).u32(0).u32(0).u32(0).u32(0);
    g.tag("<lite>").u32(7).u32(0);
    const JsonValue r = Dump(Put("odd.tms", g.bytes), kExitSuccess)["records"];
    ASSERT_EQ(r.size(), 2u);
    ExpectFields(r[0], {{"byteCount", 99}, {"computedByteCount", 12 * 3 + 24 + 4}});
    ExpectFields(r[0]["vertices"][0], {{"xFeet", -1.0}, {"yFeet", 2.0}});
    ExpectFields(r[1], {{"byteCount", 7}, {"computedByteCount", 4}});
}

TEST_F(DumpTest, SideFileRecordsAndTheBytesTheReaderNeverLooksAt) {
    Golden g;
    g.i32(2);
    g.i32(0).i32(1).i32(0x84).i32(0).f64(0.0).f64(30.5);
    g.i32(1).i32(2).i32(1).i32(9).f64(75.0).f64(12.0);
    g.i32(1);
    g.f64(10.5).f64(-20.25).i32(3).i32(0).i32(0).i32(4);
    g.raw({'x', 'y', 'z'});

    const JsonValue json = Dump(Put("KTST.txd", g.bytes), kExitSuccess);
    EXPECT_EQ(json["format"].Text(), "txd");
    EXPECT_EQ(json["trailingBytes"].Number(), 3);
    const JsonValue& r = json["records"];
    ASSERT_EQ(r.size(), 5u);
    const double offsets[] = {0, 4, 36, 68, 72};
    const char* kinds[] = {"segmentCount", "segment", "segment", "vertexCount", "vertex"};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(r[i]["offset"].Number(), offsets[i]);
        EXPECT_EQ(r[i]["record"].Text(), kinds[i]);
    }
    ExpectFields(r[0], {{"count", 2}});
    // The vertex1 end comes first.
    ExpectFields(
        r[1],
        {{"index", 0}, {"vertex0", 0}, {"vertex1", 1}, {"flags", 0x84}, {"extent1", 0.0}, {"extent0", 30.5}});
    ExpectFields(r[2], {{"index", 1}, {"vertex0", 1}, {"vertex1", 2}, {"reserved", 9}});
    ExpectFields(r[3], {{"count", 1}});
    ExpectFields(r[4], {{"index", 0}, {"x", 10.5}, {"y", -20.25}, {"flags", 3}});
    EXPECT_EQ(Numbers(r[4]["reserved"]), (std::vector<double>{0, 0, 4}));
}

TEST_F(DumpTest, ProjectListEntriesAsWrittenAndAsRead) {
    const std::string text =
        "; list of 45\xB0 airports\r\n"
        "[KSFO]\r\n"
        "txp=a.txp\r\n"
        "bgr=b.bgr\r\n"
        "bmp=D:\\Scans\\SFO.BMP 300 400 80 12.5\r\n"
        "\n"
        "[KSFO] again\n"
        "txp\n"
        "bgr=x\n"
        "bmp=\"\"\n"
        ";tail\n"
        "[KABC]\n"
        "txp=q\n";
    const JsonValue json = Dump(PutText("Rollpath.RPJ", text + "[KPAO"), kExitSuccess);
    EXPECT_EQ(json["format"].Text(), "rpj");
    const JsonValue& r = json["records"];
    ASSERT_EQ(r.size(), 7u);

    EXPECT_EQ(r[0]["record"].Text(), "comment");
    EXPECT_EQ(r[0]["line"].Number(), 1);
    EXPECT_EQ(r[0]["offset"].Number(), 0);
    EXPECT_EQ(r[0]["text"].Text(), "; list of 45\xC2\xB0 airports");  // UTF-8 degree sign
    EXPECT_TRUE(r[0]["terminated"].Bool());

    const JsonValue& first = r[1];
    EXPECT_EQ(first["record"].Text(), "entry");
    EXPECT_EQ(first["line"].Number(), 2);
    EXPECT_EQ(first["offset"].Number(), static_cast<double>(text.find("[KSFO]")));
    EXPECT_EQ(first["header"].Text(), "[KSFO]");
    EXPECT_EQ(first["name"].Text(), "KSFO");
    EXPECT_FALSE(first["duplicate"].Bool());
    EXPECT_EQ(first["lines"][2].Text(), "bmp=D:\\Scans\\SFO.BMP 300 400 80 12.5");
    EXPECT_EQ(first["polygonFile"].Text(), "a.txp");
    EXPECT_EQ(first["networkFile"].Text(), "b.bgr");
    EXPECT_EQ(first["diagram"]["path"].Text(), "D:\\Scans\\SFO.BMP");
    ExpectFields(first["diagram"], {{"x", 300}, {"y", 400}, {"scale", 80}, {"rotation", 12.5}});

    EXPECT_EQ(r[2]["record"].Text(), "line");
    EXPECT_EQ(r[2]["line"].Number(), 6);
    EXPECT_EQ(r[2]["text"].Text(), "");

    // The second entry of a name is never opened; a line without "=" keeps
    // the default name.
    const JsonValue& second = r[3];
    EXPECT_EQ(second["name"].Text(), "KSFO");
    EXPECT_TRUE(second["duplicate"].Bool());
    EXPECT_EQ(second["lines"][0].Text(), "txp");
    EXPECT_EQ(second["polygonFile"].Text(), "KSFO.txp");
    EXPECT_EQ(second["networkFile"].Text(), "x");
    EXPECT_EQ(second["diagram"]["path"].Text(), "");
    EXPECT_EQ(second["diagram"]["scale"].Number(), 100);

    EXPECT_EQ(r[4]["record"].Text(), "comment");
    EXPECT_EQ(r[4]["text"].Text(), ";tail");

    // The next section cuts this entry short: the missing lines are null,
    // and the last line, without its line feed, is nobody's.
    const JsonValue& cut = r[5];
    EXPECT_EQ(cut["name"].Text(), "KABC");
    EXPECT_EQ(cut["lines"][0].Text(), "txp=q");
    EXPECT_TRUE(cut["lines"][1].IsNull());
    EXPECT_TRUE(cut["lines"][2].IsNull());
    EXPECT_EQ(cut["polygonFile"].Text(), "q");
    EXPECT_EQ(cut["networkFile"].Text(), "KABC.bgr");
    EXPECT_EQ(r[6]["record"].Text(), "line");
    EXPECT_EQ(r[6]["text"].Text(), "[KPAO");
    EXPECT_FALSE(r[6]["terminated"].Bool());
}

}  // namespace
}  // namespace rollpath::cli

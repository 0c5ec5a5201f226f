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
    EXPECT_EQ(r[1]["latArcseconds"].Number(), 135000.0);
    EXPECT_EQ(r[1]["latDegrees"].Number(), 37.5);
    EXPECT_EQ(r[1]["lonArcseconds"].Number(), 855000.0);
    EXPECT_EQ(r[1]["lonDegrees"].Number(), -122.5);
    EXPECT_EQ(r[1]["height"].Number(), 0.0);
    EXPECT_EQ(r[1]["number"].Number(), 1);
    EXPECT_EQ(r[4]["node"].Number(), 0);
    EXPECT_EQ(r[4]["x"].Number(), 10.5);
    EXPECT_EQ(r[4]["y"].Number(), -20.25);
    EXPECT_EQ(r[5]["node"].Number(), 0);
    EXPECT_EQ(r[5]["meaning"].Text(), "source");
    EXPECT_EQ(r[9]["node"].Number(), 1);
    // Any flow value but 1 marks the sink.
    EXPECT_EQ(r[10]["value"].Number(), 3);
    EXPECT_EQ(r[10]["meaning"].Text(), "sink");
    EXPECT_EQ(r[10]["node"].Number(), 1);
    EXPECT_EQ(r[12]["edge"].Number(), 0);
    EXPECT_EQ(r[12]["nodes"][0].Number(), 0);
    EXPECT_EQ(r[12]["nodes"][1].Number(), 1);
    EXPECT_EQ(r[14]["width"].Number(), 75.5);
    EXPECT_EQ(r[14]["edge"].Number(), 0);
    EXPECT_EQ(r[15]["type"].Number(), 1);
    EXPECT_EQ(r[16]["edge"].Number(), 0);
    EXPECT_FALSE(Has(json, "error"));
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
    EXPECT_EQ(r[2]["pool"].Number(), 0);
    EXPECT_EQ(r[2]["count"].Number(), 3);
    ASSERT_EQ(r[2]["vertices"].size(), 3u);
    EXPECT_EQ(r[2]["vertices"][2]["x"].Number(), -5.5);
    EXPECT_EQ(r[2]["vertices"][2]["height"].Number(), 0.0);
    EXPECT_EQ(r[2]["vertices"][2]["y"].Number(), 6.25);
    EXPECT_EQ(r[5]["polygon"].Number(), 0);
    EXPECT_FALSE(r[5]["automatic"].Bool());
    EXPECT_EQ(r[5]["pool"].Number(), 0);
    EXPECT_EQ(r[5]["indices"].size(), 3u);
    EXPECT_EQ(r[8]["polygon"].Number(), 1);
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
    EXPECT_EQ(r[1]["lonArcseconds"].Number(), 1006200.0);
    EXPECT_EQ(r[1]["lonDegrees"].Number(), -80.5);
    EXPECT_EQ(r[1]["latDegrees"].Number(), 25.75);
    EXPECT_EQ(r[2]["columns"].Number(), 8);
    EXPECT_EQ(r[2]["rows"].Number(), 8);
    EXPECT_EQ(r[3]["side"].Number(), 100.5);
    EXPECT_EQ(r[4]["x"].Number(), -10.0);
    EXPECT_EQ(r[4]["y"].Number(), -20.5);
    EXPECT_EQ(r[7]["column"].Number(), 0);
    EXPECT_EQ(r[7]["row"].Number(), 1);

    const JsonValue& p = r[8];
    // 12 x (4 + 2) + (24 + 4 x 4) + (24 + 4 x 3)
    EXPECT_EQ(p["byteCount"].Number(), 148);
    EXPECT_EQ(p["computedByteCount"].Number(), 148);
    ASSERT_EQ(p["header"].size(), 5u);
    const double header[] = {20, 65536, 2, 0, 4};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(p["header"][i].Number(), header[i]);
    }
    EXPECT_EQ(p["vertexCount"].Number(), 4);
    EXPECT_EQ(p["vertices"][0]["x"].Number(), 2624);
    EXPECT_EQ(p["vertices"][0]["xFeet"].Number(), 10.25);
    EXPECT_EQ(p["vertices"][1]["x"].Number(), -1);  // -0.001 ft rounds away from zero
    EXPECT_EQ(p["vertices"][1]["xFeet"].Number(), -0.00390625);
    EXPECT_EQ(p["vertices"][1]["y"].Number(), 1280);
    EXPECT_EQ(p["vertices"][1]["height"].Number(), 0);
    ASSERT_EQ(p["polygons"].size(), 2u);
    const double words[] = {5, 4, 0, 65535, 0, 0};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(p["polygons"][0]["words"][i].Number(), words[i]);
    }
    EXPECT_EQ(p["polygons"][1]["indices"][2].Number(), 3);

    EXPECT_EQ(r[9]["byteCount"].Number(), 24);
    EXPECT_EQ(r[9]["vertices"].size(), 0u);
    EXPECT_EQ(r[10]["polygons"][0]["indices"][1].Number(), 2);

    const JsonValue& lights = r[11];
    EXPECT_EQ(lights["byteCount"].Number(), 16 + 28 + 4);
    EXPECT_EQ(lights["computedByteCount"].Number(), 16 + 28 + 4);
    ASSERT_EQ(lights["lights"].size(), 2u);
    EXPECT_EQ(lights["lights"][0]["kind"].Text(), "point");
    EXPECT_EQ(lights["lights"][0]["class"].Number(), 1);
    EXPECT_EQ(lights["lights"][0]["x"].Number(), 1.5);
    EXPECT_EQ(lights["lights"][0]["y"].Number(), 2.5);
    EXPECT_EQ(lights["lights"][1]["kind"].Text(), "run");
    EXPECT_EQ(lights["lights"][1]["shape"].Number(), 2);
    EXPECT_EQ(lights["lights"][1]["class"].Number(), 0);
    EXPECT_EQ(lights["lights"][1]["y1"].Number(), -10.0);
    EXPECT_EQ(lights["lights"][1]["spacing"].Number(), 2.5);
}

TEST_F(DumpTest, PavementByteCountsAreShownAsStoredBesideWhatTheContentNeeds) {
    // The reader ignores byte counts; a wrong one is shown, not refused.
    Golden g;
    g.tag("<pave>").u32(99).u32(20).u32(65536).u32(2).u32(0).u32(1).i32(-256).i32(0).i32(512);
    g.u32(5).u32(1).u32(0).u32(65535).u32(0).u32(0).u32(0).u32(0);
    g.tag("<lite>").u32(7).u32(0);
    const JsonValue r = Dump(Put("odd.tms", g.bytes), kExitSuccess)["records"];
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0]["byteCount"].Number(), 99);
    EXPECT_EQ(r[0]["computedByteCount"].Number(), 12 * 3 + 24 + 4);
    EXPECT_EQ(r[0]["vertices"][0]["xFeet"].Number(), -1.0);
    EXPECT_EQ(r[0]["vertices"][0]["yFeet"].Number(), 2.0);
    EXPECT_EQ(r[1]["byteCount"].Number(), 7);
    EXPECT_EQ(r[1]["computedByteCount"].Number(), 4);
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
    EXPECT_EQ(r[0]["count"].Number(), 2);
    EXPECT_EQ(r[1]["index"].Number(), 0);
    EXPECT_EQ(r[1]["flags"].Number(), 0x84);
    EXPECT_EQ(r[1]["extent1"].Number(), 0.0);  // the vertex1 end comes first
    EXPECT_EQ(r[1]["extent0"].Number(), 30.5);
    EXPECT_EQ(r[2]["index"].Number(), 1);
    EXPECT_EQ(r[2]["vertex0"].Number(), 1);
    EXPECT_EQ(r[2]["vertex1"].Number(), 2);
    EXPECT_EQ(r[2]["reserved"].Number(), 9);
    EXPECT_EQ(r[3]["count"].Number(), 1);
    EXPECT_EQ(r[4]["index"].Number(), 0);
    EXPECT_EQ(r[4]["x"].Number(), 10.5);
    EXPECT_EQ(r[4]["y"].Number(), -20.25);
    EXPECT_EQ(r[4]["flags"].Number(), 3);
    EXPECT_EQ(r[4]["reserved"][2].Number(), 4);
}

TEST_F(DumpTest, AnEmptySideFileHasTwoZeroCounts) {
    Golden g;
    g.i32(0).i32(0);
    const JsonValue json = Dump(Put("e.txd", g.bytes), kExitSuccess);
    EXPECT_EQ(json["records"].size(), 2u);
    EXPECT_EQ(json["trailingBytes"].Number(), 0);
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
    ASSERT_EQ(r.size(), 6u);

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
    EXPECT_EQ(first["diagram"]["x"].Number(), 300);
    EXPECT_EQ(first["diagram"]["y"].Number(), 400);
    EXPECT_EQ(first["diagram"]["scale"].Number(), 80);
    EXPECT_EQ(first["diagram"]["rotation"].Number(), 12.5);

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

    // The file ends inside this entry: the last line is taken without its
    // line feed, the missing ones are null.
    const JsonValue& cut = r[5];
    EXPECT_EQ(cut["name"].Text(), "KABC");
    EXPECT_EQ(cut["lines"][0].Text(), "txp=q");
    EXPECT_EQ(cut["lines"][1].Text(), "[KPAO");
    EXPECT_TRUE(cut["lines"][2].IsNull());
    EXPECT_EQ(cut["polygonFile"].Text(), "q");
    EXPECT_EQ(cut["networkFile"].Text(), "KABC.bgr");
}

TEST_F(DumpTest, ALastHeaderWithoutLineFeedIsNoEntry) {
    const JsonValue r = Dump(PutText("Rollpath.rpj", ";x\n[KPAO"), kExitSuccess)["records"];
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1]["record"].Text(), "line");
    EXPECT_EQ(r[1]["text"].Text(), "[KPAO");
    EXPECT_FALSE(r[1]["terminated"].Bool());
    EXPECT_EQ(Dump(PutText("empty.rpj", ""), kExitSuccess)["records"].size(), 0u);
}

}  // namespace
}  // namespace rollpath::cli

// Truncated, damaged and hostile files: the dump prints every record read
// before the problem, then an "error" member, and exits with 1; usage errors
// exit with 2.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/DumpTestSupport.h"
#include "support/DeterministicRandom.h"

namespace rollpath::cli {
namespace {

Golden Origin(Golden g) {
    return g.f64(1000.0).f64(2000.0).f64(0.0).i32(1);
}

Golden MeshHeader(Golden g, std::uint32_t vertexCount) {
    return g.u32(20).u32(65536).u32(2).u32(0).u32(vertexCount);
}

Golden SideSegment(Golden g) {
    return g.i32(0).i32(1).i32(0).i32(0).f64(75.0).f64(75.0);
}

struct DamagedCase {
    const char* name;
    const char* file;
    Bytes bytes;
    std::size_t records;  // printed, the last one incomplete when partialLast
    bool partialLast;
    const char* kind;
    std::size_t offset;
    const char* message;
};

std::vector<DamagedCase> DamagedCases() {
    Golden bgrHead = Origin(Golden().tag("<bgno>").tag("<orgn>"));
    Golden pave = MeshHeader(Golden().tag("<pave>").u32(0), 2).i32(256).i32(0).i32(0).i32(0).i32(0).i32(256);
    return {
        {"bgr_truncated_inside_a_location", "a.bgr",
         Golden(bgrHead).tag("<node>").tag("<vloc>").f64(1.5).bytes, 4, true, "truncated", 49,
         "the file ends inside the record"},
        {"bgr_truncated_inside_an_edge", "a.bgr", Golden(bgrHead).tag("<edge>").i32(0).raw({1, 0}).bytes, 3,
         true, "truncated", 42, "the file ends inside the record"},
        {"bgr_unknown_tag", "a.bgr", Golden().tag("<bgno>").tag("<zzzz>").i32(1).bytes, 1, false,
         "unknownTag", 7, "Unknown token: <zzzz>"},
        {"bgr_tag_cut_short", "a.bgr", Golden().tag("<bgno>").raw({'<', 'e', 'n'}).bytes, 1, false,
         "truncated", 7, "the file ends inside a tag"},
        {"txp_truncated_inside_the_origin", "a.txp",
         Golden().text("<bgno> ====").text("<orgn> ---- origin ----").f64(1000.0).bytes, 2, true, "truncated",
         12, "the file ends inside the record"},
        {"txp_pool_past_the_end", "a.txp", Golden().tag("<vert>").i32(5).f64(1.0).f64(0.0).f64(2.0).bytes, 1,
         true, "malformed", 0, "vertex pool runs past the end of the file"},
        {"txp_negative_pool_count", "a.txp", Golden().tag("<vert>").i32(-1).bytes, 1, true, "malformed", 0,
         "vertex pool runs past the end of the file"},
        {"txp_references_past_the_end", "a.txp", Golden().tag("<poly>").tag("<pvrt>").i32(3).i32(0).bytes, 2,
         true, "malformed", 7, "polygon runs past the end of the file"},
        {"txp_unknown_tag", "a.txp", Golden().text("<bgno> x").tag("<vrtx>").bytes, 1, false, "unknownTag", 9,
         "Unknown token: <vrtx>"},
        {"tms_truncated_inside_a_mesh", "a.tms",
         Golden(pave).u32(5).u32(2).u32(0).u32(65535).u32(0).u32(0).u32(0).u32(1).u32(5).u32(3).bytes, 1,
         true, "truncated", 0, "the file ends inside the record"},
        {"tms_truncated_inside_a_light", "a.tms",
         Golden().tag("<lite>").u32(20).u32(1).u32(1).f32(2.0f).bytes, 1, true, "truncated", 0,
         "the file ends inside the record"},
        {"tms_unknown_light_shape", "a.tms", Golden().tag("<tile>").tag("<lite>").u32(20).u32(7).u32(0).bytes,
         2, true, "malformed", 7, "light of unknown shape 7"},
        {"tms_polygon_past_the_end", "a.tms",
         MeshHeader(Golden().tag("<cntr>").u32(0), 0).u32(5).u32(1000).u32(0).u32(65535).u32(0).u32(0).bytes,
         1, true, "malformed", 0, "polygon runs past the end of the file"},
        {"tms_huge_vertex_count", "a.tms", MeshHeader(Golden().tag("<edmk>").u32(0), 0xFFFFFFFFu).bytes, 1,
         true, "malformed", 0, "mesh section runs past the end of the file"},
        {"tms_unknown_tag", "a.tms", Golden().tag("<bgno>").tag("<PAVE>").bytes, 1, false, "unknownTag", 7,
         "Unknown token: <PAVE>"},
        {"txd_truncated_inside_a_segment", "a.txd", SideSegment(Golden().i32(2)).raw({1, 2, 3, 4, 5}).bytes,
         2, false, "truncated", 36, "the file ends inside the segment record"},
        {"txd_count_larger_than_the_file", "a.txd", SideSegment(Golden().i32(0x7FFFFFFF)).bytes, 2, false,
         "truncated", 36, "the file ends inside the segment record"},
        {"txd_without_vertex_count", "a.txd", Golden().i32(0).bytes, 1, false, "truncated", 4,
         "the file ends inside the vertex count"},
        {"txd_truncated_inside_a_vertex", "a.txd", Golden().i32(0).i32(1).f64(1.0).bytes, 2, false,
         "truncated", 8, "the file ends inside the vertex record"},
        {"txd_empty", "a.txd", {}, 0, false, "truncated", 0, "the file ends inside the segment count"},
    };
}

class DamagedFile : public DumpTest, public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedFile, PrintsWhatWasReadThenTheError) {
    const DamagedCase& c = GetParam();
    const JsonValue json = Dump(Put(c.file, c.bytes), kExitFailure);
    const JsonValue& records = json["records"];
    ASSERT_EQ(records.size(), c.records);
    for (std::size_t i = 0; i < c.records; ++i) {
        const bool partial = c.partialLast && i + 1 == c.records;
        EXPECT_EQ(Has(records[i], "complete"), partial) << i;
    }
    const JsonValue& error = json["error"];
    EXPECT_EQ(error["kind"].Text(), c.kind);
    EXPECT_EQ(error["offset"].Number(), static_cast<double>(c.offset));
    EXPECT_EQ(error["message"].Text(), c.message);
    EXPECT_EQ(Has(error, "tag"), std::string(c.kind) == "unknownTag");
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedFile, ::testing::ValuesIn(DamagedCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DumpTest, ARecordCutShortShowsTheFieldsReadOfIt) {
    Golden g = Origin(Golden().tag("<bgno>").tag("<orgn>"));
    g.tag("<vloc>").f64(1.5);
    JsonValue last = Dump(Put("a.bgr", g.bytes), kExitFailure)["records"][2];
    EXPECT_EQ(last["x"].Number(), 1.5);
    EXPECT_FALSE(Has(last, "height"));
    EXPECT_FALSE(Has(last, "node"));  // never became a node

    // A mesh cut inside its second polygon keeps its vertices and first polygon.
    Golden t = MeshHeader(Golden().tag("<pave>").u32(0), 2).i32(256).i32(0).i32(0).i32(0).i32(0).i32(256);
    t.u32(5).u32(2).u32(0).u32(65535).u32(0).u32(0).u32(0).u32(1).u32(5).u32(3);
    last = Dump(Put("a.tms", t.bytes), kExitFailure)["records"][0];
    EXPECT_EQ(last["vertices"].size(), 2u);
    EXPECT_EQ(last["vertices"][0]["xFeet"].Number(), 1.0);
    EXPECT_EQ(last["polygons"].size(), 1u);
    EXPECT_EQ(last["header"].size(), 5u);
    EXPECT_FALSE(Has(last, "computedByteCount"));

    // A mesh cut inside its header shows the words it has.
    last = Dump(Put("b.tms", Golden().tag("<edmk>").u32(24).u32(20).u32(65536).bytes),
                kExitFailure)["records"][0];
    EXPECT_EQ(last["byteCount"].Number(), 24);
    EXPECT_EQ(last["header"].size(), 2u);
    EXPECT_FALSE(Has(last, "vertexCount"));

    // Of a pool whose count runs past the end only the count was read.
    last = Dump(Put("c.txp", Golden().tag("<vert>").i32(-1).bytes), kExitFailure)["records"][0];
    EXPECT_EQ(last["count"].Number(), -1);
    EXPECT_EQ(last["vertices"].size(), 0u);
    last = Dump(Put("d.txp", Golden().tag("<vert>").raw({1, 0}).bytes), kExitFailure)["records"][0];
    EXPECT_FALSE(Has(last, "count"));
}

// The complete files every prefix is cut from.
std::vector<std::pair<std::string, Bytes>> SmallFiles() {
    Golden bgr = Origin(Golden().tag("<bgno>").tag("<orgn>"));
    bgr.tag("<node>").tag("<bgno>").tag("<vloc>").f64(1.0).f64(0.0).f64(2.0).tag("<flow>").i32(1).tag(
        "<endo>");
    bgr.tag("<edge>").i32(0).i32(0).tag("<bgno>").tag("<thck>").f32(50.0f).tag("<type>").i32(1).tag("<nply>");
    bgr.tag("<endo>").tag("<endo>");

    Golden txp = Origin(Golden().text("<bgno> == B ==").text("<orgn> -- o --"));
    txp.text("<vert> -- v --").i32(2).f64(1.0).f64(0.0).f64(2.0).f64(3.0).f64(0.0).f64(4.0);
    txp.text("<poly> -- p --").text("<pvrt> -- r --").i32(2).i32(0).i32(1).text("<endo> == E ==");

    Golden tms = Origin(Golden().tag("<bgno>").tag("<orgn>"));
    tms.tag("<tlxz>").u32(8).u32(8).tag("<feet>").f32(10.0f).tag("<lowl>").f64(1.0).f64(0.0).f64(2.0);
    tms.tag("<tile>").tag("<bgno>").tag("<indx>").u32(0).u32(0);
    tms = MeshHeader(tms.tag("<pave>").u32(80), 2).i32(1).i32(0).i32(2).i32(3).i32(0).i32(4);
    tms.u32(5).u32(2).u32(0).u32(65535).u32(0).u32(0).u32(0).u32(1).u32(0);
    tms.tag("<lite>").u32(48).u32(1).u32(1).f32(1.0f).f32(2.0f);
    tms.u32(2).u32(0).f32(0.0f).f32(0.0f).f32(1.0f).f32(1.0f).f32(0.5f).u32(0);
    tms.tag("<endo>").tag("<endo>");

    Golden txd = SideSegment(SideSegment(Golden().i32(2)));
    txd.i32(1).f64(1.0).f64(2.0).i32(1).i32(0).i32(0).i32(0);

    return {{"p.bgr", bgr.bytes}, {"p.txp", txp.bytes}, {"p.tms", tms.bytes}, {"p.txd", txd.bytes}};
}

// Runs the dump without expecting a status; checks only that the output is
// JSON and that the status agrees with the "error" member.
std::optional<JsonValue> DumpAny(const std::filesystem::path& path, int& status) {
    const Outcome run = Call(&RunDump, {path.string()});
    status = run.status;
    std::optional<JsonValue> json = ParseJson(run.out);
    EXPECT_TRUE(json.has_value()) << run.out;
    EXPECT_TRUE(status == kExitSuccess || status == kExitFailure) << status;
    if (json) {
        EXPECT_EQ(Has(*json, "error"), status == kExitFailure) << run.out;
    }
    return json;
}

TEST_F(DumpTest, EveryPrefixShowsTheRecordsBeforeTheCut) {
    for (const auto& [name, bytes] : SmallFiles()) {
        const JsonValue full = Dump(Put(name, bytes), kExitSuccess);
        const JsonValue& all = full["records"];
        std::vector<double> starts;
        for (const JsonValue& record : all.Items()) {
            starts.push_back(record["offset"].Number());
        }
        const bool tagged = name != "p.txd";
        for (std::size_t length = 0; length < bytes.size(); ++length) {
            SCOPED_TRACE(name + " cut at " + std::to_string(length));
            int status = 0;
            const std::optional<JsonValue> json = DumpAny(
                Put("cut" + name, Bytes(bytes.begin(), bytes.begin() + static_cast<long>(length))), status);
            ASSERT_TRUE(json);
            const JsonValue& records = (*json)["records"];
            ASSERT_LE(records.size(), all.size());
            for (std::size_t i = 0; i < records.size(); ++i) {
                EXPECT_EQ(records[i]["offset"].Number(), starts[i]);
            }
            // A tagged file cut between records is a shorter file; a side
            // file without all its records is not.
            const auto cut = static_cast<double>(length);
            const bool atRecordStart = std::find(starts.begin(), starts.end(), cut) != starts.end();
            if (tagged && (atRecordStart || length == 0)) {
                EXPECT_EQ(status, kExitSuccess);
                EXPECT_EQ(static_cast<double>(records.size()),
                          static_cast<double>(std::count_if(starts.begin(), starts.end(),
                                                            [&](double s) { return s < cut; })));
            }
            if (!tagged) {
                EXPECT_EQ(status, kExitFailure);
            }
        }
    }
}

TEST_F(DumpTest, RandomDamageNeverGivesAnythingButJson) {
    rollpath::testing::DeterministicRandom random(20240611);
    for (const auto& [name, bytes] : SmallFiles()) {
        for (int round = 0; round < 150; ++round) {
            Bytes damaged = bytes;
            const int changes = random.Int(1, 4);
            for (int k = 0; k < changes; ++k) {
                const auto at = static_cast<std::size_t>(random.Int(0, static_cast<int>(damaged.size()) - 1));
                switch (random.Int(0, 3)) {
                    case 0:
                        damaged[at] = static_cast<std::uint8_t>(random.Next());
                        break;
                    case 1:
                        damaged[at] = 0xFF;  // large counts
                        break;
                    case 2:
                        damaged.insert(damaged.begin() + static_cast<long>(at),
                                       static_cast<std::uint8_t>(random.Next()));
                        break;
                    default:
                        damaged.resize(at + 1);
                        break;
                }
            }
            int status = 0;
            SCOPED_TRACE(name + " round " + std::to_string(round));
            EXPECT_TRUE(DumpAny(Put("damaged" + name, damaged), status));
        }
    }
    // Plain noise, and noise after a valid tag.
    for (const char* file : {"n.bgr", "n.txp", "n.tms", "n.txd", "n.rpj"}) {
        for (int round = 0; round < 40; ++round) {
            Bytes noise = round % 2 == 0 ? Bytes{} : Golden().tag("<pave>").bytes;
            const int length = random.Int(0, 200);
            for (int i = 0; i < length; ++i) {
                noise.push_back(static_cast<std::uint8_t>(random.Next()));
            }
            int status = 0;
            EXPECT_TRUE(DumpAny(Put(file, noise), status)) << file << round;
        }
    }
}

TEST_F(DumpTest, AFileThatCannotBeOpenedIsAFailureWithJson) {
    JsonValue json = Dump(dir / "missing.bgr", kExitFailure);
    EXPECT_EQ(json["error"]["kind"].Text(), "cannotOpen");
    EXPECT_FALSE(Has(json, "records"));
    std::filesystem::create_directories(dir / "folder.tms");
    json = Dump(dir / "folder.tms", kExitFailure);
    EXPECT_EQ(json["error"]["kind"].Text(), "cannotOpen");
}

TEST_F(DumpTest, UsageErrors) {
    const std::string file = Put("x.bgr", Golden().tag("<bgno>").bytes).string();
    for (const char* name : {"KSFO.bmp", "KSFO", "KSFO.bgr.bak", "Rollpath.ini"}) {
        const Outcome run = Call(&RunDump, {PutText(name, "x").string()});
        EXPECT_EQ(run.status, kExitUsage) << name;
        EXPECT_EQ(run.out, "") << name;
        EXPECT_NE(run.err.find("usage:"), std::string::npos) << name;
    }
}

TEST_F(DumpTest, TheProgramDumps) {
    const std::string file = Put("X.TXD", Golden().i32(0).i32(0).bytes).string();
    Outcome run = Program({"dump", file});
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
    const std::optional<JsonValue> json = ParseJson(run.out);
    ASSERT_TRUE(json);
    EXPECT_EQ((*json)["format"].Text(), "txd");
    run = Program({"dump", (dir / "X.png").string()});
    EXPECT_EQ(run.status, kExitUsage);
    run = Program({"dump", (dir / "none.txp").string()});
    EXPECT_EQ(run.status, kExitFailure);
    EXPECT_TRUE(ParseJson(run.out).has_value());
}

}  // namespace
}  // namespace rollpath::cli

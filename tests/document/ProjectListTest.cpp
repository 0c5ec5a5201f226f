#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "document/ProjectList.h"
#include "document/ProjectListReader.h"
#include "document/RollpathDoc.h"
#include "support/DecimalCommaLocale.h"
#include "support/DeterministicRandom.h"
#include "support/FaultyFileSystem.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace rollpath {
namespace {

void WriteAll(const std::filesystem::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

class ProjectListTest : public ::testing::Test {
protected:
    ProjectListTest() {
        doc.m_szCode = "KSFO";
        doc.m_szTxpName = "KSFO.txp";
        doc.m_szBgrName = "KSFO.bgr";
    }
    testing::TempDir dir;
    std::filesystem::path list = dir / "Rollpath.rpj";
    CRollpathDoc doc;
    RecordingMessageSink messages;
};

// The first Save creates the list with this airport's entry. The rewrite
// keeps every other entry as its readers see it, as a header and three
// lines, so that nothing of one entry can glue onto the next: this airport's
// entry moves to the end, comments and a last line that no reader takes go.
TEST_F(ProjectListTest, TheRewriteKeepsEveryOtherEntryAsItsReadersSeeIt) {
    const std::string ksfo = "[KSFO]\ntxp=KSFO.txp\nbgr=KSFO.bgr\nbmp=\"\" 0 0 100 0.000000\n";
    ASSERT_TRUE(WriteProjectList(doc, list, messages));
    EXPECT_EQ(testing::ReadText(list), ksfo);
    const std::string longPath = "/" + std::string(280, 'p') + ".bmp";
    struct Case {
        std::string old;
        std::string rewritten;  // before this airport's entry
    };
    for (const Case& c : {
             Case{"; written by hand\n[KSFO]\ntxp=old.txp\nbgr=old.bgr\nbmp=\"\" 0 0 100 0.000000\n"
                  "[KAB]\ntxp=KAB.txp\nbgr=KAB.bgr\nbmp=\"/d/kab.bmp\" 1 2 3 4.500000\n; another comment\n",
                  "[KAB]\ntxp=KAB.txp\nbgr=KAB.bgr\nbmp=\"/d/kab.bmp\" 1 2 3 4.500000\n"},
             Case{"[KSFOX]\ntxp=a\nbgr=b\nbmp=\"\" 0 0 100 0.0\n[KSF]\ntxp=c\nbgr=d\nbmp=\n",
                  "[KSFOX]\ntxp=a\nbgr=b\nbmp=\"\" 0 0 100 0.0\n[KSF]\ntxp=c\nbgr=d\nbmp=\n"},
             Case{"[EGLL]\ntxp=EGLL.txp\nbgr=EGLL.bgr\nbmp=\"" + longPath + "\" 5 6 70 1.000000\n",
                  "[EGLL]\ntxp=EGLL.txp\nbgr=EGLL.bgr\nbmp=\"" + longPath + "\" 5 6 70 1.000000\n"},
             // A header without a line feed is read by nobody; kept, it
             // would take the lines of the entry written after it.
             Case{"[EGLL]\ntxp=e\nbgr=f\nbmp=\n[KPAO]", "[EGLL]\ntxp=e\nbgr=f\nbmp=\n"},
             Case{"[KPAO]\n", "[KPAO]\n\n\n\n"},
             Case{"[KPAO]\ntxp=p\n[EGLL]\ntxp=e\nbgr=f\nbmp=",
                  "[KPAO]\ntxp=p\n\n\n[EGLL]\ntxp=e\nbgr=f\nbmp=\n"},
         }) {
        WriteAll(list, c.old);
        ASSERT_TRUE(WriteProjectList(doc, list, messages));
        EXPECT_EQ(testing::ReadText(list), c.rewritten + ksfo) << c.old;
        PendingProject kpao;
        SetPendingProject(kpao, "KPAO", list);
        EXPECT_EQ(kpao.bgrName, "KPAO.bgr") << c.old;
    }
    EXPECT_TRUE(messages.shown.empty());
}

// A failed rewrite of an existing list is the Save fault tests' part; without
// an old list, a failure is a list that cannot be created.
TEST_F(ProjectListTest, AFailedFirstWriteLeavesNoList) {
    testing::FaultyFileSystem files(testing::FaultyFileSystem::Fault::Rename);
    EXPECT_FALSE(WriteProjectList(doc, list, messages, files));
    EXPECT_FALSE(std::filesystem::exists(list));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].starts_with("Cannot open " + list.string() + ": "));
}

// The names and diagram placement an entry gives.
auto Entry(const PendingProject& p) {
    return std::tie(p.txpName, p.bgrName, p.bmpPath, p.bmpX, p.bmpY, p.bmpScale, p.rotation);
}

// The first entry of the code, in its case, gives the names and placement;
// without one, the defaults.
TEST_F(ProjectListTest, AnOpeningReadsTheFirstEntryOfItsCode) {
    const struct {
        const char* list;
        std::tuple<std::string, std::string, std::string, int, int, int, double> entry;
    } rows[] = {
        {"[KSFO]\ntxp=a\nbgr=b\nbmp=D:\\Scans\\SFO.BMP 300 400 80 12.5\n",
         {"a", "b", "D:\\Scans\\SFO.BMP", 300, 400, 80, 12.5}},
        {"[KSFO]\ntxp=1\nbgr=2\nbmp=\"\"\n[KSFO]\ntxp=3\nbgr=4\nbmp=\"\"\n", {"1", "2", "", 0, 0, 100, 0.0}},
        {"[ksfo]\ntxp=1\nbgr=2\nbmp=\"\"\n", {"KSFO.txp", "KSFO.bgr", "", 0, 0, 100, 0.0}},
    };
    for (const auto& row : rows) {
        WriteAll(list, row.list);
        PendingProject p;
        SetPendingProject(p, "KSFO", list);
        EXPECT_EQ(Entry(p), row.entry) << row.list;
    }
}

TEST_F(ProjectListTest, SectionsListHeadersSkipCommentsAndSort) {
    WriteAll(list, "[KDEF]\ntxp=\n;[KXYZ]\n[kabc]\n[EGLL\n[LAST]");
    std::vector<std::string> sections = ReadProjectSections(list);
    EXPECT_EQ(sections, (std::vector<std::string>{"KDEF", "kabc", "EGLL"}));
    SortProjectSections(sections);
    EXPECT_EQ(sections, (std::vector<std::string>{"EGLL", "kabc", "KDEF"}));
    EXPECT_TRUE(ReadProjectSections(dir / "none.rpj").empty());
}

// The locale for one round: the numbers must not follow it.
struct Locale {
    explicit Locale(const char* name) { EXPECT_NE(std::setlocale(LC_ALL, name), nullptr) << name; }
    ~Locale() { std::setlocale(LC_ALL, "C"); }
};

// What Save writes reads back as the same names and placement, however long
// the lines (a diagram path as long as the editor takes) and whatever the
// locale's decimal separator.
TEST(ProjectListReader, WrittenEntriesReadBack) {
    testing::DeterministicRandom random(77);
    for (int round = 0; round < 200; ++round) {
        const Locale locale(round % 2 == 0 ? "C" : testing::kDecimalCommaLocale);
        CRollpathDoc doc;
        doc.m_szCode = "K" + std::to_string(round);
        doc.m_szTxpName = "poly " + std::to_string(random.Int(0, 999)) + ".txp";
        doc.m_szBgrName = "net=" + std::to_string(random.Int(0, 999)) + ".bgr";
        doc.m_szBmpPath = round % 3 == 0 ? "" : "C:\\scan " + std::to_string(round) + ".BMP";
        doc.m_szBmpPath.insert(0, static_cast<std::size_t>(random.Int(0, kMaxPathLength - 16)), 'd');
        doc.m_nBmpX = random.Int(-100000, 100000);
        doc.m_nBmpY = random.Int(-100000, 100000);
        doc.m_nBmpScale = random.Int(1, 5000);
        doc.m_dRotation = std::round(random.Uniform(0.0, 360.0) * 1e6) / 1e6;

        const std::string text = FormatProjectEntry(doc);
        ProjectListReader reader(text);
        ProjectListLine header;
        ASSERT_TRUE(reader.Next(header));
        ASSERT_TRUE(header.IsHeader());
        EXPECT_EQ(header.SectionName(), doc.m_szCode);
        PendingProject pending;
        SetPendingDefaults(pending, header.SectionName());
        ApplyProjectEntry(ReadProjectEntry(reader, header), pending);
        EXPECT_EQ(Entry(pending), std::tie(doc.m_szTxpName, doc.m_szBgrName, doc.m_szBmpPath, doc.m_nBmpX,
                                           doc.m_nBmpY, doc.m_nBmpScale, doc.m_dRotation));
        ProjectListLine rest;
        EXPECT_FALSE(reader.Next(rest));
    }
}

}  // namespace
}  // namespace rollpath

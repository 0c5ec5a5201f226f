#include <gtest/gtest.h>

#include <clocale>

#include <cmath>
#include <string>
#include <vector>

#include "document/ProjectList.h"
#include "document/ProjectListReader.h"
#include "document/RollpathDoc.h"
#include "support/DecimalCommaLocale.h"
#include "support/DeterministicRandom.h"

namespace rollpath {
namespace {

// The locale for one round: the numbers must not follow it.
struct Locale {
    explicit Locale(const char* name) { EXPECT_NE(std::setlocale(LC_ALL, name), nullptr) << name; }
    ~Locale() { std::setlocale(LC_ALL, "C"); }
};

std::vector<ProjectListLine> AllLines(std::string_view text) {
    ProjectListReader reader(text);
    std::vector<ProjectListLine> lines;
    ProjectListLine line;
    while (reader.Next(line)) {
        lines.push_back(line);
    }
    return lines;
}

TEST(ProjectListReader, LinesWithTheirOffsetsNumbersAndLineFeeds) {
    const std::vector<ProjectListLine> lines = AllLines("[KSFO]\r\n\n;c\nlast");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].text, "[KSFO]\r");
    EXPECT_EQ(lines[0].AsWritten(), "[KSFO]");
    EXPECT_TRUE(lines[0].IsHeader());
    EXPECT_EQ(lines[0].SectionName(), "KSFO");
    EXPECT_EQ(lines[1].offset, 8u);
    EXPECT_EQ(lines[1].text, "");
    EXPECT_EQ(lines[2].number, 3u);
    EXPECT_TRUE(lines[2].IsComment());
    EXPECT_EQ(lines[3].offset, 12u);
    EXPECT_FALSE(lines[3].terminated);
    EXPECT_TRUE(AllLines("").empty());
    // A header without its line feed is ignored.
    EXPECT_FALSE(AllLines("[KSFO]")[0].IsHeader());
    // A file that ends with its line feed has no empty last line.
    EXPECT_EQ(AllLines("a\n").size(), 1u);
}

TEST(ProjectListReader, LongLinesAreCutBeforeTheCarriageReturnIsDropped) {
    const std::string x(300, 'x');
    ProjectListLine line;
    line.text = x;
    line.text += '\r';
    EXPECT_EQ(line.AsRead(kListLineLength), x.substr(0, 254));
    EXPECT_EQ(line.AsWritten(), x);
    // A carriage return that the cut brings to the end goes too.
    const std::string y(253, 'y');
    line.text = y;
    line.text += "\rzz";
    EXPECT_EQ(line.AsRead(kListLineLength), y);
    // Only one carriage return belongs to the line end.
    line.text = "a\r\r";
    EXPECT_EQ(line.AsWritten(), "a\r");
}

// An entry cut short by the next section keeps the defaults for the lines
// it lacks, and leaves that section to be read.
TEST(ProjectListReader, AnEntryTakesUpToThreeLinesBeforeTheNextSection) {
    ProjectListReader reader("[KSFO]\n;txp=c\n[KPAO]\n");
    ProjectListLine header;
    ASSERT_TRUE(reader.Next(header));
    const ProjectListEntry entry = ReadProjectEntry(reader, header);
    ASSERT_TRUE(entry.lines[0]);
    EXPECT_EQ(entry.lines[0]->text, ";txp=c");
    EXPECT_FALSE(entry.lines[1]);
    EXPECT_FALSE(entry.lines[2]);
    ProjectListLine next;
    ASSERT_TRUE(reader.Next(next));
    EXPECT_EQ(next.SectionName(), "KPAO");

    PendingProject pending;
    SetPendingDefaults(pending, "KSFO");
    ApplyProjectEntry(entry, pending);
    EXPECT_EQ(pending.txpName, "c");
    EXPECT_EQ(pending.bgrName, "KSFO.bgr");
    EXPECT_EQ(pending.bmpScale, 100);
}

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
        EXPECT_EQ(pending.txpName, doc.m_szTxpName);
        EXPECT_EQ(pending.bgrName, doc.m_szBgrName);
        EXPECT_EQ(pending.bmpPath, doc.m_szBmpPath);
        EXPECT_EQ(pending.bmpX, doc.m_nBmpX);
        EXPECT_EQ(pending.bmpY, doc.m_nBmpY);
        EXPECT_EQ(pending.bmpScale, doc.m_nBmpScale);
        EXPECT_EQ(pending.rotation, doc.m_dRotation);
        ProjectListLine rest;
        EXPECT_FALSE(reader.Next(rest));
    }
}

}  // namespace
}  // namespace rollpath

#include "document/ProjectList.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>

#include "document/AtomicFile.h"
#include "document/MessageSink.h"
#include "document/ProjectListReader.h"
#include "document/RollpathDoc.h"
#include "document/WholeFile.h"

namespace rollpath {

namespace {

std::string_view AsText(const std::vector<std::uint8_t>& bytes) {
    return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

}  // namespace

void SetPendingDefaults(PendingProject& pending, const std::string& code) {
    pending.code = code;
    pending.txdName = code + ".txd";
    pending.txpName = code + ".txp";
    pending.bgrName = code + ".bgr";
    pending.tmsName = code + ".tms";
    pending.bmpPath.clear();
    pending.bmpX = 0;
    pending.bmpY = 0;
    pending.bmpScale = 100;
    pending.rotation = 0.0;
}

void SetPendingProject(PendingProject& pending, const std::string& code,
                       const std::filesystem::path& listPath) {
    SetPendingDefaults(pending, code);
    const std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(listPath);
    if (!bytes) {
        return;
    }
    ProjectListReader reader(AsText(*bytes));
    ProjectListLine line;
    while (reader.Next(line)) {
        if (line.IsHeader() && line.SectionName() == code) {
            ApplyProjectEntry(ReadProjectEntry(reader, line), pending);
            return;
        }
    }
}

std::vector<std::string> ReadProjectSections(const std::filesystem::path& listPath) {
    std::vector<std::string> sections;
    const std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(listPath);
    if (!bytes) {
        return sections;
    }
    ProjectListReader reader(AsText(*bytes));
    ProjectListLine line;
    while (reader.Next(line)) {
        if (line.IsHeader()) {
            sections.push_back(line.SectionName());
        }
    }
    return sections;
}

void SortProjectSections(std::vector<std::string>& sections) {
    const auto lower = [](const std::string& s) {
        std::string out = s;
        std::transform(out.begin(), out.end(), out.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return out;
    };
    std::stable_sort(sections.begin(), sections.end(),
                     [&](const std::string& a, const std::string& b) { return lower(a) < lower(b); });
}

std::string FormatProjectEntry(const CRollpathDoc& doc) {
    std::string entry = "[" + doc.m_szCode + "]\n";
    entry += "txp=" + doc.m_szTxpName + "\n";
    entry += "bgr=" + doc.m_szBgrName + "\n";
    char numbers[160];
    std::snprintf(numbers, sizeof numbers, " %d %d %d %f\n", doc.m_nBmpX, doc.m_nBmpY, doc.m_nBmpScale,
                  doc.m_dRotation);
    entry += "bmp=\"" + doc.m_szBmpPath + "\"" + numbers;
    return entry;
}

bool WriteProjectList(const CRollpathDoc& doc, const std::filesystem::path& listPath, MessageSink& messages,
                      FileSystem& files) {
    std::error_code ec;
    const bool exists = std::filesystem::exists(listPath, ec);
    // A failure before the list existed is a list that cannot be created;
    // after, it is the temporary copy that could not be made.
    const char* const failure = exists ? "Cannot create temporary file." : "Cannot open Rollpath.rpj";

    std::string text;
    if (exists) {
        const std::optional<std::vector<std::uint8_t>> old = ReadWholeFile(listPath);
        if (!old) {
            messages.Show("Cannot open Rollpath.rpj");
            return false;
        }
        // Other entries are copied whole (a long diagram path must not lose
        // the numbers after it); this airport's own entry and comments are
        // dropped.
        ProjectListReader reader(AsText(*old));
        ProjectListLine line;
        while (reader.Next(line)) {
            const std::string whole = line.AsWritten();
            if (line.IsComment()) {
                continue;
            }
            if (line.StartsSection() && ProjectSectionName(whole) == doc.m_szCode) {
                ReadProjectEntry(reader, line);
                continue;
            }
            text += whole;
            text += '\n';
        }
    }
    text += FormatProjectEntry(doc);

    // The new list replaces the old one in one rename; it is never deleted
    // first, so a crash in between cannot lose every airport's entry.
    AtomicFile out(listPath, files);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    if (!out.Open() || !out.Write(std::span<const std::uint8_t>(bytes, text.size())) || !out.Commit()) {
        messages.Show(failure);
        return false;
    }
    return true;
}

}  // namespace rollpath
